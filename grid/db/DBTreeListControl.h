#pragma once
// The tree list bound to a dataset: it shows the dataset's records as nodes
// and keeps its focused node and the dataset's current record in step, both
// ways. Three load modes:
//   window    (edgoLoadAllRecords and edgoPartialLoad off, no group columns
//             while active): only the records of the visible rows are nodes;
//             moving the focus past an edge moves the dataset, and the rows
//             follow the dataset's scrolls.
//   load-all  (edgoLoadAllRecords, or group columns while active): every
//             record is a node; needed for footers, sorting and grouping.
//             The first visible row is restored by key after a reload.
//   partial   (edgoPartialLoad): a block of PartialLoadBufferCount records
//             around the current record, loaded again when the focus reaches
//             the block's edge.
// Scrolling (DBTreeListLoad.cpp): in load-all and partial mode the scroll
// bar and the wheel move the view over the nodes and the focus stays; in
// window mode they move the dataset's window (the vertical bar counts
// records, the count from the database), and the current record stays
// while it is in view and is taken along at the edge otherwise. Partial
// mode scrolls past its block the same way: the dataset moves on and the
// block is loaded again.
// Every full load (load-all and partial) computes the footers; nothing else
// changes them (grid/columns/Summaries.h). grid/db/ is the grid's top
// folder: it uses the tree-list core, the editors and the columns.
//
// The control owns a small helper per concern, each in the file that holds
// its code, and forwards its calls to them: the new-item row
// (NewItemRow.h), the editor slot with the editors and the turn in progress
// (DBTreeListEditing.h), the incremental search and the multi-selection
// anchor (DBTreeListSearch.h).
//
// Rules that are easy to break:
// - The grid never moves the dataset to read it: nodes are read in place
//   (ReadNodeRecord), so loads and painting leave the current record, the
//   dataset's events and its links alone.
// - Moves the grid starts itself (a focus change, a deletion) run with the
//   loading mark set, so the dataset's notifications do not reload the grid
//   in the middle; a move that posts an edited record does reload.
// - Among records with equal keys the grid always means one exact record:
//   nodes carry the record's handle; a focus move goes from the dataset's real
//   position to the target's; the focus follows the dataset to the node of
//   the very record it stands on.
// - Clearing the nodes outside a load zeroes the footers; a load that fails
//   leaves no nodes and zero footers, restores the dataset's controls and the
//   grid's marks, and raises the error again.
// - The in-place editor attaches at CloseEditor, CancelEditor and
//   CloseEditorSilently (see their comments); the keys at HandleDataKeys.

#include "grid/columns/DBTreeListColumn.h"
#include "grid/db/DBGridDataLink.h"
#include "grid/db/DBGridNode.h"
#include "grid/db/DBGridOptions.h"
#include "grid/editors/EditStyle.h"
#include "grid/treelist/TreeListControl.h"

#include <memory>
#include <vector>

struct CellView;
class TDataSet;
class TDataSource;
class TField;
class TqvEditorSlot;
class TqvIncrementalSearch;
class TqvInplaceEdit;
class TqvNewItemRow;
class TqvNodePool;
class TqvSelectionAnchor;

enum class TqvDBLoadMode { Window, Partial, LoadAll };

namespace DBGridText {
inline constexpr const char* DefaultFields = "DefaultFields property should be set to False";
}

