#include "runtime/DateTime.h"
#include "runtime/Exceptions.h"
#include "support/PinnedFormatSettings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

using ::testing::ThrowsMessage;

TEST(DateTime, EncodeAndDecode)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(2003, 3, 10), 37690);
    EXPECT_EQ(EncodeDate(1, 1, 1), MinDateTime);
    EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_THROW(EncodeDate(2003, 2, 29), EConvertError);
    EXPECT_NO_THROW(EncodeDate(2004, 2, 29));
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);

    DateParts p;
    ASSERT_TRUE(DecodeDateTime(EncodeDateTime(1998, 11, 15, 2, 43, 35, 120), p));
    EXPECT_EQ(p.year, 1998);
    EXPECT_EQ(p.month, 11);
    EXPECT_EQ(p.day, 15);
    EXPECT_EQ(p.hour, 2);
    EXPECT_EQ(p.minute, 43);
    EXPECT_EQ(p.second, 35);
    EXPECT_EQ(p.msec, 120);
    EXPECT_EQ(p.dayOfWeek, 1);  // a Sunday

    // Before 1899-12-30 the fraction still counts forward from midnight.
    ASSERT_TRUE(DecodeDateTime(-1.25, p));
    EXPECT_EQ(p.day, 29);
    EXPECT_EQ(p.hour, 6);
    // A time that rounds up to midnight belongs to the next day.
    ASSERT_TRUE(DecodeDateTime(37690.9999999999, p));
    EXPECT_EQ(p.day, 11);
    EXPECT_EQ(p.hour, 0);
    EXPECT_FALSE(DecodeDateTime(1e12, p));
    EXPECT_FALSE(DecodeDateTime(std::nan(""), p));
}

TEST(DateTime, FormatPatterns)
{
    ScopedFormatSettings settings(PinnedFormatSettings());
    const TDateTime t = EncodeDateTime(1998, 11, 15, 14, 3, 5, 7);
    struct Case {
        const char* pattern;
        const char* text;
    } cases[] = {
        {"d dd ddd dddd", "15 15 Sun Sunday"},
        {"ddddd", "1998-11-15"},
        {"m mm mmm mmmm", "11 11 Nov November"},
        {"yy yyyy", "98 1998"},
        {"h hh n nn s ss", "14 14 3 03 5 05"},
        {"hh:mm", "14:03"},          // m right after h is the minute
        {"h 'o''clock' m", "14 oclock 3"},
        {"z zz zzz", "7 7 007"},
        {"t", "14:03"},
        {"tt", "14:03:05"},
        {"c", "1998-11-15 14:03:05"},
        {"h:nn am/pm", "2:03 pm"},
        {"h:nn AM/PM", "2:03 PM"},
        {"h:nn a/p", "2:03 p"},
        {"hh:nn ampm", "02:03 PM"},
        {"yyyy/mm/dd", "1998-11-15"},
        {"\"at\" hh", "at 14"},
        {"YYYY-MM-DD", "1998-11-15"},
        {"", "1998-11-15 14:03:05"},
        {"x#!", "x#!"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime(c.pattern, t), c.text) << c.pattern;

    EXPECT_EQ(FormatDateTime("dddddd", t), Ansi(u8"1998年11月15日"));
    EXPECT_EQ(FormatDateTime("c", EncodeDate(2003, 3, 10)), "2003-03-10");  // midnight: no time
    EXPECT_EQ(FormatDateTime("h am/pm", EncodeTime(0, 30, 0, 0)), "12 am");
    // A GBK character whose trail byte is a pattern letter is copied whole.
    EXPECT_EQ(FormatDateTime("\x81" "d", t), "\x81" "d");
    EXPECT_EQ(FormatDateTime("yyyy", 1e12), "1000000000000");
}

TEST(DateTime, DatePatternsReadBackWhatTheyWrite)
{
    ScopedFormatSettings settings(PinnedFormatSettings());
    const TDateTime dates[] = {EncodeDate(1998, 11, 15), EncodeDate(2024, 2, 29), EncodeDate(2003, 1, 5)};
    const AnsiString patterns[] = {
        "yyyy/mm/dd", "dddd, d mmmm yyyy", "ddd d-mmm-yyyy", "'day' d 'of' m, yyyy", Ansi(u8"yyyy'年'm'月'd'日'"),
    };
    for (const AnsiString& pattern : patterns)
        for (TDateTime date : dates) {
            const AnsiString text = FormatDateTime(pattern, date);
            TDateTime back = -1;
            EXPECT_TRUE(TryReadDatePattern(text, pattern, FormatSettings(), back)) << pattern << ": " << text;
            EXPECT_EQ(back, date) << pattern << ": " << text;
        }
    struct Refused {
        const char* pattern;
        const char* text;
        const char* why;
    } refused[] = {
        {"dd-mm-yyyy", "31-02-2024", "no such day"},
        {"yyyy/mm/dd", "2024-02-29x", "more text than the pattern"},
        {"yyyy/mm/dd", "2024-02", "less text than the pattern"},
        {"yyyy/mm/dd", "2024/02/29", "the date separator is the locale's"},
        {"hh:nn", "12:30", "a time of day is no date"},
        {"mmmm d", "Nov 15", "a short name where the long one is written"},
    };
    for (const Refused& r : refused) {
        TDateTime back = -1;
        EXPECT_FALSE(TryReadDatePattern(r.text, r.pattern, FormatSettings(), back)) << r.why;
    }
}

TEST(DateTime, ParseShortFormats)
{
    ScopedFormatSettings settings(PinnedFormatSettings());
    EXPECT_EQ(StrToDate("2003-03-10"), EncodeDate(2003, 3, 10));
    EXPECT_EQ(StrToDate(" 2003-3-9 "), EncodeDate(2003, 3, 9));
    EXPECT_DOUBLE_EQ(StrToDateTime("2003-03-11 09:00:00"), EncodeDateTime(2003, 3, 11, 9, 0, 0, 0));
    EXPECT_DOUBLE_EQ(StrToDateTime("2003-03-11 9:00"), EncodeDateTime(2003, 3, 11, 9, 0, 0, 0));
    EXPECT_DOUBLE_EQ(StrToDateTime("15:11:13"), EncodeTime(15, 11, 13, 0));
    EXPECT_DOUBLE_EQ(StrToTime("2:30 PM"), EncodeTime(14, 30, 0, 0));
    EXPECT_DOUBLE_EQ(StrToTime("12:00 AM"), 0);

    int year, month, day;
    DecodeDate(Date(), year, month, day);  // two numbers: this year
    EXPECT_EQ(StrToDate("3-10"), EncodeDate(year, 3, 10));

    TFormatSettings dmy = PinnedFormatSettings();
    dmy.ShortDateFormat = "dd/mm/yy";
    dmy.DateSeparator = '/';
    ScopedFormatSettings british(dmy);
    EXPECT_EQ(StrToDate("10/03/03"), EncodeDate(2003, 3, 10));

    struct Bad {
        const char* text;
        TDateTime (*parse)(std::string_view);
        const char* message;
    } bad[] = {
        {"abc", StrToDateTime, "'abc' is not a valid date and time"},
        {"31/02/2003", StrToDate, "'31/02/2003' is not a valid date"},
        {"25:00", StrToTime, "'25:00' is not a valid time"},
        {"10/03/03 x", StrToDateTime, "'10/03/03 x' is not a valid date and time"},
        {"", StrToDateTime, "'' is not a valid date and time"},
    };
    for (const auto& b : bad)
        EXPECT_THAT([&] { (void)b.parse(b.text); }, ThrowsMessage<EConvertError>(b.message)) << b.text;
}
