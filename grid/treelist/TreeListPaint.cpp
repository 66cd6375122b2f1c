// Painting of the column control, zone by zone: band headers, column headers
// with their sort marks, the indicator column, the zones below the rows, the
// data rows with their selection and focus marks, the separator lines of
// fixed bands and the drag arrows. A zone outside the update region is
// skipped; colours are resolved once per pass.
#include "grid/treelist/TreeListControl.h"

#include "grid/treelist/CustomizingBox.h"
#include "grid/treelist/MouseScroll.h"

#include "runtime/AnsiString.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {
constexpr int kIndent = 16;       // per tree level, and the expand button
constexpr int kButtonWidth = 16;  // a drop-down button in a cell
constexpr int kSortMarkWidth = 12;
constexpr int kHeaderButtonWidth = 13;

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

// The colours of one paint pass.
struct Brushes {
    QColor background, header, band, lines, highlight, highlightText, hideSelection, hideSelectionText, groupNode,
        groupNodeText, fixedLine, light, shadow, dark, text, arrows;
};

// A header, band or indicator cell: raised under the standard look, one
// shadow line right and below under the flat looks.
void drawButtonFrame(QPainter& canvas, const QRect& cell, bool flat, const Brushes& b)
{
    if (flat) {
        canvas.setPen(b.shadow);
        canvas.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
        canvas.drawLine(cell.left(), cell.bottom(), cell.right(), cell.bottom());
        return;
    }
    canvas.setPen(b.light);
    canvas.drawLine(cell.left(), cell.top(), cell.right() - 1, cell.top());
    canvas.drawLine(cell.left(), cell.top(), cell.left(), cell.bottom() - 1);
    canvas.setPen(b.shadow);
    canvas.drawLine(cell.right() - 1, cell.top() + 1, cell.right() - 1, cell.bottom() - 1);
    canvas.drawLine(cell.left() + 1, cell.bottom() - 1, cell.right() - 1, cell.bottom() - 1);
    canvas.setPen(b.dark);
    canvas.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
    canvas.drawLine(cell.left(), cell.bottom(), cell.right(), cell.bottom());
}

void fillTriangle(QPainter& canvas, QPointF a, QPointF b, QPointF c, const QColor& color)
{
    QPainterPath path;
    path.moveTo(a);
    path.lineTo(b);
    path.lineTo(c);
    path.closeSubpath();
    canvas.fillPath(path, color);
}

// The sort mark: a small triangle pointing up for ascending order, down for
// descending order.
void drawSortMark(QPainter& canvas, const QRect& area, TqvTreeListColumnSort sort, const Brushes& b)
{
    QPointF c = QRectF(area).center();
    if (sort == csUp)
        fillTriangle(canvas, {c.x() - 4, c.y() + 2}, {c.x() + 4, c.y() + 2}, {c.x(), c.y() - 2}, b.shadow);
    else
        fillTriangle(canvas, {c.x() - 4, c.y() - 2}, {c.x() + 4, c.y() - 2}, {c.x(), c.y() + 2}, b.shadow);
}

// A drop-down button at the right of a cell, with its arrow.
QRect drawCellButton(QPainter& canvas, const QRect& cell, bool flat, const Brushes& b, const QColor& face)
{
    QRect button(cell.right() - std::min(kButtonWidth, cell.width()) + 1, cell.top(), std::min(kButtonWidth, cell.width()),
                 cell.height());
    button.adjust(0, 1, -1, -1);
    canvas.fillRect(button, face);
    drawButtonFrame(canvas, button, flat, b);
    QPointF c = QRectF(button).center();
    fillTriangle(canvas, {c.x() - 3, c.y() - 1}, {c.x() + 4, c.y() - 1}, {c.x() + 0.5, c.y() + 2.5}, b.text);
    return button;
}

