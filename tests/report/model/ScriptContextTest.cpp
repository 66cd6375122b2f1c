// A report reached from brackets and scripts: properties, methods, indexed
// lines and the report's own events.
#include "report/language/Globals.h"
#include "report/language/Warnings.h"
#include "report/model/BandView.h"
#include "report/model/MemoView.h"
#include "report/model/PictureView.h"
#include "report/model/Report.h"
#include "report/model/ReportScriptContext.h"
#include "runtime/StringList.h"

#include <gtest/gtest.h>

namespace {
class ReportScripts : public ::testing::Test {
protected:
    ReportScripts() : context(report), installed(&context)
    {
        TrqPage& page = *report.Pages().Add();
        auto memo = std::make_unique<TrqMemoView>();
        memo->Name = "Memo1";
        memo->Left = 20;
        memo->Memo.SetText("first\r\nsecond");
        memo1 = static_cast<TrqMemoView*>(page.Add(std::move(memo)));
        report.SetCurrentView(memo1);
    }

    ~ReportScripts() override
    {
        SetWarningSink(nullptr);
        ForgetWarnings();
        rqVariables().Clear();
    }

    template <class V>
    V& add(const char* name)
    {
        auto view = std::make_unique<V>();
        view->Name = name;
        return static_cast<V&>(*report.Pages()[1]->Add(std::move(view)));
    }

    Variant eval(const char* expression) { return rqParser().Evaluate(expression); }

    void run(const char* script)
    {
        TStringList source, compiled, errors;
        source.SetText(script);
        rqInterpreter().CompileScript(source, compiled, errors);
        ASSERT_EQ(errors.Count(), 0) << errors.Text();
        rqInterpreter().RunScript(compiled);
    }

    TrqReport report;
    TrqReportScriptContext context;
    ScopedReportContext installed;
    TrqMemoView* memo1 = nullptr;
};
}  // namespace

TEST_F(ReportScripts, BracketsReadPropertiesAndScriptsWriteThem)
{
    EXPECT_EQ(eval("[Memo1.Left] + 1").AsInteger(), 21);
    EXPECT_EQ(eval("Memo1.Left").AsInteger(), 20);  // bare names arrive upper-cased
    EXPECT_EQ(eval("[Left]").AsInteger(), 20);      // the current view's own property
    EXPECT_EQ(eval("[PAGE1.Visible]").AsString(), eval("TRUE").AsString());

    run("begin\r\n  Memo1.Left := 35;\r\n  Memo1.Top := Memo1.Left * 2;\r\n  HIDE\r\nend");
    EXPECT_EQ(memo1->Left, 35);
    EXPECT_EQ(memo1->Top, 70);
    EXPECT_FALSE(memo1->Visible);

    // A name the object does not have reads as Null.
    EXPECT_TRUE(eval("[Memo1.NoSuchProperty]").IsNull());
}

TEST_F(ReportScripts, IndexedLinesMethodsAndEvents)
{
    EXPECT_EQ(eval("GETARRAY(Memo1.Memo, 1)").AsString(), "second");
    run("SETARRAY(Memo1.Memo, 0, 'changed');");
    EXPECT_EQ(memo1->Memo[0], "changed");
    run("Memo1.Memo.Add('third');");
    EXPECT_EQ(memo1->Memo.Count(), 3);

    report.OnGetValue = [](const AnsiString& name, Variant& value) {
        if (name == "JE") value = 12.5;
    };
    report.OnUserFunction = [](const AnsiString& name, const Variant& p1, const Variant&, const Variant&,
                               Variant& value) {
        if (name == "TWICE") value = rqParser().Evaluate(p1.AsString()) * Variant(2);
    };
    EXPECT_EQ(eval("JE * 2").AsFloat(), 25);
    EXPECT_EQ(eval("TWICE(3)").AsFloat(), 6);

    EXPECT_FALSE(report.Terminated);
    run("STOPREPORT;");
    EXPECT_TRUE(report.Terminated);
    run("begin NEWPAGE; NEWPAGE end");
    EXPECT_EQ(context.PageBreakRequests, 2);
    context.Build.PageNumber = 3;
    EXPECT_EQ(eval("[PAGE#]").AsInteger(), 3);
}

