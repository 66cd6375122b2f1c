#pragma once
// The predefined constants of report expressions and scripts: colours, dialog
// results, CRLF and Null, font styles, frame sides, text and band alignment,
// pen styles and message box flags.

#include "report/language/Variables.h"

void FillConstants(TrqVariables& constants);
