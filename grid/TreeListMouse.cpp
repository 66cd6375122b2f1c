// The mouse on the column control: focusing cells on data rows, and on the
// header and band zones sizing columns and bands by their right edge,
// moving them by dragging their header (drag arrows show where they go), and
// header clicks. Esc cancels a sizing or a drag (the width is restored).
#include "grid/TreeListControl.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr int kIndent = 16;    // the expand button in the first column
constexpr int kEdgeGrip = 3;   // pixels on each side of an edge that size
constexpr int kDragStart = 4;  // pixels the mouse moves before a drag starts
}  // namespace

void TCustomqvTreeListControl::ColumnClicked(TqvTreeListColumn* column, TShiftState)
{
    if (OnColumnClick) OnColumnClick(this, column);
}

void TCustomqvTreeListControl::MouseDown(Qt::MouseButton button, TShiftState shift, int x, int y)
{
    // The middle button does not move the focus.
    if (button != Qt::LeftButton && button != Qt::RightButton) return;
    if (!hasFocus()) setFocus(Qt::MouseFocusReason);
    if (button == Qt::LeftButton && y < DataTop() && !(shift & ssDouble)) {
        Layout layout = ComputeLayout();
        mouse_ = MouseOperation{};
        mouse_.down = QPoint(x, y);
        if (y < BandZoneHeight()) {
            for (const BandPlace& p : layout.bands) {
                int right = p.left + p.width;
                if (IsOption(tloBandSizing) && p.band->Sizing() && std::abs(x - right) <= kEdgeGrip) {
                    mouse_.band = p.band;
                    mouse_.startWidth = p.width;
                    SetState(tsBandSizing);
                    return;
                }
            }
            for (const BandPlace& p : layout.bands)
                if (x >= p.left && x < p.left + p.width) {
                    mouse_.band = p.band;
                    SetState(tsBandDown);
                    return;
                }
            return;
        }
        int headerTop = BandZoneHeight(), h = HeaderRowHeight();
        if (y >= headerTop + HeaderZoneHeight()) return;  // the status strip
        int row = (y - headerTop) / std::max(1, h);
        if (IsOption(tloColumnSizing))
            for (const ColumnPlace& p : layout.columns) {
                int right = p.left + p.width;
                if (p.row == row && p.column->Sizing() && std::abs(x - right) <= kEdgeGrip) {
                    mouse_.column = p.column;
                    mouse_.startWidth = p.column->Width();
                    SetState(tsColumnSizing);
                    return;
                }
            }
        if (const ColumnPlace* p = HeaderColumnAt(layout, x, y)) {
            mouse_.column = p->column;
            SetState(tsColumnDown);
            update();
        }
        return;
    }
    TqvTreeListNode* node = NodeAtY(y);
    if (!node) return;
    QRect row = NodeRect(node);
    int position = ColumnAt(x, y - row.top());
    if (button == Qt::LeftButton && position == 0 && node->HasChildren() && !(shift & ssDouble)) {
        int buttonLeft = CellRect(node, 0).left() + node->Level() * kIndent;
        if (x >= buttonLeft && x < buttonLeft + kIndent) {
            node->Expanded() ? CollapseNode(node) : ExpandNode(node);
            return;
        }
    }
    int column = IsRowSelect() || position < 0 ? StoredFocusedColumn() : position;
    FocusChange(node, column, true);
}

