// How each column kind feeds its in-place editor before a turn
// (PrepareEditor), loads it from the field (LoadEditor) and writes the
// editor's value back (WriteEditor). One section per kind, in the order of
// DBColumnKinds.h; a kind without a section edits as the kind it derives from.
// The grid has the dataset reading the edited node's record while these run.
#include "grid/columns/DBColumnKinds.h"
#include "grid/editors/EditorRegistry.h"
#include "runtime/db/DataSet.h"
#include "runtime/db/Field.h"
#include "runtime/FormatSettings.h"

namespace {
TqvPopupAlignment popupAlignment(TAlignment a)
{
    return a == taRightJustify ? TqvPopupAlignment::Right : a == taCenter ? TqvPopupAlignment::Center : TqvPopupAlignment::Left;
}

// The key field a lookup field is written through; null for any other field.
TField* lookupKeyField(TField* field)
{
    return field && field->Lookup() && field->DataSet() ? field->DataSet()->FindField(field->KeyFields) : nullptr;
}

// The editor's value goes into the field as text (the field converts it and
// reports what it cannot read); no value clears the field.
Variant writeEditingText(TField* field, TqvInplaceEdit* editor)
{
    if (!field) return Variant::Null();
    Variant value = editor->EditingValue();
    if (value.IsNull())
        field->Clear();
    else
        field->SetText(value.AsString());
    return field->Value();
}
}  // namespace

// ---- The field column

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

// ---- Mask

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

// ---- Currency

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

// ---- Button

void TqvDBTreeListButtonColumn::PrepareEditor(TqvInplaceEdit* editor) const
{
    TqvDBTreeListDropDownColumn::PrepareEditor(editor);
    auto* button = dynamic_cast<TqvInplaceButtonEdit*>(editor);
    if (!button) return;
    std::vector<TqvEditButton> buttons = Buttons();
    // Buttons that take their look from the column.
    for (TqvEditButton& b : buttons)
        if (b.Kind == ebsGlyph && b.Glyph.isNull()) b.Glyph = Glyph();
    button->SetEditButtons(std::move(buttons));
    button->SetButtonOnly(ButtonOnly());
    button->SetHideEditCursor(HideEditCursor());
    button->SetClickKey(ClickKey());
    button->OnButtonClick = nullptr;
    if (OnButtonClick)
        button->OnButtonClick = [this](TqvInplaceEdit*, int index) {
            OnButtonClick(const_cast<TqvDBTreeListButtonColumn*>(this), index);
        };
}

// ---- Check

void TqvDBTreeListCheckColumn::PrepareEditor(TqvInplaceEdit* editor) const
{
    TqvDBTreeListColumn::PrepareEditor(editor);
    auto* check = dynamic_cast<TqvInplaceCheckEdit*>(editor);
    if (!check) return;
    check->SetAlignment(BoxAlignment());
    check->SetValueChecked(ValueChecked());
    check->SetValueUnchecked(ValueUnchecked());
    check->SetValueGrayed(ValueGrayed());
    check->SetAllowGrayed(AllowGrayed());
    check->SetShowNullFieldStyle(ShowNullFieldStyle());
    check->OnToggleClick = nullptr;
    if (OnToggleClick)
        check->OnToggleClick = [this](TqvInplaceEdit*) { OnToggleClick(const_cast<TqvDBTreeListCheckColumn*>(this)); };
}

Variant TqvDBTreeListCheckColumn::LoadEditor(TqvInplaceEdit* editor) const
{
    Variant value = !Field() || Field()->IsNull() ? Variant::Null() : Variant(Field()->Text());
    editor->LoadValue(value);
    return value;
}

Variant TqvDBTreeListCheckColumn::WriteEditor(TqvInplaceEdit* editor)
{
    return writeEditingText(Field(), editor);
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

// ---- Pick

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

// ---- HyperLink

void TqvDBTreeListHyperLinkColumn::PrepareEditor(TqvInplaceEdit* editor) const
{
    TqvDBTreeListColumn::PrepareEditor(editor);
    auto* link = dynamic_cast<TqvInplaceHyperLinkEdit*>(editor);
    if (!link) return;
    link->SetEditBackgroundColor(EditBackgroundColor());
    link->SetEditFontColor(EditFontColor());
    link->SetSingleClick(SingleClick());
    link->SetStartKey(StartKey());
    link->OnStartClick = nullptr;
    if (OnStartClick)
        link->OnStartClick = [this](TqvInplaceEdit*) { OnStartClick(const_cast<TqvDBTreeListHyperLinkColumn*>(this)); };
}

// ---- Time

void TqvDBTreeListTimeColumn::PrepareEditor(TqvInplaceEdit* editor) const
{
    TqvDBTreeListColumn::PrepareEditor(editor);
    if (auto* time = dynamic_cast<TqvInplaceTimeEdit*>(editor)) {
        time->SetMaxLength(0);  // the mask decides the length
        time->SetTimeEditFormat(TimeEditFormat());
        time->SetUseCtrlIncrement(UseCtrlIncrement());
    }
}

Variant TqvDBTreeListTimeColumn::LoadEditor(TqvInplaceEdit* editor) const
{
    TField* field = Field();
    Variant value = Variant::Null();
    if (field && !field->IsNull()) {
        bool temporal = field->DataType() == ftTime || field->DataType() == ftDateTime || field->DataType() == ftDate;
        value = temporal ? Variant::FromDateTime(field->AsFloat()) : Variant(field->AsString());
    }
    editor->LoadValue(value);
    return value;
}

Variant TqvDBTreeListTimeColumn::WriteEditor(TqvInplaceEdit* editor)
{
    return writeEditingText(Field(), editor);
}

// ---- Memo

void TqvDBTreeListMemoColumn::PrepareEditor(TqvInplaceEdit* editor) const
{
    TqvDBTreeListColumn::PrepareEditor(editor);
    if (auto* memo = dynamic_cast<TqvInplaceMemoEdit*>(editor)) {
        memo->SetWantReturns(WantReturns());
        memo->SetWantTabs(WantTabs());
        memo->SetWordWrap(WordWrap());
        memo->SetScrollBars(ScrollBars());
        memo->SetHideScrollBars(HideScrollBars());
        memo->SetSelectionBar(SelectionBar());
    }
}

Variant TqvDBTreeListMemoColumn::LoadEditor(TqvInplaceEdit* editor) const
{
    editor->LoadValue(Field() ? Variant(Field()->AsString()) : Variant(AnsiString()));
    return Variant(editor->Text());
}

// ---- Graphic

void TqvDBTreeListGraphicColumn::PrepareEditor(TqvInplaceEdit* editor) const
{
    TqvDBTreeListColumn::PrepareEditor(editor);
    if (auto* graphic = dynamic_cast<TqvInplaceGraphicEdit*>(editor)) {
        graphic->SetCenter(Center());
        graphic->SetStretch(Stretch());
        graphic->SetPopupToolBar(PopupToolBar());
    }
}

Variant TqvDBTreeListGraphicColumn::LoadEditor(TqvInplaceEdit* editor) const
{
    Variant value = !Field() || Field()->IsNull() ? Variant::Null() : Variant(Field()->AsString());
    editor->LoadValue(value);
    return value;
}

Variant TqvDBTreeListGraphicColumn::WriteEditor(TqvInplaceEdit* editor)
{
    if (!Field()) return Variant::Null();
    Variant value = editor->EditingValue();
    if (value.IsNull())
        Field()->Clear();
    else
        Field()->SetValue(value);
    return Field()->Value();
}

// ---- MRU

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
