// How the date, lookup and spin columns feed their editors and write back.
// The editor classes are registered here, with the columns that use them.
#include "grid/DBColumnKinds.h"
#include "grid/editors/DropDownEditors.h"
#include "grid/editors/EditorRegistry.h"
#include "runtime/db/DataSet.h"
#include "runtime/db/Field.h"

namespace {
const bool registered = [] {
    RegisterInplaceEditor("TqvInplaceDateEdit",
                          [](TCustomqvContainer* c) { return std::make_unique<TqvInplaceDateEdit>(c); });
    RegisterInplaceEditor("TqvInplaceDBTreeListDateEdit",
                          [](TCustomqvContainer* c) { return std::make_unique<TqvInplaceDBTreeListDateEdit>(c); });
    RegisterInplaceEditor("TqvInplaceLookupEdit",
                          [](TCustomqvContainer* c) { return std::make_unique<TqvInplaceLookupEdit>(c); });
    RegisterInplaceEditor("TqvInplaceDBTreeListLookupEdit",
                          [](TCustomqvContainer* c) { return std::make_unique<TqvInplaceDBTreeListLookupEdit>(c); });
    RegisterInplaceEditor("TqvInplaceSpinEdit",
                          [](TCustomqvContainer* c) { return std::make_unique<TqvInplaceSpinEdit>(c); });
    RegisterInplaceEditor("TqvInplaceDBTreeListSpinEdit",
                          [](TCustomqvContainer* c) { return std::make_unique<TqvInplaceDBTreeListSpinEdit>(c); });
    return true;
}();

TqvPopupAlignment popupAlignment(TAlignment a)
{
    return a == taRightJustify ? TqvPopupAlignment::Right : a == taCenter ? TqvPopupAlignment::Center : TqvPopupAlignment::Left;
}
}  // namespace

// ---- Date

void TqvDBTreeListDateColumn::PrepareEditor(TqvInplaceEdit* editor) const
{
    TqvDBTreeListDropDownColumn::PrepareEditor(editor);
    auto* date = dynamic_cast<TqvInplaceDateEdit*>(editor);
    if (!date) return;
    date->SetDateButtons(DateButtons() & btnToday, DateButtons() & btnClear);
    date->SetDateOnError(DateOnError() == deToday ? TqvDateOnError::Today : TqvDateOnError::NoDate);
    date->SetDateValidation(DateValidation());
    date->SetSaveTime(SaveTime());
    date->SetPopupAlignment(popupAlignment(PopupAlignment()));
    date->OnDateValidateInput = nullptr;
    if (OnDateValidateInput)
        date->OnDateValidateInput = [this](TqvInplaceEdit*, const AnsiString& text, TDateTime& value,
                                           AnsiString& errorText, bool& error) {
            bool accept = !error;
            OnDateValidateInput(const_cast<TqvDBTreeListDateColumn*>(this), text, value, errorText, accept);
            error = !accept;
        };
}

Variant TqvDBTreeListDateColumn::LoadEditor(TqvInplaceEdit* editor) const
{
    if (!Field() || Field()->IsNull()) {
        editor->LoadValue(Variant::Null());
        return Variant(NoDate);
    }
    // A date column may be bound to a text field: its text is read as a date.
    Variant value = Field()->DataType() == ftString ? Variant(Field()->AsString()) : Variant::FromDateTime(Field()->AsFloat());
    editor->LoadValue(value);
    auto* date = dynamic_cast<TqvInplaceDateEdit*>(editor);
    return Variant(date ? date->Date() : NoDate);
}

Variant TqvDBTreeListDateColumn::WriteEditor(TqvInplaceEdit* editor)
{
    auto* date = dynamic_cast<TqvInplaceDateEdit*>(editor);
    if (!date) return TqvDBTreeListDropDownColumn::WriteEditor(editor);
    if (!Field()) return Variant::Null();
    // Closing with a text that reads as no date at all abandons the change:
    // the field keeps its value, it is never cleared by an unreadable text.
    date->CloseReading();
    if (!date->Modified()) return Field()->Value();
    if (date->Date() == NoDate)
        Field()->Clear();
    else if (Field()->DataType() == ftString)
        Field()->SetText(LongDateText(date->Date()));
    else
        Field()->SetValue(Variant::FromDateTime(date->Date()));
    return Field()->Value();
}

// ---- Lookup

void TqvDBTreeListLookupColumn::PrepareEditor(TqvInplaceEdit* editor) const
{
    TqvDBTreeListDropDownColumn::PrepareEditor(editor);
    auto* lookup = dynamic_cast<TqvInplaceLookupEdit*>(editor);
    if (!lookup) return;
    lookup->SetCanDeleteText(CanDeleteText());
    lookup->SetClearKey(ClearKey());
    lookup->SetDropDownRows(DropDownRows());
    lookup->SetDropDownWidth(DropDownWidth());
    lookup->SetImmediateDropDown(ImmediateDropDown());
    lookup->SetPopupAlignment(popupAlignment(PopupAlignment()));
    TField* field = Field();
    if (field && field->Lookup() && field->LookupDataSet())
        lookup->SetListItems(TqvInplaceLookupEdit::Snapshot(*field->LookupDataSet(), field->LookupKeyFields,
                                                            field->LookupResultField));
    else
        lookup->SetListItems({});
}

namespace {
TField* lookupKeyField(TField* field)
{
    return field && field->Lookup() && field->DataSet() ? field->DataSet()->FindField(field->KeyFields) : nullptr;
}
}  // namespace

Variant TqvDBTreeListLookupColumn::LoadEditor(TqvInplaceEdit* editor) const
{
    auto* lookup = dynamic_cast<TqvInplaceLookupEdit*>(editor);
    TField* key = lookupKeyField(Field());
    if (!lookup || !key || lookup->ListItems().empty()) return TqvDBTreeListDropDownColumn::LoadEditor(editor);
    lookup->LoadValue(key->Value());
    return key->Value();
}

Variant TqvDBTreeListLookupColumn::WriteEditor(TqvInplaceEdit* editor)
{
    auto* lookup = dynamic_cast<TqvInplaceLookupEdit*>(editor);
    TField* key = lookupKeyField(Field());
    if (!lookup || !key || lookup->ListItems().empty()) return TqvDBTreeListDropDownColumn::WriteEditor(editor);
    key->SetValue(lookup->Key());
    return key->Value();
}

// ---- Spin

void TqvDBTreeListSpinColumn::PrepareEditor(TqvInplaceEdit* editor) const
{
    TqvDBTreeListColumn::PrepareEditor(editor);
    if (auto* spin = dynamic_cast<TqvInplaceSpinEdit*>(editor)) {
        spin->SetEditorEnabled(EditorEnabled());
        spin->SetIncrement(Increment());
        spin->SetMinValue(MinValue());
        spin->SetMaxValue(MaxValue());
        spin->SetUseCtrlIncrement(UseCtrlIncrement());
    }
}
