#pragma once
// A value as the text a memo shows for it, by display format code (see
// FormatCode.h) and pattern.
//
// - Empty, Null, and texts that are empty after trimming give "".
// - Text category: the value's plain text.
// - Number: the decimal separator in effect becomes the code's (also for reading
//   a text value as a number); with d decimals, kind 0 uses the pattern "##0."
//   followed by d "#", kind 1 fixed-point with d decimals, kind 2 "#,##0."
//   followed by d "#", kind 3 fixed-point with thousands separators, kind 4 the
//   pattern (see NumberFormat.h).
// - Date: kinds 0-2 the fixed date patterns, kind 3 the locale's long date,
//   kind 4 the pattern (see FormatDateTime). Time: kinds 0-3 the fixed time
//   patterns, kind 4 the pattern. A text value is read as a date-time first and
//   as a number of days otherwise.
// - Boolean: the choice text is the pattern (kind 4) or the fixed one of the
//   kind; a value whose integer is not 0 shows the part after the first ";"
//   (the whole text without one), 0 the part before it (nothing without one).
// - Other categories and kinds give "".
// A value that cannot be read for its category (a text that is no number, a
// number that is no date) shows its plain text. FormatValue never throws, and
// the decimal separator in effect is the same afterwards as before.

#include "runtime/Variant.h"

#include <cstdint>

AnsiString FormatValue(const Variant& value, int32_t code, std::string_view pattern);
