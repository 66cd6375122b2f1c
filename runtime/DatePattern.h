#pragma once
// The elements of a date-time pattern (the letters listed at FormatDateTime),
// read one at a time. Formatting writes a value element by element and the
// date reader reads a text the same way, so a pattern is cut up in one place
// and what one writes the other can read back.
//
// Rules that are easy to break:
// - Letters count in either case, and a run is one element ("yyyy", "MMM").
// - A double-byte character is one literal, even when its second byte looks
//   like a pattern letter or a quote.
// - A quote without its closing quote runs to the end of the pattern.
// - Which run of m means minutes depends on the element before it; that is
//   the formatter's business, not the scanner's.

#include <cstddef>
#include <string_view>

struct DatePatternElement {
    enum class Kind {
        Letters,        // a run of one pattern letter: `letter` (upper case), `count`
        AmPm,           // "am/pm": `text` is the element as written
        AP,             // "a/p"
        LocaleAmPm,     // "ampm": the locale's texts
        DateSeparator,  // "/"
        TimeSeparator,  // ":"
        Literal         // `text` copied as it is (quoted text, or one character)
    };
    Kind kind = Kind::Literal;
    // For Letters, the pattern letter; for a literal ASCII letter, that letter
    // (upper case) too, so the formatter can tell what came before an "m";
    // 0 otherwise.
    char letter = 0;
    int count = 0;
    std::string_view text;
};

// The element that starts at `i` (i < pattern.size()); `i` moves past it.
DatePatternElement NextDatePatternElement(std::string_view pattern, size_t& i);
