#include "grid/columns/SummaryText.h"

#include "runtime/DateTime.h"
#include "runtime/NumberFormat.h"

namespace {

struct KindTexts {
    const char* footerFormat;
    const char* groupFormat;
    const char* footerPrefix;
    const char* groupPrefix;
};

const KindTexts* textsOf(TqvSummaryType kind)
{
    static const KindTexts table[] = {
        {"0.00;-0.00", "(SUM=0.00);(SUM=-0.00)", "", "(SUM="},
        {"MIN=0.00;MIN=-0.00", "(MIN=0.00);(MIN=-0.00)", "MIN=", "(MIN="},
        {"MAX=0.00;MAX=-0.00", "(MAX=0.00);(MAX=-0.00)", "MAX=", "(MAX="},
        {"0", "(COUNT=0)", "0", "(COUNT=0)"},
        {"AVG=0.00;AVG=-0.00", "(AVG=0.00);(AVG=-0.00)", "AVG=", "(AVG="},
    };
    int index = static_cast<int>(kind) - 1;
    return index >= 0 && index < 5 ? &table[index] : nullptr;
}

}  // namespace

const char* DefaultSummaryFormat(TqvSummaryType kind, bool groupRow)
{
    const KindTexts* t = textsOf(kind);
    if (!t) return "";
    return groupRow ? t->groupFormat : t->footerFormat;
}

AnsiString SummaryText(TqvSummaryType kind, std::string_view format, long double value, SummaryFieldKind field,
                       bool groupRow, const TFormatSettings& settings)
{
    const KindTexts* t = textsOf(kind);
    if (!t) return {};
    if (kind == cstCount || field == SummaryFieldKind::Other) {
        if (format.empty()) format = groupRow ? t->groupFormat : t->footerFormat;
        return FormatFloat(format, static_cast<double>(value), settings);
    }
    const char* pattern = field == SummaryFieldKind::Date   ? "ddddd"
                          : field == SummaryFieldKind::Time ? "t"
                                                            : "ddddd t";
    const bool defaultPrefix = format.empty();
    AnsiString text(defaultPrefix ? std::string_view(groupRow ? t->groupPrefix : t->footerPrefix) : format);
    text += FormatDateTime(pattern, static_cast<double>(value), settings);
    if (defaultPrefix && groupRow) text += ')';
    return text;
}
