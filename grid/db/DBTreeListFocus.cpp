// The focus and the dataset's current record in step, both ways; inserted
// records; deleting records; the data link's cancel; leaving the grid.
#include "grid/db/NewItemRow.h"
#include "grid/treelist/NodePool.h"

#include "runtime/db/DataSet.h"

#include <QApplication>

#include <algorithm>
#include <exception>

namespace {
bool isEditing(TDataSetState s) { return s == dsEdit || s == dsInsert; }
}  // namespace

// ---- The focus follows the dataset

TqvDBGridNode* TCustomqvDBTreeListControl::NodeOfCurrentRecord() const
{
    TDataSet* ds = DataSet();
    if (!IsActive() || ds->CurrentPosition() < 0) return nullptr;
    if (ds->State() == dsInsert && insertingNode_) return insertingNode_;
    int handle = ds->RecordHandleAt(ds->CurrentPosition());
    // Fetched records keep their fetch order as handles, which is their load
    // order unless records were inserted or removed since: try that first.
    if (TqvDBGridNode* node = NodeOfRecordIndex(handle); node && node->handle_ == handle) return node;
    if (TqvDBGridNode* node = NodeOfRecordIndex(ds->CurrentPosition()); node && node->handle_ == handle)
        return node;
    for (size_t slot = 0; slot < pool_->Size(); ++slot) {
        auto* node = static_cast<TqvDBGridNode*>(pool_->At(slot));
        if (node && node->handle_ == handle) return node;
    }
    // A record without a node of its own: the first node with its key.
    if (!keyFieldObject_) return nullptr;
    return findByKey(keyFieldObject_->Value(), handle);
}

TqvDBGridNode* TCustomqvDBTreeListControl::findByKey(const Variant& key, int preferHandle) const
{
    TqvDBGridNode* first = nullptr;
    for (int i = 0; i < Count(); ++i) {
        TqvDBGridNode* found = nullptr;
        ForEachNodeInSubtree(Items(i), [&](TqvTreeListNode* n) {
            auto* node = static_cast<TqvDBGridNode*>(n);
            if (found || node->IsGroupNode() || keyOf(node) != key) return;
            if (!first) first = node;
            if (node->handle_ == preferHandle) found = node;
        });
        if (found) return found;
    }
    return first;
}

void TCustomqvDBTreeListControl::focusNode(TqvTreeListNode* node)
{
    if (!node) return;
    LoadingMark mark(this);
    TCustomqvTreeList::FocusChange(node, StoredFocusedColumn(), true);
}

void TCustomqvDBTreeListControl::focusFollowsDataSet()
{
    if (!IsActive() || Destroying()) return;
    if (LoadMode() == TqvDBLoadMode::Window) {
        syncWindow();
        return;
    }
    if (!keyFieldObject_ || !sets_.DB.Contains(edgoCanNavigation)) return;
    focusNode(NodeOfCurrentRecord());
}

// ---- The dataset follows the focus

// Puts the dataset on the target's very record. The distance is counted from
// where the dataset really stands, not from the focused node: with equal keys
// the two may differ, and a price typed afterwards must reach the record the
// row shows.
void TCustomqvDBTreeListControl::moveDataSetTo(TqvDBGridNode* target)
{
    TDataSet* ds = DataSet();
    int position = ds->PositionOfHandle(target->handle_);
    if (position < 0) throw EDatabaseError(DBText::InvalidBookmark);
    if (position == ds->CurrentPosition()) return;
    bool editing = isEditing(ds->State());
    // A move that posts an edited record makes the dataset report a change:
    // the grid then reloads before the target is focused.
    std::unique_ptr<LoadingMark> mark = editing ? nullptr : std::make_unique<LoadingMark>(this);
    if (sets_.DB.Contains(edgoUseLocate) || sets_.DB.Contains(edgoSmartRefresh)) {
        Variant key = keyOf(target);
        if (keyFieldObject_ && ds->Locate(keyField_, key)) {
            // Locate finds the first record with the key; go on to the exact one.
            position = ds->PositionOfHandle(target->handle_);
            if (position >= 0 && position != ds->CurrentPosition()) ds->MoveBy(position - ds->CurrentPosition());
        }
        return;
    }
    ds->MoveBy(position - ds->CurrentPosition());
}