// The filter button of a header: a small down arrow, blue on a pressed-in
// face while the column is filtered.
void drawHeaderButton(QPainter& canvas, const QRect& area, bool active, const Brushes& b)
{
    if (active) {
        canvas.fillRect(area, b.light);
        canvas.setPen(b.shadow);
        canvas.drawRect(area.adjusted(0, 0, -1, -1));
    }
    QPointF c = QRectF(area).center();
    QColor arrow = active ? QColor(0, 0, 255) : b.text;
    fillTriangle(canvas, {c.x() - 3.5, c.y() - 1.5}, {c.x() + 3.5, c.y() - 1.5}, {c.x(), c.y() + 2.5}, arrow);
    if (active) canvas.fillRect(QRectF(c.x() - 0.5, c.y() - 5, 1.5, 3), arrow);
}

QString elided(const QFont& font, const QString& text, int width)
{
    return QFontMetrics(font).elidedText(text, Qt::ElideRight, std::max(0, width));
}
}  // namespace

QRect TCustomqvTreeListControl::HeaderButtonRect(const QRect& cell)
{
    // Clear of the sizing grip at the right edge.
    int w = std::min(kHeaderButtonWidth, std::max(0, cell.width() - 8));
    return {cell.right() - 4 - w + 1, cell.top() + 2, w, std::max(0, cell.height() - 4)};
}

TCustomqvTreeListControl::TqvIndicatorGlyph TCustomqvTreeListControl::IndicatorGlyphOf(const TqvTreeListNode* node) const
{
    if (node != FocusedNode()) return TqvIndicatorGlyph::None;
    return State() == tsEditing ? TqvIndicatorGlyph::Editing : TqvIndicatorGlyph::Focused;
}

bool TCustomqvTreeListControl::CustomDrawColumnCell(QPainter&, const QRect&, TqvTreeListNode* node,
                                                    TqvTreeListColumn* column, AnsiString& text)
{
    bool done = false;
    if (column->OnCustomDrawCell) column->OnCustomDrawCell(column, node, text, done);
    return done;
}

bool TCustomqvTreeListControl::CustomDrawColumnHeader(QPainter&, const QRect&, TqvTreeListColumn* column,
                                                      AnsiString& text)
{
    bool done = false;
    if (column->OnCustomDrawColumnHeader) column->OnCustomDrawColumnHeader(column, text, done);
    return done;
}

namespace {
Brushes brushesOf(const TCustomqvTreeListControl& c, const QPalette& pal)
{
    Brushes b;
    b.background = ToQColor(c.Color(), &pal);
    b.header = ToQColor(c.HeaderColor(), &pal);
    b.band = ToQColor(c.BandColor(), &pal);
    b.lines = ToQColor(c.GridLineColor() == clNone ? clBtnShadow : c.GridLineColor(), &pal);
    b.highlight = ToQColor(c.HighlightColor(), &pal);
    b.highlightText = ToQColor(c.HighlightTextColor(), &pal);
    b.hideSelection = ToQColor(c.HideSelectionColor(), &pal);
    b.hideSelectionText = ToQColor(c.HideSelectionTextColor(), &pal);
    b.groupNode = ToQColor(c.GroupNodeColor(), &pal);
    b.groupNodeText = ToQColor(c.GroupNodeTextColor(), &pal);
    b.fixedLine = ToQColor(c.FixedBandLineColor(), &pal);
    b.light = ToQColor(clBtnHighlight, &pal);
    b.shadow = ToQColor(clBtnShadow, &pal);
    b.dark = ToQColor(cl3DDkShadow, &pal);
    b.text = ToQColor(clBtnText, &pal);
    b.arrows = ToQColor(c.ArrowsColor(), &pal);
    return b;
}
}  // namespace

