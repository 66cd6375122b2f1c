// Columns and bands: the navigation order, band/row/column placement rules,
// per-column node data, defaults and ownership.
#include "TestGrid.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string captions(const std::vector<TqvTreeListColumn*>& columns)
{
    std::string s;
    for (auto* c : columns) s += c->Caption() + " ";
    return s;
}

std::string listOrder(const TCustomqvTreeListControl& grid)
{
    std::vector<TqvTreeListColumn*> all;
    for (int i = 0; i < grid.ColumnCount(); ++i) all.push_back(grid.Columns(i));
    return captions(all);
}

TqvTreeListColumn* column(TestGrid& grid, int index, int band, int row, bool visible = true)
{
    TqvTreeListColumn* c = grid.Columns(index);
    c->SetBandIndex(band);
    c->SetRowIndex(row);
    c->SetVisible(visible);
    return c;
}

// Bands: B0 scrolling, B1 fixed left, B2 hidden, B3 fixed right; two header
// rows; nine columns in every kind of place.
void severalBands(TestGrid& g)
{
    g.Bands().Add();
    g.Bands().Add();
    g.Bands().Add();
    g.Bands().Items(1)->SetFixed(bfLeft);
    g.Bands().Items(2)->SetVisible(false);
    g.Bands().Items(3)->SetFixed(bfRight);
    g.SetHeaderPanelRowCount(2);
    column(g, 0, 0, 0);
    column(g, 1, 1, 0);
    column(g, 2, 0, 1);
    column(g, 3, 3, 0);
    column(g, 4, 1, 1);
    column(g, 5, 2, 0);         // its band is hidden
    column(g, 6, 0, 0, false);  // hidden itself
    column(g, 7, -1, 0);        // no band
    column(g, 8, 0, 0);
}

TEST(NavigationOrder, RowsThenBandsLeftToRightThenColumns)
{
    struct Case {
        const char* what;
        std::function<void(TestGrid&)> arrange;
        const char* order;
    };
    const Case cases[] = {
        {"one band, one row: the visible columns in list order",
         [](TestGrid& g) { g.Columns(1)->SetVisible(false); }, "C0 C2 C3 C4 C5 C6 C7 C8 "},
        {"several bands and header rows", severalBands, "C1 C0 C8 C3 C4 C2 "},
        {"fewer header rows bring every column into the rows left",
         [](TestGrid& g) {
             severalBands(g);
             g.SetHeaderPanelRowCount(1);
         },
         "C1 C4 C0 C2 C8 C3 "},
        {"columns follow a band that moves",
         [](TestGrid& g) {
             severalBands(g);
             g.Bands().Move(3, 0);
         },
         "C1 C0 C8 C3 C4 C2 "},
        {"columns of a deleted band lose it",
         [](TestGrid& g) {
             severalBands(g);
             g.Bands().Delete(0);
         },
         "C1 C3 C4 "},
        {"columns follow bands inserted before theirs",
         [](TestGrid& g) {
             severalBands(g);
             g.Bands().Insert(0)->SetFixed(bfLeft);
         },
         "C1 C0 C8 C3 C4 C2 "},
        {"no bands: nothing is shown", [](TestGrid& g) { g.Bands().Clear(); }, ""},
    };
    for (const Case& c : cases) {
        TestGrid grid(9, 1);
        c.arrange(grid);
        std::vector<TqvTreeListColumn*> order = grid.NavigationOrder();
        EXPECT_EQ(captions(order), c.order) << c.what;
        EXPECT_EQ(grid.ShownColumnCount(), static_cast<int>(order.size())) << c.what;
        for (int i = 0; i < grid.ColumnCount(); ++i)
            EXPECT_EQ(grid.Columns(i)->IsShown(), std::count(order.begin(), order.end(), grid.Columns(i)) == 1)
                << c.what << " C" << i;
    }
}

