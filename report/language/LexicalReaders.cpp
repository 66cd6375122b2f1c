#include "report/language/LexicalReaders.h"

#include "report/language/ParserError.h"

namespace {

bool isIdentifierStop(char c)
{
    constexpr std::string_view stops = "\r ()*+-/<=>[";
    return stops.find(c) != std::string_view::npos;
}

// The length of the character at pos: 2 for a lead byte with a byte after it.
inline size_t charLength(std::string_view text, size_t pos)
{
    return IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

}  // namespace

std::string_view ReadIdentifier(std::string_view text, size_t& pos)
{
    const size_t n = text.size();
    while (pos < n && static_cast<unsigned char>(text[pos]) <= 32) ++pos;
    const size_t start = pos;
    bool insideQuotes = false;
    while (pos < n) {
        char c = text[pos];
        if (c == '"') {
            insideQuotes = !insideQuotes;
            ++pos;
            continue;
        }
        if (isIdentifierStop(c) && !insideQuotes) break;
        pos += charLength(text, pos);
    }
    return text.substr(start, pos - start);
}

std::string_view ReadQuotedString(std::string_view text, size_t& pos, bool* closed)
{
    const size_t n = text.size();
    const size_t start = pos;
    size_t j = pos + 1;
    for (;;) {
        while (j < n && text[j] != '\'') j += charLength(text, j);
        if (j >= n) {
            pos = n;
            if (closed) *closed = false;
            return text.substr(start);
        }
        if (j + 1 < n && text[j + 1] == '\'') {
            j += 2;
            continue;
        }
        pos = j + 1;
        if (closed) *closed = true;
        return text.substr(start, pos - start);
    }
}

std::string_view ReadBracketed(std::string_view text, size_t& start, size_t& pos, bool* closed)
{
    const size_t n = text.size();
    if (closed) *closed = false;
    if (start >= n) {
        pos = start;
        return {};
    }
    int depth = 0;
    bool opened = false;
    bool singleQuoted = false;
    bool doubleQuoted = false;
    size_t j = start;
    for (;;) {
        char c = text[j];
        if (!singleQuoted && !doubleQuoted) {
            if (c == '[') {
                if (depth == 0) {
                    start = j;
                    opened = true;
                }
                ++depth;
            } else if (c == ']' && depth > 0) {
                --depth;
            }
        }
        if (c == '"' && !singleQuoted) doubleQuoted = !doubleQuoted;
        else if (c == '\'' && !doubleQuoted) singleQuoted = !singleQuoted;
        if (opened && depth == 0) {
            if (closed) *closed = true;
            break;
        }
        size_t next = j + charLength(text, j);
        if (next >= n) {
            j = n - 1;  // the last character, as a byte position
            break;
        }
        j = next;
    }
    pos = j;
    if (!opened || pos <= start) return {};
    return text.substr(start + 1, pos - start - 1);
}

TrqArguments ReadArguments(std::string_view text, size_t& pos)
{
    TrqArguments args;
    const size_t n = text.size();
    size_t j = pos + 1;
    size_t argStart = j;
    int depth = 1;
    int commas = 0;
    bool quoted = false;
    for (;;) {
        if (j >= n) throw EParserError("");
        char c = text[j];
        if (c == '\'') {
            quoted = !quoted;
        } else if (!quoted) {
            if (c == '(') {
                ++depth;
            } else if (c == ')') {
                if (--depth == 0) break;
            } else if (c == ',' && depth == 1) {
                if (commas == 2) throw EParserError(LanguageText::TooManyArguments);
                args[commas++] = text.substr(argStart, j - argStart);
                argStart = j + 1;
            }
        }
        j += charLength(text, j);
    }
    args[commas] = text.substr(argStart, j - argStart);
    pos = j + 1;
    return args;
}
