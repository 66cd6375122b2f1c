#pragma once
// Values on the command line and in the output of rqtool.
//
// A value argument is KIND:TEXT with KIND one of int, float, str, bool, null or
// date (yyyy-mm-dd, optionally followed by hh:nn:ss); float texts use "." and
// str texts are UTF-8. Printed values are "kind<TAB>text": floats in general
// form with up to 15 significant digits and the given decimal separator,
// date-times as yyyy-mm-dd hh:nn:ss, strings in UTF-8.

#include "runtime/Variant.h"

#include <string>

// Raises RqUsageError for an unknown kind or a text that does not fit it.
Variant ParseValueArg(const std::string& arg);
// "NAME=KIND:TEXT" split into the name and the value.
std::pair<std::string, Variant> ParseVarArg(const std::string& arg);
// The text of a value as rqtool prints it (without the kind).
std::string ValueText(const Variant& value, char decimalSeparator = '.');
// "kind<TAB>text".
std::string KindAndText(const Variant& value, char decimalSeparator = '.');
