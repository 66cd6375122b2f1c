#include "grid/columns/Summaries.h"

#include "runtime/DateTime.h"
#include "runtime/NumberFormat.h"
#include "runtime/db/DataSet.h"
#include "runtime/db/Field.h"

// ---- Summing

void TqvSummaryValue::Add(TqvSummaryType kind, long double value)
{
    if (!Initialized) {
        Value = value;
        Initialized = true;
    } else if (kind == cstSum || kind == cstAvg) {
        Value += value;
    } else if ((kind == cstMin && value < Value) || (kind == cstMax && value > Value)) {
        Value = value;
    }
}

void TqvSummaryValue::Finish(TqvSummaryType kind, int count)
{
    if (kind == cstCount) Value = count;
    if (kind == cstAvg && count > 0) Value /= count;
}

TField* FindSummaryField(TDataSet* dataSet, const AnsiString& name)
{
    return dataSet && !name.empty() ? dataSet->FindField(name) : nullptr;
}

void TqvSummarySlot::Prepare(TqvSummaryType type, TField* field, const TqvSummaryEvent* hook, TComponent* sender)
{
    type_ = type;
    field_ = field;
    hook_ = hook;
    sender_ = sender;
    value_.Reset();
    fieldKind_ = SummaryFieldKind::Other;
    if (field) switch (field->DataType()) {
        case ftDate: fieldKind_ = SummaryFieldKind::Date; break;
        case ftTime: fieldKind_ = SummaryFieldKind::Time; break;
        case ftDateTime: fieldKind_ = SummaryFieldKind::DateTime; break;
        default: break;
        }
}

void TqvSummarySlot::Add(TDataSet* dataSet)
{
    // A null counts as 0; a count adds nothing but the record.
    long double value = 0;
    if (type_ != cstCount && field_) value = field_->AsFloat();
    if (hook_ && *hook_ && dataSet) (*hook_)(sender_, dataSet, value);
    value_.Add(type_, value);
}

void TqvSummarySlot::Reset()
{
    value_.Reset();
    field_ = nullptr;
}

// ---- Texts

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
