// How the date, lookup, pick, MRU, image, calc, blob and spin columns feed their
// editors and write back. The date, lookup and spin editor classes are
// registered here, with the columns that use them.
#include "grid/DBColumnKinds.h"
#include "grid/editors/DropDownEditors.h"
#include "grid/editors/EditorRegistry.h"
#include "grid/editors/KindEditors.h"
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
    date->SetPopupBorder(PopupBorder());
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
    lookup->SetPopupBorder(PopupBorder());
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

// ---- Pick and MRU

void TqvDBTreeListPickColumn::PrepareEditor(TqvInplaceEdit* editor) const
{
    TqvDBTreeListDropDownColumn::PrepareEditor(editor);
    auto* pick = dynamic_cast<TqvInplacePickEdit*>(editor);
    if (!pick) return;
    pick->SetItemsSorted(ItemsSorted());
    pick->SetItems(Items());
    pick->SetDropDownListStyle(DropDownListStyle());
    pick->SetDropDownRows(DropDownRows());
    pick->SetDropDownWidth(DropDownWidth());
    pick->SetImmediateDropDown(ImmediateDropDown());
    pick->SetCanDeleteText(CanDeleteText());
    pick->SetPopupAlignment(popupAlignment(PopupAlignment()));
    pick->SetPopupBorder(PopupBorder());
    pick->SetRevertable(Revertable());
}

void TqvDBTreeListMRUColumn::PrepareEditor(TqvInplaceEdit* editor) const
{
    TqvDBTreeListPickColumn::PrepareEditor(editor);
    auto* mru = dynamic_cast<TqvInplaceMRUEdit*>(editor);
    if (!mru) return;
    mru->SetItemsSorted(false);  // newest first
    mru->SetMaxItemCount(MaxItemCount());
    mru->SetShowEllipsis(ShowEllipsis());
    mru->OnButtonClick = nullptr;
    if (OnButtonClick) mru->OnButtonClick = [this](TqvInplaceEdit*) { OnButtonClick(const_cast<TqvDBTreeListMRUColumn*>(this)); };
}

Variant TqvDBTreeListMRUColumn::WriteEditor(TqvInplaceEdit* editor)
{
    Variant written = TqvDBTreeListPickColumn::WriteEditor(editor);
    if (auto* mru = dynamic_cast<TqvInplaceMRUEdit*>(editor); mru && mru->Modified()) {
        mru->AddMRUItem(mru->Text());
        SetItems(mru->Items());
    }
    return written;
}

// ---- Image

void TqvDBTreeListImageColumn::PrepareEditor(TqvInplaceEdit* editor) const
{
    TqvDBTreeListDropDownColumn::PrepareEditor(editor);
    auto* image = dynamic_cast<TqvInplaceImageEdit*>(editor);
    if (!image) return;
    image->SetValues(Values());
    image->SetDescriptions(Descriptions());
    image->SetImageIndexes(ImageIndexes());
    image->SetImages(Images());
    image->SetShowDescription(ShowDescription());
    image->SetDropDownRows(DropDownRows());
    image->SetDropDownWidth(DropDownWidth());
    image->SetPopupAlignment(popupAlignment(PopupAlignment()));
    image->SetPopupBorder(PopupBorder());
}

// ---- Calc

void TqvDBTreeListCalcColumn::PrepareEditor(TqvInplaceEdit* editor) const
{
    TqvDBTreeListDropDownColumn::PrepareEditor(editor);
    auto* calc = dynamic_cast<TqvInplaceCalcEdit*>(editor);
    if (!calc) return;
    calc->SetBeepOnError(BeepOnError());
    calc->SetPrecision(Precision());
    calc->SetQuickClose(QuickClose());
    calc->SetPopupAlignment(popupAlignment(PopupAlignment()));
    calc->SetPopupBorder(PopupBorder());
}

// ---- Blob

void TqvDBTreeListBlobColumn::PrepareEditor(TqvInplaceEdit* editor) const
{
    TqvDBTreeListDropDownColumn::PrepareEditor(editor);
    auto* blob = dynamic_cast<TqvInplaceBlobEdit*>(editor);
    if (!blob) return;
    blob->SetBlobPaintStyle(BlobPaintStyle() == bpsText ? bpsText : bpsIcon);
    blob->SetPopupWidth(PopupWidth());
    blob->SetPopupHeight(PopupHeight());
    blob->SetSizeablePopup(SizeablePopup());
    blob->SetImmediatePopup(ImmediatePopup());
    blob->SetMemoWantReturns(MemoWantReturns());
    blob->SetMemoWordWrap(MemoWordWrap());
    blob->SetMemoScrollBars(MemoScrollBars());
    blob->SetMemoMaxLength(MemoMaxLength());
    blob->SetPopupBorder(PopupBorder());
}

Variant TqvDBTreeListBlobColumn::LoadEditor(TqvInplaceEdit* editor) const
{
    editor->LoadValue(Field() ? Variant(Field()->AsString()) : Variant(AnsiString()));
    return Variant(editor->Text());
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
