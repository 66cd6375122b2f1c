#include "FakeReport.h"

#include "report/language/StdFunctionLibrary.h"

namespace {

class FunctionDispatch : public LanguageTest {
protected:
    FakeReport report;
};

// A library of the program's own, asked after the standard library.
class TestLibrary : public TrqFunctionLibrary {
public:
    static constexpr const char* LibraryClassName = "TTestLibrary";
    static inline int created = 0;
    TestLibrary()
    {
        ++created;
        list_ = {"TRIPLE", "POS"};
    }
    const char* ClassName() const override { return LibraryClassName; }
    void CallFunctionAt(int number, const Variant& p1, const Variant&, const Variant&, Variant& value) override
    {
        value = number == 0 ? Variant(3 * rqParser().Evaluate(p1.AsString()).AsFloat()) : Variant("mine");
    }
};

TEST_F(FunctionDispatch, UnknownFunctionsGiveTheTextZero)
{
    EXPECT_EQ(Shown(Eval("FOO(1)")), "string:0");
    ScopedReportContext installed(&report);
    report.hasObject = false;
    EXPECT_EQ(Shown(Eval("FOO(1)")), "string:0");
    EXPECT_EQ(report.calls, std::vector<std::string>{"method FOO(1)"});
}

TEST_F(FunctionDispatch, ArraysAreGlobalVariables)
{
    EXPECT_EQ(Shown(Eval("SETARRAY(a, 1, 5)")), "string:0");
    EXPECT_EQ(Shown(Eval("GETARRAY(a, 1)")), "float:5");
    EXPECT_EQ(Shown(rqVariables().GetVariable("Arr_a_1")), "float:5");
    EXPECT_EQ(Shown(Eval("GETARRAY(a, 2)")), "null:");
    EXPECT_EQ(Shown(Eval("a[0.6 + 0.4] + 1")), "float:6");
    Eval("SETARRAY( b , 'k' + 'ey', 'v')");
    EXPECT_EQ(Shown(rqVariables().GetVariable("Arr_b_key")), "string:v");
}

TEST_F(FunctionDispatch, IncrementAndDecrement)
{
    rqVariables().SetVariable("i", Variant(4));
    Eval("INC(i)");
    EXPECT_EQ(Shown(rqVariables().GetVariable("i")), "integer:5");
    Eval("DEC( I )");
    Eval("DEC(i)");
    EXPECT_EQ(Shown(rqVariables().GetVariable("i")), "integer:3");
}

TEST_F(FunctionDispatch, ReportFunctionsReachTheReport)
{
    ScopedReportContext installed(&report);
    report.hasUserFunction = true;
    Eval("STOPREPORT(0) + NEWPAGE(0) + NEWCOLUMN(0) + SHOWBAND(Band1)");
    EXPECT_EQ(Shown(Eval("Memo1.Hide(0)")), "string:done");
    Eval("SETARRAY(Memo1.Memo, 2, 'line')");
    EXPECT_EQ(Shown(Eval("GETARRAY(Memo1.Memo, 1 + 1)")), "string:line");
    EXPECT_EQ(Shown(Eval("TWICE(4)")), "float:8");
    EXPECT_EQ(report.calls, (std::vector<std::string>{
                                "stop", "user STOPREPORT after 0", "new page", "user NEWPAGE after 0",
                                "new column", "user NEWCOLUMN after 0", "show band Band1", "user SHOWBAND after 0",
                                "method MEMO1.HIDE(0)", "user MEMO1.HIDE after done", "user SETARRAY after 0",
                                "user GETARRAY after line", "method TWICE(4)", "user TWICE after done"}));
    EXPECT_EQ(rqVariables().Count(), 0);
}

TEST_F(FunctionDispatch, LibrariesAreAskedInRegistrationOrder)
{
    ASSERT_EQ(rqFunctionLibraries().Count(), 1);
    EXPECT_STREQ(rqFunctionLibraries().Item(0).ClassName(), "TrqStdFunctionLibrary");
    TestLibrary::created = 0;
    RegisterFunctionLibrary<TestLibrary>();
    RegisterFunctionLibrary<TestLibrary>();
    EXPECT_EQ(rqFunctionLibraries().Count(), 2);
    EXPECT_EQ(TestLibrary::created, 1);
    rqFunctionLibraries().Item(1).AddDescription("TRIPLE", "Math", "three times");
    rqFunctionLibraries().Item(1).AddDescription("TRIPLE", "Math", "again");
    rqFunctionLibraries().Item(1).AddDescription("POS", "", "no category");
    EXPECT_EQ(rqInstalledFunctions().Count(), 1);

    EXPECT_EQ(Shown(Eval("triple(2)")), "float:6");
    EXPECT_EQ(Shown(Eval("POS('b', 'abc')")), "integer:2");  // the standard library answers first

    UnregisterFunctionLibrary<TestLibrary>();
    EXPECT_EQ(rqFunctionLibraries().Count(), 1);
    EXPECT_EQ(rqInstalledFunctions().Count(), 0);
    EXPECT_EQ(Shown(Eval("TRIPLE(2)")), "string:0");
}

}  // namespace
