#include "runtime/export/SpreadsheetFormats.h"

#include "runtime/DatePattern.h"

#include <algorithm>
#include <vector>

namespace {

// Appends code-page literal text quoted for the format language. A quote
// cannot stand inside quotes: it is written escaped between them.
void appendQuoted(std::string& out, std::string_view ansi)
{
    bool open = false;
    for (char c : AnsiToUtf8(ansi)) {
        if (c == '"') {
            if (open) out += '"';
            open = false;
            out += "\\\"";
            continue;
        }
        if (!open) out += '"';
        open = true;
        out += c;
    }
    if (open) out += '"';
}

// Literal characters the format language shows as they are.
bool plainLiteral(char c)
{
    switch (c) {
    case ' ':
    case '-':
    case '+':
    case '(':
    case ')':
    case ':':
    case '/':
    case '$': return true;
    default: return false;
    }
}

void appendLiteral(std::string& out, std::string_view ansi)
{
    if (ansi.size() == 1 && plainLiteral(ansi[0])) out += ansi[0];
    else appendQuoted(out, ansi);
}

// One section of a number pattern (no ";" outside quotes).
std::string numberSection(std::string_view s)
{
    std::string out;
    std::string literal;  // pending literal text, code page
    auto flushLiteral = [&] {
        for (size_t i = 0; i < literal.size();) {
            const size_t n = CharLengthAt(literal, i);
            if (n == 1 && plainLiteral(literal[i])) out += literal[i];
            else {
                // Runs of other characters go into one pair of quotes.
                size_t j = i;
                while (j < literal.size() && !(CharLengthAt(literal, j) == 1 && plainLiteral(literal[j])))
                    j += CharLengthAt(literal, j);
                appendQuoted(out, std::string_view(literal).substr(i, j - i));
                i = j;
                continue;
            }
            i += n;
        }
        literal.clear();
    };
    bool point = false, grouping = false, exponent = false, placeholder = false;
    // Where the integer placeholders start and how they run, for grouping.
    size_t firstInteger = std::string::npos, lastInteger = 0;
    bool integerRunContiguous = true;
    for (size_t i = 0; i < s.size();) {
        const char c = s[i];
        const size_t n = CharLengthAt(s, i);
        if (n > 1) {
            literal.append(s.substr(i, n));
            i += n;
            continue;
        }
        if (c == '\'' || c == '"') {
            const size_t close = s.find(c, i + 1);
            const size_t end = close == std::string_view::npos ? s.size() : close;
            literal.append(s.substr(i + 1, end - i - 1));
            i = close == std::string_view::npos ? s.size() : close + 1;
            continue;
        }
        if ((c == '0' || c == '#') && !exponent) {
            flushLiteral();
            if (!point) {
                if (firstInteger == std::string::npos) firstInteger = out.size();
                else if (lastInteger != out.size()) integerRunContiguous = false;
                lastInteger = out.size() + 1;
            }
            out += c;
            placeholder = true;
        } else if (c == '0' && exponent) {
            out += c;
        } else if (c == '.') {
            if (!point) {
                flushLiteral();
                out += '.';
                point = true;
            }
        } else if (c == ',' && !point) {
            grouping = true;
        } else if ((c == 'E' || c == 'e') && placeholder && !exponent && i + 1 < s.size() &&
                   (s[i + 1] == '+' || s[i + 1] == '-')) {
            flushLiteral();
            out += 'E';
            out += s[i + 1];
            exponent = true;
            ++i;
        } else {
            literal += c;
        }
        ++i;
    }
    flushLiteral();
    if (grouping && placeholder && firstInteger != std::string::npos) {
        if (integerRunContiguous) {
            // The run of integer placeholders as "#,##0" with its zeros kept.
            const std::string run = out.substr(firstInteger, lastInteger - firstInteger);
            size_t zeros = 0;
            for (char c : run) zeros += c == '0';
            const size_t width = std::max<size_t>(run.size(), 4);
            std::string grouped;
            for (size_t k = 0; k < width; ++k) {
                if (k > 0 && (width - k) % 3 == 0) grouped += ',';
                grouped += (width - k) <= zeros ? '0' : '#';
            }
            out.replace(firstInteger, run.size(), grouped);
        } else {
            out.insert(firstInteger, "#,");
        }
    }
    return out;
}

std::vector<std::string_view> sections(std::string_view pattern)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    char quote = 0;
    for (size_t i = 0; i < pattern.size(); i += CharLengthAt(pattern, i)) {
        const char c = pattern[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            parts.push_back(pattern.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(pattern.substr(start));
    if (parts.size() > 3) parts.resize(3);
    return parts;
}

class DateFormatBuilder {
public:
    explicit DateFormatBuilder(const TFormatSettings& settings) : s_(settings) {}

    void Append(std::string_view pattern, int level)
    {
        using Kind = DatePatternElement::Kind;
        if (level > 2) return;  // locale formats never name each other deeper
        for (size_t i = 0; i < pattern.size();) {
            const DatePatternElement e = NextDatePatternElement(pattern, i);
            switch (e.kind) {
            case Kind::Letters: letters(e, level); break;
            case Kind::AmPm:
            case Kind::LocaleAmPm: out_ += "AM/PM"; break;
            case Kind::AP: out_ += "A/P"; break;
            case Kind::DateSeparator: appendLiteral(out_, std::string_view(&s_.DateSeparator, 1)); break;
            case Kind::TimeSeparator: appendLiteral(out_, std::string_view(&s_.TimeSeparator, 1)); break;
            case Kind::Literal: appendLiteral(out_, e.text); break;
            }
        }
    }

    std::string Result() && { return std::move(out_); }

private:
    void repeat(char letter, int count) { out_.append(static_cast<size_t>(count), letter); }

    void letters(const DatePatternElement& e, int level)
    {
        const int count = e.count;
        switch (e.letter) {
        case 'Y': repeat('y', count <= 2 ? 2 : 4); break;
        case 'M':
            // m and mm right after an hour are minutes here and there alike.
            if (count <= 2) repeat('m', count);
            else repeat('m', count == 3 ? 3 : 4);
            break;
        case 'D':
            if (count <= 4) repeat('d', count);
            else Append(count == 5 ? s_.ShortDateFormat : s_.LongDateFormat, level + 1);
            break;
        case 'H': repeat('h', std::min(count, 2)); break;
        case 'N': repeat('m', std::min(count, 2)); break;
        case 'S': repeat('s', std::min(count, 2)); break;
        case 'Z': repeat('0', count >= 3 ? 3 : 1); break;
        case 'T': Append(count == 1 ? s_.ShortTimeFormat : s_.LongTimeFormat, level + 1); break;
        case 'C':
            Append(s_.ShortDateFormat, level + 1);
            out_ += ' ';
            Append(s_.LongTimeFormat, level + 1);
            break;
        default: break;
        }
    }

    const TFormatSettings& s_;
    std::string out_;
};

}  // namespace

std::string SpreadsheetFixedFormat(int decimals, bool thousands)
{
    std::string out = thousands ? "#,##0" : "0";
    if (decimals > 0) {
        out += '.';
        out.append(static_cast<size_t>(std::min(decimals, 30)), '0');
    }
    return out;
}

std::string SpreadsheetNumberFormat(std::string_view pattern)
{
    if (pattern.empty()) return "General";
    std::vector<std::string_view> parts = sections(pattern);
    std::string first = numberSection(parts[0]);
    if (first.empty()) first = "General";
    if (parts.size() == 1) return first;
    std::string out = first;
    for (size_t k = 1; k < parts.size(); ++k) {
        out += ';';
        out += parts[k].empty() ? first : numberSection(parts[k]);
    }
    return out;
}

std::string SpreadsheetDateFormat(std::string_view pattern, const TFormatSettings& settings)
{
    DateFormatBuilder builder(settings);
    builder.Append(pattern.empty() ? std::string_view("c") : pattern, 0);
    std::string out = std::move(builder).Result();
    return out.empty() ? "General" : out;
}

int NumberPatternDecimals(std::string_view pattern)
{
    const size_t end = std::min(pattern.find(';'), pattern.size());
    const size_t point = pattern.substr(0, end).find('.');
    if (point == std::string_view::npos) return 0;
    int zeros = 0;
    for (size_t i = point + 1; i < end; ++i) {
        if (pattern[i] == '0') ++zeros;
        else if (pattern[i] == '#') return -1;
        else break;
    }
    return zeros;
}
