// Number and date-time patterns, display format codes and values from outside
// bytes. Formatting must never throw, never write past its buffers, give texts
// of a size bounded by the pattern, restore the decimal separator in effect,
// and print fixed-point numbers that read back as the value.
//
// Input: byte 0 selects the value's kind and the separators, bytes 1-4 the
// format code (little-endian), bytes 5-12 a double, byte 13 a number of
// decimals; the rest is the pattern, then after a 0x01 byte the text of a
// text value.
#include "report/format/FormatValue.h"

#include "runtime/DateTime.h"
#include "runtime/FormatSettings.h"
#include "runtime/NumberFormat.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "format fuzz: %s\n", what);
        std::abort();
    }
}

Variant valueOf(int kind, double number, int64_t integer, const std::string& text)
{
    switch (kind) {
    case 0: return Variant(number);
    case 1: return Variant(static_cast<long long>(integer));
    case 2: return Variant(text);
    case 3: return Variant((integer & 1) != 0);
    case 4: return Variant::FromDateTime(number);
    case 5: return Variant::Null();
    default: return Variant();
    }
}

// The fixed-point text read back: within half a unit of its last decimal (and
// the 15-digit precision) of the value.
void checkFixed(double value, int decimals, const TFormatSettings& settings)
{
    if (!std::isfinite(value) || std::fabs(value) >= 1e15) return;
    AnsiString text = FormatFixed(value, decimals, false, settings);
    if (decimals > 0) {
        // The separator stands right before the decimals (it may be "-" too).
        const char separator = settings.DecimalSeparator ? settings.DecimalSeparator : '.';
        check(text.size() > static_cast<size_t>(decimals) + 1, "fixed-point text too short");
        char& point = text[text.size() - static_cast<size_t>(decimals) - 1];
        check(point == separator, "fixed-point text has no separator before its decimals");
        point = '.';
    }
    char* end = nullptr;
    const double back = std::strtod(text.c_str(), &end);
    check(end && *end == 0, "fixed-point text is not a number");
    const double tolerance = 0.5 * std::pow(10.0, -decimals) + std::fabs(value) * 1e-14 + 1e-300;
    check(std::fabs(back - value) <= tolerance * 1.000001, "fixed-point text is not the value");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 14) return 0;
    const uint8_t selector = data[0];
    int32_t code;
    std::memcpy(&code, data + 1, 4);
    double number;
    std::memcpy(&number, data + 5, 8);
    int64_t integer;
    std::memcpy(&integer, data + 5, 8);
    const int decimals = data[13] % 24;
    std::string rest(reinterpret_cast<const char*>(data + 14), size - 14);
    const size_t split = rest.find('\x01');
    const std::string pattern = rest.substr(0, split);
    const std::string text = split == std::string::npos ? std::string() : rest.substr(split + 1);

    static const char decimalSeparators[] = {'.', ',', '\0', '-'};
    static const char thousandSeparators[] = {',', ' ', '\0', '.'};
    TFormatSettings settings = TFormatSettings::ChineseDefaults();
    settings.DecimalSeparator = decimalSeparators[(selector >> 3) & 3];
    settings.ThousandSeparator = thousandSeparators[(selector >> 5) & 3];
    ScopedFormatSettings scoped(settings);

    try {
        const size_t bound = 2 * pattern.size() + 1024;
        check(FormatFloat(pattern, number, settings).size() <= bound, "number text too long");
        check(FormatFloat(pattern, static_cast<double>(integer % 100000000), settings).size() <= bound,
              "number text too long");
        FormatDateTime(pattern, number, settings);
        checkFixed(number, decimals, settings);
        checkFixed(static_cast<double>(integer) / 1000.0, decimals, settings);

        const char before = FormatSettings().DecimalSeparator;
        FormatValue(valueOf(selector & 7, number, integer, text), code, pattern);
        check(FormatSettings().DecimalSeparator == before, "decimal separator not restored");
    } catch (...) {
        check(false, "formatting threw");
    }
    return 0;
}
