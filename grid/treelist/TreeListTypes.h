#pragma once
// Vocabulary of the tree list: its errors, behaviour flags, states, event
// types and the small enumerations its columns and bands publish.

#include "runtime/Alignment.h"
#include "runtime/AnsiString.h"
#include "runtime/Exceptions.h"

#include <cstdint>
#include <functional>
#include <initializer_list>

class TComponent;
class TqvTreeListNode;

DECLARE_EXCEPTION(EInvalidqvTreeListOperation, Exception)

namespace TreeListText {
inline constexpr const char* InvalidOwner = "Invalid Owner TqvTreeListNode";
inline constexpr const char* ForeignNode = "The node belongs to another tree list";
inline constexpr const char* NodeDeleting = "The node is being deleted";
}

enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };
enum TEditCharCase : uint8_t { ecNormal, ecUpperCase, ecLowerCase };
enum TqvTreeListColumnSort : uint8_t { csNone, csDown, csUp };
enum TqvGridBandFixed : uint8_t { bfNone, bfLeft, bfRight };
enum TqvLookAndFeel : uint8_t { lfStandard, lfFlat, lfUltraFlat };

// Where MoveTo puts a node, relative to the destination node.
enum TqvNodeAttachMode : uint8_t {
    natlAdd,            // last sibling of the destination (last root without one)
    natlAddFirst,       // first sibling of the destination (first root without one)
    natlAddChild,       // last child of the destination
    natlAddChildFirst,  // first child of the destination
    natlInsert,         // just before the destination
};

// The behaviour flags of a tree list. The grid's published option sets map
// their enumerators onto these by name.
enum TqvTreeListOption : uint8_t {
    tloColumnSizing,
    tloColumnMoving,
    tloEditing,
    tloTabs,
    tloTabThrough,
    tloRowSelect,
    tloMultiSelect,
    tloImmediateEditor,
    tloPreview,
    tloDrawEndEllipsis,
    tloAutoWidth,
    tloExtMultiSelect,
    tloExtCustomizing,
    tloHideFocusRect,
    tloAutoSort,
    tloCaseInsensitive,
    tloStoreToRegistry,
    tloStoreToIniFile,
    tloInvertSelect,
    tloUseBitmap,
    tloBandHeaderWidth,
    tloAutoCalcPreviewLines,
    tloBandSizing,
    tloBandMoving,
    tloHorzThrough,
    tloVertThrough,
    tloCellMultiSelect,
    tloEnterThrough,
    tloEnterShowEditor,
    tloFullSizing,
    tloDragScroll,
    tloDragExpand,
    tloDragCollapse,
    tloRowAutoHeight,
    tloShowHourGlass,
    tloBandButtonClicking,
    tloBandPanelSizing,
    tloHeaderButtonClicking,
    tloHeaderPanelSizing,
    tloRowSizing,
    tloMultiSort,
    tloShowButtonAlways,
    tloAutoHeaderPanelHeight,
    tloKeepColumnWidth,
    tloAnsiSort,
    tloMouseScroll,
    tloAutoSearch,
    tloHotTrack,
    tloAutoCopySelectedToClipboard,
};

// A set of the enumerators of one enumeration (bit i = enumerator i).
template <class E>
class TqvOptionSet {
public:
    constexpr TqvOptionSet() = default;
    constexpr TqvOptionSet(std::initializer_list<E> flags)
    {
        for (E f : flags) bits_ |= bit(f);
    }
    constexpr bool Contains(E f) const { return bits_ & bit(f); }
    constexpr TqvOptionSet With(E f) const { return FromBits(bits_ | bit(f)); }
    constexpr TqvOptionSet Without(E f) const { return FromBits(bits_ & ~bit(f)); }
    constexpr TqvOptionSet Set(E f, bool on) const { return on ? With(f) : Without(f); }
    constexpr uint64_t Bits() const { return bits_; }
    static constexpr TqvOptionSet FromBits(uint64_t bits)
    {
        TqvOptionSet s;
        s.bits_ = bits;
        return s;
    }
    constexpr bool operator==(const TqvOptionSet&) const = default;

private:
    static constexpr uint64_t bit(E f) { return uint64_t(1) << static_cast<unsigned>(f); }
    uint64_t bits_ = 0;
};

// A set of behaviour flags.
using TqvTreeListOptions = TqvOptionSet<TqvTreeListOption>;

// What the mouse or the editor is doing. In the mouse operations marked
// below the keyboard answers only Esc, which cancels the operation.
enum TqvTreeListState : uint8_t {
    tsNormal = 0,
    tsColumnSizing = 1,       // keyboard: Esc only
    tsEditing = 2,            // an in-place editor is shown
    tsColumnDragging = 3,     // keyboard: Esc only
    tsColumnDown = 4,         // a header button is held
    tsNodeDragging = 5,       // drag and drop of nodes
    tsNodeDown = 6,           // a row is held before a drag starts
    tsBandDown = 7,           // a band button is held
    tsBandSizing = 8,         // keyboard: Esc only
    tsBandDragging = 9,       // keyboard: Esc only
    tsCustomizing = 10,       // the customizing box is open
    tsMouseScrolling = 11,    // middle-button scrolling anchor
    tsRowSizing = 12,         // keyboard: Esc only
    tsBandPanelSizing = 13,   // keyboard: Esc only
    tsHeaderPanelSizing = 14, // keyboard: Esc only
};

// True for the mouse operations during which the keyboard answers only Esc.
constexpr bool IsEscapeOnlyState(TqvTreeListState s)
{
    return s == tsColumnSizing || s == tsColumnDragging || s == tsBandSizing || s == tsBandDragging ||
           s == tsRowSizing || s == tsBandPanelSizing || s == tsHeaderPanelSizing;
}

// Event types. Sender is the tree list unless the event says otherwise;
// reference arguments let a handler veto or change.
using TNotifyEvent = std::function<void(TComponent* Sender)>;
using TTLChangeNodeEvent = std::function<void(TComponent* Sender, TqvTreeListNode* OldNode, TqvTreeListNode* Node)>;
using TTLChangeColumnEvent = std::function<void(TComponent* Sender, TqvTreeListNode* Node, int Column)>;
using TTLExpandingEvent = std::function<void(TComponent* Sender, TqvTreeListNode* Node, bool& Allow)>;
using TTLExpandedEvent = std::function<void(TComponent* Sender, TqvTreeListNode* Node)>;
using TqvEditValidateEvent = std::function<void(TComponent* Sender, AnsiString& ErrorText, bool& Accept)>;
using TqvTLCanNodeSelected = std::function<void(TComponent* Sender, TqvTreeListNode* ANode, bool& Allow)>;
// Compare < 0 puts Node1 first.
using TqvTLCompareEvent =
    std::function<void(TComponent* Sender, TqvTreeListNode* Node1, TqvTreeListNode* Node2, int& Compare)>;
