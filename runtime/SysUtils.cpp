#include "SysUtils.h"

#include "Exceptions.h"
#include "FormatSettings.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>

AnsiString IntToStr(int64_t value)
{
    char buf[24];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return AnsiString(buf, end);
}

bool TryStrToInt64(std::string_view text, int64_t& result)
{
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size()) return false;
    uint64_t magnitude = 0;
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    auto [end, ec] = std::from_chars(first, last, magnitude, base);
    if (ec != std::errc() || end != last) return false;
    if (base == 16) {
        // Hex texts may spell the two's complement of a negative number.
        int64_t v = static_cast<int64_t>(magnitude);
        result = negative ? -v : v;
        return true;
    }
    if (negative) {
        if (magnitude > static_cast<uint64_t>(INT64_MAX) + 1) return false;
        result = static_cast<int64_t>(0 - magnitude);
    } else {
        if (magnitude > static_cast<uint64_t>(INT64_MAX)) return false;
        result = static_cast<int64_t>(magnitude);
    }
    return true;
}

bool TryStrToInt(std::string_view text, int& result)
{
    int64_t v;
    if (!TryStrToInt64(text, v) || v < INT_MIN || v > INT_MAX) return false;
    result = static_cast<int>(v);
    return true;
}

int64_t StrToInt64(std::string_view text)
{
    int64_t v;
    if (!TryStrToInt64(text, v))
        throw EConvertError(Format(RuntimeText::InvalidInteger, std::string(text).c_str()));
    return v;
}

int StrToInt(std::string_view text)
{
    int v;
    if (!TryStrToInt(text, v))
        throw EConvertError(Format(RuntimeText::InvalidInteger, std::string(text).c_str()));
    return v;
}

int StrToIntDef(std::string_view text, int fallback)
{
    int v;
    return TryStrToInt(text, v) ? v : fallback;
}

bool TryStrToFloat(std::string_view text, double& result, char decimalSeparator)
{
    // Normalise into a plain C number and let from_chars do the exact conversion.
    char buf[400];
    size_t n = 0;
    size_t i = 0;
    const size_t len = text.size();
    while (i < len && text[i] == ' ') ++i;
    if (i < len && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') buf[n++] = '-';
        ++i;
    }
    int digits = 0;
    while (i < len && text[i] >= '0' && text[i] <= '9') {
        if (n >= sizeof buf - 40) return false;
        buf[n++] = text[i++];
        ++digits;
    }
    if (i < len && text[i] == decimalSeparator) {
        buf[n++] = '.';
        ++i;
        while (i < len && text[i] >= '0' && text[i] <= '9') {
            if (n >= sizeof buf - 40) return false;
            buf[n++] = text[i++];
            ++digits;
        }
    }
    if (digits == 0) return false;
    if (i < len && (text[i] == 'E' || text[i] == 'e')) {
        buf[n++] = 'e';
        ++i;
        if (i < len && (text[i] == '+' || text[i] == '-')) buf[n++] = text[i++];
        int expDigits = 0;
        while (i < len && text[i] >= '0' && text[i] <= '9') {
            if (expDigits < 6) buf[n++] = text[i];
            ++i;
            ++expDigits;
        }
        if (expDigits == 0 || expDigits > 6) return false;
    }
    while (i < len && text[i] == ' ') ++i;
    if (i != len) return false;
    double value;
    auto [end, ec] = std::from_chars(buf, buf + n, value);
    if (ec != std::errc() || end != buf + n || !std::isfinite(value)) return false;
    result = value;
    return true;
}

bool TryStrToFloat(std::string_view text, double& result)
{
    return TryStrToFloat(text, result, FormatSettings().DecimalSeparator);
}

double StrToFloat(std::string_view text)
{
    double v;
    if (!TryStrToFloat(text, v))
        throw EConvertError(Format(RuntimeText::InvalidFloat, std::string(text).c_str()));
    return v;
}

void FloatToDecimal(double value, int precision, DecimalDigits& out)
{
    out = DecimalDigits();
    if (precision < 1) precision = 1;
    if (precision > 18) precision = 18;
    out.negative = std::signbit(value) && value != 0;
    if (value == 0 || !std::isfinite(value)) return;
    char buf[48];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific,
                                   precision - 1);
    // buf: d[.ddd]e[+-]xx
    const char* p = buf;
    int count = 0;
    while (p < end && *p != 'e') {
        if (*p != '.') out.digits[count++] = *p;
        ++p;
    }
    int exponent = 0;
    if (p < end) std::from_chars(p + 1 + (p[1] == '+'), end, exponent);
    while (count > 0 && out.digits[count - 1] == '0') --count;
    out.count = count;
    out.digits[count] = 0;
    out.exponent = exponent + 1;
}

AnsiString FloatToStrGeneral(double value, int precision, char decimalSeparator)
{
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    DecimalDigits d;
    FloatToDecimal(value, precision, d);
    if (d.count == 0) return "0";
    AnsiString out;
    out.reserve(32);
    if (d.negative) out += '-';
    if (d.exponent > precision || d.exponent < -3) {
        out += d.digits[0];
        if (d.count > 1) {
            out += decimalSeparator;
            out.append(d.digits + 1, static_cast<size_t>(d.count - 1));
        }
        out += 'E';
        out += IntToStr(d.exponent - 1);
        return out;
    }
    if (d.exponent <= 0) {
        out += '0';
        out += decimalSeparator;
        out.append(static_cast<size_t>(-d.exponent), '0');
        out.append(d.digits, static_cast<size_t>(d.count));
        return out;
    }
    if (d.count <= d.exponent) {
        out.append(d.digits, static_cast<size_t>(d.count));
        out.append(static_cast<size_t>(d.exponent - d.count), '0');
        return out;
    }
    out.append(d.digits, static_cast<size_t>(d.exponent));
    out += decimalSeparator;
    out.append(d.digits + d.exponent, static_cast<size_t>(d.count - d.exponent));
    return out;
}

AnsiString FloatToStrGeneral(double value)
{
    return FloatToStrGeneral(value, 15, FormatSettings().DecimalSeparator);
}

int64_t RoundHalfEven(double value)
{
    double r = std::nearbyint(value);
    if (std::isnan(r)) return 0;
    if (r >= 9223372036854775807.0) return INT64_MAX;
    if (r <= -9223372036854775808.0) return INT64_MIN;
    return static_cast<int64_t>(r);
}
