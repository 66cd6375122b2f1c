#pragma once
// Options shared by the language commands (eval, script):
//   --var NAME=KIND:VALUE     sets a global variable (rqVariables)
//   --decimal-separator C     the decimal separator of evaluation and output ("." by default)

#include "RqCommand.h"

// The shared options followed by the command's own.
std::vector<CommandLineOption> WithLanguageOptions(std::vector<CommandLineOption> own = {});

// Sets the variables in command-line order and the separator in the format
// settings; returns the separator. Raises RqUsageError for a wrong value.
char ApplyLanguageOptions(const CommandLine& line);
