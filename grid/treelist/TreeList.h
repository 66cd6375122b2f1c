#pragma once
// The tree list: a tree of nodes shown as rows, one focused node and one
// focused column, an optional selection, the behaviour flags, begin/end
// update and the absolute-index cache. It knows nothing of columns (the
// column control adds them) nor of datasets (the dataset-bound grid).
// grid/treelist/ is the grid's lowest folder: it includes nothing of the
// grid's other folders (their order is at the top of grid/CMakeLists.txt).
//
// Rules worth knowing before changing anything here:
// - The focused column is a navigation position. It reads 0 while RowSelect
//   holds and whenever the stored value is outside the shown columns; it never
//   reads -1. The module's commands rely on the exact read and write rules.
// - Every focus move goes through FocusChange, which closes an active editor
//   first and fires OnChangeNode before OnChangeColumn.
// - While updates are locked, layout work and repainting wait for the
//   outermost EndUpdate; structural changes then drop the index cache, which
//   EndUpdate rebuilds once. Outside updates the cache follows single inserts
//   and deletes, and is rebuilt after expand and collapse.
// - Nodes deleted while ClearNodes runs (also on destruction) fire nothing.
// - Zones are laid out and painted in the client area (ClientWidth,
//   ClientHeight), inside the scroll bars, never in width() and height().
// - Scrolling (the bars, the wheel, the mouse) moves the view, not the focus:
//   the focused node stays focused out of view. A scroll that moves the view
//   closes an open editor first, as a focus move does. A grid that holds
//   only some records as nodes scrolls its dataset instead (it overrides
//   VerticalScrollRange and ScrollVerticalTo).

#include "grid/treelist/Container.h"
#include "grid/treelist/TreeListNode.h"
#include "grid/treelist/TreeListTypes.h"
#include "runtime/ScrollStyle.h"

#include <QRect>

#include <memory>
#include <vector>

class QScrollBar;
class TqvAbsoluteIndexCache;
class TqvTreeListScrollBars;
struct TqvScrollRange;

using TKeyEvent = std::function<void(TComponent* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TComponent* Sender, char32_t& Key)>;

class TCustomqvTreeList : public TCustomqvContainer {
public:
    explicit TCustomqvTreeList(TComponent* owner = nullptr, QWidget* parent = nullptr);
    ~TCustomqvTreeList() override;
    const char* ClassName() const override { return "TCustomqvTreeList"; }

    // ---- Nodes
    // The number of root nodes; the tree list is empty when it is 0.
    int Count() const { return static_cast<int>(roots_.size()); }
    TqvTreeListNode* Items(int index) const;
    bool IsEmpty() const { return roots_.empty(); }
    // Appends a root node.
    TqvTreeListNode* Add();
    // Inserts a node just before `before` (among its siblings); appends a
    // root node when `before` is null.
    TqvTreeListNode* Insert(TqvTreeListNode* before);
    TqvTreeListNode* AddChild(TqvTreeListNode* parent);
    TqvTreeListNode* AddChildFirst(TqvTreeListNode* parent);
    // Refused, without an error, when the destination is the node itself or
    // one of its descendants, or when a child mode has no destination.
    void MoveNode(TqvTreeListNode* node, TqvNodeAttachMode mode, TqvTreeListNode* destination);
    // Deletes the node with its subtree: children first, then OnDeletion for
    // the node, moving the focus off it when it goes.
    void DeleteNode(TqvTreeListNode* node);
    // Deletes every node, silently.
    void ClearNodes();

    // Nothing happens without the children flag, in the asked state already,
    // or when the OnExpanding/OnCollapsing handler says no. A collapse that
    // hides the focused node first focuses the collapsing node; when that is
    // refused the collapse stops.
    void ExpandNode(TqvTreeListNode* node, bool recurse = false);
    void CollapseNode(TqvTreeListNode* node, bool recurse = false);
    void FullExpand();
    void FullCollapse();

    // ---- Display order
    // The number of shown nodes (every ancestor expanded).
    int AbsoluteCount() const;
    // -1 for a node that is not shown.
    int GetAbsoluteIndex(const TqvTreeListNode* node) const;
    TqvTreeListNode* GetNodeAtAbsoluteIndex(int index) const;
    bool IsAbsoluteIndexCacheValid() const;
    TqvTreeListNode* TopVisibleNode() const { return top_; }
    void SetTopVisibleNode(TqvTreeListNode* node);
    // Rows that fit in the data area (at least 1).
    int VisibleRowCount() const;
    // Expands the ancestors and scrolls the node into view.
    void MakeNodeVisible(TqvTreeListNode* node);
    virtual void MakeColumnVisible(int position) {}
    int LeftCoord() const { return leftCoord_; }
    void SetLeftCoord(int value);

    // ---- Scroll bars
    // Both by default. The vertical bar stands while it is asked for; the
    // horizontal one while the columns do not fit.
    TScrollStyle ScrollBars() const;
    void SetScrollBars(TScrollStyle style);
    QScrollBar* VerticalScrollBar() const;
    QScrollBar* HorizontalScrollBar() const;
    // The area left of and above the scroll bars.
    int ClientWidth() const;
    int ClientHeight() const;
    // Scrolls the rows (lines > 0: towards the end), as the wheel does.
    void ScrollRows(int lines);