class TCustomqvDBTreeListControl : public TCustomqvTreeListControl,
                                   public TqvEditStyleSource,
                                   public TqvFieldColumnHost {
public:
    explicit TCustomqvDBTreeListControl(TComponent* owner = nullptr, QWidget* parent = nullptr);
    ~TCustomqvDBTreeListControl() override;
    const char* ClassName() const override { return "TCustomqvDBTreeListControl"; }

    // ---- Data
    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    // The data source's dataset (null without one).
    TDataSet* DataSet() const;
    const AnsiString& KeyField() const { return keyField_; }
    void SetKeyField(const AnsiString& name);
    // The data link is active: the dataset is open.
    bool IsActive() const;
    TqvDBLoadMode LoadMode() const;
    // The grid is loading records, or moving the dataset itself.
    bool IsLoadingRecords() const { return loading_ > 0; }
    TqvDBTreeListControlDataLink& DataLink() { return *link_; }
    int PartialLoadBufferCount() const { return partialLoadBufferCount_; }
    void SetPartialLoadBufferCount(int value);
    // The number of records the last full load read (those that passed the filter).
    int LoadedRecordCount() const { return loadedCount_; }

    // ---- Options (setter rules in the .cpp; each works inside one update)
    TqvDBGridOptionsBehavior OptionsBehavior() const { return sets_.Behavior; }
    void SetOptionsBehavior(TqvDBGridOptionsBehavior value);
    TqvDBGridOptionsCustomize OptionsCustomize() const { return sets_.Customize; }
    void SetOptionsCustomize(TqvDBGridOptionsCustomize value);
    TqvDBGridOptionsDB OptionsDB() const { return sets_.DB; }
    void SetOptionsDB(TqvDBGridOptionsDB value);
    TqvDBGridOptionsView OptionsView() const { return sets_.View; }
    void SetOptionsView(TqvDBGridOptionsView value);
    // The older words, always in step with the four sets.
    TqvDBGridOptions Options() const { return MirrorOptions(sets_); }
    void SetOptions(TqvDBGridOptions value);
    TqvDBGridOptionsEx OptionsEx() const { return MirrorOptionsEx(sets_); }
    void SetOptionsEx(TqvDBGridOptionsEx value);
    bool PartialLoad() const { return sets_.DB.Contains(edgoPartialLoad); }
    void SetPartialLoad(bool value) { SetOptionsDB(sets_.DB.Set(edgoPartialLoad, value)); }
    bool UseBookmarks() const { return sets_.DB.Contains(edgoUseBookmarks); }
    void SetUseBookmarks(bool value) { SetOptionsDB(sets_.DB.Set(edgoUseBookmarks, value)); }
    bool IsOption(TqvTreeListOption option) const override;

    // ---- Nodes and records
    TqvDBGridNode* DBNode(TqvTreeListNode* node) const;
    // The node of the record at load index `recordIndex`, null when none.
    TqvDBGridNode* NodeOfRecordIndex(int recordIndex) const;
    // The node of the record the dataset stands on (the exact record, also
    // among equal keys), null when it has no node.
    TqvDBGridNode* NodeOfCurrentRecord() const;
    // The record node being inserted (a new record), null outside an insert.
    TqvDBGridNode* InsertingNode() const { return insertingNode_; }
    // Has the dataset read the node's record (field reads show it) while
    // `read` runs; false (and nothing run) when the record is gone.
    bool ReadNodeRecord(const TqvDBGridNode* node, const std::function<void()>& read) const;
    // Reads `fields` in the records of `nodes` column-wise, for passes over
    // every record (sorting): cell(i, k, view, lasting) for nodes[i] and
    // fields[k]. Records are visited in the order they were fetched, which is
    // the order they lie in memory, whatever the order of `nodes`. A lasting
    // view stays valid while the dataset is open and unchanged; any other
    // only during the call. Gone records are skipped. False, and nothing
    // read, when one of the nodes is a group node.
    bool ReadNodeCells(const std::vector<TqvTreeListNode*>& nodes, const std::vector<TField*>& fields,
                       const std::function<void(size_t, size_t, const CellView&, bool)>& cell) const;
    AnsiString GetCellText(const TqvTreeListNode* node, const TqvTreeListColumn* column) const override;
    // A full reload now (load-all and partial), or a refill of the window.
    void FullRefresh();
    // A column's GroupIndex changed: the records are grouped again.
    void GroupingChanged() override { FullRefresh(); }
    // Columns are made for every field of the dataset at each activation;
    // columns added by hand are then refused. Load-all and partial loads
    // turn it off.
    bool DefaultFields() const { return defaultFields_; }
    void SetDefaultFields(bool value);

    // ---- Record operations the keys call
    // Deletes the record of a node: in window mode only the focused node; in
    // load-all mode a record node with edgoCanNavigation on. The dataset is
    // first put on the node's record. Errors are raised unchanged.
    void DeleteNodeRecord(TqvTreeListNode* node);
    // Deletes the records of the selected nodes, last selected first, each
    // reached exactly by its record; one that cannot be reached is skipped.
    // Errors stop the loop unless edgoExtMultiSelect is on; the first error is
    // raised after the loop (and after the dataset went back to the record it
    // stood on, when that still exists).
    void DeleteSelection();
    // The data link's cancel (Esc outside an editor): a changed cell value is
    // discarded (the record is read again), else the record's edit is cancelled.
    void DataLinkCancel();

    // ---- The in-place editor (the editor slot, DBTreeListEditing.h)
    // Opens the editor on the focused cell when the cell may be edited.
    virtual void ShowEditor();
    // Checks and writes the editor's value, closes it, and gives the grid the
    // keyboard focus.
    virtual void HideEditor();
    // May the focused cell be edited now (OnEditing asked)?
    bool CanEditFocusedCell();
    // The open editor, null when none is open.
    TqvInplaceEdit* InplaceEditor() const;
    // The grid's editor of a class, made on first use and kept for reuse.
    TqvInplaceEdit* EditorOfClass(const char* className);
    int EditorCount() const;
    // The grid counts as read-only: an empty dataset without edgoCanInsert,
    // or no key field outside window mode.
    bool IsGridReadOnly() const;

    // ---- Incremental search (its rules in DBTreeListSearch.h)
    bool IsSearching() const;
    const AnsiString& SearchText() const;
    // Looks for `text` from the focused row (the next one when `skipFocused`)
    // in the direction given; focuses the match and returns true.
    bool SearchFor(const AnsiString& text, bool skipFocused, bool forward);

    // ---- The new-item row (its rules in NewItemRow.h)
    // With ShowNewItemRow a row between the column headers and the data rows
    // takes the values of a record to come, appended as a new record when
    // the row is left or Enter is pressed.
    bool ShowNewItemRow() const;
    void SetShowNewItemRow(bool value);
    // The row is shown, the grid edits cells and may add records.
    bool CanUseNewItemRow() const;
    bool IsNewItemRowFocused() const;
    // The focused cell of the new-item row (a navigation position).
    int NewItemRowColumn() const;
    // Gives the new-item row the focus at a column: an open editor is closed
    // and the record being edited is posted (an untouched insert dropped)
    // first. False when the row cannot take the focus.
    bool FocusNewItemRow(int column);
    // The text typed into a cell of the new-item row (empty when none).
    AnsiString NewItemRowText(int position) const;
    bool HasNewItemValues() const;
    // Appends the typed values as a new record; nothing without values.
    void PostNewItemRow();
    // Drops the typed values (the row keeps the focus).
    void CancelNewItemRow();
    // The new-item row's place on screen (empty when it is not shown).
    QRect NewItemRowRect() const;

    // ---- Editor questions (see TCustomqvContainer and TqvEditStyleSource)
    bool CanEditModify() override;
    bool IsAcceptedKey(char32_t character) override;
    std::unique_ptr<TqvEditStyle> CreateEditStyle(TqvInplaceEdit* editor) override;
    TColor EditColor() const override { return Color(); }
    TFont EditFont() const override { return Font(); }
    bool IsEditReadOnly() const override;
    bool IsDblClickTest() const override { return IsOption(tloImmediateEditor); }
    bool WantTabs() const override { return IsOption(tloTabs); }
    void EditorKeyDownNotify(Word& key, TShiftState shift) override;
    void EditorFocusLost(QWidget* next) override;
    // Tab with no other control to go to closes an open editor (written,
    // OnEdited) and leaves the focus in the grid.
    void FocusStays() override;
    void EditorMoveCol(bool left) override;
    // The editing turn in progress: the cell and the value the editor was
    // loaded with (State() is tsEditing while an editor is open).
    TqvTreeListNode* EditorNode() const;
    int EditorColumn() const;
    const Variant& EditorLoadedValue() const;

    // ---- Events
    TNotifyEvent OnChangeNodeEx;
    TTLExpandedEvent OnRefreshNodeData;
    TNotifyEvent OnClearNodeData;
    TNotifyEvent OnReloadGroupList;
    TNotifyEvent OnBeforeCalcSummary;
    TNotifyEvent OnCalcSummary;

protected:
    // NotHideColumn keeps every column on the header panel.
    bool CanHideColumn(const TqvTreeListColumn* column) const override
    {
        return TCustomqvTreeListControl::CanHideColumn(column) && !sets_.Customize.Contains(edgoNotHideColumn);
    }
    friend class TqvDBTreeListControlDataLink;
    friend class TqvDBGridNode;

    TqvTreeListNode* CreateNode() override;
    void FreeNode(TqvTreeListNode* node) override;
    TqvTreeListColumn* CreateColumnObject(TComponent* owner) override;
    // Raises "DefaultFields property should be set to False" while the grid
    // makes its columns itself.
    void CheckColumnsByHand() const;
    void FocusChange(TqvTreeListNode* node, int column, bool makeVisible) override;
    void SetFocusedAbsoluteIndex(int index) override;
    void MoveFocusBy(int rows) override;
    void LayoutChanged() override;
    TqvScrollRange VerticalScrollRange() override;
    void ScrollVerticalTo(int position) override;
    int DataTop() const override;
    void PaintAboveRows(QPainter& canvas, const QRect& updateRect, const Layout& layout) override;
    TqvTreeListNode* FocusMarkedNode() const override;
    // The keys while the new-item row has the focus (all of them stop
    // there), and Up into it; true when the key was taken.
    bool HandleNewItemRowKey(Word& key, TShiftState shift);
    void HandleKeyDown(Word& key, TShiftState shift) override;
    void DoExit() override;

    // ---- The in-place editor
    // Closes an open editor as for a focus move: its value checked and
    // written to the field, OnEdited fired. Used before focus moves and
    // option changes.
    void CloseEditor() override;
    // Forgets the editor's node and column and closes it without writing.
    void CancelEditor() override;
    // Closes an open editor, writing its value, without moving the keyboard
    // focus: the data link's update step, a link going inactive, the window's
    // active record leaving the focused row.
    virtual void CloseEditorSilently();
    // The field under the open editor changed in the record: an editor that
    // shows another value loads the field again.
    virtual void RefreshEditor(TField* field);
    // The rectangle the editor covers (the focused cell on screen).
    virtual QRect EditorRect() const;
    // The values an editor's style falls back to: no border over drawn grid
    // lines, else a single one; the grid's look gives the button style.
    virtual TqvEditStyleData EditStyleFallback() const;
    // Typing into the grid (no editor open) opens the editor.
    void HandleKeyPress(char32_t& character) override;
    void MouseDown(Qt::MouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(Qt::MouseButton button, TShiftState shift, int x, int y) override;
    void EndIncrementalSearch() override;
    // The search's keys; true when the key belonged to the search.
    bool HandleSearchKey(Word& key, TShiftState shift);
    // Multi-selection: Shift with a row move or a click selects from the
    // anchor row to the focused one; Ctrl+click toggles a row; a plain move
    // or click starts again from the focused row.
    void ExtendSelection(TqvTreeListNode* from, TqvTreeListNode* to);
    // The grid's keys for its data (run before the tree list's keys; a key
    // set to 0 goes no further). Built in: in window mode Home and End go to
    // the dataset's first and last record.
    virtual void HandleDataKeys(Word& key, TShiftState shift);
    // The keys that concern the editor, the Tab and Enter walks, F2 and the
    // clipboard (after the data keys, before the tree list's moves).
    virtual void HandleEditKeys(Word& key, TShiftState shift);
    // Ctrl+Delete: asks (edgoConfirmDelete) and deletes the focused record,
    // or the selected ones.
    void DeleteWithConfirmation();
    // The next (previous) tab-stop column, wrapping to the next row when
    // `wrap`; false when there is none.
    bool MoveToNextTabStop(bool forward, bool wrap);
    // The texts of the selected rows (the focused one when none), a line
    // each with the cells separated by tabs.
    AnsiString SelectionText() const;

    struct TqvEditorState {
        TqvInplaceEdit* Editor = nullptr;  // open (State tsEditing), else null
        TqvTreeListNode* Node = nullptr;
        int Column = -1;  // navigation position
        Variant LoadedValue;
    };
    TqvEditorState& EditorState();

    // ---- Where grouping, filtering and summary groups attach (the grid)
    virtual bool HasGroupColumns() const { return false; }
    // Drops group columns whose field no longer exists.
    virtual void DropLostGroupColumns() {}
    // The parent of a new record node (group node of the record's group
    // values), null for a root node; the record is being read.
    virtual TqvTreeListNode* GroupParentOfRecord() { return nullptr; }
    // False when the record being read fails the grid's filter.
    virtual bool RecordPassesFilter() { return true; }
    virtual bool IsSortingActive() const { return false; }
    virtual void SortNodes() {}
    // Summaries of the load: prepared before the first record, each record
    // added (the dataset reading it), finished with the number of records.
    virtual void PrepareSummaries();
    virtual void AddRecordToSummaries(TqvDBGridNode* node);
    virtual void FinishSummaries(int count);
    // Footer values back to zero (nodes cleared outside a load).
    virtual void ResetSummaries();
    // The columns were bound again to the dataset's fields.
    virtual void ColumnsBound() {}
    // Around a full reload: the expanded group nodes are remembered and
    // expanded again.
    virtual void BeforeFullReload() {}
    virtual void AfterFullReload() {}
    // A new record is being inserted under `parent` (a group node): its group
    // fields take the group's values.
    virtual void FillNewRecordFromGroups(TqvTreeListNode* parent) {}

    // ---- Dataset events (from the data link)
    virtual void LinkActiveChanged();
    virtual void LinkDataSetChanged();
    virtual void LinkDataSetScrolled(int distance);
    virtual void LinkRecordChanged(TField* field);
    virtual void LinkUpdateData();
    virtual void LinkLayoutChanged();
    virtual void LinkFocusControl(TField** field);

    // The field named by KeyField, found by the last load (null without one).
    TField* KeyFieldObject() const { return keyFieldObject_; }
    // What a group node and a preview line show (the grid keeps them).
    virtual Variant NodeGroupValue(const TqvDBGridNode* node) const { return Variant::Null(); }
    virtual AnsiString NodePreviewText(const TqvDBGridNode* node) const { return {}; }
    // A node is being freed (its data held elsewhere goes with it).
    virtual void NodeFreed(TqvDBGridNode* node) {}

private:
    // Set while the grid loads or moves the dataset itself: the dataset's
    // notifications then do not start a load of their own.
    struct LoadingMark {
        explicit LoadingMark(TCustomqvDBTreeListControl* grid) : grid_(grid) { ++grid_->loading_; }
        ~LoadingMark() { --grid_->loading_; }
        LoadingMark(const LoadingMark&) = delete;
        LoadingMark& operator=(const LoadingMark&) = delete;

    private:
        TCustomqvDBTreeListControl* grid_;
    };
    // The helpers the grid owns, one per concern, each in the file that
    // holds its code.
    friend class TqvNewItemRow;
    friend class TqvIncrementalSearch;
    friend class TqvSelectionAnchor;
    friend class TqvEditorSlot;
    TCustomqvDBTreeListControl* AsDBTreeList() override { return this; }
    void ColumnFieldNameChanged(TqvDBTreeListColumn* column) override;
    // edgoVertThrough with several header rows: Up and Down first walk the
    // header rows of the focused column's band; a new row is entered at the
    // header row the walk comes from.
    bool isVertThrough() const;
    int columnBelowOrAbove(int position, int row) const;
    bool walkHeaderRows(bool down);
    void enterRowAtHeaderRow(bool down);
    void makeDefaultColumns();
    // Changes the sets inside one update; the tree list's flags follow.
    void changeOptionSets(const std::function<void(TqvDBGridOptionSets&)>& change);
    void bindColumns();
    void clearNodes();
    void loadRecords();
    void loadRange(int first, int count);
    void loadFailed();
    void syncWindow();
    void scrollWindowTo(int first);
    void scrollPastBlock(int position);
    void focusFollowsDataSet();
    void focusNode(TqvTreeListNode* node);
    void moveDataSetTo(TqvDBGridNode* target);
    void addInsertedRecord();
    TqvDBGridNode* makeRecordNode(TqvTreeListNode* parent, int recordIndex, int handle);
    Variant keyOf(const TqvDBGridNode* node) const;
    TqvDBGridNode* findByKey(const Variant& key, int preferHandle) const;
    bool partialNeedsReload() const;

    std::unique_ptr<TqvGridDataLink> link_;
    AnsiString keyField_;
    TField* keyFieldObject_ = nullptr;
    TqvDBGridOptionSets sets_;
    int partialLoadBufferCount_ = 100;
    int partialFirst_ = 0;  // position of the block's first record
    int loading_ = 0;
    int loadedCount_ = 0;
    bool syncingWindow_ = false;
    bool defaultFields_ = false;
    bool makingColumns_ = false;
    struct PendingRecord {
        bool set = false;
        int recordIndex = 0;
        int handle = 0;
    } pending_;  // the record node CreateNode makes next
    std::unique_ptr<TqvNodePool> pool_;
    int poolBase_ = 0;  // record index of slot 0
    TqvDBGridNode* insertingNode_ = nullptr;
    TqvDBGridNode* deletingNode_ = nullptr;
    std::vector<TqvTreeListNode*> watched_;  // focus targets while the dataset moves
    std::vector<TqvDBTreeListColumn*> footerColumns_;  // with a footer, in the load running
    std::unique_ptr<TqvNewItemRow> newItemRow_;
    std::unique_ptr<TqvIncrementalSearch> search_;
    std::unique_ptr<TqvSelectionAnchor> selection_;
    // Last, so that the editors go first, while what they may ask is there.
    std::unique_ptr<TqvEditorSlot> editors_;
    // Leaving the grid: the edited record is written (or an untouched
    // insert cancelled with edgoCancelOnExit).
    void leaveGrid();
};
