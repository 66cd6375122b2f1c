// The mouse on the column control: focusing cells on data rows, and on the
// header and band zones sizing columns and bands by their right edge,
// moving them by dragging their header (drag arrows show where they go), and
// header clicks. Esc cancels a sizing or a drag (the width is restored).
// With the customizing box open, a header dropped on the box is hidden, and
// an entry dragged from the box is shown where it is dropped. The middle
// button and a left drag past the rows scroll (MouseScroll.h).
#include "grid/treelist/TreeListControl.h"

#include "grid/treelist/MouseScroll.h"

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
    // Any press ends the middle-button anchor, and does nothing else.
    if (State() == tsMouseScrolling) {
        scroller_->End();
        return;
    }
    // The middle button does not move the focus; it may set the anchor.
    if (button == Qt::MiddleButton && State() == idleState() && IsOption(tloMouseScroll) && !(shift & ssDouble))
        scroller_->BeginAnchor(QPoint(x, y));
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
        QRect cell;
        if (const ColumnPlace* p = HeaderColumnAt(layout, x, y, &cell);
            p && HeaderButtonOf(p->column) != TqvHeaderButton::None && HeaderButtonRect(cell).contains(x, y)) {
            HeaderButtonClicked(p->column, cell);
            return;
        }
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
    if (button == Qt::LeftButton && IsOption(tloDragScroll) && !(shift & ssDouble)) scroller_->BeginDrag(QPoint(x, y));
}

void TCustomqvTreeListControl::MouseMove(TShiftState, int x, int y)
{
    scroller_->MouseAt(QPoint(x, y));
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
        // Over the customizing box the column goes away on release; no arrows.
        mouse_.overBox = overCustomizingBox(x, y);
        Layout layout = ComputeLayout();
        int row = headerRowAt(y);
        mouse_.arrows = mouse_.overBox ? std::nullopt : columnDropPoint(layout, x, row);
        mouse_.overBox = mouse_.overBox && CanHideColumn(mouse_.column);
        mouse_.arrowsHeight = HeaderRowHeight();
        update();
        return;
    }
    case tsBandDown:
        if (!moved || !mouse_.band || !IsOption(tloBandMoving) || mouse_.band->DisableDragging()) return;
        SetState(tsBandDragging);
        [[fallthrough]];
    case tsBandDragging: {
        mouse_.overBox = overCustomizingBox(x, y);
        mouse_.arrows = mouse_.overBox ? std::nullopt : bandDropPoint(ComputeLayout(), x);
        mouse_.overBox = mouse_.overBox && !mouse_.band->DisableCustomizing();
        mouse_.arrowsHeight = BandRowHeight();
        update();
        return;
    }
    default: return;
    }
}

void TCustomqvTreeListControl::MouseUp(Qt::MouseButton button, TShiftState shift, int x, int y)
{
    if (button == Qt::MiddleButton) scroller_->MiddleUp();
    if (button != Qt::LeftButton) return;
    scroller_->LeftUp();
    TqvTreeListState state = State();
    MouseOperation op = mouse_;
    mouse_ = MouseOperation{};
    SetState(idleState());
    update();
    Layout layout = ComputeLayout();
    switch (state) {
    case tsColumnDown:
        if (op.column) ColumnClicked(op.column, shift);
        return;
    case tsColumnDragging:
        if (!op.column) return;
        if (op.overBox)
            op.column->SetVisible(false);
        else if (op.arrows)
            placeColumn(op.column, layout, *op.arrows, headerRowAt(y));
        return;
    case tsBandDragging:
        if (!op.band) return;
        if (op.overBox)
            op.band->SetVisible(false);
        else if (op.arrows)
            placeBand(op.band, layout, *op.arrows);
        return;
    default: (void)x; return;
    }
}

int TCustomqvTreeListControl::headerRowAt(int y) const
{
    return std::clamp((y - BandZoneHeight()) / std::max(1, HeaderRowHeight()), 0, headerPanelRowCount_ - 1);
}

