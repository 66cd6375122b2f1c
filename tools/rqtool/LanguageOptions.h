#pragma once
// Options shared by the language commands (eval, script):
//   --var NAME=KIND:VALUE     sets a global variable (rqVariables)
//   --decimal-separator C     the decimal separator of evaluation and output ("." by default)
// Other arguments are returned in order.

#include "RqCommand.h"

struct LanguageOptions {
    char decimalSeparator = '.';
    RqArgs rest;
};

// Applies --var at once; sets the separator in the format settings. `extra`
// names further options that take a value, which are left in rest with it.
LanguageOptions ParseLanguageOptions(const RqArgs& args, std::initializer_list<const char*> extra = {});
