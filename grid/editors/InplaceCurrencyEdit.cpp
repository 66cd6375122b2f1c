#include "grid/editors/InplaceCurrencyEdit.h"

#include "runtime/FormatSettings.h"
#include "runtime/SysUtils.h"

#include <QLineEdit>

#include <algorithm>
#include <cmath>

namespace {
AnsiString general(double value) { return FloatToStrGeneral(value, 15, FormatSettings().DecimalSeparator); }
}  // namespace

void TqvInplaceCurrencyEdit::LoadValue(const Variant& value)
{
    if (value.IsNull() || value.IsEmpty()) {
        value_ = 0;
        SetText({});
    } else {
        value_ = value.AsFloat();
        SetText(general(value_));
    }
    SetModified(false);
}

Variant TqvInplaceCurrencyEdit::EditingValue() const
{
    AnsiString text = Text();
    if (text.empty() && nullable_) return Variant::Null();
    return Variant(text);
}

bool TqvInplaceCurrencyEdit::TryValue(const AnsiString& text, double& value) const
{
    AnsiString plain;
    char thousand = FormatSettings().ThousandSeparator;
    for (char c : text)
        if (!(useThousandSeparator_ && c == thousand)) plain += c;
    return TryStrToFloat(plain, value, FormatSettings().DecimalSeparator) && std::isfinite(value);
}

bool TqvInplaceCurrencyEdit::acceptsText(const AnsiString& text) const
{
    char decimal = FormatSettings().DecimalSeparator;
    size_t point = text.find(decimal);
    if (point != AnsiString::npos) {
        size_t end = text.find_first_of("Ee", point);
        size_t decimals = (end == AnsiString::npos ? text.size() : end) - point - 1;
        if (decimals > decimalPlaces_) return false;
    }
    double value = 0;
    return TryValue(text, value);
}

void TqvInplaceCurrencyEdit::KeyPress(char32_t& character)
{
    const TFormatSettings& fs = FormatSettings();
    char32_t thousand = static_cast<unsigned char>(fs.ThousandSeparator);
    if ((character == U',' || character == U'.') && !(useThousandSeparator_ && character == thousand))
        character = static_cast<unsigned char>(fs.DecimalSeparator);
    if (character > 31) {
        bool kind = character == U'+' || character == U'-' || (character >= U'0' && character <= U'9') ||
                    character == U'E' || character == U'e' ||
                    character == static_cast<unsigned char>(fs.DecimalSeparator) ||
                    (useThousandSeparator_ && character == thousand);
        AnsiString typed(1, static_cast<char>(character));
        bool ok = kind && ((character == U'-' && TextWithSelectionReplaced({}).empty()) ||
                           acceptsText(TextWithSelectionReplaced(typed)));
        if (!ok) {
            EditorBeep();
            character = 0;
            return;
        }
    }
    TqvInplaceMaskEdit::KeyPress(character);
}

bool TqvInplaceCurrencyEdit::AcceptPaste(const AnsiString& newText)
{
    double value = 0;
    if (TryValue(newText, value)) return true;
    // Not a number: the text stays as it was, all of it selected.
    SelectAll();
    return false;
}

void TqvInplaceCurrencyEdit::ValidateEdit()
{
    TqvInplaceMaskEdit::ValidateEdit();
    AnsiString text = Text();
    if (!Modified() || (text.empty() && nullable_)) return;
    double value = 0;
    if (text.empty())
        value = 0;
    else if (!TryValue(text, value))
        value = value_;
    if (minValue_ != maxValue_) value = std::clamp(value, std::min(minValue_, maxValue_), std::max(minValue_, maxValue_));
    value_ = value;
    bool modified = Modified();
    SetText(general(value));
    SetModified(modified);
}
