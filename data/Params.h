#pragma once
// The parameter block: the twelve strings the host passes to showdll, indexed
// 0 to 11 (company code, -, auditor's code and name, default audit date,
// access mode, -, -, client height and width, top and left). Filled by each
// call and kept until the next one.

#include "runtime/AnsiString.h"

#include <vector>

extern std::vector<AnsiString> Params;
