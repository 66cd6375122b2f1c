#pragma once
// Named parameters in SQL text.
//
// ":NAME" (letters, digits, "_") marks a parameter; the statement sent to the
// database has "?" in its place, and the names come in order of appearance (a
// name used twice is bound twice). Nothing inside quotes ('...', "...") or
// comments (-- to the end of the line, /* ... */) counts, nor "::" (a
// PostgreSQL cast) or a colon not followed by a name.

#include "runtime/AnsiString.h"

#include <vector>

struct TParsedSql {
    AnsiString text;                  // with "?" placeholders
    std::vector<AnsiString> names;    // one per placeholder
};

TParsedSql ParseSqlParams(std::string_view sql);
// Where the quoted literal or name ('...', "...", a doubled quote staying
// inside) or the comment (-- to the end of the line, /* ... */) that starts at
// `at` ends; `at` itself when none starts there. Everything that reads SQL text
// skips what is not code by this one rule.
size_t SqlSkipQuotedOrComment(std::string_view sql, size_t at);
// The distinct names, in order of first appearance.
std::vector<AnsiString> DistinctParamNames(const TParsedSql& parsed);
