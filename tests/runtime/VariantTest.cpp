#include "runtime/Exceptions.h"
#include "runtime/Variant.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

using ::testing::ThrowsMessage;

namespace {

TFormatSettings pinned()
{
    TFormatSettings s = TFormatSettings::ChineseDefaults();
    s.DecimalSeparator = '.';
    s.ShortDateFormat = "yyyy-mm-dd";
    s.LongTimeFormat = "hh:nn:ss";
    return s;
}

Variant date(int y, int m, int d) { return Variant::FromDateTime(EncodeDate(y, m, d)); }

// "kind:text" of a value, so that a table can state kind and value at once.
std::string show(const Variant& v)
{
    return std::string(VarTypeName(v.Type())) + ":" + v.AsString();
}

}  // namespace

TEST(Variant, ConversionsToText)
{
    ScopedFormatSettings settings(pinned());
    struct Case {
        Variant value;
        const char* text;
    } cases[] = {
        {Variant(), ""},
        {Variant::Null(), ""},
        {Variant(42), "42"},
        {Variant(-7LL), "-7"},
        {Variant(1.5), "1.5"},
        {Variant(0.1 + 0.2), "0.3"},
        {Variant(1e15), "1E15"},
        {Variant(123456789012345.0), "123456789012345"},
        {Variant(0.0001), "0.0001"},
        {Variant(0.00001), "1E-5"},
        {Variant(-2.5e-7), "-2.5E-7"},
        {Variant(true), "True"},
        {Variant(false), "False"},
        {date(2003, 3, 10), "2003-03-10"},
        {Variant::FromDateTime(EncodeDateTime(2003, 3, 10, 9, 5, 7, 0)), "2003-03-10 09:05:07"},
        {Variant("abc"), "abc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.value.AsString(), c.text) << show(c.value);

    ScopedDecimalSeparator comma(',');
    EXPECT_EQ(Variant(1234.5).AsString(), "1234,5");
}

TEST(Variant, ConversionsToNumbersAndErrors)
{
    ScopedFormatSettings settings(pinned());
    EXPECT_EQ(Variant().AsFloat(), 0);
    EXPECT_EQ(Variant::Null().AsInteger(), 0);
    EXPECT_EQ(Variant(" 12.5").AsFloat(), 12.5);
    EXPECT_EQ(Variant("1e3").AsFloat(), 1000);
    EXPECT_EQ(Variant(true).AsFloat(), 1);
    EXPECT_EQ(Variant(2.5).AsInteger(), 2);  // halves to even
    EXPECT_EQ(Variant(3.5).AsInteger(), 4);
    EXPECT_EQ(Variant("17").AsInteger(), 17);
    EXPECT_EQ(Variant("2.5").AsInteger(), 2);
    EXPECT_EQ(Variant("$1F").AsInteger(), 31);
    EXPECT_TRUE(Variant("TRUE").AsBoolean());
    EXPECT_FALSE(Variant("0").AsBoolean());
    EXPECT_TRUE(Variant(-3).AsBoolean());
    EXPECT_EQ(Variant("2003-03-10").AsDateTime(), EncodeDate(2003, 3, 10));

    struct Error {
        std::function<void()> call;
        const char* message;
    } errors[] = {
        {[] { Variant("abc").AsFloat(); }, "'abc' is not a valid floating point value"},
        {[] { Variant("1,5").AsFloat(); }, "'1,5' is not a valid floating point value"},
        {[] { Variant("12x").AsInteger(); }, "'12x' is not a valid integer value"},
        {[] { Variant(1e30).AsInteger(); }, "'1E30' is not a valid integer value"},
        {[] { Variant("maybe").AsBoolean(); }, "'maybe' is not a valid boolean value"},
        {[] { Variant("someday").AsDateTime(); }, "'someday' is not a valid date and time"},
        {[] { (void)(Variant("x") - Variant(1)); }, "'x' is not a valid floating point value"},
    };
    for (const auto& e : errors) EXPECT_THAT(e.call, ThrowsMessage<EConvertError>(e.message));
}

TEST(Variant, OperatorsWithMixedKinds)
{
    ScopedFormatSettings settings(pinned());
    using Fn = std::function<Variant()>;
    struct Case {
        const char* what;
        Fn op;
        const char* expected;  // kind:text
    } cases[] = {
        {"int+int", [] { return Variant(2) + Variant(3); }, "integer:5"},
        {"int+float", [] { return Variant(2) + Variant(0.5); }, "float:2.5"},
        {"int/int", [] { return Variant(7) / Variant(2); }, "float:3.5"},
        {"int*int overflow", [] { return Variant(INT64_MAX) * Variant(2); }, "float:1.84467440737096E19"},
        {"text+text", [] { return Variant("a") + Variant("b"); }, "string:ab"},
        {"text+number", [] { return Variant("2") + Variant(3); }, "float:5"},
        {"number+text", [] { return Variant(3) + Variant("2.5"); }, "float:5.5"},
        {"text*text", [] { return Variant("2") * Variant("4"); }, "float:8"},
        {"bool+int", [] { return Variant(true) + Variant(1); }, "integer:2"},
        {"bool*bool", [] { return Variant(true) * Variant(false); }, "integer:0"},
        {"empty+int", [] { return Variant() + Variant(4); }, "integer:4"},
        {"empty+text", [] { return Variant() + Variant("x"); }, "string:x"},
        {"empty+empty", [] { return Variant() + Variant(); }, "integer:0"},
        {"null+int", [] { return Variant::Null() + Variant(1); }, "null:"},
        {"text+null", [] { return Variant("a") + Variant::Null(); }, "null:"},
        {"date+int", [] { return date(2003, 3, 10) + Variant(1); }, "datetime:2003-03-11"},
        {"int+date", [] { return Variant(1) + date(2003, 3, 10); }, "datetime:2003-03-11"},
        {"date-date", [] { return date(2003, 3, 10) - date(2003, 3, 1); }, "float:9"},
        {"neg int", [] { return -Variant(5); }, "integer:-5"},
        {"neg bool", [] { return -Variant(true); }, "integer:-1"},
        {"neg text", [] { return -Variant("2.5"); }, "float:-2.5"},
        {"neg null", [] { return -Variant::Null(); }, "null:"},
        {"mod", [] { return Mod(Variant(7), Variant(3)); }, "integer:1"},
        {"mod float", [] { return Mod(Variant(7.9), Variant(3)); }, "integer:1"},
        {"mod negative", [] { return Mod(Variant(-7), Variant(3)); }, "integer:-1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(show(c.op()), c.expected) << c.what;

    EXPECT_THROW(Variant(1) / Variant(0), EZeroDivide);
    EXPECT_THROW(Mod(Variant(1), Variant(0)), EZeroDivide);
    EXPECT_EQ(Mod(Variant(INT64_MIN), Variant(-1)).AsInteger(), 0);
}

TEST(Variant, Comparisons)
{
    ScopedFormatSettings settings(pinned());
    struct Case {
        Variant a, b;
        int expected;
    } cases[] = {
        {Variant(1), Variant(1.0), 0},
        {Variant(2), Variant(10), -1},
        {Variant("2"), Variant("10"), 1},      // texts compare byte by byte
        {Variant("10"), Variant(9), 1},        // a number text beside a number: numerically
        {Variant("abc"), Variant(5), 1},       // otherwise as texts: "abc" > "5"
        {Variant("a"), Variant("B"), 1},       // case matters
        {Variant(true), Variant(1), 0},
        {Variant(false), Variant(0.0), 0},
        {Variant(), Variant(0), 0},
        {Variant(), Variant(""), 0},
        {Variant(), Variant("a"), -1},
        {Variant::Null(), Variant::Null(), 0},
        {Variant::Null(), Variant(-1000), -1},
        {Variant::Null(), Variant(), -1},
        {Variant(""), Variant::Null(), 1},
        {date(2003, 3, 10), Variant("2003-03-10"), 0},
        {date(2003, 3, 10), Variant(37690), 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Compare(c.a, c.b), c.expected) << show(c.a) << " vs " << show(c.b);
        EXPECT_EQ(Compare(c.b, c.a), -c.expected) << show(c.b) << " vs " << show(c.a);
    }
    EXPECT_TRUE(Variant(1) == Variant(1.0));
    EXPECT_FALSE(Variant(1).Identical(Variant(1.0)));
}
