#include "grid/editors/InplacePickEdit.h"

#include "runtime/Application.h"

#include <QEvent>
#include <QLineEdit>

#include <algorithm>

TqvInplacePickEdit::TqvInplacePickEdit(TCustomqvContainer* container) : TqvInplaceLookupEdit(container)
{
    SetImmediateDropDown(true);
    SetEditButtons({MakeEditButton(ebsGlyph, DropDownGlyph())});
}

void TqvInplacePickEdit::SetItems(std::vector<AnsiString> items)
{
    items_ = std::move(items);
    listChanged();
}

void TqvInplacePickEdit::SetItemsSorted(bool value)
{
    if (value == sorted_) return;
    sorted_ = value;
    listChanged();
}

void TqvInplacePickEdit::listChanged()
{
    if (sorted_)
        std::stable_sort(items_.begin(), items_.end(),
                         [](const AnsiString& a, const AnsiString& b) { return CompareText(a, b) < 0; });
    std::vector<TqvLookupItem> pairs;
    pairs.reserve(items_.size());
    for (const AnsiString& item : items_) pairs.push_back({Variant(item), item});
    SetListItems(std::move(pairs));
}

void TqvInplacePickEdit::LoadValue(const Variant& value)
{
    TqvInplaceLookupEdit::LoadValue(value.IsEmptyOrNull() ? Variant::Null() : Variant(value.AsString()));
    if (Text().empty() && !value.IsEmptyOrNull()) {
        AssigningText assigning(this);
        SetText(value.AsString());
    }
}

void TqvInplacePickEdit::KeyPress(char32_t& character)
{
    if (FixedList()) {
        TqvInplaceLookupEdit::KeyPress(character);
        return;
    }
    TqvInplaceDropDownEdit::KeyPress(character);  // typed as in a text editor
    // Then the list completes what stands before the caret.
    AnsiString typed = QStringToAnsi(LineEdit()->text().left(LineEdit()->cursorPosition()));
    if (items_.empty() || typed.empty() || LineEdit()->cursorPosition() != LineEdit()->text().size()) return;
    int found = find(typed);
    if (found < 0) return;
    if (ImmediateDropDown() && !DroppedDown()) DropDown();
    choose(found, typed.size());
}

void TqvInplacePickEdit::KeyDown(Word& key, TShiftState shift)
{
    if (FixedList())
        TqvInplaceLookupEdit::KeyDown(key, shift);
    else
        TqvInplaceDropDownEdit::KeyDown(key, shift);
}

void TqvInplacePickEdit::NextItem()
{
    if (items_.empty() || !CanModify()) return;
    auto at = std::find(items_.begin(), items_.end(), Text());
    size_t next = at == items_.end() ? 0 : static_cast<size_t>(at - items_.begin()) + 1;
    if (next >= items_.size()) {
        if (!revertable_) return;
        next = 0;
    }
    choose(static_cast<int>(next), 0);
    SelectAll();
}

bool TqvInplacePickEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == LineEdit() && event->type() == QEvent::MouseButtonDblClick) {
        Guard([&] { NextItem(); });
        return true;
    }
    return TqvInplaceLookupEdit::eventFilter(watched, event);
}
