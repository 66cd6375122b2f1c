#pragma once
// Texts of the grid's summary values: the footer row under the data rows and
// the group rows. The kinds are numbered as the grid's summary types.
//
// A summary value is shown with its format, or the default format of its kind
// when the format is empty:
//   footer row: sum "0.00;-0.00", min "MIN=0.00;MIN=-0.00", max
//   "MAX=0.00;MAX=-0.00", count "0", average "AVG=0.00;AVG=-0.00";
//   group rows: the same in brackets, "(SUM=0.00);(SUM=-0.00)", "(COUNT=0)", ...
// Counts, and values of fields that are no date or time (or of no field), go
// through the number patterns of FormatFloat: a format without digit
// placeholders shows only its own characters. Values of date, time and
// date-time fields (except counts) are a prefix followed by the value in the
// locale's short date, short time, or short date and short time; the prefix is
// the format when one is set, else the default prefix of the kind ("", "MIN=",
// "MAX=", "AVG="; in group rows "(SUM=", "(MIN=", ... and a closing ")").

#include "runtime/AnsiString.h"
#include "runtime/FormatSettings.h"

#include <cstdint>

// The summary kinds of footers and group rows.
enum TqvSummaryType : uint8_t { cstNone, cstSum, cstMin, cstMax, cstCount, cstAvg };
enum class SummaryFieldKind { Other, Date, Time, DateTime };

// The default number format of a kind ("" for cstNone or an unknown kind).
const char* DefaultSummaryFormat(TqvSummaryType kind, bool groupRow = false);

AnsiString SummaryText(TqvSummaryType kind, std::string_view format, long double value,
                       SummaryFieldKind field = SummaryFieldKind::Other, bool groupRow = false,
                       const TFormatSettings& settings = FormatSettings());
