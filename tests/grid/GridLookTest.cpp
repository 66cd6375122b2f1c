// Layout and painting: widths fitted to the grid's width, the metrics of
// each zone, and the selection and focus marks as they are painted.
#include "GridEvents.h"
#include "TestGrid.h"

#include "grid/treelist/WidthFitting.h"

#include <QImage>

#include <gtest/gtest.h>

#include <climits>
#include <numeric>

namespace {

int sum(const std::vector<int>& v) { return std::accumulate(v.begin(), v.end(), 0); }

TEST(FitToWidth, SharesTheTotalProportionallyAndNeverBelowTheMinimums)
{
    struct Case {
        const char* why;
        int total;
        std::vector<TqvFitItem> items;
        std::vector<int> want;  // empty: only the rules are checked
    } cases[] = {
        {"proportional, the last takes the rest", 100, {{10, 0}, {20, 0}, {20, 0}}, {20, 40, 40}},
        {"design widths summing to 0 share equally", 90, {{0, 0}, {0, 0}, {0, 0}}, {30, 30, 30}},
        {"a minimum above its share keeps the minimum, the others share the rest", 100,
         {{10, 50}, {50, 0}, {40, 0}}, {50, 27, 23}},
        {"minimums wider than the total: each gets its minimum", 50, {{100, 30}, {100, 40}}, {30, 40}},
        {"a total of 0", 0, {{10, 5}, {10, 5}}, {5, 5}},
        {"a negative total", -40, {{10, 0}, {10, 0}}, {0, 0}},
        {"an item that cannot be sized keeps its width; the last still ends at the total", 300,
         {{100, 0, false}, {50, 0}, {50, 0}}, {100, 75, 125}},
        {"huge widths do not overflow", 1000, {{INT_MAX, 0}, {INT_MAX, 0}}, {500, 500}},
        {"negative design widths count as their minimum", 100, {{-50, 10}, {-50, 10}}, {50, 50}},
    };
    for (const Case& c : cases) {
        std::vector<int> got = FitToWidth(c.total, c.items);
        ASSERT_EQ(got.size(), c.items.size()) << c.why;
        if (!c.want.empty()) EXPECT_EQ(got, c.want) << c.why;
        for (size_t i = 0; i < got.size(); ++i) EXPECT_GE(got[i], std::max(0, c.items[i].min)) << c.why;
    }
    EXPECT_TRUE(FitToWidth(100, {}).empty());
}

// A grid of the line grid's shape: six columns in one band.
struct LineShapedGrid : TestGrid {
    LineShapedGrid() : TestGrid(6, 30)
    {
        int widths[] = {108, 114, 93, 178, 153, 152};
        for (int i = 0; i < 6; ++i) Columns(i)->SetWidth(widths[i]);
        SetOption(tloAutoWidth, true);
    }
};

TEST(AutoWidth, ColumnsEndExactlyAtTheRightEdgeAtEveryWidth)
{
    for (bool fixedBand : {false, true})
        for (bool indicator : {false, true}) {
            LineShapedGrid grid;
            if (fixedBand) grid.Bands().Items(0)->SetFixed(bfLeft);
            grid.indicator = indicator;
            for (int width = 50; width <= 3000; width += width < 200 ? 1 : 37) {
                grid.resize(width, 300);
                auto layout = grid.ComputeLayout();
                int minimums = 0;
                for (const auto& p : layout.columns) minimums += p.column->MinWidth();
                // The client width: the vertical scroll bar takes its share.
                int dataWidth = grid.ClientWidth() - layout.indicator - layout.leftLine;
                SCOPED_TRACE("width " + std::to_string(width) + (fixedBand ? " fixed" : "") +
                             (indicator ? " indicator" : ""));
                for (const auto& p : layout.columns) ASSERT_GE(p.width, p.column->MinWidth());
                const auto& last = layout.columns.back();
                if (dataWidth >= minimums) {
                    ASSERT_EQ(last.left + last.width, layout.indicator + dataWidth);
                    ASSERT_EQ(grid.MaxLeftCoord(), 0);
                } else if (!fixedBand) {
                    // Too narrow for the minimums: the grid scrolls instead.
                    ASSERT_GT(grid.MaxLeftCoord(), 0);
                }
            }
        }
}

TEST(AutoWidth, BandsShareTheWidthByTheirDesignWidthsThenTheirColumns)
{
    TestGrid grid(4, 1);
    grid.Bands().Add();
    for (int i = 0; i < 4; ++i) grid.Columns(i)->SetWidth(50);
    grid.Columns(2)->SetBandIndex(1);
    grid.Columns(3)->SetBandIndex(1);
    grid.Columns(3)->SetWidth(150);  // band 1 is twice as wide as band 0
    grid.SetOption(tloAutoWidth, true);
    grid.resize(600, 200);
    grid.resize(600 + grid.width() - grid.ClientWidth(), 200);  // 600 inside the vertical bar
    auto layout = grid.ComputeLayout();
    ASSERT_EQ(layout.bands.size(), 2u);
    EXPECT_EQ(layout.bands[0].width, 200);
    EXPECT_EQ(layout.bands[1].width, 400);
    std::vector<int> widths;
    for (const auto& p : layout.columns) widths.push_back(p.width);
    EXPECT_EQ(widths, (std::vector<int>{100, 100, 100, 300}));
    // Zero widths everywhere: equal shares, no crash.
    for (int i = 0; i < 4; ++i) {
        grid.Columns(i)->SetMinWidth(0);
        grid.Columns(i)->SetWidth(0);
    }
    for (int b = 0; b < 2; ++b) grid.Bands().Items(b)->SetMinWidth(0);
    layout = grid.ComputeLayout();
    EXPECT_EQ(layout.bands[0].width + layout.bands[1].width, 600);
    EXPECT_EQ(layout.columns.back().left + layout.columns.back().width, 600);
}

TEST(Metrics, ZonesFollowFontsLinesLooksAndOptions)
{
    TestGrid grid(3, 5);
    int text = grid.CellTextHeight(), header = grid.HeaderTextHeight();
    struct Case {
        const char* why;
        std::function<void(TestGrid&)> set;
        int headerZone, bandZone, rowHeight, indicator;
    } cases[] = {
        {"standard look: header text + 5 + 1", [](TestGrid&) {}, header + 6, 0, std::max(text + 3, 16) + 1, 0},
        {"flat look is one pixel lower", [](TestGrid& g) { g.SetLookAndFeel(lfFlat); }, header + 5, 0,
         std::max(text + 3, 16) + 1, 0},
        {"two header lines", [](TestGrid& g) { g.Columns(1)->SetHeaderMaxLineCount(2); }, 2 * header + 6, 0,
         std::max(text + 3, 16) + 1, 0},
        {"two header rows", [](TestGrid& g) { g.SetHeaderPanelRowCount(2); }, 2 * (header + 6), 0,
         2 * (std::max(text + 3, 16) + 1), 0},
        {"no header", [](TestGrid& g) { g.SetShowHeader(false); }, 0, 0, std::max(text + 3, 16) + 1, 0},
        {"bands shown above the headers", [](TestGrid& g) { g.SetShowBands(true); }, header + 6,
         grid.BandRowHeight(), std::max(text + 3, 16) + 1, 0},
        {"no grid lines: one pixel less", [](TestGrid& g) { g.SetShowGrid(false); }, header + 6, 0,
         std::max(text + 3, 16), 0},
        {"inverted select: two pixels more", [](TestGrid& g) { g.SetOption(tloInvertSelect, true); }, header + 6, 0,
         std::max(text + 3, 16) + 3, 0},
        {"a row height set explicitly", [](TestGrid& g) { g.SetDefaultRowHeight(40); }, header + 6, 0, 40, 0},
        {"a row height below the minimum", [](TestGrid& g) { g.SetDefaultRowHeight(3); }, header + 6, 0,
         std::max(text + 3, 16) + 1, 0},
        {"the indicator", [](TestGrid& g) { g.indicator = true; }, header + 6, 0, std::max(text + 3, 16) + 1, 12},
    };
    for (const Case& c : cases) {
        TestGrid g(3, 5);
        g.resize(400, 300);
        c.set(g);
        EXPECT_EQ(g.HeaderZoneHeight(), c.headerZone) << c.why;
        EXPECT_EQ(g.BandZoneHeight(), c.bandZone) << c.why;
        EXPECT_EQ(g.DataTop(), c.headerZone + c.bandZone) << c.why;
        EXPECT_EQ(g.RowHeight(), c.rowHeight) << c.why;
        EXPECT_EQ(g.IndicatorWidth(), c.indicator) << c.why;
        EXPECT_EQ(g.ComputeLayout().columns.front().left, c.indicator) << c.why;
    }
}

// The colours of the cells of a painted grid.
struct Painted {
    explicit Painted(TestGrid& grid) : grid(grid), image(grid.size(), QImage::Format_RGB32) { grid.render(&image); }
    QColor cell(int row, int position) const
    {
        for (const auto& p : grid.PlaceColumns())
            if (p.position == position)
                return image.pixelColor(p.left + p.width - 4, grid.DataTop() + row * grid.RowHeight() + 4);
        return {};
    }
    // Dotted focus frame pixels along the top edge of a row.
    int frameDots(int row) const
    {
        int y = grid.DataTop() + row * grid.RowHeight(), dots = 0;
        QColor text = ToQColor(clWindowText, &grid.palette());
        for (int x = 0; x < grid.width(); ++x) dots += image.pixelColor(x, y) == text;
        return dots;
    }
    TestGrid& grid;
    QImage image;
};

TEST(Painting, InvertedSelectHighlightsTheRowButTheFocusedCell)
{
    TestGrid grid(3, 4);
    grid.resize(400, 200);
    int plainRowHeight = grid.RowHeight();
    grid.SetOption(tloInvertSelect, true);
    EXPECT_EQ(grid.RowHeight(), plainRowHeight + 2);
    grid.FocusChange(grid.Items(1), 1, false);
    grid.show();
    grid.activateWindow();
    grid.setFocus();
    QApplication::processEvents();
    const QColor highlight = ToQColor(clHighlight, &grid.palette()), window = ToQColor(clWindow, &grid.palette());

    struct Case {
        const char* why;
        std::function<void()> set;
        bool focused;
        QColor others;      // the row's other cells
        bool frame;         // a focus frame around the row
    } cases[] = {
        {"active", [] {}, true, highlight, true},
        {"not active: the highlight and the frame stay", [] {}, false, highlight, true},
        {"not active with HideSelection", [&] { grid.SetHideSelection(true); }, false, window, true},
        {"not active with HideFocusRect", [&] { grid.SetHideFocusRect(true); }, false, window, false},
        {"not active, own hide-selection colours", [&] {
             grid.SetHideSelection(false);
             grid.SetHideSelectionColor(clRed);
         }, false, ToQColor(clRed, &grid.palette()), false},
        {"active with edgoHideFocusRect", [&] { grid.SetOption(tloHideFocusRect, true); }, true, highlight, false},
    };
    for (const Case& c : cases) {
        c.set();
        if (c.focused) grid.setFocus(); else grid.clearFocus();
        QApplication::processEvents();
        ASSERT_EQ(grid.IsGridActive(), c.focused) << c.why;
        Painted p(grid);
        EXPECT_EQ(p.cell(1, 0), c.others) << c.why;
        EXPECT_EQ(p.cell(1, 2), c.others) << c.why;
        EXPECT_EQ(p.cell(1, 1), window) << c.why << ": the focused cell is not highlighted";
        EXPECT_EQ(p.cell(0, 0), window) << c.why;
        EXPECT_EQ(p.frameDots(1) > 20, c.frame) << c.why;
    }
}

TEST(Painting, CellTextKeepsItsMarginsAndEndsInAnEllipsis)
{
    TestGrid grid(1, 1);
    grid.Columns(0)->SetWidth(60);
    grid.resize(200, 100);
    static_cast<TqvTreeListTextNode*>(grid.Items(0))->SetStrings(0, "WWWWWWWWWWWWWWWWWWWW");
    AnsiString seen;
    grid.OnCustomDrawCell = [&](TComponent*, QPainter*, QRect, TqvTreeListNode*, TqvTreeListColumn*, bool, bool,
                                AnsiString& text, TColor& color, TFont&, TAlignment&, bool&) {
        seen = text;
        color = clYellow;
    };
    grid.SetOption(tloDrawEndEllipsis, true);
    Painted p(grid);
    EXPECT_EQ(seen, "WWWWWWWWWWWWWWWWWWWW");
    EXPECT_EQ(p.cell(0, 0), ToQColor(clYellow, &grid.palette())) << "the handler's colour";
    // Nothing drawn in the two-pixel margin on either side of the text.
    auto places = grid.PlaceColumns();
    int y = grid.DataTop() + 1 + grid.RowHeight() / 2;
    EXPECT_EQ(p.image.pixelColor(places[0].left + 1, y), ToQColor(clYellow, &grid.palette()));
    EXPECT_EQ(p.image.pixelColor(places[0].left + places[0].width - 3, y), ToQColor(clYellow, &grid.palette()));
}

}  // namespace
