// How the field-bound columns feed their in-place editors and write back:
// the plain kind here, the currency and mask kinds beside it.
#include "grid/DBGridColumns.h"
#include "grid/editors/GridEditors.h"
#include "runtime/FormatSettings.h"
#include "runtime/db/Field.h"

void TqvDBTreeListColumn::PrepareEditor(TqvInplaceEdit* editor) const
{
    editor->SetAlignment(Alignment());
    if (auto* text = dynamic_cast<TqvInplaceTextEdit*>(editor)) {
        text->SetCharCase(CharCase());
        text->SetMaxLength(MaxLength());
        text->SetOEMConvert(OEMConvert());
        text->SetPasswordChar(PasswordChar());
    }
}

Variant TqvDBTreeListColumn::LoadEditor(TqvInplaceEdit* editor) const
{
    editor->LoadValue(Field() ? Variant(Field()->Text()) : Variant(AnsiString()));
    return Variant(editor->Text());
}

Variant TqvDBTreeListColumn::WriteEditor(TqvInplaceEdit* editor)
{
    if (!Field()) return Variant::Null();
    Field()->SetText(editor->Text());
    return Field()->Value();
}

bool TqvDBTreeListColumn::IsValidChar(char32_t character) const
{
    if (!Field() || character > 127) return true;
    return Field()->IsValidChar(static_cast<char>(character));
}

// ---- Mask kind

void TqvDBTreeListMaskColumn::PrepareEditor(TqvInplaceEdit* editor) const
{
    TqvDBTreeListColumn::PrepareEditor(editor);
    if (auto* mask = dynamic_cast<TqvInplaceMaskEdit*>(editor)) {
        mask->SetEditMask(EditMask());
        mask->SetIgnoreMaskBlank(IgnoreMaskBlank());
    }
}

Variant TqvDBTreeListMaskColumn::LoadEditor(TqvInplaceEdit* editor) const
{
    // The field's edit text through the mask.
    editor->LoadValue(Field() ? Variant(Field()->Text()) : Variant(AnsiString()));
    return Variant(editor->Text());
}

// ---- Currency kind

void TqvDBTreeListCurrencyColumn::PrepareEditor(TqvInplaceEdit* editor) const
{
    TqvDBTreeListColumn::PrepareEditor(editor);
    if (auto* currency = dynamic_cast<TqvInplaceCurrencyEdit*>(editor)) {
        currency->SetEditMask({});
        currency->SetDecimalPlaces(DecimalPlaces());
        // The cells format the value; the editor shows it plainly.
        currency->SetDisplayFormat({});
        currency->SetMinValue(MinValue());
        currency->SetMaxValue(MaxValue());
        currency->SetNullable(Nullable());
        currency->SetNullString(NullString());
        currency->SetUseThousandSeparator(UseThousandSeparator());
    }
}

Variant TqvDBTreeListCurrencyColumn::LoadEditor(TqvInplaceEdit* editor) const
{
    Variant value = !Field() || Field()->IsNull() ? Variant::Null() : Variant(Field()->AsFloat());
    editor->LoadValue(value);
    return value;
}

Variant TqvDBTreeListCurrencyColumn::WriteEditor(TqvInplaceEdit* editor)
{
    if (!Field()) return Variant::Null();
    auto* currency = dynamic_cast<TqvInplaceCurrencyEdit*>(editor);
    Variant value = editor->EditingValue();
    if (value.IsNull()) {
        Field()->Clear();
    } else if (double number = 0; currency && currency->TryValue(editor->Text(), number)) {
        Field()->SetAsFloat(number);
    } else {
        Field()->SetText(editor->Text());  // the field reports what it cannot read
    }
    return Field()->Value();
}

bool TqvDBTreeListCurrencyColumn::IsValidChar(char32_t character) const
{
    if (character == static_cast<unsigned char>(FormatSettings().ThousandSeparator)) return true;
    return TqvDBTreeListColumn::IsValidChar(character);
}
