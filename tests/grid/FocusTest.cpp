// The focused column and node, the focus change, the behaviour flags and
// begin/end update.
#include "TestGrid.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

TEST(FocusedColumn, ReadAndWriteRules)
{
    struct Case {
        const char* what;
        std::function<void(TestGrid&)> act;
        int read;
        int stored;
    };
    auto cellMode = [](TestGrid& g) { g.SetOption(tloRowSelect, false); };
    const Case cases[] = {
        {"a new grid is in row selection", [](TestGrid&) {}, 0, -1},
        {"row selection ignores writes", [](TestGrid& g) { g.SetFocusedColumn(2); }, 0, -1},
        {"never in cell mode: -1 stored, 0 read", cellMode, 0, -1},
        {"cell mode stores a write",
         [&](TestGrid& g) {
             cellMode(g);
             g.SetFocusedColumn(2);
         },
         2, 2},
        {"negative, past the end and equal writes are ignored",
         [&](TestGrid& g) {
             cellMode(g);
             g.SetFocusedColumn(2);
             g.SetFocusedColumn(-1);
             g.SetFocusedColumn(4);
             g.SetFocusedColumn(2);
         },
         2, 2},
        {"row selection hides the stored column",
         [&](TestGrid& g) {
             cellMode(g);
             g.SetFocusedColumn(3);
             g.SetOption(tloRowSelect, true);
         },
         0, 3},
        {"clearing row selection shows it again",
         [&](TestGrid& g) {
             cellMode(g);
             g.SetFocusedColumn(3);
             g.SetOption(tloRowSelect, true);
             g.SetOption(tloRowSelect, false);
         },
         3, 3},
        {"inverted selection works cell by cell",
         [&](TestGrid& g) {
             g.SetOption(tloInvertSelect, true);
             g.SetFocusedColumn(1);
         },
         1, 1},
        {"inside begin-update a row-selection write is stored as it is",
         [](TestGrid& g) {
             g.BeginUpdate();
             g.SetFocusedColumn(2);
             g.EndUpdate();
         },
         0, 2},
        {"...and shows once row selection is off",
         [](TestGrid& g) {
             g.BeginUpdate();
             g.SetFocusedColumn(2);
             g.EndUpdate();
             g.SetOption(tloRowSelect, false);
         },
         2, 2},
        {"hiding the focused last column: stored = shown count reads 0",
         [&](TestGrid& g) {
             cellMode(g);
             g.SetFocusedColumn(3);
             g.Columns(3)->SetVisible(false);
         },
         0, 3},
        {"...and writing that position again is ignored",
         [&](TestGrid& g) {
             cellMode(g);
             g.SetFocusedColumn(3);
             g.Columns(3)->SetVisible(false);
             g.SetFocusedColumn(3);
             g.SetFocusedColumn(2);
         },
         2, 2},
        {"hiding an earlier column keeps the position",
         [&](TestGrid& g) {
             cellMode(g);
             g.SetFocusedColumn(2);
             g.Columns(0)->SetVisible(false);
         },
         2, 2},
        {"a column in an invisible band is not shown",
         [&](TestGrid& g) {
             cellMode(g);
             g.SetFocusedColumn(1);
             g.Bands().Items(0)->SetVisible(false);
         },
         0, 1},
    };
    for (const Case& c : cases) {
        TestGrid grid(4, 3);
        grid.SetFocusedNode(grid.Items(0));
        c.act(grid);
        EXPECT_EQ(grid.FocusedColumn(), c.read) << c.what;
        EXPECT_EQ(grid.StoredFocusedColumn(), c.stored) << c.what;
    }
}

TEST(FocusedColumn, AnEmptyGridReadsZeroAndIgnoresWrites)
{
    TestGrid grid(3, 0);
    grid.SetOption(tloRowSelect, false);
    grid.SetFocusedColumn(1);  // no focused node: the focus change does nothing
    EXPECT_EQ(grid.FocusedColumn(), 0);
    EXPECT_EQ(grid.StoredFocusedColumn(), -1);
}

TEST(FocusChange, EventsComeNodeFirstAndOnlyForRealChanges)
{
    TestGrid grid(3, 3);
    grid.SetOption(tloRowSelect, false);
    std::vector<std::string> events;
    grid.OnChangeNode = [&](TComponent*, TqvTreeListNode* o, TqvTreeListNode* n) {
        events.push_back("node " + std::to_string(o ? o->Index() : -1) + ">" + std::to_string(n->Index()));
    };
    grid.OnChangeColumn = [&](TComponent*, TqvTreeListNode* n, int c) {
        events.push_back("column " + std::to_string(n->Index()) + ":" + std::to_string(c));
    };
    grid.FocusChange(grid.Items(1), 2, false);
    grid.FocusChange(grid.Items(1), 2, false);  // nothing changes: no events
    grid.FocusChange(grid.Items(2), 2, false);
    grid.FocusChange(nullptr, 1, false);  // no node: nothing at all
    grid.SetFocusedColumn(0);
    EXPECT_EQ(events, (std::vector<std::string>{"node -1>1", "column 1:2", "node 1>2", "column 2:0"}));

    // Every focus change first closes an active editor; inside an update the
    // values are only stored, and the events still follow.
    grid.hooks.clear();
    events.clear();
    grid.BeginUpdate();
    grid.FocusChange(grid.Items(0), 1, false);
    EXPECT_EQ(events, (std::vector<std::string>{"node 2>0", "column 0:1"}));
    grid.EndUpdate();
    EXPECT_EQ(grid.hooks[0], "cancel");  // begin-update cancels
    EXPECT_EQ(grid.hooks[1], "close");   // the focus change closes
}