    // ---- Focus
    TqvTreeListNode* FocusedNode() const { return focused_; }
    void SetFocusedNode(TqvTreeListNode* node);
    int FocusedColumn() const;
    void SetFocusedColumn(int position);
    int FocusedAbsoluteIndex() const { return focused_ ? GetAbsoluteIndex(focused_) : -1; }
    // Clamps to the shown nodes; does nothing in an empty tree list.
    virtual void SetFocusedAbsoluteIndex(int index);
    // The number of columns that take part in focus (the column control's).
    virtual int ShownColumnCount() const { return 0; }

    // ---- Selection
    int SelectedCount() const { return static_cast<int>(selected_.size()); }
    TqvTreeListNode* SelectedNodes(int index) const;
    bool IsNodeSelected(const TqvTreeListNode* node) const;
    // OnCanNodeSelected may refuse a selection.
    void SelectNode(TqvTreeListNode* node, bool select);
    void ClearSelection();
    // Selection changes inside the lock fire OnSelectedCountChange once, at
    // the outermost end, when the count differs from the one at its start.
    void BeginSelection();
    void EndSelection();

    // ---- Behaviour flags
    TqvTreeListOptions Options() const { return options_; }
    // A set with both RowSelect and InvertSelect keeps InvertSelect only.
    void SetOptions(TqvTreeListOptions options);
    // Switching RowSelect on switches InvertSelect off and the other way round.
    void SetOption(TqvTreeListOption option, bool on);
    // Behaviour reads every flag through this predicate, so that a subclass
    // can add its own conditions.
    virtual bool IsOption(TqvTreeListOption option) const { return options_.Contains(option); }
    bool IsRowSelect() const { return IsOption(tloRowSelect); }
    bool IsInvertSelect() const { return IsOption(tloInvertSelect); }
    static constexpr TqvTreeListOptions DefaultOptions()
    {
        return {tloColumnSizing, tloColumnMoving, tloEditing,        tloTabThrough,
                tloRowSelect,    tloUseBitmap,    tloBandHeaderWidth, tloAutoCalcPreviewLines,
                tloBandSizing,   tloBandMoving,   tloDragScroll,     tloDragExpand};
    }

    // ---- Updates
    // Raises the lock, cancels an active editor (no posting, no OnEdited)
    // and begins a selection lock.
    void BeginUpdate();
    // At the outermost end the layout is recomputed; then the selection lock ends.
    void EndUpdate();
    int LockUpdate() const { return lockCount_; }
    // Set while the control is being loaded from a form.
    bool IsLoading() const { return loading_; }
    void SetLoading(bool loading) { loading_ = loading; }

    TqvTreeListState State() const { return state_; }

    // Repaint requests; ignored while updates are locked.
    void InvalidateNode(const TqvTreeListNode* node);
    void InvalidateCell(const TqvTreeListNode* node, int position);

    // ---- Events
    TTLChangeNodeEvent OnChangeNode;
    TTLChangeColumnEvent OnChangeColumn;
    TTLExpandingEvent OnEditing;
    TTLExpandedEvent OnEdited;
    TNotifyEvent OnEditChange;
    TqvEditValidateEvent OnEditValidate;
    TTLExpandingEvent OnExpanding;
    TTLExpandingEvent OnCollapsing;
    TTLExpandedEvent OnExpanded;
    TTLExpandedEvent OnCollapsed;
    TTLExpandedEvent OnDeletion;
    TNotifyEvent OnChangeTopVisibleNode;
    TNotifyEvent OnChangeLeftCoord;
    TNotifyEvent OnSelectedCountChange;
    TqvTLCanNodeSelected OnCanNodeSelected;
    TqvTLCompareEvent OnCompare;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;

protected:
    // The focus change: closes an active editor, stores (inside an update)
    // or moves and repaints, makes the node visible when asked, then fires
    // OnChangeNode and OnChangeColumn. Nothing happens without a node.
    virtual void FocusChange(TqvTreeListNode* node, int column, bool makeVisible);
    // Makes a node of the tree list's class; the tree list takes it at once.
    virtual TqvTreeListNode* CreateNode();
    // Frees a node that has left the tree (its children are gone already).
    // A tree list that makes its nodes in a pool of its own returns them here.
    virtual void FreeNode(TqvTreeListNode* node);
    // HasChildren of a node whose last child has left.
    virtual bool DefaultHasChildren(const TqvTreeListNode* node) const { return false; }
    // Puts the children of `parent` (the root nodes when null) in the order
    // of `less`, keeping equal nodes in their order; the display order and
    // the index cache follow.
    void SortNodeList(TqvTreeListNode* parent,
                      const std::function<bool(const TqvTreeListNode*, const TqvTreeListNode*)>& less);
    // Puts the children of `parent` (the root nodes when null) in the order
    // given, which must hold each of those nodes once (a list of another
    // size or with a node of another parent changes nothing).
    void ArrangeNodeList(TqvTreeListNode* parent, std::vector<TqvTreeListNode*> order);

