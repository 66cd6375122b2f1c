#include "NumberFormat.h"

#include "SysUtils.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Compiled patterns. A section is turned once into a list of steps; formatting
// then only walks the steps, so a pattern used for a whole report column or a
// grid footer is parsed once per thread (see PatternCache).

struct Step {
    enum Kind : uint8_t { Literal, IntDigit, Point, DecDigit, Exponent };
    Kind kind;
    uint32_t a;  // Literal: offset into Section::literals; IntDigit/DecDigit: index
    uint32_t b;  // Literal: length
};

struct Section {
    std::vector<Step> steps;
    std::string literals;
    bool empty = true;        // the section's text was empty
    bool hasDigits = false;   // at least one digit placeholder before any exponent
    int intPlaces = 0;        // integer placeholders
    int intZeros = 0;         // "0" among them
    int zeroPad = 0;          // integer positions that always show a digit
    int decPlaces = 0;        // decimal placeholders
    int minDecimals = 0;      // decimals always shown (up to the last "0")
    bool grouping = false;
    bool scientific = false;
    bool expAlwaysSign = false;
    char expLetter = 'E';
    int expMinDigits = 1;
};

struct CompiledPattern {
    std::array<Section, 3> sections;
    int count = 0;
};

void addLiteral(Section& s, const char* text, size_t len)
{
    if (len == 0) return;
    if (!s.steps.empty() && s.steps.back().kind == Step::Literal &&
        s.steps.back().a + s.steps.back().b == s.literals.size()) {
        s.steps.back().b += static_cast<uint32_t>(len);
    } else {
        s.steps.push_back({Step::Literal, static_cast<uint32_t>(s.literals.size()), static_cast<uint32_t>(len)});
    }
    s.literals.append(text, len);
}

Section compileSection(std::string_view text)
{
    Section s;
    s.empty = text.empty();
    bool afterPoint = false;
    bool afterExponent = false;
    int firstZero = -1;
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        const char c = text[i];
        if (IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < n) {
            addLiteral(s, text.data() + i, 2);
            i += 2;
            continue;
        }
        if (c == '"' || c == '\'') {
            size_t end = text.find(c, i + 1);
            if (end == std::string_view::npos) end = n;
            addLiteral(s, text.data() + i + 1, end - i - 1);
            i = end < n ? end + 1 : n;
            continue;
        }
        if (c == '0' || c == '#') {
            ++i;
            if (afterExponent) continue;
            s.hasDigits = true;
            if (!afterPoint) {
                if (c == '0') {
                    if (firstZero < 0) firstZero = s.intPlaces;
                    ++s.intZeros;
                }
                s.steps.push_back({Step::IntDigit, static_cast<uint32_t>(s.intPlaces++), 0});
            } else {
                s.steps.push_back({Step::DecDigit, static_cast<uint32_t>(s.decPlaces++), 0});
                if (c == '0') s.minDecimals = s.decPlaces;
            }
            continue;
        }
        if (c == '.') {
            ++i;
            if (!afterPoint && !afterExponent) {
                afterPoint = true;
                s.steps.push_back({Step::Point, 0, 0});
            }
            continue;
        }
        if (c == ',' && !afterPoint && !afterExponent) {
            s.grouping = true;
            ++i;
            continue;
        }
        if ((c == 'E' || c == 'e') && i + 1 < n && (text[i + 1] == '+' || text[i + 1] == '-') && s.hasDigits &&
            !afterExponent) {
            s.scientific = true;
            s.expLetter = c;
            s.expAlwaysSign = text[i + 1] == '+';
            i += 2;
            int zeros = 0;
            while (i < n && text[i] == '0') {
                ++zeros;
                ++i;
            }
            s.expMinDigits = std::max(zeros, 1);
            afterExponent = true;
            s.steps.push_back({Step::Exponent, 0, 0});
            continue;
        }
        addLiteral(s, &text[i], 1);
        ++i;
    }
    if (s.hasDigits && s.intPlaces == 0) {
        // Decimal placeholders only: the integer digits still have to go
        // somewhere, right before the decimal point.
        auto at = std::find_if(s.steps.begin(), s.steps.end(), [](const Step& st) {
            return st.kind == Step::Point || st.kind == Step::DecDigit || st.kind == Step::Exponent;
        });
        s.steps.insert(at, {Step::IntDigit, 0, 0});
        s.intPlaces = 1;
    }
    s.zeroPad = firstZero < 0 ? 0 : s.intPlaces - firstZero;
    return s;
}

