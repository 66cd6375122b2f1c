// Display patterns turned into spreadsheet number formats: each row says why
// the spreadsheet needs the form it gets.
#include "runtime/export/SpreadsheetFormats.h"

#include <gtest/gtest.h>

namespace {

TEST(SpreadsheetFormats, NumberPatterns)
{
    struct Case {
        const char* pattern;
        const char* format;
        const char* why;
    };
    const Case cases[] = {
        {"", "General", "the general form"},
        {"0.00", "0.00", "the same language for placeholders"},
        {"#,##0.00", "#,##0.00", "the usual grouping stays as it is"},
        {"0,.00", "#,##0.00", "a comma before the point groups here but scales there"},
        {",0", "#,##0", "a comma before any placeholder groups here only"},
        {"#,##0.00;(#,##0.00)", "#,##0.00;(#,##0.00)", "sections"},
        {"0.00;;\"zero\"", "0.00;0.00;\"zero\"", "an empty section falls back to the first here, hides there"},
        {"0.00E+00", "0.00E+00", "scientific notation"},
        {"0.0.0", "0.00", "later points are ignored here"},
        {"0 'kg'", "0 \"kg\"", "quoted text is quoted"},
        {"0x", "0\"x\"", "a letter is a code there unless quoted"},
        {"\xBA\xCF\xBC\xC6\xA3\xBA", "\"合计：\"", "a section without placeholders shows its text"},
        {"0.00\xD4\xAA", "0.00\"元\"", "double-byte text, quoted and in UTF-8"},
        {"0 \"a\"\"b\"", "0 \"ab\"", "quoted pieces side by side"},
        {"'say \"hi\"' 0", "\"say\" \\\"\"hi\"\\\" 0", "a double quote inside quoted text is escaped"},
    };
    for (const Case& c : cases) EXPECT_EQ(SpreadsheetNumberFormat(c.pattern), c.format) << c.why;
}

TEST(SpreadsheetFormats, FixedForms)
{
    EXPECT_EQ(SpreadsheetFixedFormat(0, false), "0");
    EXPECT_EQ(SpreadsheetFixedFormat(2, false), "0.00");
    EXPECT_EQ(SpreadsheetFixedFormat(3, true), "#,##0.000");
}

TEST(SpreadsheetFormats, DatePatterns)
{
    TFormatSettings s = TFormatSettings::ChineseDefaults();
    s.ShortDateFormat = "yyyy/m/d";
    s.LongDateFormat = "yyyy'\xC4\xEA'm'\xD4\xC2'd'\xC8\xD5'";
    s.LongTimeFormat = "hh:nn:ss";
    s.ShortTimeFormat = "hh:nn";
    s.DateSeparator = '-';
    struct Case {
        const char* pattern;
        const char* format;
        const char* why;
    };
    const Case cases[] = {
        {"yyyy-mm-dd", "yyyy-mm-dd", "the same letters"},
        {"dd.mm.yy", "dd\".\"mm\".\"yy", "a point is quoted (it is a code next to seconds)"},
        {"hh:nn:ss", "hh:mm:ss", "n is the minute here, m there"},
        {"h:mm", "h:mm", "m after an hour is the minute in both"},
        {"d mmm yyyy", "d mmm yyyy", "month names"},
        {"yyyy/mm/dd", "yyyy-mm-dd", "/ is the locale's date separator"},
        {"ddddd", "yyyy-m-d", "the short date, with its separator"},
        {"dddddd", "yyyy\"年\"m\"月\"d\"日\"", "the long date"},
        {"c", "yyyy-m-d hh:mm:ss", "short date and long time"},
        {"t", "hh:mm", "the short time"},
        {"hh:nn am/pm", "hh:mm AM/PM", "the 12-hour clock"},
        {"hh:nn:ss.zzz", "hh:mm:ss\".\"000", "milliseconds"},
        {"", "yyyy-m-d hh:mm:ss", "an empty pattern is c"},
    };
    for (const Case& c : cases) EXPECT_EQ(SpreadsheetDateFormat(c.pattern, s), c.format) << c.why;
}

}  // namespace