void TCustomqvTreeListControl::Paint(QPainter& canvas, const QRect& updateRect)
{
    const QPalette& pal = palette();
    canvas.fillRect(updateRect, ToQColor(color_, &pal));
    // The corner between the two scroll bars.
    if (ClientWidth() < width() && ClientHeight() < height())
        canvas.fillRect(QRect(ClientWidth(), ClientHeight(), width() - ClientWidth(), height() - ClientHeight()),
                        ToQColor(clBtnFace, &pal));
    if (IsLayoutLocked()) return;
    Layout layout = ComputeLayout();
    paintBands(canvas, updateRect, layout);
    paintHeaders(canvas, updateRect, layout);
    paintIndicator(canvas, updateRect);
    canvas.save();
    PaintBelowRows(canvas, updateRect);
    canvas.restore();
    paintRows(canvas, updateRect, layout);
    PaintAboveRows(canvas, updateRect, layout);
    paintFixedBandLines(canvas, layout);
    paintDragArrows(canvas);
    scroller_->Paint(canvas);
    // Whatever changed the control may have hidden or shown a column: the
    // open customizing box lists them afresh.
    if (customizingBox_ && customizingBox_->isVisible()) customizingBox_->update();
}

void TCustomqvTreeListControl::paintBands(QPainter& canvas, const QRect& updateRect, const Layout& layout)
{
    int h = BandZoneHeight();
    if (!h || !QRect(0, 0, ClientWidth(), h).intersects(updateRect)) return;
    Brushes b = brushesOf(*this, palette());
    QFont font = bandFont_.ToQFont();
    canvas.setFont(font);
    for (const BandPlace& p : layout.bands) {
        QRect cell(p.left, 0, p.width, h);
        if (!cell.intersects(updateRect)) continue;
        canvas.save();
        if (p.band->Fixed() == bfNone)
            canvas.setClipRect(QRect(layout.leftFixedEnd, 0, layout.rightFixedStart - layout.leftFixedEnd, h));
        canvas.fillRect(cell, b.band);
        drawButtonFrame(canvas, cell, IsFlat(), b);
        canvas.setPen(ToQColor(bandFont_.Color(), &palette()));
        QRect inner = cell.adjusted(2, 1, -2, -1);
        canvas.drawText(inner, static_cast<int>(horizontal(p.band->Alignment()) | Qt::AlignVCenter),
                        elided(font, AnsiToQString(p.band->Caption()), inner.width()));
        canvas.restore();
    }
}

void TCustomqvTreeListControl::paintHeaders(QPainter& canvas, const QRect& updateRect, const Layout& layout)
{
    int top = BandZoneHeight(), zone = HeaderZoneHeight(), h = HeaderRowHeight();
    if (!zone || !QRect(0, top, ClientWidth(), zone).intersects(updateRect)) return;
    Brushes b = brushesOf(*this, palette());
    QFont font = headerFont_.ToQFont();
    QColor textColor = ToQColor(headerFont_.Color(), &palette());
    QRect scrollArea(layout.leftFixedEnd, top, layout.rightFixedStart - layout.leftFixedEnd, zone);
    for (const ColumnPlace& p : layout.columns) {
        QRect cell(p.left, top + p.row * h, p.width, h);
        if (!cell.intersects(updateRect)) continue;
        if (!p.fixed && !cell.intersects(scrollArea)) continue;
        canvas.save();
        if (!p.fixed) canvas.setClipRect(scrollArea);
        AnsiString caption = p.column->DisableCaption() ? AnsiString() : p.column->Caption();
        bool done = CustomDrawColumnHeader(canvas, cell, p.column, caption);
        if (!done && OnCustomDrawColumnHeader) OnCustomDrawColumnHeader(this, &canvas, cell, p.column, caption, done);
        if (!done) {
            canvas.fillRect(cell, b.header);
            drawButtonFrame(canvas, cell, IsFlat(), b);
            QRect inner = cell.adjusted(2, 1, -2, -1);
            if (!p.column->HeaderGlyph().isNull()) {
                const QPixmap& glyph = p.column->HeaderGlyph();
                canvas.drawPixmap(inner.left(), inner.top() + (inner.height() - glyph.height()) / 2, glyph);
                inner.setLeft(inner.left() + glyph.width() + 2);
            }
            if (TqvHeaderButton button = HeaderButtonOf(p.column); button != TqvHeaderButton::None) {
                QRect area = HeaderButtonRect(cell);
                drawHeaderButton(canvas, area, button == TqvHeaderButton::Active, b);
                inner.setRight(std::min(inner.right(), area.left() - 1));
            }
            if (p.column->Sorted() != csNone && inner.width() > kSortMarkWidth) {
                drawSortMark(canvas, QRect(inner.right() - kSortMarkWidth + 1, inner.top(), kSortMarkWidth, inner.height()),
                             p.column->Sorted(), b);
                inner.setRight(inner.right() - kSortMarkWidth);
            }
            canvas.setFont(font);
            canvas.setPen(textColor);
            QString text = AnsiToQString(caption);
            int flags = static_cast<int>(horizontal(p.column->HeaderAlignment()) | Qt::AlignVCenter);
            if (p.column->HeaderMaxLineCount() > 1)
                canvas.drawText(inner, flags | Qt::TextWordWrap, text);
            else
                canvas.drawText(inner, flags, elided(font, text, inner.width()));
        }
        canvas.restore();
    }
}

