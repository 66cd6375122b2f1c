// How the check, button, hyperlink, time, memo and graphic columns feed their
// editors and write back. The editor classes are listed in the registry.
#include "grid/DBColumnKinds.h"
#include "grid/editors/KindEditors.h"
#include "runtime/db/Field.h"

namespace {
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

AnsiString TqvDBTreeListGraphicColumn::KindText() const { return Field() ? Field()->AsString() : AnsiString(); }
