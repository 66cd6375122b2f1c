// A report reached from brackets and scripts: properties, methods, indexed
// lines and the report's own events.
#include "report/language/Globals.h"
#include "report/language/ParserError.h"
#include "report/model/MemoView.h"
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

    // A name that no object offers is not a property: it stays undefined.
    EXPECT_THROW(eval("[Memo1.NoSuchProperty]"), EParserError);
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
