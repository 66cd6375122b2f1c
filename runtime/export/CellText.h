#pragma once
// The texts of exported cells that are not a cell's own text: the plain form
// of numbers and date-times (what CSV holds, and HTML when nothing shown was
// given), and the rule that keeps a text from being read as a formula.
//
// Rules that are easy to break:
// - Numbers use "." and no grouping, whatever the locale, so that every
//   program reads them back the same; with a count of decimals they have
//   exactly that many (1234.50), rounded as FormatFixed rounds what the
//   reports and the grid show, without one the shortest text that reads back
//   as the same double.
// - Date-times are ISO 8601 ("2024-03-01", "2024-03-01 14:05:00",
//   "14:05:00"), rounded to the second.
// - NaN and the infinities have no cell form: they come out as "NAN", "INF"
//   and "-INF", as the report prints them.

#include "runtime/export/TableWriter.h"

#include <string>
#include <string_view>

// True for a text that a spreadsheet program would take as a formula or a
// command when it is the whole content of a cell: one starting with "=",
// "+", "-", "@", a tab or a carriage return.
bool FormulaGuarded(std::string_view text);

// Appends the plain form of a number with `decimals` digits after the point
// (-1: the shortest that reads back exactly).
void AppendNumberText(std::string& out, double value, int decimals);
// Appends the ISO form of a date-time (days since 1899-12-30).
void AppendDateText(std::string& out, double days, TDateShape shape);