void TCustomqvDBTreeListControl::FocusChange(TqvTreeListNode* node, int column, bool makeVisible)
{
    // A move to a record leaves the new-item row (its values are appended).
    if (IsNewItemRowFocused() && node && node != FocusedNode() && !IsLoadingRecords()) newItemRow_->Leave();
    TqvDBGridNode* target = DBNode(node);
    if (!target || !IsActive() || IsLoadingRecords() || IsLayoutLocked()) {
        TCustomqvTreeList::FocusChange(node, column, makeVisible);
        return;
    }
    TqvTreeListNode* old = FocusedNode();
    watched_.push_back(target);
    struct Unwatch {
        std::vector<TqvTreeListNode*>& list;
        TqvTreeListNode* node;
        ~Unwatch() { list.erase(std::remove(list.begin(), list.end(), node), list.end()); }
    } unwatch{watched_, target};
    // An open editor closes first, while its cell is still focused and the
    // dataset still stands on its record: the value is written and OnEdited
    // runs for the record that was edited, before anything moves. What
    // OnEdited does may reload the grid and take the target with it.
    CloseEditor();
    if (std::find(watched_.begin(), watched_.end(), target) == watched_.end()) return;
    // The column first, on the current node.
    if (FocusedNode() && column != StoredFocusedColumn())
        TCustomqvTreeList::FocusChange(FocusedNode(), column, false);
    TDataSet* ds = DataSet();
    if (LoadMode() == TqvDBLoadMode::Window) {
        int row = GetAbsoluteIndex(target);
        int current = ds->CurrentPosition() - link_->FirstRecord();
        if (row >= 0 && row != current) ds->MoveBy(row - current);
        return;  // the row of the new record takes the focus when the dataset scrolls
    }
    bool editing = isEditing(ds->State());
    if (!target->IsGroupNode() && target != insertingNode_) moveDataSetTo(target);
    if (std::find(watched_.begin(), watched_.end(), target) == watched_.end()) return;
    // After a move that posted, the target takes the focus only when the
    // dataset stands on its record.
    if (editing && !target->IsGroupNode() && ds->PositionOfHandle(target->handle_) != ds->CurrentPosition()) return;
    TCustomqvTreeList::FocusChange(target, column, makeVisible);
    if (FocusedNode() != old && OnChangeNodeEx) OnChangeNodeEx(this);
}

void TCustomqvDBTreeListControl::SetFocusedAbsoluteIndex(int index)
{
    if (LoadMode() != TqvDBLoadMode::Window || !IsActive() || IsEmpty()) {
        TCustomqvTreeList::SetFocusedAbsoluteIndex(index);
        return;
    }
    TDataSet* ds = DataSet();
    int current = ds->CurrentPosition() - link_->FirstRecord();
    if (index != current) ds->MoveBy(index - current);
}

void TCustomqvDBTreeListControl::MoveFocusBy(int rows)
{
    if (!IsActive() || IsEmpty() || rows == 0) {
        TCustomqvTreeList::MoveFocusBy(rows);
        return;
    }
    TDataSet* ds = DataSet();
    switch (LoadMode()) {
    case TqvDBLoadMode::Window:
        // Past the visible rows the dataset moves, and the window with it.
        if (FocusedNode() && StoredFocusedColumn() != FocusedColumn())
            TCustomqvTreeList::FocusChange(FocusedNode(), FocusedColumn(), false);
        ds->MoveBy(rows);
        break;
    case TqvDBLoadMode::Partial: {
        int target = FocusedAbsoluteIndex() + rows;
        if (target >= 0 && target < AbsoluteCount())
            TCustomqvTreeList::MoveFocusBy(rows);
        else
            ds->MoveBy(rows);  // beyond the block: the block is loaded again around the record
        break;
    }
    case TqvDBLoadMode::LoadAll: TCustomqvTreeList::MoveFocusBy(rows); break;
    }
}

// ---- Inserted records

