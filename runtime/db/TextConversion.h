#pragma once
// UTF-8 text from a database into the code page, fast.
//
// Rows are read by the million, and a converter call per value costs more
// than the rest of the row. A table from Unicode to the code page's bytes is
// built once per code page (from the runtime's own converter, keeping only the
// characters that convert back and forth unchanged); text made only of such
// characters converts by table, anything else through the runtime's converter,
// so the result is always the same as Utf8ToAnsi's.

#include "runtime/AnsiString.h"

// Appends the code-page form of `utf8` to `out`.
void AppendUtf8AsAnsi(std::string& out, std::string_view utf8);
