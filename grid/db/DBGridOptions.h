#pragma once
// The option sets of the dataset-bound grid: the four published sets
// (behaviour, customizing, dataset, view), the two older flag words that
// mirror them, and how they map onto the tree list's behaviour flags.
//
// Rules that are easy to break:
// - Bit i of a set is enumerator i, in declaration order. The orders are
//   public (stored forms and callers pass the words as numbers): never
//   reorder or drop an enumerator.
// - A new enumerator mirrors the older flag of the same word (edgoRowSelect
//   and egoRowSelect). Four have no mirror: edgoHotTrack,
//   edgoAutoCopySelectedToClipboard, edgoPartialLoad, edgoUseBookmarks; they
//   keep their values when the older words are written.
// - The view, behaviour and customizing enumerators set the tree list flag of
//   the same word, except edgoIndicator (the grid's indicator column) and
//   edgoCollapsedReload, edgoDblClick, edgoMultiSort, edgoSeekDetail and
//   edgoNotHideColumn, which the grid keeps for itself. The dataset set maps
//   to no tree list flag.
// Every mapping is made from the enumerators' words, in one place
// (DBGridOptions.cpp): the directions cannot disagree.

#include "grid/treelist/TreeListTypes.h"

#include <cstdint>

enum TqvDBGridOptionBehavior : uint8_t {
    edgoAnsiSort, edgoAutoCopySelectedToClipboard, edgoAutoSearch, edgoAutoSort, edgoBandButtonClicking,
    edgoCaseInsensitive, edgoCellMultiSelect, edgoCollapsedReload, edgoDblClick, edgoDragCollapse,
    edgoDragExpand, edgoDragScroll, edgoEditing, edgoEnterShowEditor, edgoEnterThrough, edgoExtMultiSelect,
    edgoHeaderButtonClicking, edgoHorzThrough, edgoImmediateEditor, edgoMouseScroll, edgoMultiSelect,
    edgoMultiSort, edgoSeekDetail, edgoShowHourGlass, edgoStoreToIniFile, edgoStoreToRegistry, edgoTabs,
    edgoTabThrough, edgoVertThrough,
};

enum TqvDBGridOptionCustomize : uint8_t {
    edgoBandMoving, edgoBandPanelSizing, edgoBandSizing, edgoColumnMoving, edgoColumnSizing,
    edgoExtCustomizing, edgoFullSizing, edgoHeaderPanelSizing, edgoKeepColumnWidth, edgoNotHideColumn,
    edgoRowSizing,
};

enum TqvDBGridOptionDB : uint8_t {
    edgoCanAppend, edgoCancelOnExit, edgoCanDelete, edgoCanInsert, edgoCanNavigation, edgoConfirmDelete,
    edgoLoadAllRecords, edgoPartialLoad, edgoResetColumnFocus, edgoSmartRefresh, edgoSmartReload,
    edgoSyncSelection, edgoUseBookmarks, edgoUseLocate,
};

enum TqvDBGridOptionView : uint8_t {
    edgoAutoCalcPreviewLines, edgoAutoHeaderPanelHeight, edgoAutoWidth, edgoBandHeaderWidth,
    edgoDrawEndEllipsis, edgoHideFocusRect, edgoHotTrack, edgoIndicator, edgoInvertSelect, edgoPreview,
    edgoRowAutoHeight, edgoRowSelect, edgoShowButtonAlways, edgoUseBitmap,
};

// The older words, 32 flags each.
enum TqvDBGridOption : uint8_t {
    egoColumnSizing, egoColumnMoving, egoEditing, egoTabs, egoTabThrough, egoRowSelect, egoMultiSelect,
    egoCanDelete, egoConfirmDelete, egoCanNavigation, egoCanAppend, egoCancelOnExit, egoImmediateEditor,
    egoCanInsert, egoLoadAllRecords, egoPreview, egoDrawEndEllipsis, egoStoreToRegistry, egoAutoWidth,
    egoShowHourGlass, egoCaseInsensitive, egoDblClick, egoIndicator, egoExtMultiSelect, egoResetColumnFocus,
    egoExtCustomizing, egoHideFocusRect, egoStoreToIniFile, egoUseLocate, egoSmartReload, egoSmartRefresh,
    egoSeekDetail,
};

enum TqvDBGridOptionEx : uint8_t {
    egoInvertSelect, egoUseBitmap, egoBandHeaderWidth, egoAutoCalcPreviewLines, egoBandSizing, egoBandMoving,
    egoHorzThrough, egoVertThrough, egoCellMultiSelect, egoEnterThrough, egoEnterShowEditor, egoFullSizing,
    egoDragScroll, egoDragExpand, egoDragCollapse, egoRowAutoHeight, egoBandButtonClicking,
    egoBandPanelSizing, egoHeaderButtonClicking, egoHeaderPanelSizing, egoRowSizing, egoAutoSort,
    egoNotHideColumn, egoMultiSort, egoShowButtonAlways, egoAutoHeaderPanelHeight, egoKeepColumnWidth,
    egoSyncSelection, egoCollapsedReload, egoAnsiSort, egoMouseScroll, egoAutoSearch,
};

using TqvDBGridOptionsBehavior = TqvOptionSet<TqvDBGridOptionBehavior>;
using TqvDBGridOptionsCustomize = TqvOptionSet<TqvDBGridOptionCustomize>;
using TqvDBGridOptionsDB = TqvOptionSet<TqvDBGridOptionDB>;
using TqvDBGridOptionsView = TqvOptionSet<TqvDBGridOptionView>;
using TqvDBGridOptions = TqvOptionSet<TqvDBGridOption>;
using TqvDBGridOptionsEx = TqvOptionSet<TqvDBGridOptionEx>;

// The four sets together, as the grid stores them.
struct TqvDBGridOptionSets {
    TqvDBGridOptionsBehavior Behavior;
    TqvDBGridOptionsCustomize Customize;
    TqvDBGridOptionsDB DB;
    TqvDBGridOptionsView View;
    bool operator==(const TqvDBGridOptionSets&) const = default;

    // The sets of a new dataset-bound grid.
    static TqvDBGridOptionSets Defaults();
};

// The older words the sets show.
TqvDBGridOptions MirrorOptions(const TqvDBGridOptionSets& sets);
TqvDBGridOptionsEx MirrorOptionsEx(const TqvDBGridOptionSets& sets);
// The sets after the older words were written: every mirrored enumerator
// follows its flag, the four without a mirror keep their values in `sets`.
TqvDBGridOptionSets SetsFromOptions(TqvDBGridOptionSets sets, TqvDBGridOptions options,
                                    TqvDBGridOptionsEx optionsEx);
// The tree list flags of the view, behaviour and customizing sets; the flags
// that no enumerator sets keep their values in `current`.
TqvTreeListOptions CoreFlagsOf(const TqvDBGridOptionSets& sets, TqvTreeListOptions current);
