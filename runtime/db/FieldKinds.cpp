#include "FieldKinds.h"

#include "DataSet.h"
#include "runtime/DateTime.h"
#include "runtime/NumberFormat.h"
#include "runtime/SysUtils.h"

// --- string ----------------------------------------------------------------

Variant TStringField::Coerce(const Variant& value) const
{
    AnsiString text = value.AsString();
    if (text.empty()) return Variant::Null();
    if (Size() > 0 && static_cast<int>(text.size()) > Size())
        throw EDatabaseError(Format(DBText::FieldTooLong, DisplayName().c_str(), static_cast<int>(text.size()), Size()));
    return Variant(std::move(text));
}

// --- integers --------------------------------------------------------------

bool TIntegerField::IsValidChar(char c) const
{
    return (c >= '0' && c <= '9') || c == '+' || c == '-';
}

AnsiString TIntegerField::GetText(bool displayText) const
{
    CellView c = GetCell();
    if (c.IsNull()) return {};
    int64_t v = AsLargeInt();
    const AnsiString& format = FormatFor(displayText);
    if (format.empty()) return IntToStr(v);
    return FormatFloat(format, static_cast<double>(v));
}

Variant TIntegerField::ParseText(const AnsiString& text) const
{
    AnsiString t = Trim(text);
    if (t.empty()) return Variant::Null();
    return Variant(static_cast<long long>(StrToInt64(t)));
}

Variant TIntegerField::Coerce(const Variant& value) const
{
    int64_t v = value.AsInteger();
    if (v < INT32_MIN || v > INT32_MAX)
        throw EConvertError(Format(RuntimeText::InvalidInteger, value.AsString().c_str()));
    return Variant(static_cast<long long>(v));
}

Variant TLargeintField::Coerce(const Variant& value) const
{
    return Variant(static_cast<long long>(value.AsInteger()));
}

// --- float -----------------------------------------------------------------

bool TFloatField::IsValidChar(char c) const
{
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == 'E' || c == 'e' ||
           c == FormatSettings().DecimalSeparator;
}

AnsiString TFloatField::GetText(bool displayText) const
{
    CellView c = GetCell();
    if (c.IsNull()) return {};
    double v = AsFloat();
    const AnsiString& format = FormatFor(displayText);
    if (!format.empty()) return FormatFloat(format, v);
    if (currency_ && displayText) return FormatFixed(v, FormatSettings().CurrencyDecimals, true);
    return FloatToStrGeneral(v, precision_, FormatSettings().DecimalSeparator);
}

Variant TFloatField::ParseText(const AnsiString& text) const
{
    AnsiString t = Trim(text);
    if (t.empty()) return Variant::Null();
    return Variant(StrToFloat(t));
}

Variant TFloatField::Coerce(const Variant& value) const
{
    return Variant(value.AsFloat());
}

// --- boolean ---------------------------------------------------------------

namespace {

void splitDisplayValues(const AnsiString& values, AnsiString& yes, AnsiString& no)
{
    size_t semi = values.find(';');
    yes = values.substr(0, semi);
    no = semi == AnsiString::npos ? AnsiString() : values.substr(semi + 1);
}

}  // namespace

AnsiString TBooleanField::GetText(bool) const
{
    CellView c = GetCell();
    if (c.IsNull()) return {};
    AnsiString yes, no;
    splitDisplayValues(displayValues_, yes, no);
    return AsBoolean() ? yes : no;
}

Variant TBooleanField::ParseText(const AnsiString& text) const
{
    AnsiString t = Trim(text);
    if (t.empty()) return Variant::Null();
    AnsiString yes, no;
    splitDisplayValues(displayValues_, yes, no);
    if (!yes.empty() && SameText(t, yes)) return Variant(true);
    if (!no.empty() && SameText(t, no)) return Variant(false);
    return Variant(Variant(t).AsBoolean());
}

Variant TBooleanField::Coerce(const Variant& value) const
{
    return Variant(value.AsBoolean());
}

// --- date and time ---------------------------------------------------------

AnsiString TDateTimeField::GetText(bool displayText) const
{
    CellView c = GetCell();
    if (c.IsNull()) return {};
    TDateTime v = AsDateTime();
    if (displayText && !displayFormat_.empty()) return FormatDateTime(displayFormat_, v);
    switch (DataType()) {
    case ftDate: return DateToStr(v);
    case ftTime: return TimeToStr(v);
    default: return DateTimeToStr(v);
    }
}

Variant TDateTimeField::ParseText(const AnsiString& text) const
{
    AnsiString t = Trim(text);
    if (t.empty()) return Variant::Null();
    switch (DataType()) {
    case ftDate: return Variant::FromDateTime(StrToDate(t));
    case ftTime: return Variant::FromDateTime(StrToTime(t));
    default: return Variant::FromDateTime(StrToDateTime(t));
    }
}

Variant TDateTimeField::Coerce(const Variant& value) const
{
    TDateTime v = value.AsDateTime();
    if (DataType() == ftDate) v = DatePart(v);
    if (DataType() == ftTime) v = TimePart(v);
    return Variant::FromDateTime(v);
}

// --- blobs -----------------------------------------------------------------

AnsiString TBlobField::GetText(bool) const
{
    return IsNull() ? "(blob)" : "(BLOB)";
}

Variant TBlobField::Coerce(const Variant& value) const
{
    return Variant(value.AsString());
}

AnsiString TMemoField::GetText(bool displayText) const
{
    if (displayText) return IsNull() ? "(memo)" : "(MEMO)";
    CellView c = GetCell();
    return AnsiString(c.s);
}
