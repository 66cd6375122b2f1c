#include "report/engine/BracketText.h"

#include "report/language/LexicalReaders.h"
#include "runtime/SysUtils.h"

#include <algorithm>

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }

constexpr int32_t NumberFormat = 0x1000000;
constexpr int32_t FixedPointKind = 0x10000;
constexpr int32_t CustomKind = 0x40000;
constexpr int32_t BooleanCustom = 0x4040000;
constexpr int32_t DateCustom = 0x2040000;
}  // namespace

bool ParseBracketSuffix(std::string_view suffix, int32_t& code, AnsiString& pattern)
{
    if (suffix.empty()) return false;
    AnsiString s(suffix);
    if (isDigit(s[0])) s.insert(s.begin(), 'N');
    switch (s[0]) {
    case 'N':
    case 'n': {
        const bool fixed = s.size() > 1 && isDigit(s[1]);
        code = NumberFormat + (fixed ? FixedPointKind : 0);
        size_t separator = AnsiString::npos;
        for (size_t j = s.size() - 1; j >= 1 && separator == AnsiString::npos; --j)
            if (s[j] == ',' || s[j] == '-' || s[j] == '.') separator = j;
        if (separator != AnsiString::npos) {
            code += static_cast<unsigned char>(s[separator]);
            s[separator] = '.';
            if (fixed) {
                // Decimals live in one byte of the code; more would change its kind.
                int64_t decimals = StrToInt64(std::string_view(s).substr(separator + 1));
                code += static_cast<int32_t>(std::clamp<int64_t>(decimals, 0, 255)) << 8;
            }
        }
        if (!fixed) {
            pattern = s.substr(1);
            code += CustomKind;
        }
        return true;
    }
    case 'B':
    case 'b':
        code = BooleanCustom;
        pattern = s.substr(1);
        return true;
    case 'D':
    case 'd':
    case 'T':
    case 't':
        code = DateCustom;
        pattern = s.substr(1);
        return true;
    default: return false;
    }
}

TrqBracketText::TrqBracketText(std::string_view text)
{
    size_t literalStart = 0;
    size_t i = 0;
    const size_t n = text.size();
    for (;;) {
        // The trail byte of a double-byte character may be the code of "[".
        size_t open = i;
        while (open < n && text[open] != '[')
            open += IsLeadByte(static_cast<unsigned char>(text[open])) && open + 1 < n ? 2 : 1;
        if (open + 1 >= n) break;
        size_t start = open, end = open;
        bool closed = false;
        std::string_view inner = ReadBracketed(text, start, end, &closed);
        if (!closed) break;
        literals_.back() = AnsiString(text.substr(literalStart, start - literalStart));
        TrqBracket bracket;
        bracket.Text = AnsiString(inner);
        bracket.HasHash = inner.find('#') != std::string_view::npos;
        size_t split = inner.find(" #");
        bracket.HasSuffix = split != std::string_view::npos;
        bracket.Expression = AnsiString(bracket.HasSuffix ? inner.substr(0, split) : inner);
        if (bracket.HasSuffix) {
            bracket.Suffix = AnsiString(inner.substr(split + 2));
            try {
                bracket.SetsFormat = ParseBracketSuffix(bracket.Suffix, bracket.Code, bracket.Pattern);
            } catch (const std::exception& e) {
                bracket.SuffixError = e.what();
            }
        }
        brackets_.push_back(std::move(bracket));
        literals_.emplace_back();
        i = literalStart = end + 1;
    }
    literals_.back() = AnsiString(text.substr(literalStart));
}
