#pragma once
// Number formats of a spreadsheet made from the display formats of this
// system: the number patterns of FormatFloat (NumberFormat.h), the date-time
// patterns of FormatDateTime (DateTime.h), and fixed-point forms. The result
// is UTF-8, in the spreadsheet's own format language, and shows a value the
// way our pattern shows it, as far as that language can.
//
// Rules that are easy to break:
// - Literal text is quoted ("元"), so that no letter of it is read as a
//   format code.
// - Our "," anywhere in the integer part groups the digits; the spreadsheet
//   groups only with a comma between digit placeholders, and scales by
//   thousands with one right before the point: grouping is written in the
//   one form both read alike ("#,##0").
// - An empty section falls back to the first in our patterns but hides the
//   value in the spreadsheet: it is written as a copy of the first.
// - What the spreadsheet cannot say (our optional decimals never print a
//   lone point, the spreadsheet's do) comes out as near as it can.

#include "runtime/AnsiString.h"
#include "runtime/FormatSettings.h"

#include <string>
#include <string_view>

// "0", "0.00", "#,##0.00": exactly `decimals` decimals, grouped or not.
std::string SpreadsheetFixedFormat(int decimals, bool thousands);
// A number pattern (code-page text); "General" for the empty pattern.
std::string SpreadsheetNumberFormat(std::string_view pattern);
// A date-time pattern (code-page text), with the locale's date and time
// formats for ddddd, dddddd, t, tt and c and its separators for "/" and ":".
std::string SpreadsheetDateFormat(std::string_view pattern, const TFormatSettings& settings = FormatSettings());
// The digits after the point that a number pattern always shows: the "0"s
// after the point of its first section when there are only such (0 without
// a point); -1 when it has optional digits ("#"), so that a CSV gives the
// value as many digits as it needs.
int NumberPatternDecimals(std::string_view pattern);