void TCustomqvDBTreeListControl::addInsertedRecord()
{
    TDataSet* ds = DataSet();
    int position = ds->CurrentPosition();
    if (position < 0) return;
    int handle = ds->RecordHandleAt(position);
    bool appended = position == ds->AvailableFrom(0, INT32_MAX) - 1 && position > 0;
    TqvTreeListNode* focused = FocusedNode();
    LoadingMark mark(this);
    TqvDBGridNode* node = nullptr;
    pending_ = {true, loadedCount_, handle};
    try {
        TqvTreeListNode* before = !appended && focused ? focused->GetNextSibling() : nullptr;
        if (before)
            node = static_cast<TqvDBGridNode*>(Insert(before));
        else if (!appended && focused && focused->Parent())
            node = static_cast<TqvDBGridNode*>(AddChild(focused->Parent()));
        else
            node = static_cast<TqvDBGridNode*>(Add());
    } catch (...) {
        pending_.set = false;
        throw;
    }
    pending_.set = false;
    insertingNode_ = node;
    if (node->Parent()) FillNewRecordFromGroups(node->Parent());
    if (OnRefreshNodeData) OnRefreshNodeData(this, node);
    TCustomqvTreeList::FocusChange(node, StoredFocusedColumn(), true);
}

// ---- Deleting

void TCustomqvDBTreeListControl::DeleteNodeRecord(TqvTreeListNode* node)
{
    TqvDBGridNode* target = DBNode(node);
    if (!target || !IsActive()) return;
    TDataSet* ds = DataSet();
    if (LoadMode() == TqvDBLoadMode::Window) {
        if (node != FocusedNode()) return;
    } else {
        if (target->IsGroupNode() || !sets_.DB.Contains(edgoCanNavigation)) return;
        if (target != insertingNode_) moveDataSetTo(target);
    }
    deletingNode_ = target;
    try {
        ds->Delete();
    } catch (...) {
        deletingNode_ = nullptr;
        throw;
    }
    deletingNode_ = nullptr;
}

void TCustomqvDBTreeListControl::DeleteSelection()
{
    if (!IsActive()) return;
    TDataSet* ds = DataSet();
    // The records, not the nodes: deleting may reload the grid.
    std::vector<int> handles;
    for (int i = SelectedCount() - 1; i >= 0; --i)
        if (TqvDBGridNode* node = DBNode(SelectedNodes(i)); node && !node->IsGroupNode()) handles.push_back(node->handle_);
    if (handles.empty()) return;
    bool goOn = sets_.Behavior.Contains(edgoExtMultiSelect);
    TBookmarkStr saved = ds->Bookmark();
    std::exception_ptr error;
    ds->DisableControls();
    for (int handle : handles) {
        try {
            // A record that cannot be reached exactly is skipped: deleting
            // whatever is current instead would lose another record.
            int position = ds->PositionOfHandle(handle);
            if (position < 0) throw EDatabaseError(DBText::InvalidBookmark);
            ds->MoveBy(position - ds->CurrentPosition());
            if (ds->CurrentPosition() != position) throw EDatabaseError(DBText::InvalidBookmark);
            ds->Delete();
        } catch (...) {
            if (!error) error = std::current_exception();
            if (!goOn) break;
        }
    }
    try {
        if (!saved.empty() && ds->BookmarkValid(saved)) ds->SetBookmark(saved);
    } catch (...) {
        if (!error) error = std::current_exception();
    }
    ClearSelection();
    ds->EnableControls();
    if (error) std::rethrow_exception(error);
}

// ---- Cancelling, leaving

void TCustomqvDBTreeListControl::DataLinkCancel()
{
    if (!IsActive()) return;
    if (link_->Modified()) {
        // The cell's pending value is dropped: the row shows the record again.
        link_->SetModified(false);
        if (FocusedNode()) InvalidateNode(FocusedNode());
        RefreshEditor(nullptr);
    } else {
        DataSet()->Cancel();
    }
}

void TCustomqvDBTreeListControl::DoExit()
{
    // The focus going into the grid's own editor does not leave the grid.
    if (QWidget* next = QApplication::focusWidget(); next && next != this && isAncestorOf(next)) return;
    TCustomqvTreeListControl::DoExit();
    leaveGrid();
}

void TCustomqvDBTreeListControl::leaveGrid()
{
    if (!IsActive()) return;
    TDataSet* ds = DataSet();
    try {
        // Leaving the grid leaves the new-item row: its values are appended.
        if (IsNewItemRowFocused()) PostNewItemRow();
        if (sets_.DB.Contains(edgoCancelOnExit) && ds->State() == dsInsert && !ds->Modified() && !link_->Modified())
            ds->Cancel();
        else if (link_->Editing())
            link_->UpdateRecord();
    } catch (...) {
        setFocus();
        throw;
    }
}