TEST(FocusChange, RowSelectionMovesRowsAndKeepsTheColumn)
{
    TestGrid grid(3, 3);
    grid.SetOption(tloRowSelect, false);
    grid.FocusChange(grid.Items(0), 2, false);
    grid.SetOption(tloRowSelect, true);
    grid.FocusChange(grid.Items(1), 1, false);
    EXPECT_EQ(grid.FocusedNode(), grid.Items(1));
    EXPECT_EQ(grid.StoredFocusedColumn(), 2);
    grid.SetOption(tloRowSelect, false);
    EXPECT_EQ(grid.FocusedColumn(), 2);
}

TEST(Options, DefaultsAndTheRowSelectInvertSelectExclusion)
{
    TestGrid grid;
    EXPECT_EQ(grid.Options(), TqvTreeListOptions({tloColumnSizing, tloColumnMoving, tloEditing, tloTabThrough,
                                                  tloRowSelect, tloUseBitmap, tloBandHeaderWidth,
                                                  tloAutoCalcPreviewLines, tloBandSizing, tloBandMoving,
                                                  tloDragScroll, tloDragExpand}));
    grid.SetOptions({tloRowSelect, tloInvertSelect, tloEditing});
    EXPECT_EQ(grid.Options(), TqvTreeListOptions({tloInvertSelect, tloEditing}));
    grid.SetOption(tloRowSelect, true);
    EXPECT_EQ(grid.Options(), TqvTreeListOptions({tloRowSelect, tloEditing}));
    grid.SetOption(tloInvertSelect, true);
    EXPECT_EQ(grid.Options(), TqvTreeListOptions({tloInvertSelect, tloEditing}));
}

TEST(Options, ChangesCloseTheEditorFirstAndAskForTheirFollowUps)
{
    struct Case {
        const char* what;
        TqvTreeListOptions from, to;
        std::vector<std::string> hooks;
    };
    const Case cases[] = {
        {"same value", {tloEditing}, {tloEditing}, {}},
        {"same after the exclusion", {tloInvertSelect}, {tloInvertSelect, tloRowSelect}, {}},
        {"plain change", {}, {tloEditing}, {"close", "cancel"}},
        {"auto sort on", {}, {tloAutoSort}, {"close", "cancel", "sort"}},
        {"multi sort off", {tloMultiSort}, {}, {"close", "cancel", "sort"}},
        {"ANSI sort changed", {tloAnsiSort}, {}, {"close", "cancel", "sort"}},
        {"auto width off, widths kept", {tloAutoWidth, tloKeepColumnWidth}, {tloKeepColumnWidth},
         {"close", "cancel", "fit"}},
        {"auto width off alone", {tloAutoWidth}, {}, {"close", "cancel"}},
        {"auto search off", {tloAutoSearch}, {}, {"close", "cancel", "search"}},
    };
    for (const Case& c : cases) {
        TestGrid grid;
        grid.SetOptions(c.from);
        grid.hooks.clear();
        grid.SetOptions(c.to);
        EXPECT_EQ(grid.hooks, c.hooks) << c.what;
    }
}

TEST(Options, BehaviourReadsFlagsThroughThePredicate)
{
    // A subclass that adds its own condition: never row selection.
    struct CellGrid : TestGrid {
        CellGrid() : TestGrid(3, 1) {}
        bool IsOption(TqvTreeListOption o) const override { return o != tloRowSelect && TestGrid::IsOption(o); }
    } grid;
    ASSERT_TRUE(grid.Options().Contains(tloRowSelect));
    grid.SetFocusedNode(grid.Items(0));
    grid.SetFocusedColumn(2);
    EXPECT_EQ(grid.FocusedColumn(), 2);
}

TEST(Update, NestsCancelsTheEditorAndReportsTheSelectionOnce)
{
    TestGrid grid(1, 3);
    int reports = 0;
    grid.OnSelectedCountChange = [&](TComponent*) { ++reports; };
    grid.BeginUpdate();
    grid.BeginUpdate();
    EXPECT_EQ(grid.hooks, (std::vector<std::string>{"cancel", "cancel"}));
    grid.SelectNode(grid.Items(0), true);
    grid.SelectNode(grid.Items(1), true);
    grid.EndUpdate();
    EXPECT_EQ(reports, 0);
    grid.EndUpdate();
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(grid.LockUpdate(), 0);

    // A selection that ends as it started reports nothing.
    grid.BeginUpdate();
    grid.SelectNode(grid.Items(2), true);
    grid.SelectNode(grid.Items(2), false);
    grid.EndUpdate();
    EXPECT_EQ(reports, 1);
    grid.EndUpdate();  // unbalanced: ignored
    EXPECT_EQ(grid.LockUpdate(), 0);

    // Outside updates each change reports; a refused node is not selected.
    grid.OnCanNodeSelected = [&](TComponent*, TqvTreeListNode* n, bool& allow) { allow = n != grid.Items(2); };
    grid.SelectNode(grid.Items(2), true);
    EXPECT_EQ(grid.SelectedCount(), 2);
    grid.Items(0)->Delete();
    EXPECT_EQ(grid.SelectedCount(), 1);
    EXPECT_EQ(reports, 2);
}

}  // namespace
