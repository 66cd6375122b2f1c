// Loading records into nodes: full loads (load-all and partial blocks), the
// window of window mode and scrolling it, the footers of a load, and what
// the grid does when the dataset opens, closes or changes its records.
#include "grid/db/DBTreeListControl.h"

#include "grid/db/DBGridRegistry.h"
#include "grid/treelist/NodePool.h"
#include "grid/treelist/ScrollBars.h"
#include "runtime/db/DataSet.h"

#include <QApplication>
#include <QCursor>

#include <algorithm>
#include <cstdint>

namespace {
bool isEditing(TDataSetState s) { return s == dsEdit || s == dsInsert; }

// A scroll that has more records than this to fetch shows the hourglass.
constexpr int kLongFetch = 20000;

// The hourglass while a load runs, when the options ask for it.
class HourGlass {
public:
    explicit HourGlass(bool on) : on_(on && QApplication::instance())
    {
        if (on_) QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~HourGlass()
    {
        if (on_) QApplication::restoreOverrideCursor();
    }
    HourGlass(const HourGlass&) = delete;
    HourGlass& operator=(const HourGlass&) = delete;

private:
    bool on_;
};
}  // namespace

void TCustomqvDBTreeListControl::FullRefresh()
{
    if (Destroying()) return;
    if (!IsActive()) {
        clearNodes();
        return;
    }
    switch (LoadMode()) {
    case TqvDBLoadMode::Window:
        clearNodes();
        syncWindow();
        break;
    case TqvDBLoadMode::Partial: {
        TDataSet* ds = DataSet();
        int current = std::max(0, ds->CurrentPosition());
        partialFirst_ = std::max(0, current - partialLoadBufferCount_ / 2);
        loadRecords();
        break;
    }
    case TqvDBLoadMode::LoadAll:
        partialFirst_ = 0;
        loadRecords();
        break;
    }
}

// A full reload: the nodes go inside one update, the records are read again,
// the first visible row goes back to the node with the same key, and the
// focus follows the dataset.
void TCustomqvDBTreeListControl::loadRecords()
{
    if (IsLoading() || Destroying()) return;
    TqvDBGridNode* top = DBNode(TopVisibleNode());
    Variant topKey = top ? keyOf(top) : Variant::Null();
    int topRecord = top ? top->RecordIndex() : -1;
    BeforeFullReload();
    BeginUpdate();
    try {
        clearNodes();
        if (LoadMode() == TqvDBLoadMode::Partial)
            loadRange(partialFirst_, partialLoadBufferCount_);
        else
            loadRange(0, -1);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    AfterFullReload();
    if (!topKey.IsEmptyOrNull()) {
        // The record that was at the top, when it still holds the key, else
        // the first node with the key.
        TqvDBGridNode* node = NodeOfRecordIndex(topRecord);
        if (!node || keyOf(node) != topKey) node = findByKey(topKey, -1);
        if (node) SetTopVisibleNode(node);
    }
    focusFollowsDataSet();
}

// Reads `count` records from position `first` (all to the end when count is
// negative) into nodes, with the footers.
void TCustomqvDBTreeListControl::loadRange(int first, int count)
{
    TDataSet* ds = DataSet();
    LoadingMark mark(this);
    keyFieldObject_ = IsActive() && !keyField_.empty() ? ds->FindField(keyField_) : nullptr;
    // Without a key the grid cannot tell its nodes' records apart.
    if (!keyFieldObject_ && sets_.DB.Contains(edgoCanNavigation)) return;
    DropLostGroupColumns();
    ClearSelection();
    poolBase_ = first;
    HourGlass hourGlass(sets_.Behavior.Contains(edgoShowHourGlass));
    ds->DisableControls();
    int loaded = 0;
    try {
        if (isEditing(ds->State())) ds->Cancel();
        if (OnClearNodeData) OnClearNodeData(this);
        PrepareSummaries();
        int end = count < 0 ? INT32_MAX : first + count;
        int saved = ds->ReadPosition();
        try {
            for (int p = first; p < end && ds->AvailableFrom(p, 1) > 0; ++p) {
                ds->SetReadPosition(p);
                if (!RecordPassesFilter()) continue;
                TqvDBGridNode* node = makeRecordNode(GroupParentOfRecord(), p, ds->RecordHandleAt(p));
                if (OnRefreshNodeData) OnRefreshNodeData(this, node);
                AddRecordToSummaries(node);
                ++loaded;
            }
        } catch (...) {
            ds->SetReadPosition(saved);
            throw;
        }
        ds->SetReadPosition(saved);
        loadedCount_ = loaded;
        if (IsSortingActive()) SortNodes();
        FinishSummaries(loaded);
    } catch (...) {
        loadFailed();
        ds->EnableControls();
        throw;
    }
    ds->EnableControls();
}

// Nothing of a failed load stays: no nodes, no totals.
void TCustomqvDBTreeListControl::loadFailed()
{
    ClearNodes();
    insertingNode_ = nullptr;
    if (pool_->Live() == 0) pool_->Reset();
    ResetSummaries();
    loadedCount_ = 0;
}

// ---- Window mode

void TCustomqvDBTreeListControl::syncWindow()
{
    if (syncingWindow_ || !IsActive() || IsLayoutLocked() || Destroying() || LoadMode() != TqvDBLoadMode::Window)
        return;
    syncingWindow_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{syncingWindow_};
    TDataSet* ds = DataSet();
    if (ds->IsEmpty()) {
        if (Count() > 0) clearNodes();
        return;
    }
    link_->SetBufferCount(VisibleRowCount());
    int records = link_->RecordCount();
    int active = link_->ActiveRecord();
    if (FocusedNode() && FocusedAbsoluteIndex() != active) CloseEditorSilently();
    LoadingMark mark(this);
    // The focus goes to its row first, so that rows leaving at the end move
    // nobody's focus.
    while (Count() > records) {
        if (FocusedNode() == Items(Count() - 1)) TCustomqvTreeList::FocusChange(Items(0), StoredFocusedColumn(), false);
        DeleteNode(Items(Count() - 1));
    }
    while (Count() < records) Add();
    int first = link_->FirstRecord();
    for (int i = 0; i < records; ++i) {
        TqvDBGridNode* node = DBNode(Items(i));
        node->recordIndex_ = first + i;
        node->handle_ = ds->RecordHandleAt(first + i);
    }
    if (records > 0) {
        SetTopVisibleNode(Items(0));
        TCustomqvTreeList::FocusChange(Items(std::clamp(active, 0, records - 1)), StoredFocusedColumn(), false);
    }
    update();
    UpdateScrollBars();
}

// ---- Scrolling

TqvScrollRange TCustomqvDBTreeListControl::VerticalScrollRange()
{
    if (LoadMode() == TqvDBLoadMode::LoadAll || !IsActive() || IsEmpty())
        return TCustomqvTreeListControl::VerticalScrollRange();
    // By record: the first record in view among all of them, counted by the
    // database rather than by fetching them.
    int rows = VisibleRowCount();
    int max = std::max(0, DataSet()->CountRecords() - rows);
    if (LoadMode() == TqvDBLoadMode::Window) return {link_->FirstRecord(), max, rows};
    int top = TopVisibleNode() ? GetAbsoluteIndex(TopVisibleNode()) : 0;
    return {partialFirst_ + std::max(0, top), max, rows};
}

void TCustomqvDBTreeListControl::ScrollVerticalTo(int position)
{
    if (!IsActive() || IsEmpty() || LoadMode() == TqvDBLoadMode::LoadAll) {
        TCustomqvTreeListControl::ScrollVerticalTo(position);
        return;
    }
    if (LoadMode() == TqvDBLoadMode::Window)
        scrollWindowTo(position);
    else
        scrollPastBlock(position);
    UpdateScrollBars();
}

void TCustomqvDBTreeListControl::scrollWindowTo(int first)
{
    TDataSet* ds = DataSet();
    first = std::clamp(first, 0, VerticalScrollRange().max);
    if (first == link_->FirstRecord()) return;
    // Before anything moves: the edited cell is written, OnEdited runs for
    // the record it belongs to.
    CloseEditor();
    // A long jump fetches the records in between.
    int toFetch = std::min(first + VisibleRowCount(), ds->CountRecords()) - ds->RecordsFetched();
    HourGlass hourGlass(toFetch > kLongFetch);
    link_->SetBufferCount(VisibleRowCount());
    ds->ScrollWindow(*link_, first);
}

void TCustomqvDBTreeListControl::scrollPastBlock(int position)
{
    const int rows = VisibleRowCount();
    position = std::clamp(position, 0, VerticalScrollRange().max);
    const int local = position - partialFirst_;
    if (local >= 0 && local + rows <= Count()) {
        // Inside the block: only the view moves.
        TCustomqvTreeListControl::ScrollVerticalTo(local);
        return;
    }
    // The view leaves the block: the current record goes where the view is
    // asked to go (its top row going up, its bottom row going down), which
    // loads the block again around it; the view then stands as asked.
    CloseEditor();
    TDataSet* ds = DataSet();
    int toFetch = position + rows - ds->RecordsFetched();
    HourGlass hourGlass(toFetch > kLongFetch);
    int target = local < 0 ? position : position + std::max(1, ds->AvailableFrom(position, rows)) - 1;
    ds->MoveBy(target - ds->CurrentPosition());
    if (TqvDBGridNode* node = NodeOfRecordIndex(position)) SetTopVisibleNode(node);
}

void TCustomqvDBTreeListControl::LayoutChanged()
{
    TCustomqvTreeListControl::LayoutChanged();
    if (LoadMode() == TqvDBLoadMode::Window) syncWindow();
}

// ---- Footers

void TCustomqvDBTreeListControl::PrepareSummaries()
{
    TDataSet* ds = DataSet();
    footerColumns_.clear();
    for (int i = 0; i < ColumnCount(); ++i) {
        auto* column = dynamic_cast<TqvDBTreeListColumn*>(Columns(i));
        if (!column) continue;
        TField* field = FindSummaryField(ds, column->SummarySourceField(column->SummaryFooterField()));
        column->footer_.Prepare(column->summaryFooterType_, field, &column->OnSummaryFooter, column);
        if (column->summaryFooterType_ != cstNone) footerColumns_.push_back(column);
    }
    if (OnBeforeCalcSummary) OnBeforeCalcSummary(this);
}

void TCustomqvDBTreeListControl::AddRecordToSummaries(TqvDBGridNode*)
{
    TDataSet* ds = DataSet();
    for (TqvDBTreeListColumn* column : footerColumns_) column->footer_.Add(ds);
}

void TCustomqvDBTreeListControl::FinishSummaries(int count)
{
    for (TqvDBTreeListColumn* column : footerColumns_) column->footer_.Finish(count);
    footerColumns_.clear();
    if (OnCalcSummary) OnCalcSummary(this);
    update();
}

void TCustomqvDBTreeListControl::ResetSummaries()
{
    footerColumns_.clear();
    for (int i = 0; i < ColumnCount(); ++i)
        if (auto* column = dynamic_cast<TqvDBTreeListColumn*>(Columns(i))) column->footer_.Reset();
    update();
}

// ---- What the dataset says

void TCustomqvDBTreeListControl::LinkActiveChanged()
{
    if (Destroying()) return;
    if (!IsActive()) CloseEditorSilently();
    keyFieldObject_ = nullptr;
    BeginUpdate();
    try {
        clearNodes();
        ClearSelection();
        bindColumns();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    FullRefresh();
    if (OnReloadGroupList) OnReloadGroupList(this);
}

void TCustomqvDBTreeListControl::LinkDataSetChanged()
{
    if (Destroying() || !IsActive()) return;
    TDataSet* ds = DataSet();
    if (!IsLoadingRecords()) {
        switch (LoadMode()) {
        case TqvDBLoadMode::Window:
            syncWindow();
            update();
            if (ds->State() == dsInsert) {
                EndIncrementalSearch();
                if (sets_.DB.Contains(edgoResetColumnFocus)) SetFocusedColumn(0);
            }
            break;
        case TqvDBLoadMode::Partial:
        case TqvDBLoadMode::LoadAll:
            if (DBGridRegistry::IsLoadingElsewhere(ds, this)) {
                focusFollowsDataSet();
            } else if (ds->State() != dsEdit && ds->State() != dsSetKey) {
                if (ds->State() == dsInsert && !keyField_.empty() && ds->FindField(keyField_))
                    addInsertedRecord();
                else
                    FullRefresh();
            }
            break;
        }
    }
    link_->SetModified(false);
}

void TCustomqvDBTreeListControl::LinkDataSetScrolled(int)
{
    if (Destroying() || !IsActive()) return;
    switch (LoadMode()) {
    case TqvDBLoadMode::Window: syncWindow(); break;
    case TqvDBLoadMode::Partial:
        if (IsLoadingRecords()) break;
        if (partialNeedsReload())
            FullRefresh();
        else
            focusFollowsDataSet();
        break;
    case TqvDBLoadMode::LoadAll:
        if (!IsLoadingRecords()) focusFollowsDataSet();
        break;
    }
}

void TCustomqvDBTreeListControl::LinkRecordChanged(TField* field)
{
    if (Destroying() || !IsActive()) return;
    TDataSet* ds = DataSet();
    if (LoadMode() != TqvDBLoadMode::Window &&
        ((ds->State() == dsInsert && !insertingNode_) || ds->State() == dsSetKey))
        return;
    // The row reads its record again when it is painted.
    if (TqvDBGridNode* node = DBNode(FocusedNode())) {
        if (OnRefreshNodeData) OnRefreshNodeData(this, node);
        if (IsOption(tloRowAutoHeight))
            update();
        else
            InvalidateNode(node);
    }
    RefreshEditor(field);
    link_->SetModified(false);
}

void TCustomqvDBTreeListControl::LinkUpdateData()
{
    if (link_->Modified()) CloseEditorSilently();
}

void TCustomqvDBTreeListControl::LinkLayoutChanged()
{
    if (Destroying()) return;
    bindColumns();
    if (IsActive()) FullRefresh();
}

void TCustomqvDBTreeListControl::LinkFocusControl(TField** field)
{
    if (!field || !*field) return;
    std::vector<TqvTreeListColumn*> order = NavigationOrder();
    for (size_t i = 0; i < order.size(); ++i) {
        auto* column = dynamic_cast<TqvDBTreeListColumn*>(order[i]);
        if (!column || column->Field() != *field) continue;
        if (isEnabled() && isVisible()) setFocus();
        SetFocusedColumn(static_cast<int>(i));
        *field = nullptr;
        return;
    }
}

// ---- Partial loads

bool TCustomqvDBTreeListControl::partialNeedsReload() const
{
    TDataSet* ds = DataSet();
    int current = ds->CurrentPosition();
    if (current < 0) return false;
    int last = partialFirst_ + Count() - 1;
    if (current < partialFirst_ || current > last) return true;
    // At an edge of the block with records beyond it.
    if (current == partialFirst_ && partialFirst_ > 0) return true;
    return current == last && ds->AvailableFrom(last + 1, 1) > 0;
}

// ---- Column-wise reads

bool TCustomqvDBTreeListControl::ReadNodeCells(const std::vector<TqvTreeListNode*>& nodes,
                                               const std::vector<TField*>& fields,
                                               const std::function<void(size_t, size_t, const CellView&, bool)>& cell) const
{
    TDataSet* ds = DataSet();
    if (!IsActive()) return false;
    // Nodes by handle: fetched records have handles 0, 1, ... in fetch order,
    // so walking the handles walks the record store front to back.
    constexpr uint32_t kNone = UINT32_MAX;
    std::vector<int32_t> handles(nodes.size());
    int32_t top = -1;
    for (size_t i = 0; i < nodes.size(); ++i) {
        auto* node = static_cast<const TqvDBGridNode*>(nodes[i]);
        if (!node || node->IsGroupNode()) return false;
        handles[i] = node->handle_;
        top = std::max(top, handles[i]);
    }
    std::vector<uint32_t> byHandle(static_cast<size_t>(top + 1), kNone);
    std::vector<uint32_t> rest;  // inserted records (negative handles), repeated handles
    for (size_t i = 0; i < nodes.size(); ++i) {
        int32_t h = handles[i];
        if (h >= 0 && byHandle[static_cast<size_t>(h)] == kNone)
            byHandle[static_cast<size_t>(h)] = static_cast<uint32_t>(i);
        else
            rest.push_back(static_cast<uint32_t>(i));
    }
    auto read = [&](uint32_t i, int32_t h) {
        bool stored = true;
        for (size_t k = 0; k < fields.size() && stored; ++k) {
            CellView view;
            stored = ds->ReadStoredCell(fields[k], h, view);
            if (stored) cell(i, k, view, true);
        }
        if (stored) return;
        // Calculated values, the record being edited: through the read position.
        ReadNodeRecord(static_cast<const TqvDBGridNode*>(nodes[i]), [&] {
            for (size_t k = 0; k < fields.size(); ++k) cell(i, k, fields[k]->GetCell(), false);
        });
    };
    for (size_t h = 0; h < byHandle.size(); ++h)
        if (byHandle[h] != kNone) read(byHandle[h], static_cast<int32_t>(h));
    for (uint32_t i : rest) read(i, handles[i]);
    return true;
}
