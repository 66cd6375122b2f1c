// The grid's option sets: the older words that mirror them, the tree list
// flags they set, and the setter rules (load-all against partial loading, row
// selection against cell selection).
#include "grid/db/DBGrid.h"

#include <gtest/gtest.h>

namespace {

TEST(DBGridOptions, ANewGridStartsWithItsOwnSetsAndFlags)
{
    TqvDBGrid grid;
    EXPECT_EQ(grid.OptionsBehavior(),
              (TqvDBGridOptionsBehavior{edgoAutoSort, edgoDragScroll, edgoEditing, edgoEnterShowEditor,
                                        edgoImmediateEditor, edgoTabThrough, edgoVertThrough}));
    EXPECT_EQ(grid.OptionsDB(), (TqvDBGridOptionsDB{edgoCancelOnExit, edgoCanDelete, edgoCanInsert, edgoCanNavigation,
                                                    edgoConfirmDelete, edgoUseBookmarks}));
    EXPECT_EQ(grid.OptionsView(), (TqvDBGridOptionsView{edgoBandHeaderWidth, edgoUseBitmap}));
    // The tree list's own defaults are replaced: no row selection, no drag expand.
    EXPECT_FALSE(grid.IsRowSelect());
    EXPECT_FALSE(grid.IsOption(tloDragExpand));
    EXPECT_TRUE(grid.IsOption(tloEnterShowEditor));
    EXPECT_TRUE(grid.UseBookmarks());
    EXPECT_FALSE(grid.PartialLoad());
}

TEST(DBGridOptions, TheOlderWordsMirrorTheSets)
{
    TqvDBGrid grid;
    struct Case {
        const char* what;
        std::function<void(TqvDBGrid&)> set;
        TqvDBGridOption option;  // expected set in Options (or -1)
        int optionEx;            // expected set in OptionsEx (or -1)
    };
    const Case cases[] = {
        {"view: row select", [](TqvDBGrid& g) { g.SetOptionsView(g.OptionsView().With(edgoRowSelect)); }, egoRowSelect, -1},
        {"view: indicator", [](TqvDBGrid& g) { g.SetOptionsView(g.OptionsView().With(edgoIndicator)); }, egoIndicator, -1},
        {"view: invert select", [](TqvDBGrid& g) { g.SetOptionsView(g.OptionsView().With(edgoInvertSelect)); },
         TqvDBGridOption(255), egoInvertSelect},
        {"behavior: tabs", [](TqvDBGrid& g) { g.SetOptionsBehavior(g.OptionsBehavior().With(edgoTabs)); }, egoTabs, -1},
        {"behavior: mouse scroll",
         [](TqvDBGrid& g) { g.SetOptionsBehavior(g.OptionsBehavior().With(edgoMouseScroll)); }, TqvDBGridOption(255),
         egoMouseScroll},
        {"customize: row sizing",
         [](TqvDBGrid& g) { g.SetOptionsCustomize(g.OptionsCustomize().With(edgoRowSizing)); }, TqvDBGridOption(255),
         egoRowSizing},
        {"db: load all", [](TqvDBGrid& g) { g.SetOptionsDB(g.OptionsDB().With(edgoLoadAllRecords)); },
         egoLoadAllRecords, -1},
        {"db: sync selection", [](TqvDBGrid& g) { g.SetOptionsDB(g.OptionsDB().With(edgoSyncSelection)); },
         TqvDBGridOption(255), egoSyncSelection},
    };
    for (const Case& c : cases) {
        TqvDBGrid g;
        c.set(g);
        if (c.option != TqvDBGridOption(255)) EXPECT_TRUE(g.Options().Contains(c.option)) << c.what;
        if (c.optionEx >= 0) EXPECT_TRUE(g.OptionsEx().Contains(TqvDBGridOptionEx(c.optionEx))) << c.what;
    }
    // The defaults seen through the older words.
    EXPECT_TRUE(grid.Options().Contains(egoCanNavigation));
    EXPECT_TRUE(grid.OptionsEx().Contains(egoAutoSort));
    EXPECT_FALSE(grid.Options().Contains(egoRowSelect));

    // Writing a word goes back into the sets and keeps the four flags that
    // have no mirror.
    grid.SetOptionsView(grid.OptionsView().With(edgoHotTrack));
    grid.SetOptionsBehavior(grid.OptionsBehavior().With(edgoAutoCopySelectedToClipboard));
    grid.SetOptions(grid.Options().With(egoRowSelect).With(egoLoadAllRecords).Without(egoCanDelete));
    EXPECT_TRUE(grid.OptionsView().Contains(edgoRowSelect));
    EXPECT_TRUE(grid.OptionsDB().Contains(edgoLoadAllRecords));
    EXPECT_FALSE(grid.OptionsDB().Contains(edgoCanDelete));
    EXPECT_TRUE(grid.OptionsView().Contains(edgoHotTrack));
    EXPECT_TRUE(grid.OptionsBehavior().Contains(edgoAutoCopySelectedToClipboard));
    EXPECT_TRUE(grid.UseBookmarks());
    EXPECT_TRUE(grid.IsRowSelect());
    grid.SetOptionsEx(grid.OptionsEx().Without(egoAutoSort).With(egoHorzThrough));
    EXPECT_FALSE(grid.OptionsBehavior().Contains(edgoAutoSort));
    EXPECT_TRUE(grid.IsOption(tloHorzThrough));
}

TEST(DBGridOptions, SetterRules)
{
    struct Case {
        const char* what;
        TqvDBGridOptionsDB db;
        TqvDBGridOptionsView view;
        TqvDBGridOptionsDB wantDB;
        TqvDBGridOptionsView wantView;
        TqvDBLoadMode mode;
    } cases[] = {
        {"load-all wins over partial", {edgoLoadAllRecords, edgoPartialLoad}, {}, {edgoLoadAllRecords}, {},
         TqvDBLoadMode::LoadAll},
        {"partial alone", {edgoPartialLoad}, {}, {edgoPartialLoad}, {}, TqvDBLoadMode::Partial},
        {"neither: window", {}, {}, {}, {}, TqvDBLoadMode::Window},
        {"cells win over rows", {}, {edgoRowSelect, edgoInvertSelect}, {}, {edgoInvertSelect},
         TqvDBLoadMode::Window},
        {"rows alone", {}, {edgoRowSelect}, {}, {edgoRowSelect}, TqvDBLoadMode::Window},
    };
    for (const Case& c : cases) {
        TqvDBGrid grid;
        grid.SetOptionsDB(c.db);
        grid.SetOptionsView(c.view);
        EXPECT_EQ(grid.OptionsDB(), c.wantDB) << c.what;
        EXPECT_EQ(grid.OptionsView(), c.wantView) << c.what;
        EXPECT_EQ(grid.LoadMode(), c.mode) << c.what;
        EXPECT_EQ(grid.IsRowSelect(), c.wantView.Contains(edgoRowSelect)) << c.what;
        EXPECT_EQ(grid.IsInvertSelect(), c.wantView.Contains(edgoInvertSelect)) << c.what;
    }
    // Switching the line grid's edit mode: rows to cells and back.
    TqvDBGrid grid;
    grid.SetOptionsView({edgoAutoWidth, edgoBandHeaderWidth, edgoRowSelect, edgoUseBitmap});
    grid.SetOptionsView(grid.OptionsView().Without(edgoRowSelect).With(edgoInvertSelect));
    EXPECT_TRUE(grid.IsInvertSelect());
    EXPECT_FALSE(grid.IsRowSelect());
    grid.SetOptionsView(grid.OptionsView().Without(edgoInvertSelect).With(edgoRowSelect));
    EXPECT_FALSE(grid.IsInvertSelect());
    EXPECT_TRUE(grid.IsRowSelect());
}

TEST(DBGridOptions, SomeWordsStayWithTheGrid)
{
    TqvDBGrid grid;
    grid.SetOptionsBehavior(grid.OptionsBehavior().With(edgoMultiSort));
    // MultiSort sets no tree list flag; the grid reads its own word, and
    // sorting needs every record as a node.
    EXPECT_FALSE(grid.TCustomqvTreeList::IsOption(tloMultiSort));
    EXPECT_FALSE(grid.IsOption(tloMultiSort));
    EXPECT_FALSE(grid.IsOption(tloAutoSort));
    grid.SetOptionsDB(grid.OptionsDB().With(edgoLoadAllRecords));
    EXPECT_TRUE(grid.IsOption(tloMultiSort));
    EXPECT_TRUE(grid.IsOption(tloAutoSort));
}

}  // namespace
