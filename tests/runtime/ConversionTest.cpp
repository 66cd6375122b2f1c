#include "runtime/Exceptions.h"
#include "runtime/FormatSettings.h"
#include "runtime/SysUtils.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using ::testing::ThrowsMessage;

TEST(Conversion, GeneralFloatForm)
{
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {1, "1"},
        {-1.5, "-1.5"},
        {1234567.891, "1234567.891"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {100, "100"},
        {1e14, "100000000000000"},
        {999999999999999.0, "999999999999999"},
        {9999999999999999.0, "1E16"},
        {1e15, "1E15"},
        {1.25e20, "1.25E20"},
        {0.001, "0.001"},
        {0.0001234, "0.0001234"},
        {0.00001234, "1.234E-5"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FloatToStrGeneral(c.value, 15, '.'), c.text) << c.value;
    EXPECT_EQ(FloatToStrGeneral(2.5, 15, ','), "2,5");
}

TEST(Conversion, TextToNumbers)
{
    ScopedDecimalSeparator dot('.');
    struct Good {
        const char* text;
        double value;
    } floats[] = {{"1.5", 1.5}, {"  -2", -2}, {".5", 0.5}, {"5.", 5}, {"1E3", 1000}, {"2.5e-1 ", 0.25}, {"+7", 7}};
    for (const auto& g : floats)
        EXPECT_EQ(StrToFloat(g.text), g.value) << g.text;
    for (const char* bad : {"", " ", "1,5", "1.2.3", "e5", "1e", "INF", "NAN", "1 000", "0x10", "1e999"}) {
        double v;
        EXPECT_FALSE(TryStrToFloat(bad, v)) << bad;
    }
    {
        ScopedDecimalSeparator comma(',');
        EXPECT_EQ(StrToFloat("1,5"), 1.5);
        EXPECT_THROW(StrToFloat("1.5"), EConvertError);
    }

    EXPECT_EQ(StrToInt(" 42"), 42);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToInt("0x10"), 16);
    EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
    for (const char* bad : {"", "abc", "12 ", "1.5", "2147483648", "--1", "$"})
        EXPECT_THAT([&] { (void)StrToInt(bad); },
                    ThrowsMessage<EConvertError>(Format("'%s' is not a valid integer value", bad)))
            << bad;
    EXPECT_EQ(StrToIntDef("x", 7), 7);
    EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-3.5), -4);
    EXPECT_EQ(RoundHalfEven(1e300), INT64_MAX);
}
