#include "runtime/export/CellText.h"

#include "runtime/DateTime.h"
#include "runtime/NumberFormat.h"

#include <charconv>
#include <cmath>

bool FormulaGuarded(std::string_view text)
{
    if (text.empty()) return false;
    switch (text.front()) {
    case '=':
    case '+':
    case '-':
    case '@':
    case '\t':
    case '\r': return true;
    default: return false;
    }
}

void AppendNumberText(std::string& out, double value, int decimals)
{
    if (std::isnan(value)) {
        out += "NAN";
        return;
    }
    if (std::isinf(value)) {
        out += value < 0 ? "-INF" : "INF";
        return;
    }
    if (decimals >= 0) {
        // Rounded as the reports and the grid show the number (half away from
        // zero on the digits a user sees), not as the binary value would.
        static const TFormatSettings plain = [] {
            TFormatSettings s;
            s.DecimalSeparator = '.';
            s.ThousandSeparator = 0;
            return s;
        }();
        out += FormatFixed(value, decimals, false, plain);
        return;
    }
    char buffer[32];
    const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, value);
    // -0 reads as 0 everywhere; keep the sign off it.
    const char* start = buffer;
    if (buffer[0] == '-' && value == 0) ++start;
    out.append(start, static_cast<size_t>(r.ptr - start));
}

namespace {
void appendDigits(std::string& out, int value, int width)
{
    char buffer[16];
    auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    for (int n = static_cast<int>(r.ptr - buffer); n < width; ++n) out += '0';
    out.append(buffer, r.ptr);
}
}  // namespace

void AppendDateText(std::string& out, double days, TDateShape shape)
{
    DateParts p;
    // To the nearest second; a negative value's fraction counts forward from
    // its day's midnight, so half a second moves it the other way.
    const double rounded = days + (days >= 0 ? 0.5 : -0.5) / 86400.0;
    if (!std::isfinite(days) || !DecodeDateTime(rounded, p)) {
        AppendNumberText(out, days, -1);
        return;
    }
    const bool time = shape == TDateShape::Time || (shape == TDateShape::DateTime &&
                                                    (p.hour != 0 || p.minute != 0 || p.second != 0));
    if (shape != TDateShape::Time) {
        appendDigits(out, p.year, 4);
        out += '-';
        appendDigits(out, p.month, 2);
        out += '-';
        appendDigits(out, p.day, 2);
        if (time) out += ' ';
    }
    if (time) {
        appendDigits(out, p.hour, 2);
        out += ':';
        appendDigits(out, p.minute, 2);
        out += ':';
        appendDigits(out, p.second, 2);
    }
}
