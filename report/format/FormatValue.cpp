#include "report/format/FormatValue.h"

#include "report/format/FixedFormats.h"
#include "report/format/FormatCode.h"

#include "runtime/DateTime.h"
#include "runtime/FormatSettings.h"
#include "runtime/NumberFormat.h"

#include <QScopedValueRollback>

namespace {

// Marks a value that does not fit its category; FormatValue then shows the
// value's plain text.
struct NotOfCategory {};

// "##0." or "#,##0." followed by one "#" per decimal.
AnsiString optionalDecimalsPattern(bool grouped, int decimals)
{
    AnsiString pattern = grouped ? "#,##0." : "##0.";
    pattern.append(static_cast<size_t>(decimals), '#');
    return pattern;
}

AnsiString formatNumber(const Variant& value, int32_t code, std::string_view pattern)
{
    if (char separator = FormatSeparator(code)) FormatSettings().DecimalSeparator = separator;
    const int decimals = FormatDecimals(code);
    const double number = value.AsFloat();
    switch (FormatKind(code)) {
    case 0: return FormatFloat(optionalDecimalsPattern(false, decimals), number);
    case 1: return FormatFixed(number, decimals, false);
    case 2: return FormatFloat(optionalDecimalsPattern(true, decimals), number);
    case 3: return FormatFixed(number, decimals, true);
    case fkCustom: return FormatFloat(pattern, number);
    default: return {};
    }
}

TDateTime dateTimeOf(const Variant& value)
{
    const TDateTime t = value.AsDateTime();
    DateParts parts;
    if (!DecodeDateTime(t, parts)) throw NotOfCategory();
    return t;
}

AnsiString formatDate(const Variant& value, int kind, std::string_view pattern)
{
    if (kind > fkCustom) return {};
    const TDateTime t = dateTimeOf(value);
    if (kind == fkCustom) return FormatDateTime(pattern, t);
    if (kind == 3) return FormatDateTime("dddddd", t);
    return FormatDateTime(FixedFormats().Date[kind], t);
}

AnsiString formatTime(const Variant& value, int kind, std::string_view pattern)
{
    if (kind > fkCustom) return {};
    const TDateTime t = dateTimeOf(value);
    return FormatDateTime(kind == fkCustom ? pattern : std::string_view(FixedFormats().Time[kind]), t);
}

AnsiString formatBoolean(const Variant& value, int kind, std::string_view pattern)
{
    std::string_view choice;
    if (kind == fkCustom) choice = pattern;
    else if (kind < fkCustom) choice = FixedFormats().Boolean[kind];
    const bool isTrue = value.AsInteger() != 0;
    const size_t semicolon = choice.find(';');
    if (isTrue) return AnsiString(semicolon == std::string_view::npos ? choice : choice.substr(semicolon + 1));
    return AnsiString(semicolon == std::string_view::npos ? std::string_view() : choice.substr(0, semicolon));
}

AnsiString formatByCategory(const Variant& value, int32_t code, std::string_view pattern)
{
    switch (FormatCategory(code)) {
    case fcText: return value.AsString();
    case fcNumber: return formatNumber(value, code, pattern);
    case fcDate: return formatDate(value, FormatKind(code), pattern);
    case fcTime: return formatTime(value, FormatKind(code), pattern);
    case fcBoolean: return formatBoolean(value, FormatKind(code), pattern);
    default: return {};
    }
}

AnsiString plainText(const Variant& value) noexcept
{
    try {
        return value.AsString();
    } catch (...) {
        return {};
    }
}

}  // namespace

AnsiString FormatValue(const Variant& value, int32_t code, std::string_view pattern)
{
    if (value.IsEmptyOrNull()) return {};
    if (value.IsString() && Trim(value.StringValue()).empty()) return {};
    // The number categories set their own separator; it comes back however formatting ends.
    const QScopedValueRollback<char> separator(FormatSettings().DecimalSeparator);
    try {
        return formatByCategory(value, code, pattern);
    } catch (...) {
        return plainText(value);
    }
}
