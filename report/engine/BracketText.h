#pragma once
// Texts with bracketed expressions, as memo lines and Tags hold them:
// "Total: [JE] yuan", "[Qty #N10.2]".
//
// A text is cut once into literal pieces and brackets, and expanded as often
// as needed: each bracket's text is replaced by its value, and scanning goes
// on after the inserted text, never inside it (a value that holds "[" prints
// as it is). A "[" that is the last character, or one that is never closed,
// stays in the text as written.
//
// Inside a bracket, the first blank followed by "#" starts a format suffix:
//   digit...      as N followed by it
//   N / n         number; N with a digit after it is fixed-point, the digits
//                 after the last ",", "-" or "." being the decimals (0-255);
//                 that character becomes the decimal separator. Without a digit
//                 the rest is a number pattern ("#,##0.00").
//   B / b         boolean, the rest is the choice text ("No;Yes")
//   D d T t       date-time, the rest is the pattern
//   anything else the memo's own format stays (the suffix is dropped).

#include "runtime/AnsiString.h"

#include <cstdint>
#include <string_view>
#include <vector>

// The format a suffix sets. False when the memo's own format stays. Raises
// EConvertError when the decimals of a fixed-point suffix are not a number
// ("N10.").
bool ParseBracketSuffix(std::string_view suffix, int32_t& code, AnsiString& pattern);

struct TrqBracket {
    AnsiString Text;        // as written between the brackets
    AnsiString Expression;  // before the suffix
    AnsiString Suffix;      // after " #" (empty: none)
    bool HasSuffix = false;
    bool HasHash = false;  // "#" anywhere: evaluated even while blank rows are printed
    // The suffix read once: the format it sets, or the error it gives when the
    // bracket is evaluated.
    bool SetsFormat = false;
    int32_t Code = 0;
    AnsiString Pattern;
    AnsiString SuffixError;
};

class TrqBracketText {
public:
    TrqBracketText() = default;
    explicit TrqBracketText(std::string_view text);

    bool HasBrackets() const { return !brackets_.empty(); }
    // One bracket and no text around it: the text is that bracket's value.
    bool IsOneBracket() const { return brackets_.size() == 1 && literals_[0].empty() && literals_[1].empty(); }
    const std::vector<TrqBracket>& Brackets() const { return brackets_; }

    // The text with each bracket replaced by valueOf(bracket).
    template <class F>
    AnsiString Expand(F&& valueOf) const
    {
        AnsiString out = literals_[0];
        for (size_t i = 0; i < brackets_.size(); ++i) {
            out += valueOf(brackets_[i]);
            out += literals_[i + 1];
        }
        return out;
    }

private:
    std::vector<AnsiString> literals_{AnsiString()};  // one more than brackets
    std::vector<TrqBracket> brackets_;
};
