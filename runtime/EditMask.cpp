#include "runtime/EditMask.h"

#include "runtime/FormatSettings.h"

namespace {
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool isLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The index of the ";" that starts the mask's option fields, or npos.
size_t optionsStart(std::string_view mask)
{
    size_t n = mask.size();
    size_t from = n > 4 ? n - 4 : 0;
    for (size_t i = from; i < n; ++i) {
        if (mask[i] != ';') continue;
        size_t slashes = 0;
        for (size_t j = i; j > 0 && mask[j - 1] == '\\'; --j) ++slashes;
        if (slashes % 2 == 0) return i;
    }
    return std::string_view::npos;
}
}  // namespace

std::vector<AnsiString> TEditMask::SplitChars(std::string_view text)
{
    std::vector<AnsiString> chars;
    for (size_t i = 0; i < text.size();) {
        size_t len = CharLengthAt(text, i);
        chars.emplace_back(text.substr(i, len));
        i += len;
    }
    return chars;
}

TEditMask::TEditMask(std::string_view mask)
{
    std::string_view body = mask;
    if (size_t sep = optionsStart(mask); sep != std::string_view::npos) {
        body = mask.substr(0, sep);
        std::string_view rest = mask.substr(sep + 1);
        size_t second = rest.find(';');
        std::string_view flag = rest.substr(0, second);
        if (!flag.empty() && flag[0] == '0') saveLiterals_ = false;
        if (second != std::string_view::npos && second + 1 < rest.size()) blank_ = rest[second + 1];
        // Half a double-byte character cannot stand in a position by itself.
        if (IsLeadByte(static_cast<unsigned char>(blank_))) blank_ = '_';
    }
    Case current = Case::None;
    for (size_t i = 0; i < body.size();) {
        char c = body[i];
        size_t len = CharLengthAt(body, i);
        if (len == 2) {  // a double-byte character is always a literal
            positions_.push_back({Kind::Literal, AnsiString(body.substr(i, 2)), current});
            i += 2;
            continue;
        }
        ++i;
        switch (c) {
        case '!': fillRight_ = true; break;
        case '>': current = Case::Upper; break;
        case '<':
            if (i < body.size() && body[i] == '>') {
                current = Case::None;
                ++i;
            } else {
                current = Case::Lower;
            }
            break;
        case '\\':
            if (i < body.size()) {
                size_t l = CharLengthAt(body, i);
                positions_.push_back({Kind::Literal, AnsiString(body.substr(i, l)), current});
                i += l;
            }
            break;  // a "\" at the very end escapes nothing
        case '0':
        case '9':
        case '#':
        case 'A':
        case 'a':
        case 'L':
        case 'l':
        case 'C':
        case 'c': positions_.push_back({static_cast<Kind>(c), {}, current}); break;
        case '/': positions_.push_back({Kind::Literal, AnsiString(1, FormatSettings().DateSeparator), current}); break;
        case ':': positions_.push_back({Kind::Literal, AnsiString(1, FormatSettings().TimeSeparator), current}); break;
        default: positions_.push_back({Kind::Literal, AnsiString(1, c), current}); break;
        }
    }
}

AnsiString TEditMask::EmptyText() const
{
    AnsiString text;
    for (const Position& p : positions_) text += p.IsLiteral() ? p.literal : AnsiString(1, blank_);
    return text;
}

