// The layout pass of the column control: bands and columns placed in pixels
// (design widths, AutoWidth fitting, fixed bands with their separator lines,
// the indicator column), and the geometry questions answered from it.
#include "grid/treelist/TreeListControl.h"
#include "grid/treelist/ScrollBars.h"
#include "grid/treelist/WidthFitting.h"

#include <algorithm>

namespace {
// The columns of a band in one header row, in column-list order.
std::vector<TqvTreeListColumn*> rowColumns(const TCustomqvTreeListControl& control, const TqvTreeListBand& band, int row)
{
    std::vector<TqvTreeListColumn*> columns;
    for (int i = 0; i < control.ColumnCount(); ++i) {
        TqvTreeListColumn* c = control.Columns(i);
        if (c->Visible() && c->BandIndex() == band.Index() && c->RowIndex() == row) columns.push_back(c);
    }
    return columns;
}

struct BandWidths {
    int design = 0;
    int min = 0;  // the band's minimum, raised to what its columns need
};

BandWidths bandWidths(const TCustomqvTreeListControl& control, const TqvTreeListBand& band, bool fromColumns)
{
    BandWidths w{band.Width(), band.MinWidth()};
    int widest = -1, widestMin = 0;
    for (int row = 0; row < control.HeaderPanelRowCount(); ++row) {
        std::vector<TqvTreeListColumn*> columns = rowColumns(control, band, row);
        if (columns.empty()) continue;
        int sum = 0, mins = 0;
        for (TqvTreeListColumn* c : columns) {
            sum += std::max(0, c->Width());
            mins += std::max(0, c->MinWidth());
        }
        widest = std::max(widest, sum);
        widestMin = std::max(widestMin, mins);
    }
    if (fromColumns && widest >= 0) w.design = widest;
    w.min = std::max({0, w.min, widestMin});
    w.design = std::max(w.design, band.MinWidth());
    return w;
}
}  // namespace

TCustomqvTreeListControl::Layout TCustomqvTreeListControl::ComputeLayout() const
{
    Layout layout;
    layout.indicator = IndicatorWidth();
    std::vector<TqvTreeListBand*> bands = bands_->VisibleBands();
    const bool fromColumns = IsOption(tloBandHeaderWidth) || defaultLayout_;
    const bool autoWidth = IsOption(tloAutoWidth);
    bool anyLeft = false, anyRight = false;
    std::vector<TqvFitItem> items;
    for (TqvTreeListBand* band : bands) {
        BandWidths w = bandWidths(*this, *band, fromColumns);
        items.push_back({w.design, w.min, band->Sizing()});
        anyLeft = anyLeft || band->Fixed() == bfLeft;
        anyRight = anyRight || band->Fixed() == bfRight;
    }
    layout.leftLine = anyLeft ? fixedBandLineWidth_ : 0;
    layout.rightLine = anyRight ? fixedBandLineWidth_ : 0;
    std::vector<int> widths;
    if (autoWidth) {
        int dataWidth = ClientWidth() - layout.indicator - layout.leftLine - layout.rightLine;
        widths = FitToWidth(dataWidth, items);
    } else {
        for (const TqvFitItem& item : items) widths.push_back(item.design);
    }

    int leftFixed = 0, rightFixed = 0;
    for (size_t b = 0; b < bands.size(); ++b) {
        if (bands[b]->Fixed() == bfLeft) leftFixed += widths[b];
        if (bands[b]->Fixed() == bfRight) rightFixed += widths[b];
        if (bands[b]->Fixed() == bfNone) layout.scrollingWidth += widths[b];
    }
    layout.leftFixedEnd = layout.indicator + leftFixed + layout.leftLine;
    layout.rightFixedStart = std::max(layout.leftFixedEnd, ClientWidth() - rightFixed - layout.rightLine);
    int xLeft = layout.indicator, xScroll = layout.leftFixedEnd - LeftCoord(),
        xRight = layout.rightFixedStart + layout.rightLine;
    for (size_t b = 0; b < bands.size(); ++b) {
        int& x = bands[b]->Fixed() == bfLeft ? xLeft : bands[b]->Fixed() == bfRight ? xRight : xScroll;
        layout.bands.push_back({bands[b], x, widths[b]});
        x += widths[b];
    }

    // Navigation order: rows first, then bands, then columns.
    int position = 0;
    for (int row = 0; row < headerPanelRowCount_; ++row)
        for (const BandPlace& bp : layout.bands) {
            std::vector<TqvTreeListColumn*> columns = rowColumns(*this, *bp.band, row);
            if (columns.empty()) continue;
            std::vector<int> cw;
            if (autoWidth) {
                std::vector<TqvFitItem> ci;
                for (TqvTreeListColumn* c : columns) ci.push_back({c->Width(), c->MinWidth(), c->Sizing()});
                cw = FitToWidth(bp.width, ci);
            } else {
                int used = 0;
                for (TqvTreeListColumn* c : columns) {
                    cw.push_back(std::max(0, c->Width()));
                    used += cw.back();
                }
                // The last column of a row takes what is left of the band.
                if (used < bp.width) cw.back() += bp.width - used;
            }
            int x = bp.left;
            for (size_t i = 0; i < columns.size(); ++i) {
                layout.columns.push_back({columns[i], position++, row, x, cw[i], bp.band->Fixed() != bfNone});
                x += cw[i];
            }
        }
    return layout;
}

TqvScrollRange TCustomqvTreeListControl::HorizontalScrollRange() const
{
    Layout layout = ComputeLayout();
    int view = layout.rightFixedStart - layout.leftFixedEnd;
    return {LeftCoord(), std::max(0, layout.scrollingWidth - view), std::max(1, view)};
}

int TCustomqvTreeListControl::MaxLeftCoord() const
{
    Layout layout = ComputeLayout();
    return std::max(0, layout.scrollingWidth - (layout.rightFixedStart - layout.leftFixedEnd));
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

const TCustomqvTreeListControl::ColumnPlace* TCustomqvTreeListControl::HeaderColumnAt(const Layout& layout, int x, int y,
                                                                                       QRect* cell) const
{
    int top = BandZoneHeight(), h = HeaderRowHeight();
    if (!showHeader_ || y < top || y >= top + HeaderZoneHeight()) return nullptr;
    int row = (y - top) / std::max(1, h);
    for (const ColumnPlace& p : layout.columns) {
        if (p.row != row || x < p.left || x >= p.left + p.width) continue;
        // Scrolling columns are hidden under the fixed bands.
        if (!p.fixed && (x < layout.leftFixedEnd || x >= layout.rightFixedStart)) continue;
        if (cell) *cell = QRect(p.left, top + row * h, p.width, h);
        return &p;
    }
    return nullptr;
}

void TCustomqvTreeListControl::MakeColumnVisible(int position)
{
    Layout layout = ComputeLayout();
    for (const ColumnPlace& p : layout.columns) {
        if (p.position != position) continue;
        if (p.fixed) return;
        if (p.left < layout.leftFixedEnd)
            SetLeftCoord(LeftCoord() - (layout.leftFixedEnd - p.left));
        else if (p.left + p.width > layout.rightFixedStart)
            SetLeftCoord(LeftCoord() + std::min(p.left + p.width - layout.rightFixedStart, p.left - layout.leftFixedEnd));
        return;
    }
}
