#pragma once
// The display format a currency column takes from the locale when none is set:
// thousands grouping, the locale's currency decimals and its currency symbol
// where the locale puts it, the same for both signs ("%s;-%s"). With the
// Chinese defaults it is "￥,0.00;-￥,0.00". Characters of the symbol that mean
// something in a number pattern are quoted, so the symbol always prints as it
// is.

#include "AnsiString.h"
#include "FormatSettings.h"

AnsiString DefaultCurrencyDisplayFormat(const TFormatSettings& settings = FormatSettings());
