// The grid as a widget: Qt's key, mouse and wheel events through the guard,
// and plain painting.
#include "GridEvents.h"
#include "TestGrid.h"

#include "runtime/Application.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Sized : TestGrid {
    Sized(int columns, int nodes) : TestGrid(columns, nodes) { resize(400, 8 * RowHeight() + DataTop()); }
};

TEST(GridWidget, AnEmptyGridIgnoresKeys)
{
    Sized grid(3, 0);
    int seen = 0;
    grid.OnKeyDown = [&](TComponent*, Word&, TShiftState) { ++seen; };
    for (int k : {Qt::Key_Down, Qt::Key_End, Qt::Key_Right, Qt::Key_PageDown}) key(grid, k);
    EXPECT_EQ(seen, 4);  // the application still hears them
    EXPECT_EQ(grid.FocusedNode(), nullptr);
    EXPECT_EQ(grid.FocusedColumn(), 0);
}

TEST(GridWidget, KeysMoveRowsAndColumns)
{
    Sized grid(3, 20);
    struct Case {
        const char* what;
        int qtKey;
        Qt::KeyboardModifiers mods;
        int row, column;
    };
    // Starting at row 5, column 1, in cell mode.
    const Case cases[] = {
        {"down", Qt::Key_Down, Qt::NoModifier, 6, 1},
        {"up", Qt::Key_Up, Qt::NoModifier, 4, 1},
        {"right", Qt::Key_Right, Qt::NoModifier, 5, 2},
        {"left", Qt::Key_Left, Qt::NoModifier, 5, 0},
        {"home: first column", Qt::Key_Home, Qt::NoModifier, 5, 0},
        {"ctrl+end: last row", Qt::Key_End, Qt::ControlModifier, 19, 1},
        {"page down from inside the page: its last row", Qt::Key_PageDown, Qt::NoModifier, 7, 1},
    };
    for (const Case& c : cases) {
        grid.SetOption(tloRowSelect, false);
        grid.SetTopVisibleNode(grid.Items(0));
        grid.FocusChange(grid.Items(5), 1, true);
        key(grid, c.qtKey, c.mods);
        EXPECT_EQ(grid.FocusedAbsoluteIndex(), c.row) << c.what;
        EXPECT_EQ(grid.FocusedColumn(), c.column) << c.what;
    }
    // At the last column Right stays, unless HorzThrough goes on to the next row.
    grid.FocusChange(grid.Items(5), 2, true);
    key(grid, Qt::Key_Right);
    EXPECT_EQ(grid.FocusedAbsoluteIndex(), 5);
    grid.SetOption(tloHorzThrough, true);
    key(grid, Qt::Key_Right);
    EXPECT_EQ(grid.FocusedAbsoluteIndex(), 6);
    EXPECT_EQ(grid.FocusedColumn(), 0);
}

TEST(GridWidget, RowSelectionArrowsWalkTheTree)
{
    Sized grid(2, 0);
    auto* a = grid.Add();
    auto* a1 = a->AddChild();
    auto* b = grid.Add();
    grid.SetFocusedNode(a);
    key(grid, Qt::Key_Right);  // expands
    EXPECT_TRUE(a->Expanded());
    key(grid, Qt::Key_Right);  // to the first child
    EXPECT_EQ(grid.FocusedNode(), a1);
    key(grid, Qt::Key_Right);  // a leaf: next row
    EXPECT_EQ(grid.FocusedNode(), b);
    grid.SetFocusedNode(a1);
    key(grid, Qt::Key_Left);  // to the parent
    EXPECT_EQ(grid.FocusedNode(), a);
    key(grid, Qt::Key_Left);  // collapses
    EXPECT_FALSE(a->Expanded());
    key(grid, Qt::Key_Asterisk, Qt::NoModifier, "*");  // expands all below
    EXPECT_TRUE(a->Expanded());
    key(grid, Qt::Key_Minus, Qt::NoModifier, "-");
    EXPECT_FALSE(a->Expanded());
}