std::unique_ptr<CompiledPattern> compilePattern(std::string_view pattern)
{
    auto compiled = std::make_unique<CompiledPattern>();
    size_t start = 0;
    size_t i = 0;
    const size_t n = pattern.size();
    while (i <= n && compiled->count < 3) {
        if (i == n || pattern[i] == ';') {
            compiled->sections[compiled->count++] = compileSection(pattern.substr(start, i - start));
            start = ++i;
            continue;
        }
        const char c = pattern[i];
        if (IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < n) {
            i += 2;
        } else if (c == '"' || c == '\'') {
            size_t end = pattern.find(c, i + 1);
            i = end == std::string_view::npos ? n : end + 1;
        } else {
            ++i;
        }
    }
    return compiled;
}

// A few compiled patterns per thread, the most recent one checked first. The
// cache is bounded, so a stream of different patterns costs a compile each but
// never grows memory.
class PatternCache {
public:
    const CompiledPattern& get(std::string_view pattern)
    {
        if (entries_[last_].value && entries_[last_].key == pattern) return *entries_[last_].value;
        for (size_t i = 0; i < entries_.size(); ++i) {
            if (entries_[i].value && entries_[i].key == pattern) {
                last_ = i;
                return *entries_[i].value;
            }
        }
        Entry& e = entries_[next_];
        e.key.assign(pattern);
        e.value = compilePattern(pattern);
        last_ = next_;
        next_ = (next_ + 1) % entries_.size();
        return *e.value;
    }

private:
    struct Entry {
        std::string key;
        std::unique_ptr<CompiledPattern> value;
    };
    std::array<Entry, 16> entries_;
    size_t last_ = 0;
    size_t next_ = 0;
};

const CompiledPattern& compiled(std::string_view pattern)
{
    thread_local PatternCache cache;
    return cache.get(pattern);
}

// ---------------------------------------------------------------------------
// Decimal digits and rounding

// Keeps the first `keep` digits, rounding the rest half away from zero (the
// digits are those of the magnitude). Trailing zeros are dropped; a number
// that rounds away entirely becomes zero (count 0).
void roundDigits(DecimalDigits& d, int keep)
{
    if (keep >= d.count) return;
    if (keep < 0) {
        d.count = 0;
        return;
    }
    const bool up = d.digits[keep] >= '5';
    d.count = keep;
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') --i;
        if (i < 0) {
            d.digits[0] = '1';
            d.count = 1;
            ++d.exponent;
        } else {
            ++d.digits[i];
            d.count = i + 1;
        }
    }
    while (d.count > 0 && d.digits[d.count - 1] == '0') --d.count;
}

// The digits a section keeps: to its decimals, or to its significant digits in
// scientific notation.
int mantissaIntDigits(const Section& s)
{
    return std::max(s.intZeros, 1);
}

void roundForSection(DecimalDigits& d, const Section& s)
{
    if (d.count == 0) return;
    if (s.scientific) roundDigits(d, mantissaIntDigits(s) + s.decPlaces);
    else roundDigits(d, d.exponent + s.decPlaces);
}

// ---------------------------------------------------------------------------
// Output

// Writes into a stack buffer when the result is known to fit, so the common
// case allocates nothing beyond the returned string itself.
class Output {
public:
    explicit Output(size_t capacity)
    {
        if (capacity <= sizeof stack_) {
            p_ = stack_;
        } else {
            heap_.resize(capacity);
            p_ = heap_.data();
        }
    }
    void put(char c) { p_[n_++] = c; }
    void put(const char* s, size_t len)
    {
        std::memcpy(p_ + n_, s, len);
        n_ += len;
    }
    AnsiString str() const { return AnsiString(p_, n_); }

private:
    char stack_[256];
    std::string heap_;
    char* p_;
    size_t n_ = 0;
};

AnsiString literalsOnly(const Section& s)
{
    AnsiString out;
    for (const Step& st : s.steps)
        if (st.kind == Step::Literal) out.append(s.literals, st.a, st.b);
    return out;
}

