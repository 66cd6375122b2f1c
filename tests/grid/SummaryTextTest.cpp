// Texts of summary values in the footer row and in group rows.
#include "grid/columns/Summaries.h"
#include "runtime/DateTime.h"
#include "support/PinnedFormatSettings.h"

#include <gtest/gtest.h>

TEST(SummaryText, FooterAndGroupRowTexts)
{
    const TFormatSettings s = PinnedFormatSettings();
    const AnsiString total = Ansi(u8"合计：");
    struct Summary {
        TqvSummaryType kind;
        AnsiString format;
        long double value;
        AnsiString text;
    } cases[] = {
        {cstSum, "", 1234.567L, "1234.57"},
        {cstSum, "", -5.5L, "-5.50"},
        {cstSum, "", 0, "0.00"},
        {cstMin, "", 3, "MIN=3.00"},
        {cstMax, "", -3, "MAX=-3.00"},
        {cstCount, "", 12, "12"},
        {cstAvg, "", 2.5L, "AVG=2.50"},
        {cstSum, " 0.00", 0, " 0.00"},
        {cstSum, " 0.00", 1500, " 1500.00"},
        {cstCount, total, 0, total},
        {cstCount, total, 37, total},
        {cstNone, "0.00", 5, ""},
    };
    for (const Summary& c : cases)
        EXPECT_EQ(SummaryText(c.kind, c.format, c.value, SummaryFieldKind::Other, false, s), c.text)
            << static_cast<int>(c.kind) << " " << c.format;
    EXPECT_EQ(SummaryText(cstSum, "", -2, SummaryFieldKind::Other, true, s), "(SUM=-2.00)");
    EXPECT_EQ(SummaryText(cstCount, "", 4, SummaryFieldKind::Other, true, s), "(COUNT=4)");

    // Date and time fields: a prefix, then the value in the short formats.
    const TDateTime when = EncodeDateTime(2003, 3, 10, 9, 5, 0, 0);
    EXPECT_EQ(SummaryText(cstMin, "", when, SummaryFieldKind::Date, false, s), "MIN=2003-03-10");
    EXPECT_EQ(SummaryText(cstMax, "", when, SummaryFieldKind::Time, false, s), "MAX=09:05");
    EXPECT_EQ(SummaryText(cstSum, "", when, SummaryFieldKind::DateTime, false, s), "2003-03-10 09:05");
    EXPECT_EQ(SummaryText(cstMax, "last ", when, SummaryFieldKind::Date, false, s), "last 2003-03-10");
    EXPECT_EQ(SummaryText(cstAvg, "", when, SummaryFieldKind::Date, true, s), "(AVG=2003-03-10)");
    EXPECT_EQ(SummaryText(cstCount, "", 3, SummaryFieldKind::Date, false, s), "3");
}
