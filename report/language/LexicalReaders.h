#pragma once
// The four lexical readers of the expression language. The postfix converter,
// the evaluator, the function splitter and the script compiler all read text
// with them, so that every part of the engine agrees on where a name, a quoted
// text, a bracketed name or an argument list ends.
//
// Positions are 0-based byte indexes. The readers return views into the text
// they were given. They step over double-byte characters as a whole, so the
// trail byte of a Chinese character is never taken for a bracket or an operator.

#include "runtime/AnsiString.h"

#include <array>
#include <string_view>

// Skips characters with codes of 32 or less, then reads up to the first of
// CR, blank, ( ) * + - / < = > [ or the end. A stop character met while an odd
// number of double quotes has been read belongs to the identifier. The position
// is left on the stop character (or at the end).
std::string_view ReadIdentifier(std::string_view text, size_t& pos);

// From the opening single quote at pos to the matching closing one; two quotes
// in a row stand inside the text. Returns the literal with both quotes and
// leaves pos after it. An unterminated literal runs to the end of the text and
// `closed` (when given) becomes false.
std::string_view ReadQuotedString(std::string_view text, size_t& pos, bool* closed = nullptr);

// Scans from start for the first "[" (recorded in start) and its matching "]"
// (left in pos); brackets inside single- or double-quoted texts do not count.
// Returns the text strictly between them. Without a match the scan stops at the
// last character, pos is left there and `closed` becomes false; with no "["
// at all the result is empty and start is unchanged.
std::string_view ReadBracketed(std::string_view text, size_t& start, size_t& pos, bool* closed = nullptr);

// The argument texts of a call, untrimmed and unevaluated. pos is on "(" and is
// left after the matching ")". Commas at the outer level outside single quotes
// separate the arguments; a missing argument is empty. Raises EParserError with
// an empty message when the list is not closed, and a clear one for a fourth
// argument.
using TrqArguments = std::array<std::string_view, 3>;
TrqArguments ReadArguments(std::string_view text, size_t& pos);
