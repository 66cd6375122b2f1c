#pragma once
// The report engine's numbered texts (53000 to 55999): every text the engine
// shows is looked up here by number. The table is assembled from
// report/texts/*.inc, one file per concern, each line `{number, "UTF-8 text"},`.
// A number that the table lacks gives the empty text.

#include "runtime/AnsiString.h"

#include <cstddef>

struct EngineTextEntry {
    int id;
    const char* utf8;
};

extern const EngineTextEntry kEngineTextTable[];
extern const size_t kEngineTextCount;

class TrqLocale {
public:
    // The text in the code page (at most 1023 bytes), or "" for an unknown number.
    static AnsiString LoadText(int id);
    // Numbers that appear more than once in the table (a mistake in texts/*.inc).
    static int DuplicateCount();
};
