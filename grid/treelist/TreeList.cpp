// The tree list: focus, flags, updates, selection, scrolling and its keys.
#include "grid/treelist/TreeList.h"

#include "grid/treelist/AbsoluteIndexCache.h"
#include "grid/treelist/ScrollBars.h"

#include <algorithm>

TCustomqvTreeList::TCustomqvTreeList(TComponent* owner, QWidget* parent)
    : TCustomqvContainer(owner, parent),
      cache_(std::make_unique<TqvAbsoluteIndexCache>()),
      scrollBars_(std::make_unique<TqvTreeListScrollBars>(
          *this, [this](int position) { ScrollVerticalTo(position); },
          [this](int position) { ScrollHorizontalTo(position); }))
{
}

TCustomqvTreeList::~TCustomqvTreeList()
{
    SetDestroying();
    ClearNodes();
}

// ---- Focus

int TCustomqvTreeList::FocusedColumn() const
{
    if (IsRowSelect()) return 0;
    if (focusedColumn_ >= 0 && focusedColumn_ < ShownColumnCount()) return focusedColumn_;
    return 0;
}

void TCustomqvTreeList::SetFocusedColumn(int position)
{
    if (position == focusedColumn_ || position < 0 || position >= ShownColumnCount()) return;
    FocusChange(focused_, position, false);
}

void TCustomqvTreeList::SetFocusedNode(TqvTreeListNode* node) { FocusChange(node, focusedColumn_, true); }

void TCustomqvTreeList::SetFocusedAbsoluteIndex(int index)
{
    if (IsEmpty()) return;
    index = std::clamp(index, 0, AbsoluteCount() - 1);
    if (index != FocusedAbsoluteIndex()) FocusChange(GetNodeAtAbsoluteIndex(index), focusedColumn_, true);
}

void TCustomqvTreeList::FocusChange(TqvTreeListNode* node, int column, bool makeVisible)
{
    if (!node || node->owner_ != this || node->deleting_) return;
    CloseEditor();
    TqvTreeListNode* oldNode = focused_;
    int oldColumn = FocusedColumn();
    if (lockCount_ > 0) {
        focused_ = node;
        focusedColumn_ = column;
    } else if (node != focused_ || (!IsRowSelect() && column != FocusedColumn())) {
        if (node != focused_ || IsRowSelect()) {
            if (!IsRowSelect()) focusedColumn_ = column;
            MakeColumnVisible(FocusedColumn());
            InvalidateNode(focused_);
            focused_ = node;
            InvalidateNode(focused_);
        } else {
            MakeColumnVisible(column);
            InvalidateCell(focused_, FocusedColumn());
            InvalidateCell(focused_, column);
            focusedColumn_ = column;
        }
    }
    if (makeVisible) MakeNodeVisible(focused_);
    int newColumn = FocusedColumn();
    if (focused_ != oldNode || newColumn != oldColumn) EndIncrementalSearch();
    if (focused_ != oldNode && OnChangeNode) OnChangeNode(this, oldNode, focused_);
    if (newColumn != oldColumn && OnChangeColumn) OnChangeColumn(this, focused_, newColumn);
}

// ---- Flags