void TCustomqvTreeListControl::paintIndicator(QPainter& canvas, const QRect& updateRect)
{
    int w = IndicatorWidth();
    if (!w || !QRect(0, 0, w, DataBottom()).intersects(updateRect)) return;
    Brushes b = brushesOf(*this, palette());
    // The corner beside the band and header zones.
    int headTop = 0, headHeight = BandZoneHeight() + HeaderZoneHeight();
    if (headHeight) {
        QRect corner(0, headTop, w, headHeight);
        canvas.fillRect(corner, b.header);
        drawButtonFrame(canvas, corner, IsFlat(), b);
    }
    TqvTreeListNode* top = TopVisibleNode();
    if (!top) return;
    int topIndex = GetAbsoluteIndex(top);
    canvas.save();
    canvas.setClipRect(QRect(0, DataTop(), w, std::max(0, DataBottom() - DataTop())));
    for (int r = 0; DataTop() + r * RowHeight() < DataBottom(); ++r) {
        TqvTreeListNode* node = GetNodeAtAbsoluteIndex(topIndex + r);
        if (!node) break;
        QRect cell(0, DataTop() + r * RowHeight(), w, RowHeight());
        if (!cell.intersects(updateRect)) continue;
        canvas.fillRect(cell, b.header);
        drawButtonFrame(canvas, cell, IsFlat(), b);
        QPointF c = QRectF(cell).center();
        switch (node == FocusMarkedNode() || node != FocusedNode() ? IndicatorGlyphOf(node) : TqvIndicatorGlyph::None) {
        case TqvIndicatorGlyph::Focused:
            fillTriangle(canvas, {c.x() - 2, c.y() - 4}, {c.x() - 2, c.y() + 4}, {c.x() + 2, c.y()}, b.text);
            break;
        case TqvIndicatorGlyph::Editing:  // an I-beam: the record is being edited
            canvas.setPen(b.text);
            canvas.drawLine(QPointF(c.x(), c.y() - 4), QPointF(c.x(), c.y() + 4));
            canvas.drawLine(QPointF(c.x() - 2, c.y() - 4), QPointF(c.x() + 2, c.y() - 4));
            canvas.drawLine(QPointF(c.x() - 2, c.y() + 4), QPointF(c.x() + 2, c.y() + 4));
            break;
        case TqvIndicatorGlyph::Inserting:  // an asterisk: a new record
            canvas.setPen(b.text);
            canvas.drawLine(QPointF(c.x() - 3, c.y()), QPointF(c.x() + 3, c.y()));
            canvas.drawLine(QPointF(c.x() - 2, c.y() - 3), QPointF(c.x() + 2, c.y() + 3));
            canvas.drawLine(QPointF(c.x() - 2, c.y() + 3), QPointF(c.x() + 2, c.y() - 3));
            break;
        case TqvIndicatorGlyph::None: break;
        }
    }
    canvas.restore();
}

void TCustomqvTreeListControl::paintFixedBandLines(QPainter& canvas, const Layout& layout)
{
    int bottom = DataBottom();
    QColor color = ToQColor(fixedBandLineColor_, &palette());
    if (layout.leftLine) canvas.fillRect(QRect(layout.leftFixedEnd - layout.leftLine, 0, layout.leftLine, bottom), color);
    if (layout.rightLine) canvas.fillRect(QRect(layout.rightFixedStart, 0, layout.rightLine, bottom), color);
}

