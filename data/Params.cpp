#include "Params.h"

std::vector<AnsiString> Params;
