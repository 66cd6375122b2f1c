#include "grid/treelist/TreeListColumn.h"

#include "grid/treelist/TreeListControl.h"

#include <algorithm>
#include <climits>

TqvTreeListColumn::TqvTreeListColumn(TComponent* owner) : TComponent(owner) {}

TqvTreeListColumn::~TqvTreeListColumn() { SetTreeList(nullptr); }

void TqvTreeListColumn::SetTreeList(TCustomqvTreeListControl* treeList)
{
    if (treeList == treeList_) return;
    if (treeList_) treeList_->removeColumn(this);
    if (treeList) treeList->addColumn(this);
}

int TqvTreeListColumn::Index() const { return treeList_ ? treeList_->ColumnIndexOf(this) : -1; }

void TqvTreeListColumn::SetIndex(int index)
{
    if (!treeList_) return;
    index = std::clamp(index, 0, treeList_->ColumnCount() - 1);
    int from = Index();
    if (from != index) treeList_->moveColumn(from, index);
}

TCustomqvTreeList* TqvTreeListColumn::LayoutOwner() const { return treeList_; }

template <class T>
void TqvTreeListColumn::assign(TqvColumnValue which, T& field, T value, T shown, bool layout)
{
    bool stored = IsStored(which);
    if (stored && field == value) return;
    assigned_ |= static_cast<uint8_t>(1u << which);
    field = value;
    if (shown == value) return;
    if (!layout) {
        repaint();
    } else if (treeList_) {
        treeList_->BeginUpdate();
        treeList_->EndUpdate();
    }
}

void TqvTreeListColumn::SetAlignment(TAlignment value) { assign(cvAlignment, alignment_, value, Alignment(), false); }

void TqvTreeListColumn::SetCaption(const AnsiString& value) { assign(cvCaption, caption_, value, Caption(), false); }

void TqvTreeListColumn::SetMaxLength(int value) { assign(cvMaxLength, maxLength_, std::max(0, value), MaxLength(), false); }

void TqvTreeListColumn::SetReadOnly(bool value) { assign(cvReadOnly, readOnly_, value, ReadOnly(), false); }

void TqvTreeListColumn::RestoreDefaults()
{
    if (!assigned_) return;
    bool widthStored = IsStored(cvWidth);
    assigned_ = 0;
    if (widthStored && width_ != DefaultWidth())
        DefaultsChanged();
    else
        repaint();
}

void TqvTreeListColumn::DefaultsChanged()
{
    if (!IsStored(cvWidth) && treeList_) {
        treeList_->BeginUpdate();
        treeList_->EndUpdate();
    } else {
        repaint();
    }
}

TColor TqvTreeListColumn::Color() const
{
    if (colorAssigned_ || !treeList_) return color_;
    return treeList_->Color();
}

void TqvTreeListColumn::SetColor(TColor value)
{
    if (colorAssigned_ && color_ == value) return;
    color_ = value;
    colorAssigned_ = true;
    repaint();
}

const TFont& TqvTreeListColumn::Font() const
{
    if (fontAssigned_ || !treeList_) return font_;
    return treeList_->Font();
}

void TqvTreeListColumn::SetFont(const TFont& font)
{
    if (fontAssigned_ && font_ == font) return;
    font_.Assign(font);
    fontAssigned_ = true;
    repaint();
}

void TqvTreeListColumn::SetHeaderGlyph(const QPixmap& glyph)
{
    headerGlyph_ = glyph;
    repaint();
}

void TqvTreeListColumn::SetMinWidth(int value) { setLayout(minWidth_, std::max(0, value)); }

void TqvTreeListColumn::SetWidth(int value) { assign(cvWidth, width_, std::max(0, value), Width(), true); }

void TqvTreeListColumn::SetBandIndex(int value)
{
    int last = treeList_ ? treeList_->Bands().Count() - 1 : INT_MAX;
    setLayout(bandIndex_, std::clamp(value, -1, std::max(-1, last)));
}

int TqvTreeListColumn::RowIndex() const
{
    if (!treeList_) return rowIndex_;
    return std::clamp(rowIndex_, 0, treeList_->HeaderPanelRowCount() - 1);
}

void TqvTreeListColumn::SetRowIndex(int value)
{
    int last = treeList_ ? treeList_->HeaderPanelRowCount() - 1 : INT_MAX;
    setLayout(rowIndex_, std::clamp(value, 0, last));
}

int TqvTreeListColumn::ColIndex() const
{
    if (!treeList_) return -1;
    int row = RowIndex(), position = 0;
    for (int i = 0; i < treeList_->ColumnCount(); ++i) {
        TqvTreeListColumn* c = treeList_->Columns(i);
        if (c == this) return position;
        if (c->visible_ && c->bandIndex_ == bandIndex_ && c->RowIndex() == row) ++position;
    }
    return -1;
}

void TqvTreeListColumn::SetColIndex(int value)
{
    if (!treeList_ || bandIndex_ < 0 || bandIndex_ >= treeList_->Bands().Count()) return;
    // The other visible columns of the band and row, in list order.
    std::vector<int> peers;
    int row = RowIndex();
    for (int i = 0; i < treeList_->ColumnCount(); ++i) {
        TqvTreeListColumn* c = treeList_->Columns(i);
        if (c != this && c->visible_ && c->bandIndex_ == bandIndex_ && c->RowIndex() == row) peers.push_back(i);
    }
    if (peers.empty()) return;
    int from = Index();
    value = std::clamp(value, 0, static_cast<int>(peers.size()));
    int to;
    if (value < static_cast<int>(peers.size())) {
        int target = peers[static_cast<size_t>(value)];  // goes before this one
        to = target > from ? target - 1 : target;
    } else {
        int last = peers.back();  // goes after this one
        to = last > from ? last : last + 1;
    }
    if (to != from) treeList_->moveColumn(from, to);
}

bool TqvTreeListColumn::IsShown() const
{
    if (!visible_ || !treeList_ || bandIndex_ < 0) return false;
    TqvTreeListBand* band = treeList_->Bands().Items(bandIndex_);
    return band && band->Visible();
}
