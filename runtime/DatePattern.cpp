#include "DatePattern.h"

#include "AnsiString.h"

namespace {
bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

char upperAscii(unsigned char c)
{
    return static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
}
}  // namespace

DatePatternElement NextDatePatternElement(std::string_view pattern, size_t& i)
{
    using Kind = DatePatternElement::Kind;
    const size_t n = pattern.size();
    const size_t start = i;
    const unsigned char raw = static_cast<unsigned char>(pattern[i]);
    DatePatternElement e;
    if (IsLeadByte(raw) && i + 1 < n) {
        i += 2;
        e.text = pattern.substr(start, 2);
        return e;
    }
    const char upper = upperAscii(raw);
    switch (upper) {
    case 'Y':
    case 'M':
    case 'D':
    case 'H':
    case 'N':
    case 'S':
    case 'Z':
    case 'T':
    case 'C':
        while (i < n && upperAscii(static_cast<unsigned char>(pattern[i])) == upper) ++i;
        e.kind = Kind::Letters;
        e.letter = upper;
        e.count = static_cast<int>(i - start);
        e.text = pattern.substr(start, i - start);
        return e;
    case 'A': {
        const std::string_view rest = pattern.substr(i);
        e.letter = 'A';
        size_t length = 1;
        if (startsWithNoCase(rest, "am/pm")) {
            e.kind = Kind::AmPm;
            length = 5;
        } else if (startsWithNoCase(rest, "a/p")) {
            e.kind = Kind::AP;
            length = 3;
        } else if (startsWithNoCase(rest, "ampm")) {
            e.kind = Kind::LocaleAmPm;
            length = 4;
        }
        i += length;
        e.text = rest.substr(0, length);
        return e;
    }
    case '/':
        ++i;
        e.kind = Kind::DateSeparator;
        e.text = pattern.substr(start, 1);
        return e;
    case ':':
        ++i;
        e.kind = Kind::TimeSeparator;
        e.text = pattern.substr(start, 1);
        return e;
    case '\'':
    case '"': {
        size_t end = pattern.find(pattern[i], i + 1);
        if (end == std::string_view::npos) end = n;
        e.text = pattern.substr(i + 1, end - i - 1);
        i = end < n ? end + 1 : n;
        return e;
    }
    default:
        ++i;
        if (upper >= 'A' && upper <= 'Z') e.letter = upper;
        e.text = pattern.substr(start, 1);
        return e;
    }
}
