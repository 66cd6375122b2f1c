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
//
// The rules in detail:
// - Digits. The number is first taken to 15 significant decimal digits (the
//   digits its general form shows), and those decimal digits are rounded to the
//   placeholders, halves away from zero. So the decision is made on the digits a
//   user sees, never on the binary value: 0.125, 2.675 and 1.005 round to 0.13,
//   2.68 and 1.01 with "0.00", and -2.5 to -3 with "0".
// - Integer part. Every integer digit of the number is shown (the leftmost
//   placeholder takes any extra digits); "0" placeholders pad with zeros from the
//   leftmost "0" on. Characters between placeholders stay where they are
//   ("00-00" shows 1234 as 12-34). A section with decimal placeholders only
//   (".00") still shows the integer digits, without a leading zero.
// - Decimal part. "0" placeholders always show a digit, "#" ones only up to the
//   last significant decimal. The first "." prints the decimal separator in
//   effect when at least one decimal digit is shown; later "." are ignored.
// - Grouping. A "," before the first "." groups the integer digits by three with
//   the thousands separator in effect (none when that separator is the NUL
//   character). A "," after the "." is an ordinary character.
// - Scientific notation. E+ E- e+ e- count as the exponent only after a digit
//   placeholder; the letter is printed as written, with "+" the sign is always
//   shown and with "-" only for negative exponents, and the "0"s right after it
//   give the minimum number of exponent digits (at least one is printed). The
//   mantissa has as many integer digits as the integer part has "0"
//   placeholders (at least one) and is rounded to the placeholders in all.
//   Placeholders after the exponent show nothing.
// - Sections. The first section serves positive values, the second negative
//   ones, the third zero; with two sections zero uses the first, and an empty
//   second or third section falls back to the first. A value counts as zero
//   when it rounds to zero in the section its sign selects (so -0.001 with
//   "0.00;-0.00" shows 0.00, never -0.00). A negative value shown with the first
//   section gets a leading "-".
// - A section without digit placeholders shows only its literal characters (no
//   number and no sign): "合计：" shows "合计：" for any value.
// - Quotes. Text in '...' or "..." is copied without its quotes; an unclosed
//   quote runs to the end of the section. Double-byte characters of the code
//   page are copied whole, so a trail byte never counts as a pattern letter.
// - The general form (empty pattern or an empty selected section) is
//   FloatToStrGeneral with 15 digits. NaN and the infinities show as NAN, INF
//   and -INF whatever the pattern.
// - A decimal separator that is the NUL character prints as ".".

#include "AnsiString.h"
#include "FormatSettings.h"

AnsiString FormatFloat(std::string_view pattern, double value, const TFormatSettings& settings = FormatSettings());

// Fixed-point with exactly `decimals` decimals (0 to 255; other counts are
// clamped), with or without thousands separators, from up to 15 significant
// digits rounded as FormatFloat rounds. Never in scientific form.
AnsiString FormatFixed(double value, int decimals, bool thousands,
                       const TFormatSettings& settings = FormatSettings());
