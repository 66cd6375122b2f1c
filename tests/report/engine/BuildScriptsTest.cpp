// Scripts while a report builds: a script that never ends gives way to
// Cancel, a long one that ends runs to its end, scripts that do less than
// their text says are warned about, and scripts that give a band another data
// source leave no loop with the freed one.
#include "EngineTestBase.h"

#include "report/language/Warnings.h"
#include "report/windows/ProgressForm.h"

#include <QPushButton>
#include <QTimer>

namespace {

class BuildScripts : public EngineTest {
public:  // case tables build templates through lambdas
    BuildScripts()
    {
        SetWarningSink([this](const AnsiString& text) { warnings_.push_back(text); });
    }
    ~BuildScripts() override
    {
        SetWarningSink(nullptr);
        ForgetWarnings();
    }

    // A master data band of `records` records of its own with a row memo.
    TrqBandView& Rows(const char* records)
    {
        TrqBandView& band = Band(btMasterData, "MasterData1", 40, 20, records);
        Memo("Row", 20, 40, {"row [CURRENT#]"});
        return band;
    }

    std::vector<std::string> warnings_;
};

TEST_F(BuildScripts, AnEndlessScriptGivesWayToCancel)
{
    // Cancel is pressed once the loop runs: the window sees the click when
    // the script checks in.
    struct Case {
        bool twoPass;
        int pagesLeft;  // a cancelled first pass leaves nothing; a single pass what it built
    };
    for (const Case c : {Case{false, 1}, Case{true, 0}}) {
        SCOPED_TRACE(c.twoPass ? "two passes" : "one pass");
        report_->Pages()[0]->Clear();
        Script(Rows("1"), {"WHILE 1 = 1 DO X := X + 1"});
        report_->SetTwoPass(c.twoPass);
        report_->SetShowProgress(true);
        rqVariables().SetVariable("X", Variant(0));
        QTimer press;
        QObject::connect(&press, &QTimer::timeout, [&] {
            if (rqVariables().GetVariable("X").AsInteger() > 0) rqProgressForm().Button1->click();
        });
        press.start(0);

        EXPECT_FALSE(Prepare());
        EXPECT_GT(rqVariables().GetVariable("X").AsInteger(), 0);
        EXPECT_EQ(report_->EMFPages().Count(), c.pagesLeft);
        EXPECT_EQ(Texts("Row"), std::vector<std::string>{});
        EXPECT_FALSE(rqProgressForm().isVisible());
        EXPECT_TRUE(dialogs_.Calls().empty()) << "a cancel is no error";
    }
}

TEST_F(BuildScripts, AStopRequestedInsideALoopEndsIt)
{
    // STOPREPORT only sets Terminated; the loop itself never ends, so the
    // script must notice the flag when it checks in.
    Script(Rows("3"), {"WHILE 1 = 1 DO BEGIN STOPREPORT; X := X + 1 END"});
    rqVariables().SetVariable("X", Variant(0));
    Prepare();
    EXPECT_GT(rqVariables().GetVariable("X").AsInteger(), 0);
    EXPECT_EQ(Texts("Row"), std::vector<std::string>{});
    EXPECT_TRUE(dialogs_.Calls().empty()) << "a stop is no error";
}

TEST_F(BuildScripts, ALongScriptThatEndsRunsToItsEnd)
{
    // A million instructions, with the progress window checking all along.
    Script(Rows("1"), {"BEGIN I := 0; REPEAT I := I + 1 UNTIL I >= 500000 END"});
    report_->SetShowProgress(true);
    ASSERT_TRUE(Prepare()) << Message();
    EXPECT_EQ(rqVariables().GetVariable("I").AsInteger(), 500000);
    EXPECT_EQ(Texts("Row"), std::vector<std::string>{"row 1"});
}

TEST_F(BuildScripts, ScriptsThatDoLessThanTheirTextAreWarnedAboutOnce)
{
    Script(Rows("2"), {"X := 3; X := X + 1"});
    Script(View("Row"), {"begin", "  Y := 1;", "  Y 2", "end"});
    Page().Script.SetText("BEGIN Z := 1 END;");
    ASSERT_TRUE(Prepare()) << Message();
    ASSERT_TRUE(Prepare()) << Message();
    EXPECT_EQ(rqVariables().GetVariable("X").AsInteger(), 3) << "only the first statement runs";
    EXPECT_EQ(warnings_, (std::vector<std::string>{
                             "script of MasterData1: Line 1/9: the text from here on never runs (a script is one "
                             "statement; put several between BEGIN and END)",
                             "script of Row: Line 3/5: Need \":=\" here (only what comes before it runs)",
                         }));
}

TEST_F(BuildScripts, ADataSourceReplacedByAScriptEndsTheLoopsOverTheOldOne)
{
    // The record counts are datasets of the bands' own: replacing one frees
    // it. A group footer's script replaces its data band's source while the
    // group break still reads it; a cross data band's script (or a cell's)
    // the cross data band's own while the row of cells goes through it.
    struct Case {
        const char* name;
        std::function<void(BuildScripts&)> make;
        const char* memo;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {"group footer",
         [](BuildScripts& t) {
             t.Band(btGroupHeader, "Group1", 10, 20, "[CURRENT#]");
             t.Rows("4");
             t.Band(btGroupFooter, "GroupFooter1", 70, 20);
             t.Script(t.View("GroupFooter1"), {"if [CURRENT#] = 2 then MasterData1.DataSource := '2'"});
         },
         "Row",
         // Two rows of the first source, then the two of the second.
         {"row 1", "row 2", "row 3", "row 4"}},
        {"cross data band",
         [](BuildScripts& t) {
             TrqBandView& cross = t.Band(btCrossData, "CrossData1", 0, 1000, "3");
             cross.Left = 200;
             cross.Width = 100;
             t.Script(cross, {"if [COLUMN#] = 2 then CrossData1.DataSource := '5'"});
             t.Rows("2");
             t.Memo("Cell", 200, 40, {"cell [COLUMN#]"});
         },
         "Cell",
         // Each row ends at the column whose script replaced the source.
         {"cell 1", "cell 1"}},
        {"cell of a stretched row",
         [](BuildScripts& t) {
             TrqBandView& cross = t.Band(btCrossData, "CrossData1", 0, 1000, "3");
             cross.Left = 200;
             cross.Width = 100;
             t.Rows("2").SetFlag(flStretched, true);
             TrqMemoView& cell = t.Memo("Cell", 200, 40, {"cell [COLUMN#]"});
             cell.SetFlag(flStretched, true);
             // Measuring the row runs it too.
             t.Script(cell, {"if [COLUMN#] = 2 then CrossData1.DataSource := '5'"});
         },
         "Cell",
         {"cell 1", "cell 2", "cell 1", "cell 2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        report_->Pages()[0]->Clear();
        c.make(*this);
        ASSERT_TRUE(Prepare()) << Message();
        EXPECT_EQ(Texts(c.memo), c.texts);
    }
}

}  // namespace