std::optional<QPoint> TCustomqvTreeListControl::columnDropPoint(const Layout& layout, int x, int row) const
{
    // The insertion point: the nearest column edge in the row; in a row
    // without columns, the nearest band edge.
    int best = -1, bestDistance = INT32_MAX;
    auto consider = [&](int edge) {
        if (std::abs(x - edge) < bestDistance) {
            bestDistance = std::abs(x - edge);
            best = edge;
        }
    };
    for (const ColumnPlace& p : layout.columns)
        if (p.row == row) {
            consider(p.left);
            consider(p.left + p.width);
        }
    if (best < 0)
        for (const BandPlace& p : layout.bands) {
            consider(p.left);
            consider(p.left + p.width);
        }
    if (best < 0) return std::nullopt;
    return QPoint(best, BandZoneHeight() + row * HeaderRowHeight());
}

void TCustomqvTreeListControl::placeColumn(TqvTreeListColumn* column, const Layout& layout, QPoint arrows, int row)
{
    // The column goes to the band and row of the insertion point, before
    // the columns that start at or right of it.
    int edge = arrows.x();
    const BandPlace* band = nullptr;
    for (const BandPlace& p : layout.bands)
        if (edge >= p.left && edge <= p.left + p.width && (!band || edge < p.left + p.width)) band = &p;
    if (!band) return;
    int before = 0;
    for (const ColumnPlace& p : layout.columns)
        if (p.row == row && p.column != column && p.column->BandIndex() == band->band->Index() &&
            p.left + p.width / 2 < edge)
            ++before;
    BeginUpdate();
    column->SetBandIndex(band->band->Index());
    column->SetRowIndex(row);
    column->SetColIndex(before);
    column->SetVisible(true);
    EndUpdate();
}

std::optional<QPoint> TCustomqvTreeListControl::bandDropPoint(const Layout& layout, int x) const
{
    if (layout.bands.empty()) return QPoint(layout.indicator, 0);
    int best = -1, bestDistance = INT32_MAX;
    for (const BandPlace& p : layout.bands)
        for (int edge : {p.left, p.left + p.width})
            if (std::abs(x - edge) < bestDistance) {
                bestDistance = std::abs(x - edge);
                best = edge;
            }
    return QPoint(best, 0);
}

void TCustomqvTreeListControl::placeBand(TqvTreeListBand* band, const Layout& layout, QPoint arrows)
{
    int edge = arrows.x();
    // The visible bands that stay before it; the collection index is that
    // of the band now at that place.
    std::vector<TqvTreeListBand*> order;
    for (const BandPlace& p : layout.bands)
        if (p.band != band) order.push_back(p.band);
    size_t to = 0;
    for (const BandPlace& p : layout.bands)
        if (p.band != band && p.left + p.width / 2 < edge) ++to;
    int target = to < order.size() ? order[to]->Index() : bands_->Count() - 1;
    int from = band->Index();
    if (to < order.size() && target > from) --target;
    BeginUpdate();
    bands_->Move(from, target);
    band->SetVisible(true);
    EndUpdate();
}

void TCustomqvTreeListControl::CancelMouseOperation()
{
    if (State() == tsColumnSizing && mouse_.column) mouse_.column->SetWidth(mouse_.startWidth);
    if (State() == tsBandSizing && mouse_.band) mouse_.band->SetWidth(mouse_.startWidth);
    mouse_ = MouseOperation{};
    TCustomqvTreeList::CancelMouseOperation();
    SetState(idleState());
    update();
}

void TCustomqvTreeListControl::KeyDown(Word& key, TShiftState shift)
{
    if (State() == tsMouseScrolling) {
        scroller_->End();
        if (key == VK_ESCAPE) return;
    }
    TCustomqvTreeList::KeyDown(key, shift);
}

void TCustomqvTreeListControl::DoExit()
{
    scroller_->End();
    TCustomqvTreeList::DoExit();
}

void TCustomqvTreeListControl::MouseScrollStep() { scroller_->Step(); }

void TCustomqvTreeListControl::DblClick(int x, int y)
{
    if (y < DataTop()) return;
    TqvTreeListNode* node = NodeAtY(y);
    if (!node || !node->HasChildren()) return;
    node->Expanded() ? CollapseNode(node) : ExpandNode(node);
}
