#pragma once
// Conversions between numbers and text.
//
// Integers: optional blanks, a sign, decimal digits or "$"/"0x" followed by hex
// digits; nothing may follow. Floats: optional blanks, a sign, digits with the
// decimal separator in effect (FormatSettings().DecimalSeparator), an optional
// exponent (E or e, a sign, digits), optional trailing blanks; no thousands
// separators. Failures raise EConvertError with the runtime's texts:
// "'%s' is not a valid integer value", "'%s' is not a valid floating point value".

#include "AnsiString.h"

#include <cstdint>

AnsiString IntToStr(int64_t value);
bool TryStrToInt64(std::string_view text, int64_t& result);
bool TryStrToInt(std::string_view text, int& result);
int64_t StrToInt64(std::string_view text);
int StrToInt(std::string_view text);
int StrToIntDef(std::string_view text, int fallback);

bool TryStrToFloat(std::string_view text, double& result, char decimalSeparator);
bool TryStrToFloat(std::string_view text, double& result);
double StrToFloat(std::string_view text);

// The general form: up to `precision` significant digits, no trailing zeros,
// the given decimal separator; scientific ("1.5E20", "1E-5") when the number has
// more integer digits than the precision or is smaller than 0.0001.
// NaN and the infinities print as NAN, INF and -INF.
AnsiString FloatToStrGeneral(double value, int precision, char decimalSeparator);
// With 15 digits and the decimal separator in effect.
AnsiString FloatToStrGeneral(double value);
inline AnsiString FloatToStr(double value) { return FloatToStrGeneral(value); }

// Decimal digits of a double rounded to `precision` significant digits:
// value = 0.DIGITS x 10^exponent. Trailing zeros are removed; zero gives "" and 0.
struct DecimalDigits {
    char digits[24] = {};
    int count = 0;
    int exponent = 0;
    bool negative = false;
};
void FloatToDecimal(double value, int precision, DecimalDigits& out);

// Rounds halves to the even neighbour (the rounding of the runtime's Round).
int64_t RoundHalfEven(double value);
