#pragma once
// The papers of the virtual printer: the platform's standard paper codes with
// their standard sizes in tenths of a millimetre, portrait. Code 256 is the
// custom size (0 x 0). Names are engine texts 55008 to 55074, in table order.

#include "runtime/AnsiString.h"

#include <cstdint>

struct TPaperInfo {
    int32_t Code;
    int32_t Width;
    int32_t Height;
};

inline constexpr int PaperTableCount = 67;
inline constexpr int32_t CustomPaperSize = 256;
inline constexpr int PaperNameTextBase = 55008;

extern const TPaperInfo PaperTable[PaperTableCount];

// The table index of a paper code, or -1.
int PaperTableIndex(int32_t code);
// The engine text that names table entry i.
AnsiString PaperTableName(int index);
