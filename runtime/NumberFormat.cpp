#include "NumberFormat.h"

#include "SysUtils.h"

#include <cstdio>

// Placeholder until the pattern formatter lands: the general form, and
// fixed-point through printf.
AnsiString FormatFloat(std::string_view, double value, const TFormatSettings& settings)
{
    return FloatToStrGeneral(value, 15, settings.DecimalSeparator);
}

AnsiString FormatFixed(double value, int decimals, bool, const TFormatSettings& settings)
{
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.*f", decimals < 0 ? 0 : (decimals > 18 ? 18 : decimals), value);
    AnsiString out(buf);
    for (char& c : out)
        if (c == '.') c = settings.DecimalSeparator;
    return out;
}