TEST(GridWidget, InAMouseOperationOnlyEscapeCounts)
{
    Sized grid(2, 5);
    grid.SetFocusedNode(grid.Items(0));
    grid.SetState(tsColumnSizing);
    key(grid, Qt::Key_Down);
    EXPECT_EQ(grid.FocusedAbsoluteIndex(), 0);
    key(grid, Qt::Key_Escape);
    EXPECT_EQ(grid.State(), tsNormal);
    key(grid, Qt::Key_Down);
    EXPECT_EQ(grid.FocusedAbsoluteIndex(), 1);
}

TEST(GridWidget, AClickFocusesTheCellUnderIt)
{
    Sized grid(3, 10);
    grid.SetOption(tloRowSelect, false);
    auto places = grid.PlaceColumns();
    ASSERT_EQ(places.size(), 3u);
    QPoint at(places[2].left + 3, grid.DataTop() + 3 * grid.RowHeight() + 2);
    click(grid, at);
    EXPECT_EQ(grid.FocusedAbsoluteIndex(), 3);
    EXPECT_EQ(grid.FocusedColumn(), 2);

    // Under row selection the click moves the row only.
    grid.SetOption(tloRowSelect, true);
    click(grid, QPoint(places[0].left + 20, grid.DataTop() + grid.RowHeight() + 2));
    EXPECT_EQ(grid.FocusedAbsoluteIndex(), 1);
    EXPECT_EQ(grid.StoredFocusedColumn(), 2);
}

TEST(GridWidget, TheWheelScrollsAndTheLastPageStaysFull)
{
    Sized grid(1, 30);
    int changes = 0;
    grid.OnChangeTopVisibleNode = [&](TComponent*) { ++changes; };
    QPointF pos(10, 40);
    QWheelEvent down(pos, grid.mapToGlobal(pos), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(&grid, &down);
    EXPECT_EQ(grid.GetAbsoluteIndex(grid.TopVisibleNode()), QApplication::wheelScrollLines());
    EXPECT_EQ(changes, 1);
    grid.SetTopVisibleNode(grid.Items(29));
    EXPECT_EQ(grid.GetAbsoluteIndex(grid.TopVisibleNode()), 30 - grid.VisibleRowCount());
}

TEST(GridWidget, AnErrorInAHandlerGoesToTheApplication)
{
    Sized grid(2, 3);
    std::vector<std::string> handled;
    Application().SetOnException([&](const std::exception& e) { handled.push_back(e.what()); });
    grid.OnChangeNode = [](TComponent*, TqvTreeListNode*, TqvTreeListNode*) { throw Exception("no moving"); };
    key(grid, Qt::Key_Down);
    Application().SetOnException(nullptr);
    EXPECT_EQ(handled, (std::vector<std::string>{"no moving"}));
}

TEST(GridWidget, PaintsTextAndTheSelectedRow)
{
    Sized grid(2, 3);
    auto* node = static_cast<TqvTreeListTextNode*>(grid.Items(1));
    node->SetStrings(0, "WWWW");
    grid.SetFocusedNode(node);
    QImage image(grid.size(), QImage::Format_RGB32);
    grid.render(&image);
    int y = grid.DataTop() + grid.RowHeight() + grid.RowHeight() / 2;
    QColor highlight = ToQColor(clHighlight, &grid.palette());
    // Row selection: every cell of the focused row takes the highlight.
    auto places = grid.PlaceColumns();
    int lastCell = places.back().left + places.back().width - 5;
    EXPECT_EQ(image.pixelColor(lastCell, y), highlight);
    int dark = 0;
    for (int x = 2; x < 40; ++x)
        if (image.pixelColor(x, y) != highlight) ++dark;
    EXPECT_GT(dark, 0) << "no text drawn";
    int otherRow = grid.DataTop() + grid.RowHeight() / 2;
    EXPECT_NE(image.pixelColor(lastCell, otherRow), highlight);
}

}  // namespace
