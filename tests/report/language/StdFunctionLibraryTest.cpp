#include "FakeReport.h"

#include "support/ScriptedDialogs.h"
#include "report/language/StdFunctionLibrary.h"
#include "runtime/DateTime.h"
#include "runtime/Exceptions.h"
#include "runtime/NumberFormat.h"

namespace {

class StdFunctions : public LanguageTest {};

TEST_F(StdFunctions, ListsItsFunctionsInOrder)
{
    TrqStdFunctionLibrary library;
    EXPECT_EQ(library.List(), (std::vector<AnsiString>{"AVG", "COUNT", "DAYOF", "FORMATDATETIME", "FORMATFLOAT",
                                                       "FORMATTEXT", "INPUT", "LENGTH", "LOWERCASE", "MAX", "MAXNUM",
                                                       "MESSAGEBOX", "MIN", "MINNUM", "MONTHOF", "NAMECASE", "POS",
                                                       "SUM", "TRIM", "UPPERCASE", "YEAROF"}));
}

TEST_F(StdFunctions, TextDateAndNumberFunctions)
{
    rqVariables().SetVariable("D", Variant::FromDateTime(EncodeDateTime(2024, 3, 5, 10, 30, 0, 0)));
    rqVariables().SetVariable("S", Variant(Ansi(u8"数量 ab")));
    const std::pair<const char*, std::string> cases[] = {
        {"POS('b', 'abc')", "integer:2"},
        {"POS('x', 'abc')", "integer:0"},
        {"POS('', 'abc')", "integer:0"},
        {"NAMECASE('hELLO wORLD')", "string:Hello world"},
        {"NAMECASE('')", "string:"},
        {"MAXNUM(2, 10)", "float:10"},
        {"MAXNUM('b', 'a')", "string:b"},
        {"MINNUM(2, 10)", "float:2"},
        {"LENGTH(S)", "integer:7"},
        {"LENGTH(12.5)", "integer:4"},
        {"UPPERCASE('abC')", "string:ABC"},
        {"LOWERCASE('AbC')", "string:abc"},
        {"TRIM('  a b \t')", "string:a b"},
        {"DAYOF(D)", "integer:5"},
        {"MONTHOF(D)", "integer:3"},
        {"YEAROF(D)", "integer:2024"},
        {"YEAROF('2023-12-31')", "integer:2023"},
        {"FORMATDATETIME('yyyy/mm/dd hh:nn', D)", "string:2024-03-05 10:30"},
        {"FORMATTEXT('000-0000', '1234567')", "string:123-4567"},
        {"FORMATTEXT('>LL-00', 'ab12')", "string:AB-12"},
        {"FORMATTEXT('(999)', '12')", "string:(12 )"},
        {"FORMATTEXT('00', 'x1')", "string: 1"},
    };
    for (const auto& [expression, expected] : cases) EXPECT_EQ(Shown(Eval(expression)), expected) << expression;
    EXPECT_EQ(Eval("FORMATFLOAT('#,##0.00', 1234.5)").AsString(), FormatFloat("#,##0.00", 1234.5));
    EXPECT_THROW(Eval("DAYOF('not a date')"), EConvertError);
}

TEST_F(StdFunctions, MessageBoxAndInputGoThroughTheDialogService)
{
    ScriptedDialogs dialogs;
    dialogs.Answer(IDNO);
    dialogs.Answer(IDOK, "typed");
    EXPECT_EQ(Shown(Eval("MESSAGEBOX('Go on?', 'Ask', mb_YesNo + mb_IconQuestion)")), "integer:7");
    EXPECT_EQ(Shown(Eval("INPUT('Name:', 'default')")), "string:typed");
    ASSERT_EQ(dialogs.Calls().size(), 2u);
    EXPECT_EQ(dialogs.Calls()[0].text, "Go on?");
    EXPECT_EQ(dialogs.Calls()[0].caption, "Ask");
    EXPECT_EQ(dialogs.Calls()[0].flags, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(dialogs.Calls()[1].kind, DialogRequest::Input);
    EXPECT_EQ(dialogs.Calls()[1].caption, "");
    EXPECT_EQ(dialogs.Calls()[1].text, "Name:");
    EXPECT_EQ(dialogs.Calls()[1].defaultValue, "default");
}

TEST_F(StdFunctions, AggregatesAreTheReportsBusiness)
{
    EXPECT_EQ(Shown(Eval("SUM([Qty])")), "string:0");
    FakeReport report;
    ScopedReportContext installed(&report);
    EXPECT_EQ(Shown(Eval("SUM([Qty], MasterData1) + COUNT(MasterData1, 1)")), "integer:84");
    Eval("AVG(x) + MIN(y) + MAX(z)");
    EXPECT_EQ(report.calls, (std::vector<std::string>{
                                "aggregate 11 [[Qty]][ MasterData1][] 0", "aggregate 15 [MasterData1][ 1][] 0",
                                "aggregate 14 [x][][] 0", "aggregate 12 [y][][] 0", "aggregate 13 [z][][] 0"}));
}

}  // namespace
