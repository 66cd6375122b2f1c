// The option words and every mapping between them, made from the enumerators'
// words so that mirrors, core flags and both directions cannot disagree.
#include "grid/db/DBGridOptions.h"

#include <array>
#include <string_view>

namespace {

// Words in declaration order, without the prefix.
constexpr const char* kBehavior[] = {
    "AnsiSort", "AutoCopySelectedToClipboard", "AutoSearch", "AutoSort", "BandButtonClicking",
    "CaseInsensitive", "CellMultiSelect", "CollapsedReload", "DblClick", "DragCollapse", "DragExpand",
    "DragScroll", "Editing", "EnterShowEditor", "EnterThrough", "ExtMultiSelect", "HeaderButtonClicking",
    "HorzThrough", "ImmediateEditor", "MouseScroll", "MultiSelect", "MultiSort", "SeekDetail", "ShowHourGlass",
    "StoreToIniFile", "StoreToRegistry", "Tabs", "TabThrough", "VertThrough"};
constexpr const char* kCustomize[] = {"BandMoving",     "BandPanelSizing",   "BandSizing",    "ColumnMoving",
                                      "ColumnSizing",   "ExtCustomizing",    "FullSizing",    "HeaderPanelSizing",
                                      "KeepColumnWidth", "NotHideColumn",    "RowSizing"};
constexpr const char* kDB[] = {"CanAppend",     "CancelOnExit",   "CanDelete",   "CanInsert",    "CanNavigation",
                               "ConfirmDelete", "LoadAllRecords", "PartialLoad", "ResetColumnFocus",
                               "SmartRefresh",  "SmartReload",    "SyncSelection", "UseBookmarks", "UseLocate"};
constexpr const char* kView[] = {"AutoCalcPreviewLines", "AutoHeaderPanelHeight", "AutoWidth", "BandHeaderWidth",
                                 "DrawEndEllipsis",      "HideFocusRect",         "HotTrack",  "Indicator",
                                 "InvertSelect",         "Preview",               "RowAutoHeight", "RowSelect",
                                 "ShowButtonAlways",     "UseBitmap"};
constexpr const char* kOptions[] = {
    "ColumnSizing", "ColumnMoving", "Editing", "Tabs", "TabThrough", "RowSelect", "MultiSelect", "CanDelete",
    "ConfirmDelete", "CanNavigation", "CanAppend", "CancelOnExit", "ImmediateEditor", "CanInsert",
    "LoadAllRecords", "Preview", "DrawEndEllipsis", "StoreToRegistry", "AutoWidth", "ShowHourGlass",
    "CaseInsensitive", "DblClick", "Indicator", "ExtMultiSelect", "ResetColumnFocus", "ExtCustomizing",
    "HideFocusRect", "StoreToIniFile", "UseLocate", "SmartReload", "SmartRefresh", "SeekDetail"};
constexpr const char* kOptionsEx[] = {
    "InvertSelect", "UseBitmap", "BandHeaderWidth", "AutoCalcPreviewLines", "BandSizing", "BandMoving",
    "HorzThrough", "VertThrough", "CellMultiSelect", "EnterThrough", "EnterShowEditor", "FullSizing",
    "DragScroll", "DragExpand", "DragCollapse", "RowAutoHeight", "BandButtonClicking", "BandPanelSizing",
    "HeaderButtonClicking", "HeaderPanelSizing", "RowSizing", "AutoSort", "NotHideColumn", "MultiSort",
    "ShowButtonAlways", "AutoHeaderPanelHeight", "KeepColumnWidth", "SyncSelection", "CollapsedReload",
    "AnsiSort", "MouseScroll", "AutoSearch"};
// The tree list's flags, in the order of TqvTreeListOption.
constexpr const char* kCore[] = {
    "ColumnSizing", "ColumnMoving", "Editing", "Tabs", "TabThrough", "RowSelect", "MultiSelect",
    "ImmediateEditor", "Preview", "DrawEndEllipsis", "AutoWidth", "ExtMultiSelect", "ExtCustomizing",
    "HideFocusRect", "AutoSort", "CaseInsensitive", "StoreToRegistry", "StoreToIniFile", "InvertSelect",
    "UseBitmap", "BandHeaderWidth", "AutoCalcPreviewLines", "BandSizing", "BandMoving", "HorzThrough",
    "VertThrough", "CellMultiSelect", "EnterThrough", "EnterShowEditor", "FullSizing", "DragScroll",
    "DragExpand", "DragCollapse", "RowAutoHeight", "ShowHourGlass", "BandButtonClicking", "BandPanelSizing",
    "HeaderButtonClicking", "HeaderPanelSizing", "RowSizing", "MultiSort", "ShowButtonAlways",
    "AutoHeaderPanelHeight", "KeepColumnWidth", "AnsiSort", "MouseScroll", "AutoSearch", "HotTrack",
    "AutoCopySelectedToClipboard"};
// Enumerators the grid keeps for itself: they set no tree list flag.
constexpr const char* kGridLevel[] = {"Indicator", "CollapsedReload", "DblClick", "MultiSort", "SeekDetail",
                                      "NotHideColumn"};

static_assert(std::size(kBehavior) == edgoVertThrough + 1);
static_assert(std::size(kCustomize) == edgoRowSizing + 1);
static_assert(std::size(kDB) == edgoUseLocate + 1);
static_assert(std::size(kView) == edgoUseBitmap + 1);
static_assert(std::size(kOptions) == egoSeekDetail + 1 && std::size(kOptions) == 32);
static_assert(std::size(kOptionsEx) == egoAutoSearch + 1 && std::size(kOptionsEx) == 32);
static_assert(std::size(kCore) == tloAutoCopySelectedToClipboard + 1);

enum SetKind { Behavior, Customize, DB, View, SetCount };

template <size_t N>
int find(const char* const (&words)[N], std::string_view word)
{
    for (size_t i = 0; i < N; ++i)
        if (word == words[i]) return static_cast<int>(i);
    return -1;
}

bool isGridLevel(std::string_view word) { return find(kGridLevel, word) >= 0; }

// Per enumerator of each new set: the bit of its mirror (0..31 in Options,
// 32..63 in OptionsEx, -1 for none) and its tree list flag (-1 for none).
struct Mapping {
    std::array<std::array<int, 32>, SetCount> mirror{};
    std::array<std::array<int, 32>, SetCount> core{};
    std::array<size_t, SetCount> count{};

