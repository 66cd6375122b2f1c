#include "runtime/CurrencyFormat.h"
#include "runtime/DateTime.h"
#include "runtime/NumberFormat.h"
#include "support/PinnedFormatSettings.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct Case {
    const char* pattern;
    double value;
    const char* text;
};

void expectAll(std::initializer_list<Case> cases, const TFormatSettings& settings)
{
    for (const Case& c : cases)
        EXPECT_EQ(FormatFloat(c.pattern, c.value, settings), c.text)
            << "pattern \"" << c.pattern << "\" value " << c.value;
}

}  // namespace

TEST(NumberFormat, Placeholders)
{
    expectAll(
        {
            {"0.00", 1234.5, "1234.50"},
            {"#.##", 1234.5, "1234.5"},
            {"#.##", 0.5, ".5"},
            {"0.##", 12, "12"},         // no decimal shown, no separator
            {"0.0#", 12, "12.0"},
            {"##0.", 1234.6, "1235"},
            {"##0.##", 1234.5, "1234.5"},
            {"0000", 12, "0012"},
            {"#", 0, ""},
            {"0", 0, "0"},
            {"#0.00", 0.25, "0.25"},
            {".00", 0.5, ".50"},        // decimal places only: integer digits still shown
            {".00", 12.5, "12.50"},
            {"00-00", 1234, "12-34"},   // literals stay between the digits
            {"00-00", 5, "00-05"},
            {"0", 123456789, "123456789"},
            {"0.0", 1e20, "100000000000000000000.0"},
            {"0.000000000000000000", 0.1, "0.100000000000000000"},
            {"0.00", 1e-300, "0.00"},
            {"0.0.0", 1.25, "1.25"},    // a second point is ignored
        },
        PinnedFormatSettings());
}

TEST(NumberFormat, GroupingAndSeparators)
{
    expectAll(
        {
            {"#,##0.00", 1234567.891, "1,234,567.89"},
            {"#,##0", 999, "999"},
            {"#,##0", -1000, "-1,000"},
            {"0,000,000", 12, "0,000,012"},
            {"0,", 1234567, "1,234,567"},       // a comma anywhere in the integer part
            {",0.00", 123, "123.00"},
            {"0.00,", 1.5, "1.50,"},            // after the point it is a character
        },
        PinnedFormatSettings());

    TFormatSettings european = PinnedFormatSettings();
    european.DecimalSeparator = ',';
    european.ThousandSeparator = ' ';
    expectAll({{"#,##0.##", 1234.5, "1 234,5"}, {"0.00", -1.5, "-1,50"}}, european);

    TFormatSettings none = PinnedFormatSettings();
    none.ThousandSeparator = '\0';
    none.DecimalSeparator = '\0';
    expectAll({{"#,##0.00", 1234.5, "1234.50"}}, none);
}

TEST(NumberFormat, RoundsDecimalDigitsHalfAwayFromZero)
{
    expectAll(
        {
            {"0.00", 0.125, "0.13"},
            {"0.00", 2.675, "2.68"},    // binary 2.67499999... still shows as 2.675
            {"0.00", 1.005, "1.01"},
            {"0.00", -0.125, "-0.13"},
            {"0", 2.5, "3"},
            {"0", -2.5, "-3"},
            {"0", 0.5, "1"},
            {"0.0", 9.96, "10.0"},      // the carry reaches a new digit
            {"#", 999.5, "1000"},
            {"0.00", 0.004, "0.00"},
            {"0.00", 0.1 + 0.2, "0.30"},
            {"0.000000", 1234.5, "1234.500000"},
        },
        PinnedFormatSettings());
}

TEST(NumberFormat, Sections)
{
    expectAll(
        {
            {"0.00;(0.00)", -5, "(5.00)"},
            {"0.00;(0.00)", 0, "0.00"},            // two sections: zero takes the first
            {"0.00;(0.00);'zero'", 0, "zero"},
            {"0.00;(0.00);'zero'", 7, "7.00"},
            {"0.00;;'zero'", -5, "-5.00"},         // empty negative section: the first, with a sign
            {"0.00;(0.00);", 0, "0.00"},           // empty zero section: the first
            {"0.00;-0.00", -0.001, "0.00"},        // shows as zero: no sign
            {"0.00;(0.00);nil", -0.001, "nil"},
            {"0.0;-0.0", -12.34, "-12.3"},
            {"'a;b'0", 1, "a;b1"},                 // a quoted ";" does not split
            {";", 2.5, "2.5"},                     // an empty section: the general form
            {"", -1234.5, "-1234.5"},
            {"", 1e20, "1E20"},
            {"0;1;2;3", 0, "2"},                   // a fourth section is never used
        },
        PinnedFormatSettings());
}

