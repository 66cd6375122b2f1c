#include "grid/editors/InplaceMRUEdit.h"

#include <algorithm>

TqvInplaceMRUEdit::TqvInplaceMRUEdit(TCustomqvContainer* container) : TqvInplacePickEdit(container)
{
    SetImmediateDropDown(false);
    SetShowEllipsis(true);
}

void TqvInplaceMRUEdit::SetMaxItemCount(int value)
{
    maxItemCount_ = std::max(0, value);
    if (static_cast<int>(Items().size()) > maxItemCount_)
        SetItems(std::vector<AnsiString>(Items().begin(), Items().begin() + maxItemCount_));
}

void TqvInplaceMRUEdit::SetShowEllipsis(bool value)
{
    showEllipsis_ = value;
    // The ellipsis is the outer button, the drop-down button beside it.
    std::vector<TqvEditButton> buttons;
    if (value) buttons.push_back(MakeEditButton(ebsEllipsis));
    buttons.push_back(MakeEditButton(ebsGlyph, DropDownGlyph()));
    SetEditButtons(std::move(buttons));
}

void TqvInplaceMRUEdit::AddMRUItem(const AnsiString& value)
{
    if (value.empty() || maxItemCount_ == 0) return;
    std::vector<AnsiString> items = Items();
    items.erase(std::remove(items.begin(), items.end(), value), items.end());
    items.insert(items.begin(), value);
    if (static_cast<int>(items.size()) > maxItemCount_) items.resize(static_cast<size_t>(maxItemCount_));
    SetItems(std::move(items));
}

void TqvInplaceMRUEdit::ButtonClick(int index)
{
    if (showEllipsis_ && index == 0) {
        if (OnButtonClick) OnButtonClick(this);
        return;
    }
    TqvInplacePickEdit::ButtonClick(index);
}
