#include "report/language/EditMask.h"

#include "runtime/FormatSettings.h"

#include <cctype>

namespace {

enum class CaseMode { Keep, Upper, Lower };

struct MaskParts {
    std::string_view body;
    bool valueHasLiterals = true;
    char blank = '_';
};

MaskParts splitMask(std::string_view mask)
{
    MaskParts parts{mask};
    size_t last = mask.rfind(';');
    if (last == std::string_view::npos || last == 0) return parts;
    size_t previous = mask.rfind(';', last - 1);
    if (previous == std::string_view::npos) return parts;
    std::string_view save = mask.substr(previous + 1, last - previous - 1);
    std::string_view blank = mask.substr(last + 1);
    parts.body = mask.substr(0, previous);
    parts.valueHasLiterals = !(save.size() == 1 && save[0] == '0');
    if (!blank.empty()) parts.blank = blank[0];
    return parts;
}

bool isPlaceholder(char c)
{
    switch (c) {
    case '0':
    case '9':
    case '#':
    case 'L':
    case 'l':
    case 'A':
    case 'a':
    case 'C':
    case 'c': return true;
    default: return false;
    }
}

bool fits(char placeholder, std::string_view ch)
{
    if (ch.size() != 1) return placeholder == 'C' || placeholder == 'c';
    unsigned char c = static_cast<unsigned char>(ch[0]);
    switch (placeholder) {
    case '0':
    case '9': return std::isdigit(c);
    case '#': return std::isdigit(c) || c == '+' || c == '-';
    case 'L':
    case 'l': return std::isalpha(c);
    case 'A':
    case 'a': return std::isalnum(c);
    default: return true;
    }
}

// A literal of the mask body at i (after a backslash, or a separator); i moves
// past it.
char literalAt(std::string_view body, size_t& i)
{
    char c = body[i++];
    if (c == '\\' && i < body.size()) return body[i++];
    if (c == ':') return FormatSettings().TimeSeparator;
    if (c == '/') return FormatSettings().DateSeparator;
    if (c == '_') return ' ';
    return c;
}

}  // namespace

AnsiString FormatMaskText(std::string_view mask, std::string_view value)
{
    const MaskParts parts = splitMask(mask);
    const std::string_view body = parts.body;
    AnsiString out;
    CaseMode mode = CaseMode::Keep;
    size_t v = 0;  // next character of the value
    auto nextValueChar = [&]() -> std::string_view {
        if (v >= value.size()) return {};
        size_t len = CharLengthAt(value, v);
        std::string_view ch = value.substr(v, len);
        v += len;
        return ch;
    };

    size_t i = 0;
    while (i < body.size()) {
        char c = body[i];
        if (c == '>' || c == '<') {
            if (c == '<' && i + 1 < body.size() && body[i + 1] == '>') {
                mode = CaseMode::Keep;
                i += 2;
            } else {
                mode = c == '>' ? CaseMode::Upper : CaseMode::Lower;
                ++i;
            }
        } else if (c == '!') {
            ++i;
        } else if (isPlaceholder(c)) {
            ++i;
            std::string_view ch = nextValueChar();
            if (ch.empty() || !fits(c, ch)) {
                out += parts.blank;
            } else if (mode == CaseMode::Upper) {
                out += UpperCase(ch);
            } else if (mode == CaseMode::Lower) {
                out += LowerCase(ch);
            } else {
                out += ch;
            }
        } else {
            char literal = literalAt(body, i);
            out += literal;
            // A value that carries the literals has one here; step over it.
            if (parts.valueHasLiterals) nextValueChar();
        }
    }
    return out;
}