TEST(NumberFormat, ScientificNotation)
{
    expectAll(
        {
            {"0.00E+00", 1234.5, "1.23E+03"},
            {"0.00E+00", 0.000123, "1.23E-04"},
            {"0.00E-00", 1234.5, "1.23E03"},
            {"0.00e-0", 0.000123, "1.23e-4"},
            {"0.###E+0", 1000, "1E+3"},
            {"00.0E+0", 1234.5, "12.3E+2"},
            {"0.0E+0", 9.96, "1.0E+1"},            // rounding carries into the exponent
            {"0.00E+00", 0, "0.00E+00"},
            {"0.00E+00", -1234.5, "-1.23E+03"},
            {"0E+", 5e100, "5E+100"},
            {"E+00", 5, "E+05"},                   // no placeholder before: E+ is text
            {"0E+0 'x'", 12, "1E+1 x"},
        },
        PinnedFormatSettings());
}

TEST(NumberFormat, LiteralsAndQuotes)
{
    const AnsiString total = Ansi(u8"合计：");
    for (double v : {0.0, 3.0, 1234.0, -7.0})
        EXPECT_EQ(FormatFloat(total, v, PinnedFormatSettings()), total) << v;
    expectAll(
        {
            {"\"Total: \"0.00", 3, "Total: 3.00"},
            {"'#0'0", 3, "#03"},
            {"0 kg", 2, "2 kg"},
            {"$#,##0.00", -1234.5, "-$1,234.50"},  // the sign leads the whole text
            {"0'unclosed", 4, "4unclosed"},
            {" 0.00", 0, " 0.00"},
        },
        PinnedFormatSettings());
    // A trail byte that looks like a pattern letter stays part of its character.
    EXPECT_EQ(FormatFloat("0\x81" "E+", 5, PinnedFormatSettings()), "5\x81" "E+");
}

TEST(NumberFormat, NonFiniteValues)
{
    EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<double>::quiet_NaN(), PinnedFormatSettings()), "NAN");
    EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<double>::infinity(), PinnedFormatSettings()), "INF");
    EXPECT_EQ(FormatFloat("#", -std::numeric_limits<double>::infinity(), PinnedFormatSettings()), "-INF");
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::quiet_NaN(), 2, false, PinnedFormatSettings()), "NAN");
}

TEST(NumberFormat, FixedPoint)
{
    struct Fixed {
        double value;
        int decimals;
        bool thousands;
        const char* text;
    } cases[] = {
        {1234.5, 2, false, "1234.50"},
        {1234.5, 2, true, "1,234.50"},
        {1234.5, 0, false, "1235"},
        {-0.004, 2, false, "0.00"},
        {0.5, 0, true, "1"},
        {-1234567.125, 2, true, "-1,234,567.13"},
        {0.1, -3, false, "0"},
        {1e20, 1, false, "100000000000000000000.0"},
    };
    for (const Fixed& c : cases)
        EXPECT_EQ(FormatFixed(c.value, c.decimals, c.thousands, PinnedFormatSettings()), c.text) << c.value;
    EXPECT_EQ(FormatFixed(1, 1000, false, PinnedFormatSettings()).size(), 2u + 255u);
}

// The grid's currency display: the format built from the locale and the two
// formats of the document lines.
TEST(NumberFormat, CurrencyDisplay)
{
    TFormatSettings s = PinnedFormatSettings();
    EXPECT_EQ(DefaultCurrencyDisplayFormat(s), Ansi(u8"￥,0.00;-￥,0.00"));
    s.CurrencyString = "kr.";
    s.CurrencyFormat = 3;
    s.CurrencyDecimals = 3;
    EXPECT_EQ(DefaultCurrencyDisplayFormat(s), ",0.000 kr\".\";-,0.000 kr\".\"");
    EXPECT_EQ(FormatFloat(DefaultCurrencyDisplayFormat(s), -1234.5, s), "-1,234.500 kr.");
    s.CurrencyString = "$";
    s.CurrencyFormat = 2;
    EXPECT_EQ(FormatFloat(DefaultCurrencyDisplayFormat(s), 2, s), "$ 2.000");

    expectAll(
        {
            {",0.000000;-,0.000000", 1234.5, "1,234.500000"},
            {",0.000000;-,0.000000", -2, "-2.000000"},
            {",0.00;-,0.00", 1234567.891, "1,234,567.89"},
        },
        PinnedFormatSettings());
}