void TCustomqvTreeListControl::paintDragArrows(QPainter& canvas)
{
    if (!mouse_.arrows) return;
    QColor color = ToQColor(arrowsColor_, &palette());
    QPointF a = *mouse_.arrows;
    int h = mouse_.arrowsHeight;
    // One arrow above the insertion point pointing down, one below pointing up.
    fillTriangle(canvas, {a.x() - 5, a.y() - 6}, {a.x() + 5, a.y() - 6}, {a.x(), a.y()}, color);
    fillTriangle(canvas, {a.x() - 5, a.y() + h + 6}, {a.x() + 5, a.y() + h + 6}, {a.x(), a.y() + h}, color);
}

void TCustomqvTreeListControl::paintRows(QPainter& canvas, const QRect& updateRect, const Layout& layout)
{
    TqvTreeListNode* top = TopVisibleNode();
    if (!top) return;
    const QPalette& pal = palette();
    Brushes b = brushesOf(*this, pal);
    const int line = lineHeight();
    const int dataTop = DataTop(), dataBottom = DataBottom();
    const QRect dataZone(layout.indicator, dataTop, ClientWidth() - layout.indicator, std::max(0, dataBottom - dataTop));
    if (!dataZone.intersects(updateRect)) return;

    // Fonts and colours once per column, not per cell.
    const std::vector<ColumnPlace>& places = layout.columns;
    std::vector<QFont> fonts;
    std::vector<QColor> backs, fores;
    for (const ColumnPlace& p : places) {
        fonts.push_back(p.column->Font().ToQFont());
        backs.push_back(ToQColor(p.column->Color(), &pal));
        fores.push_back(ToQColor(p.column->Font().Color(), &pal));
    }
    const bool active = IsGridActive();
    const bool drawSelection = active || !hideSelection_;
    const QColor& selBack = active ? b.highlight : b.hideSelection;
    const QColor& selText = active ? b.highlightText : b.hideSelectionText;
    const bool rowFocus = IsRowSelect() || IsInvertSelect();
    const bool showFocus = active ? !IsOption(tloHideFocusRect) : !hideFocusRect_;
    const bool multi = IsOption(tloMultiSelect);
    const bool ellipsis = IsOption(tloDrawEndEllipsis);
    const int focusedPosition = FocusedColumn();
    const int topIndex = GetAbsoluteIndex(top);
    const TqvTreeListNode* const focusMarked = FocusMarkedNode();
    const QRect scrollArea(layout.leftFixedEnd, dataTop, layout.rightFixedStart - layout.leftFixedEnd, dataZone.height());

    // Grid lines of the rows, drawn together per pass, and the focus frame over them.
    std::vector<QLine> gridLines;
    QRect focusFrame;
    // Scrolling columns first, clipped between the fixed bands; then the fixed ones.
    for (bool fixedPass : {false, true}) {
        canvas.save();
        canvas.setClipRect(fixedPass ? dataZone : scrollArea.intersected(dataZone));
        gridLines.clear();
        for (int r = 0; dataTop + r * RowHeight() < dataBottom; ++r) {
            TqvTreeListNode* node = GetNodeAtAbsoluteIndex(topIndex + r);
            if (!node) break;
            const int y = dataTop + r * RowHeight();
            if (!QRect(0, y, ClientWidth(), RowHeight()).intersects(updateRect)) continue;
            const bool focusedRow = node == focusMarked;
            const bool nodeSelected = multi && IsNodeSelected(node);
            const bool rowSelected = focusedRow || nodeSelected;
            const bool group = IsGroupRow(node);
            for (size_t c = 0; c < places.size(); ++c) {
                const ColumnPlace& p = places[c];
                if (p.fixed != fixedPass) continue;
                QRect cell(p.left, y + p.row * line, p.width, line);
                if (!cell.intersects(updateRect) || (!fixedPass && !cell.intersects(scrollArea))) continue;
                const bool focusedCell = focusedRow && p.position == focusedPosition;
                bool selected = false;
                if (rowSelected) {
                    if (IsRowSelect())
                        selected = true;
                    else if (nodeSelected)
                        selected = !(IsInvertSelect() && focusedCell);
                    else
                        selected = IsInvertSelect() ? !focusedCell : focusedCell;
                }
                selected = selected && drawSelection;
                QColor back = selected ? selBack : group ? b.groupNode : backs[c];
                QColor fore = selected ? selText : group ? b.groupNodeText : fores[c];
                AnsiString text = GetCellText(node, p.column);
                if (showGrid_) {
                    gridLines.emplace_back(cell.right(), cell.top(), cell.right(), cell.bottom());
                    gridLines.emplace_back(cell.left(), cell.bottom(), cell.right(), cell.bottom());
                }
                if (focusedCell && !rowFocus) focusFrame = cell.adjusted(0, 0, -1, -1);
                if (CustomDrawColumnCell(canvas, cell, node, p.column, text)) continue;
                QFont font = fonts[c];
                TAlignment alignment = p.column->Alignment();
                if (OnCustomDrawCell) {
                    TColor color = selected ? (active ? highlightColor_ : hideSelectionColor_)
                                   : group  ? groupNodeColor_
                                            : p.column->Color();
                    TFont tfont;
                    tfont.Assign(p.column->Font());
                    if (selected) tfont.SetColor(active ? highlightTextColor_ : hideSelectionTextColor_);
                    else if (group) tfont.SetColor(groupNodeTextColor_);
                    bool done = false;
                    OnCustomDrawCell(this, &canvas, cell, node, p.column, selected, focusedCell, text, color, tfont,
                                     alignment, done);
                    if (done) continue;
                    back = ToQColor(color, &pal);
                    font = tfont.ToQFont();
                    fore = ToQColor(tfont.Color(), &pal);
                }
                // The background is in the grid's colour already.
                if (back != b.background) canvas.fillRect(cell, back);
                QRect textCell = cell;
                if (HasCellButton(p.column, focusedCell))
                    textCell.setRight(drawCellButton(canvas, cell, IsFlat(), b, b.header).left() - 1);
                canvas.setFont(font);
                canvas.setPen(fore);
                if (p.position == 0) {
                    // The tree indent and the expand mark sit in the first column.
                    int indent = node->Level() * kIndent;
                    if (node->HasChildren())
                        canvas.drawText(QRect(cell.left() + indent, cell.top(), kIndent, line), Qt::AlignCenter,
                                        node->Expanded() ? QStringLiteral("-") : QStringLiteral("+"));
                    textCell.setLeft(cell.left() + indent + (node->HasChildren() || node->Level() > 0 ? kIndent : 0));
                }
                // Text margins: 2 pixels left and right, 1 below the top.
                QRect inner = textCell.adjusted(2, 1, -2, 0);
                if (p.column->PaintContent(canvas, {cell, inner, node, &text, font, fore, back, alignment, selected,
                                                    focusedCell}))
                    continue;
                QString qtext = AnsiToQString(text);
                if (ellipsis) qtext = elided(font, qtext, inner.width());
                CellTexts().Draw(canvas, inner,
                                 static_cast<int>(horizontal(alignment) | vertical(p.column->VertAlignment())), qtext);
            }
            if (focusedRow && rowFocus) focusFrame = QRect(layout.indicator, y, ClientWidth() - layout.indicator, RowHeight()).adjusted(0, 0, -1, -1);
        }
        if (!gridLines.empty()) {
            canvas.setPen(b.lines);
            canvas.drawLines(gridLines.data(), static_cast<int>(gridLines.size()));
        }
        canvas.restore();
    }
    if (!focusFrame.isNull() && showFocus) {
        canvas.save();
        canvas.setClipRect(dataZone);
        canvas.setPen(QPen(ToQColor(clWindowText, &pal), 1, Qt::DotLine));
        canvas.setBrush(Qt::NoBrush);
        canvas.drawRect(focusFrame);
        canvas.restore();
    }
}