AnsiString formatSection(const Section& s, const DecimalDigits& d, bool minus, const TFormatSettings& settings)
{
    const char decimalSeparator = settings.DecimalSeparator ? settings.DecimalSeparator : '.';
    const char thousands = settings.ThousandSeparator;
    const bool group = s.grouping && thousands != 0;

    // The number as 0.DIGITS x 10^exponent; `lead` is how many of its digits
    // stand before the decimal point in the output.
    const bool zero = d.count == 0;
    const int lead = s.scientific ? mantissaIntDigits(s) : std::max(d.exponent, 0);
    const int exponent = s.scientific && !zero ? d.exponent - lead : 0;
    // Positions shown in the integer part (units = 0).
    const int intShown = s.scientific ? lead : std::max(lead, s.zeroPad);
    // Decimals shown: every "0" place, and "#" places up to the last digit.
    const int significantDecimals = zero ? 0 : std::max(d.count - (s.scientific ? lead : d.exponent), 0);
    const int decShown = std::min(std::max(s.minDecimals, significantDecimals), s.decPlaces);
    const int digitBase = s.scientific ? lead : d.exponent;  // digit index of the first decimal

    auto digitAt = [&](int index) -> char {
        return index >= 0 && index < d.count ? d.digits[index] : '0';
    };

    const size_t capacity = 16 + s.literals.size() + 2 * static_cast<size_t>(std::max(intShown, s.intPlaces)) +
                            static_cast<size_t>(s.decPlaces) + static_cast<size_t>(std::max(s.expMinDigits, 12));
    Output out(capacity);
    if (minus) out.put('-');

    auto putIntDigit = [&](int position) {
        out.put(digitAt(lead - 1 - position));
        if (group && position > 0 && position % 3 == 0) out.put(thousands);
    };

    for (const Step& st : s.steps) {
        switch (st.kind) {
        case Step::Literal:
            out.put(s.literals.data() + st.a, st.b);
            break;
        case Step::IntDigit: {
            const int position = s.intPlaces - 1 - static_cast<int>(st.a);
            if (st.a == 0) {
                for (int p = intShown - 1; p >= position; --p) putIntDigit(p);
            } else if (position < intShown) {
                putIntDigit(position);
            }
            break;
        }
        case Step::Point:
            if (decShown > 0) out.put(decimalSeparator);
            break;
        case Step::DecDigit:
            if (static_cast<int>(st.a) < decShown) out.put(digitAt(digitBase + static_cast<int>(st.a)));
            break;
        case Step::Exponent: {
            out.put(s.expLetter);
            if (exponent < 0) out.put('-');
            else if (s.expAlwaysSign) out.put('+');
            char buf[16];
            int len = 0;
            unsigned magnitude = static_cast<unsigned>(exponent < 0 ? -exponent : exponent);
            do {
                buf[len++] = static_cast<char>('0' + magnitude % 10);
                magnitude /= 10;
            } while (magnitude > 0);
            for (int k = len; k < s.expMinDigits; ++k) out.put('0');
            while (len > 0) out.put(buf[--len]);
            break;
        }
        }
    }
    return out.str();
}

}  // namespace

AnsiString FormatFloat(std::string_view pattern, double value, const TFormatSettings& settings)
{
    const char decimalSeparator = settings.DecimalSeparator ? settings.DecimalSeparator : '.';
    if (pattern.empty() || !std::isfinite(value)) return FloatToStrGeneral(value, 15, decimalSeparator);

    const CompiledPattern& p = compiled(pattern);
    const Section* section = &p.sections[0];
    bool minus = false;
    if (value < 0) {
        if (p.count >= 2 && !p.sections[1].empty) section = &p.sections[1];
        else minus = true;
    }
    // A value that shows as zero in the section its sign selects is zero: it
    // takes the zero section and no sign. Literal sections show no number, so
    // only the sign counts for them.
    DecimalDigits d;
    if (section->hasDigits) {
        FloatToDecimal(value, 15, d);
        roundForSection(d, *section);
    }
    if (value == 0 || (section->hasDigits && d.count == 0)) {
        section = p.count >= 3 && !p.sections[2].empty ? &p.sections[2] : &p.sections[0];
        minus = false;
        value = 0;
        d = DecimalDigits();
    }
    if (section->empty) return FloatToStrGeneral(value, 15, decimalSeparator);
    if (!section->hasDigits) return literalsOnly(*section);
    return formatSection(*section, d, minus, settings);
}

AnsiString FormatFixed(double value, int decimals, bool thousands, const TFormatSettings& settings)
{
    decimals = std::clamp(decimals, 0, 255);
    std::string pattern = thousands ? ",0" : "0";
    if (decimals > 0) {
        pattern += '.';
        pattern.append(static_cast<size_t>(decimals), '0');
    }
    return FormatFloat(pattern, value, settings);
}
