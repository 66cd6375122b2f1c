#include "FakeReport.h"

#include "report/language/Parser.h"
#include "report/language/ParserError.h"
#include "runtime/FormatSettings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ThrowsMessage;

namespace {

std::string shown(const Variant& value)
{
    return std::string(VarTypeName(value.Type())) + ":" + value.AsString();
}

struct Case {
    const char* expression;
    const char* expected;  // kind:text
};

TEST(Parser, EvaluatesTheLanguage)
{
    const Case cases[] = {
        {"", "integer:0"},
        {"2+3*4", "float:14"},
        {"(2+3)*4", "float:20"},
        {"10-4-3", "float:3"},
        {"7/0", "integer:0"},
        {"7/2", "float:3.5"},
        {"'It''s'", "string:It's"},
        {"'a'+'b'", "string:ab"},
        {"3>2", "integer:1"},
        {"3>=3", "integer:1"},
        {"2<>2", "integer:0"},
        {"'b'<'a'", "integer:0"},
        {"NOT 5", "integer:0"},
        {"NOT 0", "integer:1"},
        {"(1=1) or (2=2)", "integer:2"},
        {"(1=1) and (2=3)", "integer:0"},
        {"1 = 1 or 2 = 3", "integer:0"},
        {"INT(-2.5)", "float:-2"},
        {"int 2.7 + 1", "float:3"},
        {"FRAC(2.25)", "float:0.25"},
        {"FRAC(2.99999999999)", "float:0"},
        {"ROUND(2.5)", "integer:2"},
        {"ROUND(3.5)", "integer:4"},
        {"7 mod 3", "integer:1"},
        {"STR(1.5)+'x'", "string:1.5x"},
        {"-2*3", "float:-6"},
        {"+2", "float:2"},
        {"1,5+0.5", "float:2"},
        {"TRUE", "boolean:True"},
        {"false", "boolean:False"},
        {"COPY('abcdef', 2, 3)", "string:bcd"},
        {"COPY('abc', 0, 2)", "string:ab"},
        {"COPY('abc', 3, 9)", "string:c"},
        {"COPY('a,b', 1, 1)", "string:a"},
        {"IF(1 > 2, 'a', 'b')", "string:b"},
        {"IF(TRUE, 'a', 'b')", "string:a"},
        {"1+2)", "float:3"},  // an unmatched ")" is ignored
        {"1+2 ;3", "float:3"},  // ";" ends the expression
    };
    TrqParser parser;
    for (const Case& c : cases) EXPECT_EQ(shown(parser.Evaluate(c.expression)), c.expected) << c.expression;
}

TEST(Parser, ConvertsToPostfix)
{
    const std::pair<const char*, std::string> cases[] = {
        {"a-b-c", "a b -c -"},
        {"[Qty]*[Price]+1", "[Qty] [Price] *1 +"},
        {"-x", "x \x09"},
        {"INT x + 1", "x \x06" "1 +"},
        {"a >= b", "a b \x01"},
        {"f(1, (2))+g", "f(1, (2))g +"},
        {"arr[2] * 'it''s'", "arr[2] 'it''s' *"},
        {"%dx", "%dx "},
    };
    for (const auto& [text, postfix] : cases) EXPECT_EQ(TrqParser::ToPostfix(text), postfix) << text;
}

TEST(Parser, HandsNamesAndCallsToItsCallbacks)
{
    TrqParser parser;
    std::vector<std::string> seen;
    parser.OnGetValue = [&](const AnsiString& name, Variant& value) {
        seen.push_back("name " + name);
        value = Variant(10);
    };
    parser.OnFunction = [&](const AnsiString& name, const Variant& p1, const Variant& p2, const Variant& p3,
                            Variant& value) {
        seen.push_back("call " + name + "|" + p1.AsString() + "|" + p2.AsString() + "|" + p3.AsString());
        value = Variant(1);
    };
    parser.Evaluate("[Table1.Field] + qty + arr[2] + SUM([qty], MasterData1)");
    EXPECT_EQ(seen, (std::vector<std::string>{"name Table1.Field", "name QTY", "call GETARRAY|arr| 2|",
                                              "call SUM|[qty]| MasterData1|"}));

    seen.clear();
    parser.Evaluate("IF(x > 2, first, second)");
    EXPECT_EQ(seen, (std::vector<std::string>{"name X", "name FIRST"}));  // the other branch is never evaluated
}

TEST(Parser, CallbacksMayEvaluateAgain)
{
    TrqParser parser;
    parser.OnGetValue = [&](const AnsiString& name, Variant& value) {
        value = name == "TOTAL" ? parser.Evaluate("[Qty] * 2") : Variant(4);
    };
    EXPECT_EQ(shown(parser.Evaluate("total + 1 + total")), "float:17");
    EXPECT_EQ(shown(parser.Evaluate("unset")), "integer:4");

    TrqParser bare;  // no callbacks: names and calls give nothing
    EXPECT_EQ(shown(bare.Evaluate("name")), "empty:");
    EXPECT_EQ(shown(bare.Evaluate("call(1)")), "empty:");
}

TEST(Parser, NumbersReadBothSeparators)
{
    ScopedDecimalSeparator comma(',');
    TrqParser parser;
    EXPECT_DOUBLE_EQ(parser.Evaluate("1.5 + 1,25").AsFloat(), 2.75);
    EXPECT_THROW(parser.Evaluate("1.2.3"), EConvertError);
}

TEST(Parser, RejectsMalformedExpressions)
{
    TrqParser parser;
    parser.OnGetValue = [](const AnsiString&, Variant& value) { value = Variant(2); };
    std::string deep = "1";
    for (int i = 0; i < 32; ++i) deep = "1+(" + deep + ")";
    std::string nested = "1";
    for (int i = 0; i < 300; ++i) nested = "IF(1, " + nested + ", 0)";

    const std::pair<std::string, const char*> cases[] = {
        {"a*-b", LanguageText::MissingOperand},
        {"a - -1", LanguageText::MissingOperand},
        {"a AND NOT b", LanguageText::MissingOperand},
        {deep, LanguageText::TooManyValues},
        {"(1+2", LanguageText::MissingCloseParen},
        {"'abc", LanguageText::MissingQuote},
        {"[abc", LanguageText::MissingBracket},
        {"COPY('a', 1", ""},
        {"F(1, 2, 3, 4)", LanguageText::TooManyArguments},
        {nested, LanguageText::NestedTooDeeply},
    };
    for (const auto& [text, message] : cases)
        EXPECT_THAT([&] { parser.Evaluate(text); }, ThrowsMessage<EParserError>(message)) << text.substr(0, 40);
    // Hand-made postfix texts are checked as strictly.
    EXPECT_THROW(parser.EvaluatePostfix("1 +"), EParserError);
    EXPECT_THROW(parser.EvaluatePostfix("(1 "), EParserError);
    EXPECT_THROW(parser.EvaluatePostfix("\x0c"), EParserError);
    EXPECT_EQ(shown(parser.EvaluatePostfix("1 2 ")), "float:1");
}

TEST(Parser, PassesConversionErrors)
{
    TrqParser parser;
    EXPECT_THROW(parser.Evaluate("COPY('abc', 1.5, 1)"), EConvertError);
    EXPECT_THROW(parser.Evaluate("STRTODATE('not a date')"), EConvertError);
    EXPECT_THROW(parser.Evaluate("'a' - 1"), EConvertError);
    EXPECT_EQ(parser.Evaluate("STRTODATE('2024-01-05')").Type(), VarType::DateTime);
}

}  // namespace
