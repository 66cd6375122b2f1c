#pragma once
// Breaking a memo's text into lines.
//
// A laid-out line that ends a paragraph carries the end-of-paragraph mark
// (character 01) at its end; a line made by wrapping does not, which is how a
// justified memo knows not to stretch a paragraph's last line. Text that
// already holds the mark was broken before (a memo split between pages) and is
// taken line by line as it is.
//
// Wrapping breaks at the last space before the text gets too wide; a word
// wider than the memo breaks inside, never between the two bytes of a
// double-byte character. With WordBreak a word is hyphenated where the
// hyphenation rule of the code page's vowels and signs allows, with "-" at the
// end of the first part.

#include "runtime/AnsiString.h"

#include <cstdint>
#include <vector>

class TStringList;
class TrqMemoView;
class TrqTextMeasure;

inline constexpr char ParagraphMark = '\x01';

struct TrqMemoLayout {
    std::vector<AnsiString> Lines;
    int32_t LineHeight = 0;  // LineSpacing + the font's character height
    int32_t TextHeight = 0;  // 2 gaps + all lines
};

// Lays the text out in the memo's width (its height for turned text), at 96
// pixels per inch and scale 1, in the memo's font and character spacing. An
// AutoWidth memo in build or preview mode gets 100 more so that nothing wraps.
TrqMemoLayout LayoutMemo(const TrqMemoView& memo, const TStringList& text);

// Appends the lines that one line of text wraps into, at most `width` pixels wide.
void WrapLine(std::string_view line, int width, const TrqTextMeasure& measure, bool wordBreak,
              std::vector<AnsiString>& out);

// The places (byte counts from the start) after which an upper-cased word may
// be hyphenated; none for words of three characters or less.
std::vector<size_t> HyphenationPoints(std::string_view upperWord);

// The memo font's character height at 96 pixels per inch (size × 96 / 72, rounded).
int32_t MemoFontPixels(int32_t points);
