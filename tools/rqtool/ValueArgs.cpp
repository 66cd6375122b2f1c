#include "ValueArgs.h"

#include "RqCommand.h"

#include "runtime/SysUtils.h"

#include <cstdio>

Variant ParseValueArg(const std::string& arg)
{
    size_t colon = arg.find(':');
    if (colon == std::string::npos) throw RqUsageError{"value '" + arg + "' is not KIND:TEXT"};
    std::string kind = arg.substr(0, colon);
    std::string text = arg.substr(colon + 1);
    auto bad = [&] { return RqUsageError{"'" + text + "' is not a valid " + kind + " value"}; };
    if (kind == "null") return Variant::Null();
    if (kind == "str") return Variant(Utf8ToAnsi(text));
    if (kind == "int") {
        int64_t v;
        if (!TryStrToInt64(text, v)) throw bad();
        return Variant(v);
    }
    if (kind == "float") {
        double v;
        if (!TryStrToFloat(text, v, '.')) throw bad();
        return Variant(v);
    }
    if (kind == "bool") {
        if (SameText(text, "true") || text == "1") return Variant(true);
        if (SameText(text, "false") || text == "0") return Variant(false);
        throw bad();
    }
    if (kind == "date") {
        int y, m, d, hh = 0, nn = 0, ss = 0;
        int n = std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d", &y, &m, &d, &hh, &nn, &ss);
        TDateTime date, time;
        if ((n != 3 && n != 6) || !TryEncodeDate(y, m, d, date) || !TryEncodeTime(hh, nn, ss, 0, time))
            throw bad();
        return Variant::FromDateTime(date + time);
    }
    throw RqUsageError{"unknown value kind '" + kind + "' (int, float, str, bool, null, date)"};
}

std::pair<std::string, Variant> ParseVarArg(const std::string& arg)
{
    size_t eq = arg.find('=');
    if (eq == std::string::npos || eq == 0) throw RqUsageError{"variable '" + arg + "' is not NAME=KIND:VALUE"};
    return {arg.substr(0, eq), ParseValueArg(arg.substr(eq + 1))};
}

std::string ValueText(const Variant& value, char decimalSeparator)
{
    switch (value.Type()) {
    case VarType::Float: return FloatToStrGeneral(value.FloatValue(), 15, decimalSeparator);
    case VarType::DateTime: {
        TFormatSettings fixed = FormatSettings();
        fixed.DateSeparator = '-';
        fixed.TimeSeparator = ':';
        return FormatDateTime("yyyy/mm/dd hh:nn:ss", value.FloatValue(), fixed);
    }
    default: return AnsiToUtf8(value.AsString());
    }
}

std::string KindAndText(const Variant& value, char decimalSeparator)
{
    return std::string(VarTypeName(value.Type())) + "\t" + ValueText(value, decimalSeparator);
}