TEST_F(ReportScripts, ScriptsReachWhatEachObjectHas)
{
    TrqBandView& band = add<TrqBandView>("MasterData1");
    band.SetBandType(btMasterData);
    TrqBandView& group = add<TrqBandView>("Group1");
    group.SetBandType(btGroupHeader);
    add<TrqPictureView>("Picture1");
    TrqPage& page = *report.Pages()[1];
    page.Type = ptDialog;

    // Written by a script, then read back by one; names that no designer
    // lists (the page's Name, a band's NewColumnAfter) included.
    struct Case {
        const char* name;
        const char* value;     // as the script writes it
        const char* readBack;  // the value read back, as text
    };
    const Case cases[] = {
        {"PAGE2.Name", "'Cover'", "Cover"},
        {"PAGE2.Caption", "'Choose'", "Choose"},
        {"PAGE2.BorderStyle", "bsSizeable", "2"},
        {"PAGE2.Position", "poScreenCenter", "4"},
        {"PAGE2.Width", "500", "500"},
        {"PAGE1.Orientation", "poLandscape", "1"},
        {"PAGE1.Columns", "2", "2"},
        {"Memo1.DataField", "'[Q.\"N\"]'", "[Q.\"N\"]"},
        {"Memo1.Alignment", "rqtaJustify + rqtaMiddle", "11"},
        {"Memo1.Font.Style", "fsBold + fsItalic", "3"},
        {"Memo1.FrameStyle", "psDashDot", "3"},
        {"Memo1.BandAlign", "baRest", "7"},
        {"Memo1.GapX", "5", "5"},
        {"Picture1.BlobType", "btJPG", "1"},
        {"Picture1.DataField", "'[Q.\"P\"]'", "[Q.\"P\"]"},
        {"MasterData1.NewColumnAfter", "3", "3"},
        {"MasterData1.Columns", "2", "2"},
        {"MasterData1.Condition", "'2'", "2"},
        {"MasterData1.Tag", "'t'", "t"},
        {"Group1.Master", "'MasterData1'", "MasterData1"},
        {"Group1.RepeatHeader", "TRUE", "True"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        run((std::string("begin ") + c.name + " := " + c.value + "; x := " + c.name + " end").c_str());
        EXPECT_EQ(rqVariables().GetVariable("x").AsString(), c.readBack);
        EXPECT_LT(rqVariables().IndexOf(c.name), 0) << "no variable of that name";
    }
    EXPECT_EQ(page.Name, "Cover");
    EXPECT_EQ(band.NewColumnAfter, 3);
    EXPECT_EQ(memo1->Memo.Text(), "[Q.\"N\"]\r\n");

    // Read only, or write only.
    run("begin x := MasterData1.EOF; y := MasterData1.DataSource; z := Memo1.Memo.Count end");
    EXPECT_TRUE(rqVariables().GetVariable("x").AsBoolean());
    EXPECT_TRUE(rqVariables().GetVariable("y").IsNull());
    EXPECT_EQ(rqVariables().GetVariable("z").AsInteger(), 1);
}

TEST_F(ReportScripts, AnAssignmentToAPropertyAnObjectLacksChangesNothingAndSaysSo)
{
    std::vector<std::string> warnings;
    SetWarningSink([&](const AnsiString& text) { warnings.push_back(text); });
    TrqBandView& band = add<TrqBandView>("MasterData1");
    band.SetBandType(btMasterData);

    run("begin PAGE1.Foo := 'x'; page1.FOO := 'y'; MasterData1.EOF := 0; Memo1.Lines.Count := 5 end");
    EXPECT_EQ(rqVariables().Count(), 0) << "no variable was made";
    EXPECT_EQ(warnings, (std::vector<std::string>{
                            report.Pages()[0]->Name + " has no property \"FOO\" that a script can set: the "
                                                      "assignment changes nothing",
                            "MasterData1 has no property \"EOF\" that a script can set: the assignment changes "
                            "nothing",
                            "Memo1 has no property \"LINES.COUNT\" that a script can set: the assignment changes "
                            "nothing",
                        }));
    EXPECT_EQ(memo1->Memo.Count(), 2);
    EXPECT_TRUE(eval("[PAGE1.Foo]").IsNull());

    // Without an object, a name the current view does not list is a variable,
    // as are names with a dot before which nothing is named.
    run("begin NewColumnAfter := 4; Nobody.Left := 1; Left := 3 end");
    EXPECT_EQ(rqVariables().GetVariable("NewColumnAfter").AsInteger(), 4);
    EXPECT_EQ(rqVariables().GetVariable("Nobody.Left").AsInteger(), 1);
    EXPECT_EQ(memo1->Left, 3);
    EXPECT_EQ(warnings.size(), 3u);
}
