// How the field-bound columns feed their in-place editors and write back:
// the plain kind here, the currency and mask kinds beside it.
#include "grid/DBGridColumns.h"
#include "grid/editors/GridEditors.h"
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
