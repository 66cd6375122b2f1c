// Builds that would recurse or loop without end, errors from every part of a
// build, and the band properties scripts reach while building.
#include "EngineTestBase.h"

namespace {

class BuildGuard : public EngineTest {
public:
    // A list of `rows` numbers: master data 20 high, a page header and footer.
    void List(int rows)
    {
        Numbers(rows);
        Dataset("Rows", Query("Q", "SELECT * FROM T ORDER BY N"));
        Layout();
    }
    // A fresh template of the list.
    void Restart()
    {
        report_->Clear();
        report_->Pages().Add();
        Page().LeftMargin = Page().TopMargin = Page().RightMargin = Page().BottomMargin = Margin;
        Layout();
    }
    void Layout()
    {
        Band(btPageHeader, "PageHeader1", 20, 20);
        Memo("Header", 20, 20, {"header"});
        Band(btMasterData, "MasterData1", 50, 20, "Rows");
        Memo("Row", 20, 50, {"[Q.\"N\"]"});
        Band(btPageFooter, "PageFooter1", 900, 20);
        Memo("Footer", 20, 900, {"footer [PAGE#]"});
    }
};

TEST_F(BuildGuard, RecursionAndEndlessBreaksEnd)
{
    struct Case {
        const char* why;
        std::function<void(BuildGuard&)> change;
        int rows;  // rows printed
        int pages;  // pages made (0: not checked)
    };
    const Case cases[] = {
        {"SHOWBAND of the band being drawn",
         [](BuildGuard& t) { t.Script(t.View("MasterData1"), {"ShowBand(MasterData1)"}); }, 10, 1},
        {"a cycle of child bands",
         [](BuildGuard& t) {
             t.Band(btChild, "Child1", 100, 20).ChildBand = "Child2";
             t.Band(btChild, "Child2", 130, 20).ChildBand = "Child1";
             static_cast<TrqBandView&>(t.View("MasterData1")).ChildBand = "Child1";
         },
         10, 0},
        {"a page header taller than the page", [](BuildGuard& t) { t.View("PageHeader1").Height = 5000; }, 10, 0},
        {"a band taller than an empty page: one record a page",
         [](BuildGuard& t) { t.View("MasterData1").Height = 3000; }, 10, 10},
        {"NEWPAGE in the page header", [](BuildGuard& t) { t.Script(t.View("PageHeader1"), {"NewPage"}); }, 10, 1},
        {"NEWPAGE in the page footer", [](BuildGuard& t) { t.Script(t.View("PageFooter1"), {"NewPage"}); }, 10, 1},
        {"band heights that sum past 32 bits", [](BuildGuard& t) { t.View("MasterData1").Height = 2000000000; }, 10,
         10},
        {"no page columns counts as one", [](BuildGuard& t) { t.Page().Columns = 0; }, 10, 1},
        {"negative page columns count as one", [](BuildGuard& t) { t.Page().Columns = -3; }, 10, 1},
    };
    List(10);
    for (const Case& c : cases) {
        Restart();
        c.change(*this);
        ASSERT_TRUE(Prepare()) << c.why << ": " << Message();
        EXPECT_EQ(Texts("Row").size(), static_cast<size_t>(c.rows)) << c.why;
        if (c.pages) {
            EXPECT_EQ(report_->EMFPages().Count(), c.pages) << c.why;
        }
    }
}

TEST_F(BuildGuard, NewPageAndColumnsFromScripts)
{
    List(6);
    Script(View("MasterData1"), {"if [Q.\"N\"] = 3 then NewPage"});
    ASSERT_TRUE(Prepare());
    std::vector<PrintedPage> pages = Pages();
    ASSERT_EQ(pages.size(), 2u);
    // The break comes after the script, before the band prints.
    EXPECT_EQ(TextsOf(pages[0]), (std::vector<std::string>{"header", "1", "2", "footer 1"}));
    EXPECT_EQ(TextsOf(pages[1]), (std::vector<std::string>{"header", "3", "4", "5", "6", "footer 2"}));

    // Two page columns: the third record starts the second column beside the first.
    Page().Columns = 2;
    Page().ColumnGap = 10;
    Script(View("MasterData1"), {"if [Q.\"N\"] = 3 then NewColumn"});
    ASSERT_TRUE(Prepare());
    pages = Pages();
    ASSERT_EQ(pages.size(), 1u);
    std::vector<int> lefts, tops;
    for (const PrintedView& v : pages[0])
        if (v.name == "Row") {
            lefts.push_back(v.left);
            tops.push_back(v.top);
        }
    const int shift = (Page().PrnInfo.PaperWidthUnits - 2 * Margin - 10) / 2 + 10;
    EXPECT_EQ(lefts, (std::vector<int>{20, 20, 20 + shift, 20 + shift, 20 + shift, 20 + shift}));
    EXPECT_EQ(tops[2], tops[0]) << "a new column starts below the page header";
}

TEST_F(BuildGuard, ErrorsOfEveryPartGoThroughTheHandler)
{
    struct Case {
        const char* why;
        std::function<void(BuildGuard&)> change;
        const char* object;  // the object the message names
        const char* message;
    };
    const Case cases[] = {
        {"a band script", [](BuildGuard& t) { t.Script(t.View("MasterData1"), {"x := [Nowhere]"}); }, "MasterData1",
         "Undefined symbol \"NOWHERE\""},
        {"a page script", [](BuildGuard& t) { t.Page().Script.Add("y := [Nowhere]"); }, nullptr,
         "Undefined symbol \"NOWHERE\""},
        {"a group condition",
         [](BuildGuard& t) {
             t.Band(btGroupHeader, "Group1", 45, 4, "[Q.\"N\"] + [Nowhere]");
         },
         "Group1", "Undefined symbol \"NOWHERE\""},
        {"a dataset that fails to move",
         [](BuildGuard& t) {
             auto* user = new TrqUserDataset(t.form_.get());
             user->SetName("Failing");
             user->OnNext = [](TComponent*) { throw EDatabaseError("connection lost"); };
             t.View("MasterData1").FormatText = "Failing";
         },
         "Row", "connection lost"},
        {"a data source of the wrong class",
         [](BuildGuard& t) { t.View("MasterData1").FormatText = "Q"; }, nullptr, "Invalid class typecast"},
    };
    List(5);
    for (const Case& c : cases) {
        dialogs_.Clear();
        Restart();
        c.change(*this);
        EXPECT_FALSE(Prepare()) << c.why;
        ASSERT_EQ(dialogs_.Calls().size(), 1u) << c.why;
        const std::string text = dialogs_.Calls()[0].text;
        EXPECT_EQ(text.rfind("\r\r") + 2, text.size() - std::string(c.message).size()) << c.why << ": " << text;
        EXPECT_NE(text.find(c.message), std::string::npos) << c.why << ": " << text;
        if (c.object) {
            EXPECT_NE(text.find(std::string("Object: ") + c.object + "\r"), std::string::npos) << text;
        }
        EXPECT_EQ(report_->EMFPages().Count(), 0) << c.why;
        EXPECT_FALSE(report_->Building());
    }
}

TEST_F(BuildGuard, ASecondBuildWhileOneRunsIsRefused)
{
    List(3);
    std::vector<bool> inner;
    report_->OnBeginBand = [&](TrqBand*) { inner.push_back(report_->PrepareReport()); };
    ASSERT_TRUE(Prepare());
    EXPECT_FALSE(inner.empty());
    EXPECT_EQ(std::count(inner.begin(), inner.end(), true), 0);
    EXPECT_EQ(Texts("Row").size(), 3u);
}

TEST_F(BuildGuard, ScriptsReachTheRuntimeBand)
{
    List(4);
    Script(View("MasterData1"), {"begin if [Q.\"N\"] = 2 then Visible := False else Visible := True;",
                                 "if [Q.\"N\"] = 3 then Height := 40 else Height := 20 end"});
    Band(btReportSummary, "Summary1", 80, 20);
    Memo("Eof", 20, 80, {"[MasterData1.EOF] [MasterData1.Height]"});
    ASSERT_TRUE(Prepare()) << Message();
    EXPECT_EQ(Texts("Row"), (std::vector<std::string>{"1", "3", "4"}));
    std::vector<int> tops;
    const std::vector<PrintedPage> pages = Pages();
    for (const PrintedView& v : pages[0])
        if (v.name == "Row") tops.push_back(v.top);
    ASSERT_EQ(tops.size(), 3u);
    EXPECT_EQ(tops[2] - tops[1], 40) << "record 3 printed 40 high";
    EXPECT_EQ(Texts("Eof"), std::vector<std::string>{"True 20"});
    EXPECT_EQ(View("MasterData1").Height, 20) << "the template keeps its band";
}

}  // namespace
