#pragma once
// The currency editor: a masked editor (in practice without a mask) for
// floating-point numbers.
//
// Typing: "," or "." becomes the decimal separator (unless thousand
// separators are in use and the key is the thousand separator). A character
// is accepted only when it is a sign, a digit, E/e, the decimal separator or
// (UseThousandSeparator) the thousand separator, and either "-" into an
// empty text or the text it makes has at most DecimalPlaces decimals and
// reads as a double. A refused character is dropped with a beep; a pasted
// text that is no number brings the previous text back, all selected.
//
// Validation: an emptied text becomes 0 unless the editor is nullable; a
// text that does not read keeps the previous value; the value is kept within
// MinValue..MaxValue when the two differ (both 0: no limit) and shown again
// with up to 15 significant digits. The modified flag stays as it was.

#include "grid/editors/InplaceMaskEdit.h"

class TqvInplaceCurrencyEdit : public TqvInplaceMaskEdit {
public:
    using TqvInplaceMaskEdit::TqvInplaceMaskEdit;
    const char* ClassName() const override { return "TqvInplaceCurrencyEdit"; }

    unsigned DecimalPlaces() const { return decimalPlaces_; }
    void SetDecimalPlaces(unsigned value) { decimalPlaces_ = value; }
    const AnsiString& DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(const AnsiString& value) { displayFormat_ = value; }
    double MinValue() const { return minValue_; }
    void SetMinValue(double value) { minValue_ = value; }
    double MaxValue() const { return maxValue_; }
    void SetMaxValue(double value) { maxValue_ = value; }
    bool Nullable() const { return nullable_; }
    void SetNullable(bool value) { nullable_ = value; }
    const AnsiString& NullString() const { return nullString_; }
    void SetNullString(const AnsiString& value) { nullString_ = value; }
    bool UseThousandSeparator() const { return useThousandSeparator_; }
    void SetUseThousandSeparator(bool value) { useThousandSeparator_ = value; }

    void LoadValue(const Variant& value) override;
    // Null for an empty text of a nullable editor, else the text.
    Variant EditingValue() const override;
    // The number the text reads as (thousand separators removed).
    bool TryValue(const AnsiString& text, double& value) const;

protected:
    void KeyPress(char32_t& character) override;
    void ValidateEdit() override;
    bool AcceptPaste(const AnsiString& newText) override;

private:
    bool acceptsText(const AnsiString& text) const;

    unsigned decimalPlaces_ = 2;
    AnsiString displayFormat_;
    double minValue_ = 0;
    double maxValue_ = 0;
    bool nullable_ = false;
    AnsiString nullString_;
    bool useThousandSeparator_ = false;
    double value_ = 0;  // the last value loaded or validated
};
