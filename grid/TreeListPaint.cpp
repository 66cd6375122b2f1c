// Plain layout and painting of the column control: header cells with their
// captions, rows of text cells with grid lines, the selection colours and
// the focus frame, and the mouse on data rows.
#include "grid/TreeListControl.h"

#include "runtime/AnsiString.h"

#include <QPainter>

#include <algorithm>

namespace {
constexpr int kIndent = 16;  // per tree level, and the expand button

int designWidth(const TCustomqvTreeListControl& control, const TqvTreeListBand& band, bool fromColumns)
{
    int width = band.Width();
    if (fromColumns) {
        std::vector<int> rows(static_cast<size_t>(control.HeaderPanelRowCount()), 0);
        bool any = false;
        for (int i = 0; i < control.ColumnCount(); ++i) {
            TqvTreeListColumn* c = control.Columns(i);
            if (c->Visible() && c->BandIndex() == band.Index()) {
                rows[static_cast<size_t>(c->RowIndex())] += c->Width();
                any = true;
            }
        }
        if (any) width = *std::max_element(rows.begin(), rows.end());
    }
    return std::max(width, band.MinWidth());
}

Qt::Alignment horizontal(TAlignment a)
{
    switch (a) {
    case taRightJustify: return Qt::AlignRight;
    case taCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

Qt::Alignment vertical(TTextLayout l)
{
    switch (l) {
    case tlCenter: return Qt::AlignVCenter;
    case tlBottom: return Qt::AlignBottom;
    default: return Qt::AlignTop;
    }
}
}  // namespace

std::vector<TCustomqvTreeListControl::ColumnPlace> TCustomqvTreeListControl::PlaceColumns() const
{
    std::vector<ColumnPlace> places;
    std::vector<TqvTreeListBand*> bands = bands_->VisibleBands();
    bool fromColumns = IsOption(tloBandHeaderWidth) || defaultLayout_;
    std::vector<int> widths;
    int leftFixed = 0, rightFixed = 0;
    for (TqvTreeListBand* band : bands) {
        widths.push_back(designWidth(*this, *band, fromColumns));
        if (band->Fixed() == bfLeft) leftFixed += widths.back();
        if (band->Fixed() == bfRight) rightFixed += widths.back();
    }
    int xLeft = 0, xScroll = leftFixed - LeftCoord(), xRight = width() - rightFixed;
    int position = 0;
    std::vector<std::pair<int, int>> bandSpans;  // x and width of each visible band
    for (size_t b = 0; b < bands.size(); ++b) {
        int& x = bands[b]->Fixed() == bfLeft ? xLeft : bands[b]->Fixed() == bfRight ? xRight : xScroll;
        bandSpans.push_back({x, widths[b]});
        x += widths[b];
    }
    // Navigation order: rows first, then bands, then columns.
    for (int row = 0; row < headerPanelRowCount_; ++row)
        for (size_t b = 0; b < bands.size(); ++b) {
            int x = bandSpans[b].first, end = x + bandSpans[b].second;
            size_t first = places.size();
            for (TqvTreeListColumn* c : columns_)
                if (c->Visible() && c->BandIndex() == bands[b]->Index() && c->RowIndex() == row) {
                    places.push_back({c, position++, row, x, c->Width(), bands[b]->Fixed() != bfNone});
                    x += c->Width();
                }
            // The last column of a row takes what is left of the band.
            if (places.size() > first && x < end) places.back().width += end - x;
        }
    return places;
}

int TCustomqvTreeListControl::MaxLeftCoord() const
{
    bool fromColumns = IsOption(tloBandHeaderWidth) || defaultLayout_;
    int scrolling = 0, fixed = 0;
    for (TqvTreeListBand* band : bands_->VisibleBands())
        (band->Fixed() == bfNone ? scrolling : fixed) += designWidth(*this, *band, fromColumns);
    return std::max(0, scrolling - (width() - fixed));
}

QRect TCustomqvTreeListControl::CellRect(const TqvTreeListNode* node, int position) const
{
    QRect row = NodeRect(node);
    if (row.isEmpty()) return {};
    for (const ColumnPlace& p : PlaceColumns())
        if (p.position == position) return {p.left, row.top() + p.row * lineHeight(), p.width, lineHeight()};
    return row;
}

int TCustomqvTreeListControl::ColumnAt(int x, int yInRow) const
{
    int row = yInRow / std::max(1, lineHeight());
    for (const ColumnPlace& p : PlaceColumns())
        if (p.row == row && x >= p.left && x < p.left + p.width) return p.position;
    return -1;
}

void TCustomqvTreeListControl::MakeColumnVisible(int position)
{
    int leftFixed = 0, rightFixed = 0;
    bool fromColumns = IsOption(tloBandHeaderWidth) || defaultLayout_;
    for (TqvTreeListBand* band : bands_->VisibleBands()) {
        if (band->Fixed() == bfLeft) leftFixed += designWidth(*this, *band, fromColumns);
        if (band->Fixed() == bfRight) rightFixed += designWidth(*this, *band, fromColumns);
    }
    for (const ColumnPlace& p : PlaceColumns()) {
        if (p.position != position) continue;
        if (p.fixed) return;
        int right = width() - rightFixed;
        if (p.left < leftFixed)
            SetLeftCoord(LeftCoord() - (leftFixed - p.left));
        else if (p.left + p.width > right)
            SetLeftCoord(LeftCoord() + std::min(p.left + p.width - right, p.left - leftFixed));
        return;
    }
}

void TCustomqvTreeListControl::Paint(QPainter& canvas, const QRect& updateRect)
{
    const QPalette& pal = palette();
    canvas.fillRect(updateRect, ToQColor(color_, &pal));
    if (IsLayoutLocked()) return;
    std::vector<ColumnPlace> places = PlaceColumns();
    QColor lines = ToQColor(gridLineColor_ == clNone ? clBtnShadow : gridLineColor_, &pal);
    int line = lineHeight();

    auto drawText = [&](const QRect& cell, const AnsiString& text, Qt::Alignment align) {
        QRect inner = cell.adjusted(2, 1, -2, 0);
        textPainter_.Draw(canvas, inner, static_cast<int>(align), AnsiToQString(text));
    };
    // Fonts and colours once per column, not per cell.
    std::vector<QFont> fonts;
    std::vector<QColor> backs, fores;
    for (const ColumnPlace& p : places) {
        fonts.push_back(p.column->Font().ToQFont());
        backs.push_back(ToQColor(p.column->Color(), &pal));
        fores.push_back(ToQColor(p.column->Font().Color(), &pal));
    }
    QColor highlight = ToQColor(highlightColor_, &pal), highlightText = ToQColor(highlightTextColor_, &pal);
    QColor background = ToQColor(color_, &pal);
    // Grid lines of the rows, drawn together at the end, and the focus frame
    // over them.
    std::vector<QLine> gridLines;
    QRect focusFrame;

    if (showHeader_) {
        canvas.setFont(headerFont_.ToQFont());
        int h = headerLineHeight();
        for (const ColumnPlace& p : places) {
            QRect cell(p.left, p.row * h, p.width, h);
            if (!cell.intersects(updateRect)) continue;
            canvas.fillRect(cell, ToQColor(headerColor_, &pal));
            canvas.setPen(ToQColor(headerFont_.Color(), &pal));
            if (!p.column->DisableCaption())
                drawText(cell, p.column->Caption(), horizontal(p.column->HeaderAlignment()) | Qt::AlignVCenter);
            canvas.setPen(lines);
            canvas.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
            canvas.drawLine(cell.left(), cell.bottom(), cell.right(), cell.bottom());
        }
    }

    PaintBelowRows(canvas, updateRect);
    TqvTreeListNode* top = TopVisibleNode();
    if (!top) return;
    int topIndex = GetAbsoluteIndex(top);
    int focusedPosition = FocusedColumn();
    bool active = hasFocus();
    // Rows never paint over the zones below them.
    canvas.setClipRect(QRect(0, DataTop(), width(), std::max(0, DataBottom() - DataTop())), Qt::IntersectClip);
    for (int r = 0; DataTop() + r * RowHeight() < DataBottom(); ++r) {
        TqvTreeListNode* node = GetNodeAtAbsoluteIndex(topIndex + r);
        if (!node) break;
        int y = DataTop() + r * RowHeight();
        if (!QRect(0, y, width(), RowHeight()).intersects(updateRect)) continue;
        bool focusedRow = node == FocusedNode();
        bool selectedRow = focusedRow || (IsOption(tloMultiSelect) && IsNodeSelected(node));
        for (size_t c = 0; c < places.size(); ++c) {
            const ColumnPlace& p = places[c];
            QRect cell(p.left, y + p.row * line, p.width, line);
            if (!cell.intersects(updateRect)) continue;
            bool focusedCell = focusedRow && p.position == focusedPosition;
            bool selected = selectedRow && (IsRowSelect() || (IsInvertSelect() ? !focusedCell : focusedCell));
            // The background is in the grid's colour already.
            if (selected || backs[c] != background) canvas.fillRect(cell, selected ? highlight : backs[c]);
            canvas.setFont(fonts[c]);
            canvas.setPen(selected ? highlightText : fores[c]);
            QRect textCell = cell;
            if (p.position == 0) {
                // The tree indent and the expand mark sit in the first column.
                int indent = node->Level() * kIndent;
                if (node->HasChildren())
                    canvas.drawText(QRect(cell.left() + indent, cell.top(), kIndent, line), Qt::AlignCenter,
                                    node->Expanded() ? QStringLiteral("-") : QStringLiteral("+"));
                textCell.setLeft(cell.left() + indent + (node->HasChildren() || node->Level() > 0 ? kIndent : 0));
            }
            drawText(textCell, GetCellText(node, p.column),
                     horizontal(p.column->Alignment()) | vertical(p.column->VertAlignment()));
            if (showGrid_) {
                gridLines.emplace_back(cell.right(), cell.top(), cell.right(), cell.bottom());
                gridLines.emplace_back(cell.left(), cell.bottom(), cell.right(), cell.bottom());
            }
            if (focusedCell && active && !IsRowSelect() && !IsInvertSelect()) focusFrame = cell.adjusted(0, 0, -1, -1);
        }
        if (focusedRow && active && (IsRowSelect() || IsInvertSelect()))
            focusFrame = QRect(0, y, width(), RowHeight()).adjusted(0, 0, -1, -1);
    }
    if (!gridLines.empty()) {
        canvas.setPen(lines);
        canvas.drawLines(gridLines.data(), static_cast<int>(gridLines.size()));
    }
    if (!focusFrame.isNull()) {
        canvas.setPen(QPen(ToQColor(clWindowText, &pal), 1, Qt::DotLine));
        canvas.drawRect(focusFrame);
    }
}

void TCustomqvTreeListControl::MouseDown(Qt::MouseButton button, TShiftState shift, int x, int y)
{
    // The middle button does not move the focus.
    if (button != Qt::LeftButton && button != Qt::RightButton) return;
    if (!hasFocus()) setFocus(Qt::MouseFocusReason);
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

void TCustomqvTreeListControl::DblClick(int x, int y)
{
    TqvTreeListNode* node = NodeAtY(y);
    if (!node || !node->HasChildren()) return;
    node->Expanded() ? CollapseNode(node) : ExpandNode(node);
}