    // Where the in-place editor attaches. CloseEditor closes an active editor
    // as for a focus move (its value checked and written, OnEdited fired);
    // CancelEditor forgets the editor's node and column and closes it
    // without writing and without OnEdited.
    virtual void CloseEditor() {}
    virtual void CancelEditor() {}
    virtual void EndIncrementalSearch() {}
    // The flags asked for sorting again (AutoSort on, MultiSort off, AnsiSort changed).
    virtual void RefreshSorting() {}
    // AutoWidth went off while KeepColumnWidth is on: widths are fitted again.
    virtual void FitWidths() {}
    // Leaves a mouse operation (Esc).
    virtual void CancelMouseOperation() { state_ = tsNormal; }
    void SetState(TqvTreeListState state) { state_ = state; }

    // Recomputes the layout: the index cache, the first visible row, then a
    // repaint. Does nothing while updates are locked.
    virtual void LayoutChanged();
    bool IsLayoutLocked() const { return lockCount_ > 0 || internalLock_ > 0; }

    // Geometry of the data rows (the column control measures them): they
    // start at DataTop and end above DataBottom (the footer zone below).
    virtual int DataTop() const { return 0; }
    virtual int DataBottom() const { return ClientHeight(); }
    virtual int RowHeight() const { return 18; }
    virtual int MaxLeftCoord() const { return 0; }
    // The row of a node on screen, empty when it is not in view.
    QRect NodeRect(const TqvTreeListNode* node) const;
    virtual QRect CellRect(const TqvTreeListNode* node, int position) const { return NodeRect(node); }
    // The node on the data row under y, or nullptr.
    TqvTreeListNode* NodeAtY(int y) const;

    // The key handler: OnKeyDown first, then HandleKeyDown for a key that is
    // still set, then the focused row is repainted.
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char32_t& character) override;
    // The tree list's own keys. Later layers run their key rules here, before
    // or after the tree list's.
    virtual void HandleKeyDown(Word& key, TShiftState shift);
    // The keys' row moves (Up, Down, PgUp, PgDn, Home, End, and Right on a
    // leaf): the focus goes `rows` rows down (up when negative), clamped to
    // the shown nodes. A grid that holds only some records as nodes moves its
    // dataset instead.
    virtual void MoveFocusBy(int rows);
    virtual void HandleKeyPress(char32_t& character);
    void MouseWheelScroll(int lines) override;
    void MouseWheelScrollHorizontal(int lines) override;
    void Resize() override;

    // ---- Scrolling
    // What the vertical bar shows: the first visible row among the shown
    // nodes, how far it can go, and the rows in view.
    virtual TqvScrollRange VerticalScrollRange();
    // Scrolls so that the row (record) at `position` comes first; a
    // position past either end goes as far as there is.
    virtual void ScrollVerticalTo(int position);
    // What the horizontal bar shows: the left coordinate, its largest value
    // and the width of the scrolling columns in view.
    virtual TqvScrollRange HorizontalScrollRange() const;
    void ScrollHorizontalTo(int leftCoord);
    // Puts the scroll bars in step with the view (after a layout pass, a
    // scroll, a move of the dataset's window).
    void UpdateScrollBars();

    int StoredFocusedColumn() const { return focusedColumn_; }

private:
    friend class TqvTreeListNode;

    TqvTreeListNode* attach(TqvTreeListNode* node, TqvTreeListNode* parent, size_t position);
    void detach(TqvTreeListNode* node, bool releaseParent);
    void releaseEmptyParent(TqvTreeListNode* parent);
    void nodeGoing(TqvTreeListNode* node);
    TqvTreeListNode* replacementOutside(TqvTreeListNode* node) const;
    bool setExpanded(TqvTreeListNode* node, bool expand);
    void expandSubtree(TqvTreeListNode* node, bool expand);
    void expandAll(bool expand);
    void inOneLayoutPass(const std::function<void()>& changes);
    void freeSubtree(TqvTreeListNode* node);
    void structureChanged();
    void normalizeTop();
    void scrollTo(TqvTreeListNode* node);
    void selectionChanged();

    std::vector<TqvTreeListNode*> roots_;
    TqvTreeListNode* focused_ = nullptr;
    TqvTreeListNode* top_ = nullptr;
    TqvTreeListNode* pendingVisible_ = nullptr;
    int focusedColumn_ = -1;
    int leftCoord_ = 0;
    int lockCount_ = 0;
    int internalLock_ = 0;
    int deletionDepth_ = 0;
    int selectionLock_ = 0;
    int selectedAtLock_ = 0;
    bool clearing_ = false;
    bool loading_ = false;
    TqvTreeListState state_ = tsNormal;
    TqvTreeListOptions options_ = DefaultOptions();
    std::vector<TqvTreeListNode*> selected_;
    std::unique_ptr<TqvAbsoluteIndexCache> cache_;
    std::unique_ptr<TqvTreeListScrollBars> scrollBars_;
    bool updatingBars_ = false;
};
