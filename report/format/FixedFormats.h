#pragma once
// The patterns of the fixed display-format kinds, taken from the engine texts
// once: date kinds 0-3 (55175-55178; kind 3 shows the locale's long date
// instead of its pattern), time kinds 0-3 (55179-55182) and the choice texts of
// the boolean kinds 0-3 (55170-55173).

#include "runtime/AnsiString.h"

#include <array>

struct TrqFixedFormats {
    std::array<AnsiString, 4> Date;
    std::array<AnsiString, 4> Time;
    std::array<AnsiString, 4> Boolean;
};

const TrqFixedFormats& FixedFormats();

// How a kind of a category looks, as the format editor lists it ("1 234,50",
// "15 nov 1998", "Custom"); empty for combinations that do not exist.
AnsiString FormatKindDescription(int category, int kind);