void TCustomqvTreeList::SetOptions(TqvTreeListOptions options)
{
    if (options.Contains(tloRowSelect) && options.Contains(tloInvertSelect)) options = options.Without(tloRowSelect);
    if (options == options_) return;
    CloseEditor();
    TqvTreeListOptions old = options_;
    auto switchedOn = [&](TqvTreeListOption f) { return !old.Contains(f) && options.Contains(f); };
    auto switchedOff = [&](TqvTreeListOption f) { return old.Contains(f) && !options.Contains(f); };
    BeginUpdate();
    try {
        options_ = options;
        if (switchedOn(tloAutoSort) || switchedOff(tloMultiSort) || old.Contains(tloAnsiSort) != options.Contains(tloAnsiSort))
            RefreshSorting();
        if (switchedOff(tloAutoWidth) && options.Contains(tloKeepColumnWidth)) FitWidths();
        if (switchedOff(tloAutoSearch)) EndIncrementalSearch();
        // The header height (AutoHeaderPanelHeight) and the rest of the
        // layout follow in the layout pass of EndUpdate.
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCustomqvTreeList::SetOption(TqvTreeListOption option, bool on)
{
    TqvTreeListOptions options = options_.Set(option, on);
    if (on && option == tloRowSelect) options = options.Without(tloInvertSelect);
    if (on && option == tloInvertSelect) options = options.Without(tloRowSelect);
    SetOptions(options);
}

// ---- Updates

void TCustomqvTreeList::BeginUpdate()
{
    ++lockCount_;
    CancelEditor();
    BeginSelection();
}

void TCustomqvTreeList::EndUpdate()
{
    if (lockCount_ > 0) --lockCount_;
    if (lockCount_ == 0) LayoutChanged();
    EndSelection();
}

void TCustomqvTreeList::LayoutChanged()
{
    if (IsLayoutLocked() || Destroying()) return;
    if (!cache_->Built()) cache_->Build(roots_);
    normalizeTop();
    if (TqvTreeListNode* node = pendingVisible_) {
        pendingVisible_ = nullptr;
        scrollTo(node);
    }
    SetLeftCoord(leftCoord_);
    update();
    UpdateScrollBars();
}

// ---- Selection

TqvTreeListNode* TCustomqvTreeList::SelectedNodes(int index) const
{
    if (index < 0 || index >= SelectedCount()) return nullptr;
    return selected_[static_cast<size_t>(index)];
}

bool TCustomqvTreeList::IsNodeSelected(const TqvTreeListNode* node) const
{
    return std::find(selected_.begin(), selected_.end(), node) != selected_.end();
}

void TCustomqvTreeList::SelectNode(TqvTreeListNode* node, bool select)
{
    if (!node || node->owner_ != this || node->deleting_) return;
    auto it = std::find(selected_.begin(), selected_.end(), node);
    if (select == (it != selected_.end())) return;
    if (select) {
        bool allow = true;
        if (OnCanNodeSelected) OnCanNodeSelected(this, node, allow);
        if (!allow) return;
        selected_.push_back(node);
    } else {
        selected_.erase(it);
    }
    InvalidateNode(node);
    selectionChanged();
}

void TCustomqvTreeList::ClearSelection()
{
    if (selected_.empty()) return;
    BeginSelection();
    for (TqvTreeListNode* node : selected_) InvalidateNode(node);
    selected_.clear();
    EndSelection();
}

void TCustomqvTreeList::BeginSelection()
{
    if (selectionLock_++ == 0) selectedAtLock_ = SelectedCount();
}

void TCustomqvTreeList::EndSelection()
{
    if (selectionLock_ == 0) return;
    if (--selectionLock_ == 0 && SelectedCount() != selectedAtLock_ && OnSelectedCountChange)
        OnSelectedCountChange(this);
}

void TCustomqvTreeList::selectionChanged()
{
    if (selectionLock_ == 0 && OnSelectedCountChange) OnSelectedCountChange(this);
}

// ---- Scrolling

int TCustomqvTreeList::VisibleRowCount() const
{
    return std::max(1, (DataBottom() - DataTop()) / std::max(1, RowHeight()));
}

void TCustomqvTreeList::SetTopVisibleNode(TqvTreeListNode* node)
{
    if (!node || node->owner_ != this || node->deleting_) return;
    int index = GetAbsoluteIndex(node);
    if (index < 0) return;
    int last = std::max(0, AbsoluteCount() - VisibleRowCount());
    if (index > last) node = GetNodeAtAbsoluteIndex(last);
    if (node == top_) return;
    top_ = node;
    update();
    UpdateScrollBars();
    if (OnChangeTopVisibleNode) OnChangeTopVisibleNode(this);
}

// Keeps the first visible row on a shown node and the last page full.
void TCustomqvTreeList::normalizeTop()
{
    TqvTreeListNode* top = top_;
    if (roots_.empty()) {
        top = nullptr;
    } else {
        if (!top) top = roots_.front();
        for (auto* p = top->parent_; p; p = p->parent_)
            if (!p->expanded_) top = p;
        int last = std::max(0, AbsoluteCount() - VisibleRowCount());
        if (GetAbsoluteIndex(top) > last) top = GetNodeAtAbsoluteIndex(last);
    }
    if (top == top_) return;
    top_ = top;
    if (OnChangeTopVisibleNode) OnChangeTopVisibleNode(this);
}

void TCustomqvTreeList::MakeNodeVisible(TqvTreeListNode* node)
{
    if (!node || node->owner_ != this || node->deleting_) return;
    std::vector<TqvTreeListNode*> collapsed;
    for (auto* p = node->parent_; p; p = p->parent_)
        if (!p->expanded_) collapsed.push_back(p);
    for (auto it = collapsed.rbegin(); it != collapsed.rend(); ++it) {
        ExpandNode(*it);
        if (!(*it)->expanded_) return;
    }
    if (IsLayoutLocked())
        pendingVisible_ = node;
    else
        scrollTo(node);
}

void TCustomqvTreeList::scrollTo(TqvTreeListNode* node)
{
    int index = GetAbsoluteIndex(node);
    if (index < 0) return;
    int top = top_ ? GetAbsoluteIndex(top_) : -1;
    int rows = VisibleRowCount();
    if (top < 0 || index < top)
        SetTopVisibleNode(node);
    else if (index >= top + rows)
        SetTopVisibleNode(GetNodeAtAbsoluteIndex(index - rows + 1));
}

void TCustomqvTreeList::SetLeftCoord(int value)
{
    value = std::clamp(value, 0, std::max(0, MaxLeftCoord()));
    if (value == leftCoord_) return;
    leftCoord_ = value;
    update();
    UpdateScrollBars();
    if (OnChangeLeftCoord) OnChangeLeftCoord(this);
}

// ---- Scroll bars

TScrollStyle TCustomqvTreeList::ScrollBars() const { return scrollBars_->Style(); }

void TCustomqvTreeList::SetScrollBars(TScrollStyle style)
{
    if (style == scrollBars_->Style()) return;
    // The client area changes under an open editor.
    CloseEditor();
    scrollBars_->SetStyle(style);
    LayoutChanged();
}

QScrollBar* TCustomqvTreeList::VerticalScrollBar() const { return scrollBars_->Vertical(); }

QScrollBar* TCustomqvTreeList::HorizontalScrollBar() const { return scrollBars_->Horizontal(); }

int TCustomqvTreeList::ClientWidth() const { return std::max(0, width() - scrollBars_->VerticalWidth()); }

int TCustomqvTreeList::ClientHeight() const { return std::max(0, height() - scrollBars_->HorizontalHeight()); }

TqvScrollRange TCustomqvTreeList::VerticalScrollRange()
{
    int rows = VisibleRowCount();
    int top = top_ ? GetAbsoluteIndex(top_) : 0;
    return {std::max(0, top), std::max(0, AbsoluteCount() - rows), rows};
}

TqvScrollRange TCustomqvTreeList::HorizontalScrollRange() const
{
    return {leftCoord_, std::max(0, MaxLeftCoord()), std::max(1, ClientWidth())};
}

void TCustomqvTreeList::UpdateScrollBars()
{
    if (updatingBars_ || IsLayoutLocked() || Destroying()) return;
    updatingBars_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{updatingBars_};
    if (scrollBars_->Show(VerticalScrollRange(), HorizontalScrollRange())) {
        // A bar came or went: the rows and columns have another area to fill.
        LayoutChanged();
        scrollBars_->Show(VerticalScrollRange(), HorizontalScrollRange());
    }
}

void TCustomqvTreeList::ScrollRows(int lines)
{
    if (lines) ScrollVerticalTo(VerticalScrollRange().position + lines);
}

void TCustomqvTreeList::ScrollVerticalTo(int position)
{
    if (IsEmpty()) {
        UpdateScrollBars();
        return;
    }
    TqvTreeListNode* node = GetNodeAtAbsoluteIndex(std::clamp(position, 0, VerticalScrollRange().max));
    if (node && node != top_) {
        CloseEditor();
        SetTopVisibleNode(node);
    }
    UpdateScrollBars();
}

void TCustomqvTreeList::ScrollHorizontalTo(int leftCoord)
{
    if (std::clamp(leftCoord, 0, std::max(0, MaxLeftCoord())) != leftCoord_) {
        CloseEditor();
        SetLeftCoord(leftCoord);
    }
    UpdateScrollBars();
}

QRect TCustomqvTreeList::NodeRect(const TqvTreeListNode* node) const
{
    if (!node || IsLayoutLocked()) return {};
    int index = GetAbsoluteIndex(node);
    int top = top_ ? GetAbsoluteIndex(top_) : 0;
    if (index < 0 || index < top) return {};
    int y = DataTop() + (index - top) * RowHeight();
    if (y >= DataBottom()) return {};
    return {0, y, ClientWidth(), RowHeight()};
}

void TCustomqvTreeList::InvalidateNode(const TqvTreeListNode* node)
{
    if (!node || IsLayoutLocked() || !isVisible()) return;
    QRect r = NodeRect(node);
    if (!r.isEmpty()) update(r);
}

void TCustomqvTreeList::InvalidateCell(const TqvTreeListNode* node, int position)
{
    if (!node || IsLayoutLocked() || !isVisible()) return;
    QRect r = CellRect(node, position);
    if (!r.isEmpty()) update(r);
}

TqvTreeListNode* TCustomqvTreeList::NodeAtY(int y) const
{
    if (y < DataTop() || IsEmpty()) return nullptr;
    int top = top_ ? GetAbsoluteIndex(top_) : 0;
    return GetNodeAtAbsoluteIndex(std::max(0, top) + (y - DataTop()) / std::max(1, RowHeight()));
}

void TCustomqvTreeList::MouseWheelScroll(int lines) { ScrollRows(-lines); }

void TCustomqvTreeList::MouseWheelScrollHorizontal(int lines)
{
    // A wheel line sideways is about a narrow column's width.
    ScrollHorizontalTo(leftCoord_ - lines * 3 * std::max(1, RowHeight()));
}

void TCustomqvTreeList::Resize() { LayoutChanged(); }

// ---- Keys

void TCustomqvTreeList::KeyDown(Word& key, TShiftState shift)
{
    if (OnKeyDown) OnKeyDown(this, key, shift);
    if (key) HandleKeyDown(key, shift);
    InvalidateNode(focused_);
}

void TCustomqvTreeList::KeyPress(char32_t& character)
{
    if (OnKeyPress) OnKeyPress(this, character);
    if (character) HandleKeyPress(character);
}

void TCustomqvTreeList::MoveFocusBy(int rows)
{
    int index = FocusedAbsoluteIndex();
    int target = index < 0 ? 0 : std::clamp(index + rows, 0, AbsoluteCount() - 1);
    if (target != index) FocusChange(GetNodeAtAbsoluteIndex(target), focusedColumn_, true);
}

void TCustomqvTreeList::HandleKeyDown(Word& key, TShiftState shift)
{
    if (IsEscapeOnlyState(state_)) {
        if (key == VK_ESCAPE) CancelMouseOperation();
        return;
    }
    if (IsEmpty()) return;
    int columns = ShownColumnCount();
    int column = FocusedColumn();
    switch (key) {
    case VK_UP:
        MoveFocusBy(-1);
        break;
    case VK_DOWN:
        MoveFocusBy(1);
        break;
    case VK_PRIOR:
    case VK_NEXT: {
        int rows = VisibleRowCount();
        int top = top_ ? GetAbsoluteIndex(top_) : 0;
        int last = std::min(top + rows - 1, AbsoluteCount() - 1);
        int index = FocusedAbsoluteIndex();
        bool inside = index > top && index < last;
        int step = rows < 2 ? 1 : rows - 1;
        if (key == VK_PRIOR)
            inside ? MoveFocusBy(top - index) : MoveFocusBy(-step);
        else
            inside ? MoveFocusBy(last - index) : MoveFocusBy(step);
        break;
    }
    case VK_HOME:
    case VK_END:
        if ((shift & (ssCtrl | ssShift)) || IsRowSelect() || columns == 0)
            MoveFocusBy(key == VK_HOME ? -AbsoluteCount() : AbsoluteCount());
        else if (focused_)
            FocusChange(focused_, key == VK_HOME ? 0 : columns - 1, true);
        break;
    case VK_LEFT:
    case VK_RIGHT: {
        if (!focused_) {
            MoveFocusBy(0);
            break;
        }
        bool left = key == VK_LEFT;
        if (IsRowSelect()) {
            if (left && focused_->expanded_ && focused_->Count() > 0)
                CollapseNode(focused_);
            else if (left && focused_->parent_)
                FocusChange(focused_->parent_, focusedColumn_, true);
            else if (!left && focused_->HasChildren() && !focused_->expanded_)
                ExpandNode(focused_);
            else if (!left && focused_->expanded_ && focused_->Count() > 0)
                FocusChange(focused_->GetFirstChild(), focusedColumn_, true);
            else if (!left)
                MoveFocusBy(1);
        } else if (columns > 0) {
            int index = FocusedAbsoluteIndex();
            if (left && column > 0)
                FocusChange(focused_, column - 1, true);
            else if (!left && column < columns - 1)
                FocusChange(focused_, column + 1, true);
            else if (IsOption(tloHorzThrough) && left && index > 0)
                FocusChange(GetNodeAtAbsoluteIndex(index - 1), columns - 1, true);
            else if (IsOption(tloHorzThrough) && !left && index + 1 < AbsoluteCount())
                FocusChange(GetNodeAtAbsoluteIndex(index + 1), 0, true);
        }
        break;
    }
    default:
        break;
    }
}

void TCustomqvTreeList::HandleKeyPress(char32_t& character)
{
    if (state_ != tsNormal || !focused_) return;
    switch (character) {
    case U'+': ExpandNode(focused_); break;
    case U'-': CollapseNode(focused_); break;
    case U'*': ExpandNode(focused_, true); break;
    default: break;
    }
}
