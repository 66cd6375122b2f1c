// The column control: columns, bands, header layout and the navigation order.
#include "grid/treelist/TreeListControl.h"

#include "grid/treelist/LayoutProperties.h"
#include "grid/treelist/MouseScroll.h"

#include <QFontMetrics>

#include <algorithm>

TCustomqvTreeListControl::TCustomqvTreeListControl(TComponent* owner, QWidget* parent)
    : TCustomqvTreeList(owner, parent),
      bands_(std::make_unique<TqvTreeListBands>(this)),
      scroller_(std::make_unique<TqvMouseScroller>(*this))
{
    bands_->Add();
    measure();
}

TCustomqvTreeListControl::~TCustomqvTreeListControl()
{
    SetDestroying();
    ClearNodes();
    // Columns owned by the form outlive the control: they only leave its list.
    for (TqvTreeListColumn* column : columns_) column->treeList_ = nullptr;
    columns_.clear();
}

TqvTreeListNode* TCustomqvTreeListControl::CreateNode() { return new TqvTreeListTextNode(this); }

// ---- Columns

TqvTreeListColumn* TCustomqvTreeListControl::Columns(int index) const
{
    if (index < 0 || index >= ColumnCount()) return nullptr;
    return columns_[static_cast<size_t>(index)];
}

int TCustomqvTreeListControl::ColumnIndexOf(const TqvTreeListColumn* column) const
{
    auto it = std::find(columns_.begin(), columns_.end(), column);
    return it == columns_.end() ? -1 : static_cast<int>(it - columns_.begin());
}

TqvTreeListColumn* TCustomqvTreeListControl::CreateColumnObject(TComponent* owner)
{
    return new TqvTreeListColumn(owner);
}

TqvTreeListColumn* TCustomqvTreeListControl::CreateColumn()
{
    TqvTreeListColumn* column = CreateColumnObject(Owner() ? Owner() : this);
    column->SetTreeList(this);
    return column;
}

void TCustomqvTreeListControl::DestroyColumns()
{
    BeginUpdate();
    while (!columns_.empty()) delete columns_.back();
    EndUpdate();
}

void TCustomqvTreeListControl::addColumn(TqvTreeListColumn* column)
{
    BeginUpdate();
    columns_.push_back(column);
    column->treeList_ = this;
    // A text node has no string yet for a column added at the end.
    EndUpdate();
}

void TCustomqvTreeListControl::removeColumn(TqvTreeListColumn* column)
{
    int index = ColumnIndexOf(column);
    if (index < 0) return;
    ColumnRemoving(column);
    BeginUpdate();
    columns_.erase(columns_.begin() + index);
    column->treeList_ = nullptr;
    forEachNode([index](TqvTreeListNode* node) { node->ColumnRemoved(index); });
    EndUpdate();
}

void TCustomqvTreeListControl::moveColumn(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= ColumnCount() || to >= ColumnCount()) return;
    BeginUpdate();
    TqvTreeListColumn* column = columns_[static_cast<size_t>(from)];
    columns_.erase(columns_.begin() + from);
    columns_.insert(columns_.begin() + to, column);
    forEachNode([from, to](TqvTreeListNode* node) { node->ColumnMoved(from, to); });
    EndUpdate();
}

void TCustomqvTreeListControl::forEachNode(const std::function<void(TqvTreeListNode*)>& f)
{
    for (int i = 0; i < Count(); ++i) ForEachNodeInSubtree(Items(i), f);
}

void TCustomqvTreeListControl::bandInserted(int index)
{
    for (TqvTreeListColumn* c : columns_)
        if (c->bandIndex_ >= index) ++c->bandIndex_;
}

void TCustomqvTreeListControl::bandsRemoved(int index)
{
    for (TqvTreeListColumn* c : columns_) {
        if (c->bandIndex_ == index)
            c->bandIndex_ = -1;
        else if (c->bandIndex_ > index)
            --c->bandIndex_;
    }
}

void TCustomqvTreeListControl::bandMoved(int from, int to)
{
    for (TqvTreeListColumn* c : columns_) {
        int& b = c->bandIndex_;
        if (b == from)
            b = to;
        else if (from < to && b > from && b <= to)
            --b;
        else if (from > to && b >= to && b < from)
            ++b;
    }
}

// ---- Navigation order

int TCustomqvTreeListControl::ShownColumnCount() const
{
    return static_cast<int>(std::count_if(columns_.begin(), columns_.end(), [](auto* c) { return c->IsShown(); }));
}

std::vector<TqvTreeListColumn*> TCustomqvTreeListControl::NavigationOrder() const
{
    std::vector<TqvTreeListColumn*> order;
    std::vector<TqvTreeListBand*> bands = bands_->VisibleBands();
    for (int row = 0; row < headerPanelRowCount_; ++row)
        for (TqvTreeListBand* band : bands) {
            int b = band->Index();
            for (TqvTreeListColumn* c : columns_)
                if (c->Visible() && c->BandIndex() == b && c->RowIndex() == row) order.push_back(c);
        }
    return order;
}

TqvTreeListColumn* TCustomqvTreeListControl::NavigationColumn(int position) const
{
    auto order = NavigationOrder();
    if (position < 0 || position >= static_cast<int>(order.size())) return nullptr;
    return order[static_cast<size_t>(position)];
}

int TCustomqvTreeListControl::ColumnIndexFromNavigation(int position) const
{
    TqvTreeListColumn* column = NavigationColumn(position);
    return column ? ColumnIndexOf(column) : -1;
}

int TCustomqvTreeListControl::NavigationFromColumnIndex(int index) const
{
    TqvTreeListColumn* column = Columns(index);
    auto order = NavigationOrder();
    auto it = std::find(order.begin(), order.end(), column);
    return column && it != order.end() ? static_cast<int>(it - order.begin()) : 0;
}

// ---- Header layout

namespace {
// A row limit that also lowers the row count above it.
void setMaxRows(TCustomqvTreeList& list, int& max, int& count, int value)
{
    value = std::max(1, value);
    if (value == max) return;
    list.BeginUpdate();
    max = value;
    count = std::min(count, value);
    list.EndUpdate();
}
}  // namespace

void TCustomqvTreeListControl::SetBandRowCount(int value)
{
    SetAndLayOut(*this, bandRowCount_, std::clamp(value, 1, bandMaxRowCount_));
}

void TCustomqvTreeListControl::SetBandMaxRowCount(int value)
{
    setMaxRows(*this, bandMaxRowCount_, bandRowCount_, value);
}

void TCustomqvTreeListControl::SetHeaderPanelRowCount(int value)
{
    SetAndLayOut(*this, headerPanelRowCount_, std::clamp(value, 1, headerPanelMaxRowCount_));
}

void TCustomqvTreeListControl::SetHeaderPanelMaxRowCount(int value)
{
    setMaxRows(*this, headerPanelMaxRowCount_, headerPanelRowCount_, value);
}

void TCustomqvTreeListControl::SetHeaderMinRowCount(int value)
{
    SetAndLayOut(*this, headerMinRowCount_, std::max(1, value));
}

void TCustomqvTreeListControl::SetDefaultLayout(bool value) { SetAndLayOut(*this, defaultLayout_, value); }

AnsiString TCustomqvTreeListControl::GetCellText(const TqvTreeListNode* node, const TqvTreeListColumn* column) const
{
    auto* text = dynamic_cast<const TqvTreeListTextNode*>(node);
    return text && column ? text->Strings(column->Index()) : AnsiString();
}
