#pragma once
// Fixed locale conventions for tests that format or read dates and numbers:
// the Chinese defaults with ISO-like dates ("yyyy-mm-dd"), 24-hour times, "."
// and "," as decimal and thousands separators, AM/PM markers and the English
// names of November and Sunday.

#include "runtime/FormatSettings.h"

inline TFormatSettings PinnedFormatSettings()
{
    TFormatSettings s = TFormatSettings::ChineseDefaults();
    s.DecimalSeparator = '.';
    s.ThousandSeparator = ',';
    s.DateSeparator = '-';
    s.TimeSeparator = ':';
    s.ShortDateFormat = "yyyy-mm-dd";
    s.LongDateFormat = Ansi(u8"yyyy'年'm'月'd'日'");
    s.ShortTimeFormat = "hh:nn";
    s.LongTimeFormat = "hh:nn:ss";
    s.TimeAMString = "AM";
    s.TimePMString = "PM";
    s.ShortMonthNames[10] = "Nov";
    s.LongMonthNames[10] = "November";
    s.ShortDayNames[0] = "Sun";
    s.LongDayNames[0] = "Sunday";
    return s;
}