AnsiString TEditMask::Accept(size_t pos, std::string_view c) const
{
    if (pos >= positions_.size() || c.empty()) return {};
    const Position& p = positions_[pos];
    unsigned char b = static_cast<unsigned char>(c[0]);
    bool wide = c.size() > 1;
    if (!wide && IsLeadByte(b)) return {};  // half a character (a cut-off text)
    bool ok = false;
    switch (p.kind) {
    case Kind::Literal: return {};
    case Kind::Digit: ok = !wide && isDigit(b); break;
    case Kind::OptDigit: ok = !wide && (isDigit(b) || b == ' '); break;
    case Kind::DigitOrSign: ok = !wide && (isDigit(b) || b == '+' || b == '-' || b == ' '); break;
    case Kind::Alnum: ok = wide || isDigit(b) || isLetter(b); break;
    case Kind::OptAlnum: ok = wide || isDigit(b) || isLetter(b) || b == ' '; break;
    case Kind::Letter: ok = wide || isLetter(b); break;
    case Kind::OptLetter: ok = wide || isLetter(b) || b == ' '; break;
    case Kind::Any:
    case Kind::OptAny: ok = true; break;
    }
    if (!ok) return {};
    if (p.charCase == Case::Upper) return UpperCase(c);
    if (p.charCase == Case::Lower) return LowerCase(c);
    return AnsiString(c);
}

AnsiString TEditMask::Apply(std::string_view value) const
{
    std::vector<AnsiString> chars = SplitChars(value);
    std::vector<AnsiString> out(positions_.size());
    size_t editable = 0;
    for (const Position& p : positions_)
        if (!p.IsLiteral()) ++editable;
    if (saveLiterals_ && !fillRight_) {
        // The value holds the literals at their places.
        size_t v = 0;
        for (size_t i = 0; i < positions_.size(); ++i) {
            const Position& p = positions_[i];
            if (p.IsLiteral()) {
                out[i] = p.literal;
                if (v < chars.size() && chars[v] == p.literal) ++v;
            } else {
                AnsiString a = v < chars.size() ? Accept(i, chars[v]) : AnsiString();
                if (v < chars.size()) ++v;
                out[i] = a.empty() ? AnsiString(1, blank_) : a;
            }
        }
    } else {
        // Only the editable characters; with "!" the last ones fill the last positions.
        std::vector<AnsiString> data;
        for (const AnsiString& c : chars) {
            bool literal = false;
            if (saveLiterals_)
                for (const Position& p : positions_)
                    if (p.IsLiteral() && p.literal == c) literal = true;
            if (!literal) data.push_back(c);
        }
        size_t skip = fillRight_ && data.size() < editable ? editable - data.size() : 0;
        size_t first = fillRight_ && data.size() > editable ? data.size() - editable : 0;
        size_t e = 0, v = first;
        for (size_t i = 0; i < positions_.size(); ++i) {
            const Position& p = positions_[i];
            if (p.IsLiteral()) {
                out[i] = p.literal;
                continue;
            }
            AnsiString a;
            if (e++ >= skip && v < data.size()) a = Accept(i, data[v++]);
            out[i] = a.empty() ? AnsiString(1, blank_) : a;
        }
    }
    AnsiString text;
    for (const AnsiString& s : out) text += s;
    return text;
}

AnsiString TEditMask::ValueOf(std::string_view masked) const
{
    std::vector<AnsiString> chars = SplitChars(masked);
    bool allBlank = true;
    AnsiString value;
    for (size_t i = 0; i < positions_.size() && i < chars.size(); ++i) {
        const Position& p = positions_[i];
        if (p.IsLiteral()) {
            if (saveLiterals_) value += chars[i];
            continue;
        }
        if (chars[i] != AnsiString(1, blank_)) allBlank = false;
        value += chars[i];
    }
    return allBlank ? AnsiString() : value;
}

int TEditMask::FirstMissing(std::string_view masked, bool ignoreBlank) const
{
    std::vector<AnsiString> chars = SplitChars(masked);
    for (size_t i = 0; i < positions_.size(); ++i) {
        const Position& p = positions_[i];
        if (!p.Required()) continue;
        AnsiString c = i < chars.size() ? chars[i] : AnsiString(1, blank_);
        if (c == AnsiString(1, blank_) && !ignoreBlank) return static_cast<int>(i);
        if (c == " " && p.kind != Kind::Any) return static_cast<int>(i);
    }
    return -1;
}

AnsiString FormatMaskText(std::string_view mask, std::string_view value)
{
    return TEditMask(mask).Apply(value);
}
