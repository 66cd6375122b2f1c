#pragma once
// Edit masks: a mask text parsed into positions, and what is done with it
// (load a value through the mask, read the value back, test a typed
// character, find the first unfilled position). The grid's masked editor
// edits through it and the report language's FORMATTEXT formats with it:
// one grammar, so a mask means the same in a grid cell and on a report.
// Pure logic, no window: the fuzz target feeds it any bytes.
//
// A mask has up to three fields separated by ";" (the last two only within
// the last four characters): the mask proper, "0" when the literals are not
// part of the value (anything else: they are), and the blank character shown
// in empty positions (default "_"). Mask characters:
//   !  fill from the right      >  upper case   <  lower case   <>  case off
//   \  the next character is a literal
//   0 A C L  required digit, alphanumeric, any character, letter
//   9 a c l #  optional digit, alphanumeric, any, letter, digit or sign
//   / :  the date and time separators      anything else: a literal
//
// Rules that are easy to break:
// - Parsing never reads past the mask: a trailing "\" is ignored and every
//   other character (brackets included) is a literal.
// - Positions are characters, not bytes: a double-byte character is one
//   position, in a literal or typed into a letter, alphanumeric or "any
//   character" position. So half a double-byte character is never a blank, a
//   typed character or a mask character of its own.
// - Formatting never throws: a character that does not fit its position, and
//   a position left without one, show the blank character.

#include "runtime/AnsiString.h"

#include <vector>

class TEditMask {
public:
    enum class Kind : char {
        Literal = 0,
        Digit = '0',
        OptDigit = '9',
        DigitOrSign = '#',
        Alnum = 'A',
        OptAlnum = 'a',
        Letter = 'L',
        OptLetter = 'l',
        Any = 'C',
        OptAny = 'c'
    };
    enum class Case : char { None, Upper, Lower };
    struct Position {
        Kind kind = Kind::Literal;
        AnsiString literal;  // the literal's character (1 or 2 bytes)
        Case charCase = Case::None;
        bool Required() const { return kind == Kind::Digit || kind == Kind::Alnum || kind == Kind::Letter || kind == Kind::Any; }
        bool IsLiteral() const { return kind == Kind::Literal; }
    };

    TEditMask() = default;
    explicit TEditMask(std::string_view mask);

    bool IsEmpty() const { return positions_.empty(); }
    const std::vector<Position>& Positions() const { return positions_; }
    bool SaveLiterals() const { return saveLiterals_; }
    char Blank() const { return blank_; }
    bool FillFromRight() const { return fillRight_; }

    // The masked text of a value: literals in place, missing positions blank.
    AnsiString Apply(std::string_view value) const;
    // The value of a masked text: without the literals unless they are
    // saved; empty when every editable position is blank.
    AnsiString ValueOf(std::string_view masked) const;
    // An empty masked text (literals and blanks).
    AnsiString EmptyText() const;
    // The character `c` (1 or 2 bytes) typed at position `pos`, case
    // converted; empty when the mask does not allow it there.
    AnsiString Accept(size_t pos, std::string_view c) const;
    // The first required position that is blank (unless blanks are ignored)
    // or a space (except "any character"); -1 when all are filled.
    int FirstMissing(std::string_view masked, bool ignoreBlank) const;

    // The characters of a text (1 or 2 bytes each, as the code page says).
    static std::vector<AnsiString> SplitChars(std::string_view text);

private:
    std::vector<Position> positions_;
    bool saveLiterals_ = true;
    char blank_ = '_';
    bool fillRight_ = false;
};

// `value` put through `mask` as loading it into a masked editor shows it
// (TEditMask(mask).Apply(value)).
AnsiString FormatMaskText(std::string_view mask, std::string_view value);
