#pragma once
// Compilation of scripts into instruction lines (see Interpretator.h for the
// line format). A recursive-descent reader checks the syntax over the whole
// text and emits lines that still carry their expressions as source text; a
// final pass resolves GOTO labels and turns every expression into postfix form.
//
// Limits: 31999 characters of script (its lines each followed by CR), 101
// labels of at most 16 characters (digits and colon), 65535 instruction lines,
// and a nesting of 128 statements and parentheses; going past one gives an
// error line.

#include "runtime/StringList.h"

// Compiles source into compiled; errors gets "Line L/C: message" for a syntax
// error. A script is one statement: when text other than blanks, comments and
// ";" follows it (and there is no error), *unread gets "Line L/C" of where that
// text begins; it never runs. Otherwise *unread is emptied.
void CompileScriptLines(const TStringList& source, TStringList& compiled, TStringList& errors,
                        AnsiString* unread = nullptr);
