#pragma once
// The statement that counts the rows of a query without fetching them (a
// scroll bar sizes its thumb with it): SELECT COUNT(*) over the query as a
// subquery.
//
// Rules that are easy to break:
// - The order of the rows does not change their number, so a trailing
//   ORDER BY of the outer statement is left out: a database then counts the
//   table instead of sorting it first. It stays when LIMIT, OFFSET, FETCH,
//   ROWS or FOR follow it at the same level, since those may change the
//   number.
// - Words inside quotes, comments and parentheses do not count.
// - Trailing semicolons are dropped; the alias has no AS, which every
//   dialect takes.

#include "runtime/AnsiString.h"

#include <string_view>

AnsiString CountStatement(std::string_view select);
