#include "report/format/FixedFormats.h"
#include "report/format/FormatCode.h"
#include "report/format/FormatValue.h"

#include "runtime/DateTime.h"
#include "runtime/FormatSettings.h"
#include "support/PinnedFormatSettings.h"

#include <gtest/gtest.h>

namespace {

// The system's conventions as the samples of the format kinds assume them:
// "," as decimal separator and a blank between thousands.
TFormatSettings sampleSystem()
{
    TFormatSettings s = PinnedFormatSettings();
    s.DecimalSeparator = ',';
    s.ThousandSeparator = ' ';
    s.DateSeparator = '.';
    s.ShortDateFormat = "dd/mm/yyyy";
    s.LongDateFormat = "d mmmm yyyy";
    s.ShortMonthNames[10] = "nov";
    s.LongMonthNames[10] = "november";
    return s;
}

int32_t number(int kind, int decimals, char separator = ',')
{
    return MakeFormatCode(fcNumber, kind, decimals, separator);
}

struct Case {
    Variant value;
    int32_t code;
    const char* pattern;
    const char* text;
};

void expectAll(std::initializer_list<Case> cases)
{
    for (const Case& c : cases) {
        const char before = FormatSettings().DecimalSeparator;
        EXPECT_EQ(FormatValue(c.value, c.code, c.pattern), c.text)
            << "value " << c.value.AsString() << " code " << std::hex << c.code << " pattern " << c.pattern;
        EXPECT_EQ(FormatSettings().DecimalSeparator, before) << "separator not restored";
    }
}

}  // namespace

TEST(FormatValue, NumberKinds)
{
    ScopedFormatSettings settings(sampleSystem());
    FormatSettings().DecimalSeparator = '.';  // the separator in effect differs from the code's
    expectAll({
        {1234.5, number(0, 1), "", "1234,5"},
        {1234.5, number(1, 2), "", "1234,50"},
        {1234.5, number(2, 1), "", "1 234,5"},
        {1234.5, number(3, 2), "", "1 234,50"},
        {1234.6, number(0, 0), "", "1235"},
        {1234.5, number(0, 2), "", "1234,5"},     // the optional second decimal is dropped
        {1234.5, number(4, 0), "#,##0.000", "1 234,500"},
        {-1234.5, number(1, 2, '.'), "", "-1234.50"},
        {Variant(42), number(1, 1), "", "42,0"},
        {Variant(true), number(1, 0), "", "1"},
        {Variant("1234,5"), number(3, 2), "", "1 234,50"},  // a text read with the code's separator
        {Variant("abc"), number(1, 2), "", "abc"},
        {Variant("1.5"), number(1, 2), "", "1.5"},          // not a number with "," as separator
        {1234.5, number(4, 0), "", "1234,5"},               // empty custom pattern: general form
        {1234.5, number(9, 2), "", ""},                     // no such kind
    });
}

TEST(FormatValue, SeparatorZeroKeepsTheOneInEffect)
{
    ScopedFormatSettings settings(sampleSystem());
    expectAll({
        {1234.5, MakeFormatCode(fcNumber, 4, 0, 0), "0.00", "1234,50"},
        {1234.5, MakeFormatCode(fcNumber, 4, 0, 0), "", "1234,5"},
        {12, MakeFormatCode(fcNumber, 4, 0, 0), "", "12"},
    });
}

TEST(FormatValue, DateAndTimeKinds)
{
    ScopedFormatSettings settings(sampleSystem());
    const Variant when = Variant::FromDateTime(EncodeDateTime(1998, 11, 15, 2, 43, 35, 0));
    expectAll({
        {when, MakeFormatCode(fcDate, 0), "", "11.15.98"},
        {when, MakeFormatCode(fcDate, 1), "", "11.15.1998"},
        {when, MakeFormatCode(fcDate, 2), "", "15 nov 1998"},
        {when, MakeFormatCode(fcDate, 3), "", "15 november 1998"},
        {when, MakeFormatCode(fcDate, 4), "yyyy/mm/dd", "1998.11.15"},
        {when, MakeFormatCode(fcTime, 0), "", "02:43:35"},
        {when, MakeFormatCode(fcTime, 1), "", "2:43:35"},
        {when, MakeFormatCode(fcTime, 2), "", "02:43"},
        {when, MakeFormatCode(fcTime, 3), "", "2:43"},
        {when, MakeFormatCode(fcTime, 4), "h:nn am/pm", "2:43 am"},
        {Variant(36114.5), MakeFormatCode(fcTime, 2), "", "12:00"},   // numbers are day counts
        {Variant("15.11.1998"), MakeFormatCode(fcDate, 1), "", "11.15.1998"},
        {Variant("36114"), MakeFormatCode(fcDate, 1), "", "11.15.1998"},
        {Variant("soon"), MakeFormatCode(fcDate, 1), "", "soon"},
        {Variant(1e12), MakeFormatCode(fcDate, 1), "", "1000000000000"},  // no date
        {when, MakeFormatCode(fcDate, 7), "", ""},
    });
}

TEST(FormatValue, BooleanKinds)
{
    ScopedFormatSettings settings(sampleSystem());
    const int32_t yesNo = MakeFormatCode(fcBoolean, 1);
    const int32_t custom = MakeFormatCode(fcBoolean, 4);
    expectAll({
        {Variant(0), yesNo, "", "No"},
        {Variant(1), yesNo, "", "Yes"},
        {Variant(5), yesNo, "", "Yes"},
        {Variant(true), MakeFormatCode(fcBoolean, 0), "", "1"},
        {Variant(false), MakeFormatCode(fcBoolean, 2), "", "_"},
        {Variant(true), MakeFormatCode(fcBoolean, 3), "", "True"},
        {Variant(0), custom, "off;on;spare", "off"},
        {Variant(1), custom, "off;on;spare", "on;spare"},
        {Variant(1), custom, "done", "done"},   // no ";": the whole text for true
        {Variant(0), custom, "done", ""},       // and nothing for false
        {Variant("x"), yesNo, "", "x"},
    });
}

TEST(FormatValue, TextEmptyAndUnknown)
{
    ScopedFormatSettings settings(sampleSystem());
    expectAll({
        {Variant("  abc "), 0x200 + ',', "", "  abc "},
        {Variant(2.5), 0x200 + ',', "", "2,5"},
        {Variant(), number(1, 2), "", ""},
        {Variant::Null(), MakeFormatCode(fcBoolean, 1), "", ""},
        {Variant("   "), number(1, 2), "", ""},
        {Variant(5), MakeFormatCode(7, 0), "", ""},
        {Variant(5), static_cast<int32_t>(0xF101022Eu), "", "5.00"},  // the high nibble is not read
    });
}

TEST(FormatValue, FixedFormatsComeFromTheEngineTexts)
{
    const TrqFixedFormats& f = FixedFormats();
    EXPECT_EQ(f.Date[2], "d mmm yyyy");
    EXPECT_EQ(f.Time[3], "h:nn");
    EXPECT_EQ(f.Boolean[1], "No;Yes");
    EXPECT_EQ(FormatKindDescription(fcNumber, 3), "1 234,50");
    EXPECT_EQ(FormatKindDescription(fcBoolean, 4), "Custom");
    EXPECT_EQ(FormatKindDescription(fcText, 1), "");
    EXPECT_EQ(FormatKindDescription(5, 0), "");
}