TEST(NavigationOrder, ConvertsPositionsAndColumnIndexes)
{
    TestGrid grid(9, 1);
    severalBands(grid);  // order: C1 C0 C8 C3 C4 C2
    struct Case {
        int position, index;
    };
    for (Case c : {Case{0, 1}, Case{2, 8}, Case{5, 2}, Case{6, -1}, Case{-1, -1}})
        EXPECT_EQ(grid.ColumnIndexFromNavigation(c.position), c.index) << c.position;
    for (Case c : {Case{2, 8}, Case{5, 2}, Case{0, 5}, Case{0, 6}, Case{0, 7}, Case{0, 99}})
        EXPECT_EQ(grid.NavigationFromColumnIndex(c.index), c.position) << c.index;

    // The focused column is a position in this order.
    grid.SetOption(tloRowSelect, false);
    grid.SetFocusedNode(grid.Items(0));
    grid.SetFocusedColumn(5);
    EXPECT_EQ(grid.NavigationColumn(grid.FocusedColumn()), grid.Columns(2));
}

TEST(ColumnPlacement, RowAndBandIndexesClamp)
{
    TestGrid grid(1, 0);
    grid.Bands().Add();
    TqvTreeListColumn* c = grid.Columns(0);
    c->SetBandIndex(9);
    EXPECT_EQ(c->BandIndex(), 1);
    c->SetBandIndex(-5);
    EXPECT_EQ(c->BandIndex(), -1);

    grid.SetHeaderPanelRowCount(3);
    c->SetRowIndex(7);
    EXPECT_EQ(c->RowIndex(), 2);
    // The stored row survives fewer rows and comes back with more.
    grid.SetHeaderPanelRowCount(2);
    EXPECT_EQ(c->RowIndex(), 1);
    grid.SetHeaderPanelRowCount(3);
    EXPECT_EQ(c->RowIndex(), 2);
    c->SetRowIndex(-1);
    EXPECT_EQ(c->RowIndex(), 0);

    grid.SetHeaderPanelRowCount(9);  // at most HeaderPanelMaxRowCount
    EXPECT_EQ(grid.HeaderPanelRowCount(), 5);
}

TEST(ColumnPlacement, ColIndexReadsAndMovesWithinItsRow)
{
    // Columns C0 C1 C2, C3 hidden, C4 in the second header row.
    auto arrange = [](TestGrid& g) {
        g.SetHeaderPanelRowCount(2);
        g.Columns(3)->SetVisible(false);
        g.Columns(4)->SetRowIndex(1);
    };
    {
        TestGrid grid(5, 0);
        arrange(grid);
        std::vector<int> read;
        for (int i = 0; i < 5; ++i) read.push_back(grid.Columns(i)->ColIndex());
        EXPECT_EQ(read, (std::vector<int>{0, 1, 2, 3, 0}));
    }
    struct Case {
        int column, value;
        const char* order;
        int colIndex;  // read back
    };
    const Case cases[] = {
        {0, 2, "C1 C2 C0 C3 C4 ", 2},   // past its peers: after the last one
        {2, 0, "C2 C0 C1 C3 C4 ", 0},   // before the column at 0
        {0, 1, "C1 C0 C2 C3 C4 ", 1},   // before the column now at 1
        {1, -3, "C1 C0 C2 C3 C4 ", 0},  // clamped to 0
        {0, 9, "C1 C2 C0 C3 C4 ", 2},   // clamped past the end
        {4, 0, "C0 C1 C2 C3 C4 ", 0},   // alone in its row
        {1, 1, "C0 C1 C2 C3 C4 ", 1},   // where it is already
    };
    for (const Case& c : cases) {
        TestGrid grid(5, 0);
        arrange(grid);
        TqvTreeListColumn* moved = grid.Columns(c.column);
        moved->SetColIndex(c.value);
        EXPECT_EQ(listOrder(grid), c.order) << "C" << c.column << " to " << c.value;
        EXPECT_EQ(moved->ColIndex(), c.colIndex) << "C" << c.column << " to " << c.value;
    }
    TestGrid grid(3, 0);
    grid.Columns(0)->SetBandIndex(-1);
    grid.Columns(0)->SetColIndex(2);  // without a band: nothing
    EXPECT_EQ(listOrder(grid), "C0 C1 C2 ");
    TqvTreeListColumn loose;
    EXPECT_EQ(loose.ColIndex(), -1);
}