void TCustomqvTreeListControl::MouseMove(TShiftState, int x, int y)
{
    int dx = x - mouse_.down.x();
    bool moved = std::abs(dx) >= kDragStart || std::abs(y - mouse_.down.y()) >= kDragStart;
    switch (State()) {
    case tsColumnSizing:
        if (mouse_.column) mouse_.column->SetWidth(std::max(mouse_.column->MinWidth(), mouse_.startWidth + dx));
        return;
    case tsBandSizing:
        if (mouse_.band) {
            int width = std::max(mouse_.band->MinWidth(), mouse_.startWidth + dx);
            BeginUpdate();
            mouse_.band->SetWidth(width);
            // A band measured by its columns grows or shrinks with the last
            // column of each header row.
            if (IsOption(tloBandHeaderWidth) || defaultLayout_) {
                Layout layout = ComputeLayout();
                for (int row = 0; row < headerPanelRowCount_; ++row) {
                    const ColumnPlace* last = nullptr;
                    int sum = 0;
                    for (const ColumnPlace& p : layout.columns)
                        if (p.row == row && p.column->BandIndex() == mouse_.band->Index()) {
                            last = &p;
                            sum += p.column->Width();
                        }
                    if (last) last->column->SetWidth(std::max(last->column->MinWidth(), last->column->Width() + width - sum));
                }
            }
            EndUpdate();
        }
        return;
    case tsColumnDown:
        if (!moved || !mouse_.column || !IsOption(tloColumnMoving) || mouse_.column->DisableDragging()) return;
        SetState(tsColumnDragging);
        [[fallthrough]];
    case tsColumnDragging: {
        Layout layout = ComputeLayout();
        int top = BandZoneHeight(), h = HeaderRowHeight();
        int row = std::clamp((y - top) / std::max(1, h), 0, headerPanelRowCount_ - 1);
        // The insertion point: the nearest column edge in the row under the mouse.
        int best = -1, bestDistance = INT32_MAX;
        for (const ColumnPlace& p : layout.columns) {
            if (p.row != row) continue;
            for (int edge : {p.left, p.left + p.width})
                if (std::abs(x - edge) < bestDistance) {
                    bestDistance = std::abs(x - edge);
                    best = edge;
                }
        }
        mouse_.arrows = best < 0 ? QPoint() : QPoint(best, top + row * h);
        mouse_.arrowsHeight = h;
        update();
        return;
    }
    case tsBandDown:
        if (!moved || !mouse_.band || !IsOption(tloBandMoving) || mouse_.band->DisableDragging()) return;
        SetState(tsBandDragging);
        [[fallthrough]];
    case tsBandDragging: {
        Layout layout = ComputeLayout();
        int best = -1, bestDistance = INT32_MAX;
        for (const BandPlace& p : layout.bands)
            for (int edge : {p.left, p.left + p.width})
                if (std::abs(x - edge) < bestDistance) {
                    bestDistance = std::abs(x - edge);
                    best = edge;
                }
        mouse_.arrows = best < 0 ? QPoint() : QPoint(best, 0);
        mouse_.arrowsHeight = BandRowHeight();
        update();
        return;
    }
    default: return;
    }
}

void TCustomqvTreeListControl::MouseUp(Qt::MouseButton button, TShiftState shift, int x, int y)
{
    if (button != Qt::LeftButton) return;
    TqvTreeListState state = State();
    MouseOperation op = mouse_;
    mouse_ = MouseOperation{};
    SetState(tsNormal);
    update();
    Layout layout = ComputeLayout();
    switch (state) {
    case tsColumnDown:
        if (op.column) ColumnClicked(op.column, shift);
        return;
    case tsColumnDragging: {
        if (!op.column || op.arrows.isNull()) return;
        // The column goes to the band and row of the insertion point, before
        // the columns that start at or right of it.
        int top = BandZoneHeight(), h = HeaderRowHeight();
        int row = std::clamp((y - top) / std::max(1, h), 0, headerPanelRowCount_ - 1);
        int edge = op.arrows.x();
        const BandPlace* band = nullptr;
        for (const BandPlace& p : layout.bands)
            if (edge >= p.left && edge <= p.left + p.width && (!band || edge < p.left + p.width)) band = &p;
        if (!band) return;
        int before = 0;
        for (const ColumnPlace& p : layout.columns)
            if (p.row == row && p.column != op.column && p.column->BandIndex() == band->band->Index() &&
                p.left + p.width / 2 < edge)
                ++before;
        BeginUpdate();
        op.column->SetBandIndex(band->band->Index());
        op.column->SetRowIndex(row);
        op.column->SetColIndex(before);
        EndUpdate();
        return;
    }
    case tsBandDragging: {
        if (!op.band || op.arrows.isNull()) return;
        int edge = op.arrows.x();
        int to = 0;
        for (const BandPlace& p : layout.bands)
            if (p.band != op.band && p.left + p.width / 2 < edge) ++to;
        // `to` counts the visible bands that stay before it; the collection
        // index is that of the band now at that place.
        std::vector<TqvTreeListBand*> order;
        for (const BandPlace& p : layout.bands)
            if (p.band != op.band) order.push_back(p.band);
        int target = to < static_cast<int>(order.size()) ? order[static_cast<size_t>(to)]->Index() : bands_->Count() - 1;
        int from = op.band->Index();
        if (to < static_cast<int>(order.size()) && target > from) --target;
        bands_->Move(from, target);
        return;
    }
    default: (void)x; return;
    }
}

void TCustomqvTreeListControl::CancelMouseOperation()
{
    if (State() == tsColumnSizing && mouse_.column) mouse_.column->SetWidth(mouse_.startWidth);
    if (State() == tsBandSizing && mouse_.band) mouse_.band->SetWidth(mouse_.startWidth);
    mouse_ = MouseOperation{};
    TCustomqvTreeList::CancelMouseOperation();
    update();
}

void TCustomqvTreeListControl::DblClick(int x, int y)
{
    if (y < DataTop()) return;
    TqvTreeListNode* node = NodeAtY(y);
    if (!node || !node->HasChildren()) return;
    node->Expanded() ? CollapseNode(node) : ExpandNode(node);
}
