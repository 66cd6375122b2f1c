#pragma once
// Numbers to text by pattern and in fixed-point form. None of these throws.
//
// Number patterns: "0" (a digit always shown), "#" (a digit when the number has
// one there), "." (the decimal separator, shown only when a decimal digit
// follows), "," in the integer part (thousands grouping), E+ E- e+ e-
// (scientific notation; the "0"s after it give the minimum exponent digits),
// quoted text and other characters copied, up to three sections separated by
// ";" (positive; negative; zero). Rounding to the decimal placeholders goes
// half away from zero. An empty pattern gives the general form (15 digits).

#include "AnsiString.h"
#include "FormatSettings.h"

AnsiString FormatFloat(std::string_view pattern, double value, const TFormatSettings& settings = FormatSettings());

// Fixed-point with exactly `decimals` decimals, with or without thousands
// separators, from up to 15 significant digits.
AnsiString FormatFixed(double value, int decimals, bool thousands,
                       const TFormatSettings& settings = FormatSettings());