TEST(Columns, NodeStringsFollowTheirColumn)
{
    TestGrid grid(3, 1);
    auto* node = static_cast<TqvTreeListTextNode*>(grid.Items(0));
    for (int i = 0; i < 3; ++i) node->SetStrings(i, "s" + std::to_string(i));
    auto text = [&](int column) { return grid.GetCellText(node, grid.Columns(column)); };
    grid.Columns(0)->SetIndex(2);
    EXPECT_EQ(text(2), "s0");
    EXPECT_EQ(text(0), "s1");
    delete grid.Columns(1);
    EXPECT_EQ(grid.ColumnCount(), 2);
    EXPECT_EQ(text(0), "s1");
    EXPECT_EQ(text(1), "s0");
    EXPECT_EQ(node->Strings(7), "");
}

TEST(Columns, PublishedDefaults)
{
    TestGrid grid(1, 0);
    TqvTreeListColumn* c = grid.Columns(0);
    EXPECT_EQ(c->CharCase(), ecNormal);
    EXPECT_FALSE(c->DisableCaption());
    EXPECT_FALSE(c->DisableCustomizing());
    EXPECT_FALSE(c->DisableDragging());
    EXPECT_FALSE(c->DisableEditor());
    EXPECT_EQ(c->HeaderAlignment(), taLeftJustify);
    EXPECT_EQ(c->MinWidth(), 20);
    EXPECT_FALSE(c->OEMConvert());
    EXPECT_EQ(c->PasswordChar(), '\0');
    EXPECT_TRUE(c->Sizing());
    EXPECT_EQ(c->Sorted(), csNone);
    EXPECT_TRUE(c->TabStop());
    EXPECT_EQ(c->VertAlignment(), tlTop);
    EXPECT_TRUE(c->Visible());
    EXPECT_EQ(c->HeaderMaxLineCount(), 1);
    EXPECT_EQ(c->BandIndex(), 0);
    // Colour and font come from the grid until the column sets its own.
    EXPECT_EQ(c->Color(), grid.Color());
    grid.SetColor(clYellow);
    EXPECT_EQ(c->Color(), clYellow);
    c->SetColor(clRed);
    grid.SetColor(clAqua);
    EXPECT_EQ(c->Color(), clRed);

    TqvTreeListBand* b = grid.Bands().Items(0);
    EXPECT_EQ(b->Alignment(), taCenter);
    EXPECT_FALSE(b->DisableCustomizing());
    EXPECT_FALSE(b->DisableDragging());
    EXPECT_EQ(b->Fixed(), bfNone);
    EXPECT_EQ(b->MinWidth(), 30);
    EXPECT_FALSE(b->OnlyOwnColumns());
    EXPECT_TRUE(b->Sizing());
    EXPECT_TRUE(b->Visible());
    EXPECT_EQ(b->Width(), 250);

    EXPECT_EQ(grid.BandRowCount(), 1);
    EXPECT_EQ(grid.BandMaxRowCount(), 5);
    EXPECT_EQ(grid.HeaderPanelRowCount(), 1);
    EXPECT_EQ(grid.HeaderPanelMaxRowCount(), 5);
    EXPECT_EQ(grid.HeaderMinRowCount(), 1);
    EXPECT_TRUE(grid.DefaultLayout());
}

TEST(Columns, BelongToTheFormAndOutliveTheGrid)
{
    TComponent form;
    auto grid = std::make_unique<TestGrid>();
    form.InsertComponent(grid.get());
    TqvTreeListColumn* c = grid->CreateColumn();
    EXPECT_EQ(c->Owner(), &form);
    EXPECT_EQ(c->Index(), 0);
    form.RemoveComponent(grid.get());
    grid.reset();
    EXPECT_EQ(c->TreeList(), nullptr);
    EXPECT_EQ(c->Index(), -1);
    // A grid without an owner owns its columns itself.
    TestGrid alone(2, 0);
    EXPECT_EQ(alone.Columns(1)->Owner(), &alone);
}

}  // namespace