    Mapping()
    {
        fill(Behavior, kBehavior, true);
        fill(Customize, kCustomize, true);
        fill(DB, kDB, false);
        fill(View, kView, true);
    }
    template <size_t N>
    void fill(SetKind set, const char* const (&words)[N], bool setsCore)
    {
        count[set] = N;
        for (size_t i = 0; i < N; ++i) {
            int o = find(kOptions, words[i]), ox = find(kOptionsEx, words[i]);
            mirror[set][i] = o >= 0 ? o : ox >= 0 ? 32 + ox : -1;
            core[set][i] = setsCore && !isGridLevel(words[i]) ? find(kCore, words[i]) : -1;
        }
    }
};

const Mapping& mapping()
{
    static const Mapping m;
    return m;
}

std::array<uint64_t, SetCount> bitsOf(const TqvDBGridOptionSets& s)
{
    return {s.Behavior.Bits(), s.Customize.Bits(), s.DB.Bits(), s.View.Bits()};
}

// Both older words as one 64-bit value: Options low, OptionsEx high.
uint64_t mirrorBits(const TqvDBGridOptionSets& sets)
{
    const Mapping& m = mapping();
    auto bits = bitsOf(sets);
    uint64_t words = 0;
    for (int set = 0; set < SetCount; ++set)
        for (size_t i = 0; i < m.count[set]; ++i)
            if (int to = m.mirror[set][i]; to >= 0 && (bits[set] >> i & 1)) words |= uint64_t(1) << to;
    return words;
}

}  // namespace

TqvDBGridOptionSets TqvDBGridOptionSets::Defaults()
{
    return {{edgoAutoSort, edgoDragScroll, edgoEditing, edgoEnterShowEditor, edgoImmediateEditor, edgoTabThrough,
             edgoVertThrough},
            {edgoBandMoving, edgoBandSizing, edgoColumnMoving, edgoColumnSizing},
            {edgoCancelOnExit, edgoCanDelete, edgoCanInsert, edgoCanNavigation, edgoConfirmDelete, edgoUseBookmarks},
            {edgoBandHeaderWidth, edgoUseBitmap}};
}

TqvDBGridOptions MirrorOptions(const TqvDBGridOptionSets& sets)
{
    return TqvDBGridOptions::FromBits(mirrorBits(sets) & 0xFFFFFFFFu);
}

TqvDBGridOptionsEx MirrorOptionsEx(const TqvDBGridOptionSets& sets)
{
    return TqvDBGridOptionsEx::FromBits(mirrorBits(sets) >> 32);
}

TqvDBGridOptionSets SetsFromOptions(TqvDBGridOptionSets sets, TqvDBGridOptions options, TqvDBGridOptionsEx optionsEx)
{
    const Mapping& m = mapping();
    uint64_t words = options.Bits() | optionsEx.Bits() << 32;
    auto bits = bitsOf(sets);
    for (int set = 0; set < SetCount; ++set)
        for (size_t i = 0; i < m.count[set]; ++i) {
            int from = m.mirror[set][i];
            if (from < 0) continue;
            if (words >> from & 1)
                bits[set] |= uint64_t(1) << i;
            else
                bits[set] &= ~(uint64_t(1) << i);
        }
    return {TqvDBGridOptionsBehavior::FromBits(bits[Behavior]), TqvDBGridOptionsCustomize::FromBits(bits[Customize]),
            TqvDBGridOptionsDB::FromBits(bits[DB]), TqvDBGridOptionsView::FromBits(bits[View])};
}

TqvTreeListOptions CoreFlagsOf(const TqvDBGridOptionSets& sets, TqvTreeListOptions current)
{
    const Mapping& m = mapping();
    auto bits = bitsOf(sets);
    uint64_t core = current.Bits();
    for (int set = 0; set < SetCount; ++set)
        for (size_t i = 0; i < m.count[set]; ++i) {
            int to = m.core[set][i];
            if (to < 0) continue;
            if (bits[set] >> i & 1)
                core |= uint64_t(1) << to;
            else
                core &= ~(uint64_t(1) << to);
        }
    return TqvTreeListOptions::FromBits(core);
}
