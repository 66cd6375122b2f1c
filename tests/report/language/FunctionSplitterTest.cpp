#include "report/language/FunctionSplitter.h"
#include "report/language/ParserError.h"
#include "report/language/Variables.h"

#include <gtest/gtest.h>

namespace {

TEST(FunctionSplitter, FindsCallsThroughBracketsArgumentsAndVariables)
{
    TStringList names{"SUM", "COUNT"};
    TrqVariables variables;
    variables.SetVariable("Total", Variant("SUM([Amount])"));
    variables.SetVariable("Loop", Variant("[Loop] + 1"));
    const std::pair<const char*, TStringList> cases[] = {
        {"[[a] + SUM([b])]", {" SUM([b])"}},
        {"IF(COUNT(Band1) > 0, sum(SUM([x])), 0)", {"COUNT(Band1)", "SUM([x])", "sum(SUM([x]))"}},
        {"[Total] * 2 + Total", {"SUM([Amount])", "SUM([Amount])"}},
        {"'SUM([a])'", {}},
        {"MAX([a])", {}},
    };
    for (const auto& [text, expected] : cases) {
        TStringList found;
        TrqFunctionSplitter(names, variables, found).Split(text);
        EXPECT_EQ(found, expected) << text << ": " << found.CommaText();
    }
    TStringList found;
    EXPECT_THROW(TrqFunctionSplitter(names, variables, found).Split("[Loop]"), EParserError);
    EXPECT_THROW(TrqFunctionSplitter(names, variables, found).Split("SUM([a]"), EParserError);
}

}  // namespace
