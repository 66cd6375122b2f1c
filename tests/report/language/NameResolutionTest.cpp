#include "FakeReport.h"

#include "report/language/NameResolution.h"
#include "report/language/ParserError.h"

#include <gmock/gmock.h>

using ::testing::ThrowsMessage;

namespace {

class NameResolution : public LanguageTest {
protected:
    FakeReport report;

    void expectUndefined(std::string_view expression, const std::string& name)
    {
        EXPECT_THAT([&] { Eval(expression); }, ThrowsMessage<EParserError>("Undefined symbol \"" + name + "\""))
            << expression;
    }
};

TEST_F(NameResolution, GlobalVariablesConstantsAndUndefinedNames)
{
    rqVariables().SetVariable("JE", Variant(12.5));
    EXPECT_EQ(Shown(Eval("[JE]")), "float:12.5");
    EXPECT_EQ(Shown(Eval("je * 2")), "float:25");
    EXPECT_EQ(Shown(Eval("clRed + mrOk")), "integer:256");
    EXPECT_EQ(Shown(Eval("[Null]")), "null:");
    rqVariables().Clear();
    expectUndefined("[JE]", "JE");
    expectUndefined("[je]", "JE");  // evaluated once as an expression, where bare names are upper-cased
    expectUndefined("1 + [Qty*2]", "QTY");
}

TEST_F(NameResolution, BracketsHoldingExpressionsAreEvaluated)
{
    rqVariables().SetVariable("Qty", Variant(3));
    EXPECT_EQ(Shown(Eval("[Qty*2]")), "float:6");
    EXPECT_EQ(Shown(Eval("[[Qty] + [Qty*2]]")), "float:9");
    ClearNameUnderEvaluation();
}

TEST_F(NameResolution, RulesApplyInOrder)
{
    ScopedReportContext installed(&report);
    rqVariables().SetVariable("X", Variant("global"));
    rqVariables().SetVariable("PAGE#", Variant("global"));
    rqVariables().SetVariable("CURY", Variant("global"));
    report.buildValues[TrqBuildValue::PageNumber] = Variant(3);
    report.buildValues[TrqBuildValue::TotalPages] = Variant(0);
    report.buildValues[TrqBuildValue::CurY] = Variant(700);
    report.properties["clRed"] = Variant("property");
    report.properties["Memo1.Left"] = Variant(20);

    EXPECT_EQ(Shown(Eval("[PAGE#]")), "integer:3");          // the build before global variables
    EXPECT_EQ(Shown(Eval("[TOTALPAGES]")), "integer:0");
    EXPECT_EQ(Shown(Eval("[CURY]")), "string:global");       // global variables before CURY
    EXPECT_EQ(Shown(Eval("[clRed]")), "string:property");    // properties before constants
    EXPECT_EQ(Shown(Eval("[Memo1.Left] + 1")), "float:21");
    EXPECT_EQ(Shown(Eval("[page#]")), "string:global");      // special names match exactly,
    EXPECT_EQ(Shown(Eval("[cury]")), "string:global");       // the variable list ignores case
    EXPECT_EQ(Shown(Eval("x")), "string:global");

    report.dictionary["X"] = Variant("dictionary");
    EXPECT_EQ(Shown(Eval("x")), "string:dictionary");
    report.hostValues["X"] = Variant("host");
    EXPECT_EQ(Shown(Eval("x")), "string:host");
    report.hostValues["X"] = Variant();  // an empty answer lets the other rules speak
    EXPECT_EQ(Shown(Eval("x")), "string:dictionary");
}

TEST_F(NameResolution, WithoutAReportItsNamesAreUnknown)
{
    expectUndefined("[PAGE#]", "PAGE#");
    expectUndefined("[TOTALPAGES] + 1", "TOTALPAGES");
}

TEST_F(NameResolution, UndefinedNamesAreEmptyWhileCollectingAggregates)
{
    ScopedReportContext installed(&report);
    report.collecting = true;
    EXPECT_EQ(Shown(Eval("[Nowhere]")), "empty:");
}

TEST_F(NameResolution, WritesFollowTheirOrder)
{
    ScopedReportContext installed(&report);
    rqVariables().SetVariable("G", Variant(1));
    report.dictionary["D"] = Variant(1);
    report.properties["Memo1.Visible"] = Variant(true);

    WriteReportVariable("g", Variant(2));
    WriteReportVariable("D", Variant(2));
    WriteReportVariable("Memo1.Visible", Variant(false));
    WriteReportVariable("ModalResult", Variant(1.0));
    WriteReportVariable("CURY", Variant(120));
    WriteReportVariable("PROGRESS", Variant(5));
    WriteReportVariable("Fresh", Variant("new"));

    EXPECT_EQ(rqVariables().GetVariable("G").AsInteger(), 2);
    EXPECT_EQ(report.dictionary["D"].AsInteger(), 2);
    EXPECT_FALSE(report.properties["Memo1.Visible"].AsBoolean());
    EXPECT_EQ(report.calls, (std::vector<std::string>{"modal result 1", "cury 120", "progress 5"}));
    EXPECT_EQ(rqVariables().GetVariable("Fresh").AsString(), "new");
    EXPECT_EQ(rqVariables().IndexOf("D"), -1);
    EXPECT_EQ(rqVariables().IndexOf("PROGRESS"), -1);
}

TEST_F(NameResolution, WritesWithoutAReportGoToGlobalVariables)
{
    WriteReportVariable("CURY", Variant(5));
    WriteReportVariable("PROGRESS", Variant(5));
    WriteReportVariable("ModalResult", Variant(1));
    EXPECT_EQ(rqVariables().GetVariable("CURY").AsInteger(), 5);
    EXPECT_EQ(rqVariables().IndexOf("PROGRESS"), -1);
    // No dialog page is current without a report: the modal result goes nowhere.
    EXPECT_EQ(rqVariables().IndexOf("MODALRESULT"), -1);
}

}  // namespace
