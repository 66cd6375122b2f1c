// The dataset-bound tree list: its properties, options, columns, nodes and
// how it reads records. Loading is in DBTreeListLoad.cpp, the focus and the
// record operations in DBTreeListFocus.cpp.
#include "grid/db/DBTreeListControl.h"

#include "grid/columns/DBGridColumns.h"
#include "grid/db/DBGridRegistry.h"
#include "grid/db/DBTreeListEditing.h"
#include "grid/db/DBTreeListSearch.h"
#include "grid/db/NewItemRow.h"
#include "grid/editors/InplaceEdit.h"
#include "grid/treelist/NodePool.h"
#include "runtime/db/DataSet.h"

#include <algorithm>

TCustomqvDBTreeListControl::TCustomqvDBTreeListControl(TComponent* owner, QWidget* parent)
    : TCustomqvTreeListControl(owner, parent),
      link_(std::make_unique<TqvGridDataLink>(this)),
      sets_(TqvDBGridOptionSets::Defaults()),
      pool_(std::make_unique<TqvNodePool>(sizeof(TqvDBGridNode))),
      newItemRow_(std::make_unique<TqvNewItemRow>(*this)),
      search_(std::make_unique<TqvIncrementalSearch>(*this)),
      selection_(std::make_unique<TqvSelectionAnchor>(*this)),
      editors_(std::make_unique<TqvEditorSlot>(*this))
{
    // The grid's option sets replace the tree list's own defaults.
    TCustomqvTreeList::SetOptions(CoreFlagsOf(sets_, {}));
    DBGridRegistry::Add(this);
}

TCustomqvDBTreeListControl::~TCustomqvDBTreeListControl()
{
    SetDestroying();
    DBGridRegistry::Remove(this);
    link_->SetDataSource(nullptr);
    // Pooled nodes must go while this class still frees them.
    ClearNodes();
    pool_->Reset();
}

// ---- Data

TDataSource* TCustomqvDBTreeListControl::DataSource() const { return link_->DataSource(); }

TDataSet* TCustomqvDBTreeListControl::DataSet() const { return link_->DataSet(); }

bool TCustomqvDBTreeListControl::IsActive() const { return link_->Active() && link_->DataSet(); }

void TCustomqvDBTreeListControl::SetDataSource(TDataSource* source)
{
    if (source == DataSource()) return;
    bool wasActive = IsActive();
    link_->SetDataSource(source);
    // From one open dataset to another the link stays active and says
    // nothing: the grid binds and loads as for an activation.
    if (wasActive && IsActive()) LinkActiveChanged();
    if (!wasActive && !IsActive()) bindColumns();
}

void TCustomqvDBTreeListControl::SetKeyField(const AnsiString& name)
{
    if (name == keyField_) return;
    keyField_ = name;
    if (IsActive() && LoadMode() != TqvDBLoadMode::Window) FullRefresh();
}

TqvDBLoadMode TCustomqvDBTreeListControl::LoadMode() const
{
    if (sets_.DB.Contains(edgoLoadAllRecords) || (IsActive() && HasGroupColumns())) return TqvDBLoadMode::LoadAll;
    return sets_.DB.Contains(edgoPartialLoad) ? TqvDBLoadMode::Partial : TqvDBLoadMode::Window;
}

void TCustomqvDBTreeListControl::SetPartialLoadBufferCount(int value)
{
    value = std::max(1, value);
    if (value == partialLoadBufferCount_) return;
    partialLoadBufferCount_ = value;
    if (IsActive() && LoadMode() == TqvDBLoadMode::Partial) FullRefresh();
}

void TCustomqvDBTreeListControl::SetDefaultFields(bool value)
{
    if (value == defaultFields_) return;
    defaultFields_ = value;
    if (value) bindColumns();
}

// ---- Options

bool TCustomqvDBTreeListControl::IsOption(TqvTreeListOption option) const
{
    switch (option) {
    // Sorting needs every record as a node; the grid keeps the words itself.
    case tloAutoSort: return OptionsEx().Contains(egoAutoSort) && LoadMode() == TqvDBLoadMode::LoadAll;
    case tloMultiSort: return OptionsEx().Contains(egoMultiSort) && LoadMode() == TqvDBLoadMode::LoadAll;
    // Dragging past the edge scrolls nodes, which window mode does not hold.
    case tloDragScroll: return TCustomqvTreeList::IsOption(option) && LoadMode() != TqvDBLoadMode::Window;
    default: return TCustomqvTreeList::IsOption(option);
    }
}

void TCustomqvDBTreeListControl::changeOptionSets(const std::function<void(TqvDBGridOptionSets&)>& change)
{
    // The update below would drop an open editor's text: it is written
    // first (OnEdited fires), as for every change of the flags.
    CloseEditor();
    BeginUpdate();
    try {
        TqvDBGridOptionSets sets = sets_;
        change(sets);
        sets_ = sets;
        TCustomqvTreeList::SetOptions(CoreFlagsOf(sets_, TCustomqvTreeList::Options()));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCustomqvDBTreeListControl::SetOptionsView(TqvDBGridOptionsView value)
{
    // Cell selection and row selection exclude each other; cells win.
    if (value.Contains(edgoInvertSelect)) value = value.Without(edgoRowSelect);
    if (value == sets_.View) return;
    changeOptionSets([&](TqvDBGridOptionSets& sets) { sets.View = value; });
}

void TCustomqvDBTreeListControl::SetOptionsBehavior(TqvDBGridOptionsBehavior value)
{
    if (value == sets_.Behavior) return;
    bool resort = value.Contains(edgoAutoSort) != sets_.Behavior.Contains(edgoAutoSort) ||
                  value.Contains(edgoMultiSort) != sets_.Behavior.Contains(edgoMultiSort);
    changeOptionSets([&](TqvDBGridOptionSets& sets) { sets.Behavior = value; });
    if (resort) RefreshSorting();
}

void TCustomqvDBTreeListControl::SetOptionsCustomize(TqvDBGridOptionsCustomize value)
{
    if (value == sets_.Customize) return;
    changeOptionSets([&](TqvDBGridOptionSets& sets) { sets.Customize = value; });
}

void TCustomqvDBTreeListControl::SetOptionsDB(TqvDBGridOptionsDB value)
{
    // Load-all wins over partial loading.
    if (value.Contains(edgoLoadAllRecords)) value = value.Without(edgoPartialLoad);
    if (value.Contains(edgoPartialLoad)) value = value.Without(edgoLoadAllRecords);
    if (value == sets_.DB) return;
    TqvDBGridOptionsDB old = sets_.DB;
    auto changed = [&](TqvDBGridOptionDB f) { return old.Contains(f) != value.Contains(f); };
    bool reload = false;
    changeOptionSets([&](TqvDBGridOptionSets& sets) {
        sets.DB = value;
        if (changed(edgoPartialLoad) && (!HasGroupColumns() || !IsActive())) {
            if (value.Contains(edgoPartialLoad)) defaultFields_ = false;
            reload = true;
        }
        if (value.Contains(edgoLoadAllRecords)) defaultFields_ = false;
        if (changed(edgoLoadAllRecords) && !HasGroupColumns()) {
            if (!value.Contains(edgoLoadAllRecords))
                for (int i = 0; i < ColumnCount(); ++i) {
                    TqvDBGridColumnProperties* grid = GridPropertiesOf(Columns(i));
                    if (!grid || grid->GroupIndex() < 0) Columns(i)->SetSorted(csNone);
                }
            reload = true;
        } else if (changed(edgoCanNavigation)) {
            // Whether records load without a key depends on it.
            reload = true;
        }
        // The layout pass at the end of the update follows a change of UseBookmarks.
    });
    if (reload && (LoadMode() != TqvDBLoadMode::Window || changed(edgoLoadAllRecords) || changed(edgoPartialLoad)))
        FullRefresh();
}

void TCustomqvDBTreeListControl::SetOptions(TqvDBGridOptions value)
{
    TqvDBGridOptionSets sets = SetsFromOptions(sets_, value, OptionsEx());
    SetOptionsView(sets.View);
    SetOptionsBehavior(sets.Behavior);
    SetOptionsCustomize(sets.Customize);
    SetOptionsDB(sets.DB);
}

void TCustomqvDBTreeListControl::SetOptionsEx(TqvDBGridOptionsEx value)
{
    TqvDBGridOptionSets sets = SetsFromOptions(sets_, Options(), value);
    SetOptionsView(sets.View);
    SetOptionsBehavior(sets.Behavior);
    SetOptionsCustomize(sets.Customize);
    SetOptionsDB(sets.DB);
}

// ---- Columns

void TCustomqvDBTreeListControl::CheckColumnsByHand() const
{
    if (defaultFields_ && !makingColumns_) throw EInvalidqvTreeListOperation(DBGridText::DefaultFields);
}

TqvTreeListColumn* TCustomqvDBTreeListControl::CreateColumnObject(TComponent* owner)
{
    CheckColumnsByHand();
    return new TqvDBTreeListColumn(owner);
}

void TCustomqvDBTreeListControl::bindColumns()
{
    TDataSet* ds = DataSet();
    // Fields made from a result go when the dataset closes: a column binds
    // them only while the link is active.
    bool fieldsUsable = ds && (IsActive() || !ds->DefaultFields());
    if (defaultFields_ && IsActive()) makeDefaultColumns();
    keyFieldObject_ = fieldsUsable && !keyField_.empty() ? ds->FindField(keyField_) : nullptr;
    for (int i = 0; i < ColumnCount(); ++i)
        if (auto* column = dynamic_cast<TqvDBTreeListColumn*>(Columns(i)))
            column->bind(fieldsUsable && !column->FieldName().empty() ? ds->FindField(column->FieldName()) : nullptr);
    link_->RebuildFieldMap();
    ColumnsBound();
}

void TCustomqvDBTreeListControl::makeDefaultColumns()
{
    TDataSet* ds = DataSet();
    makingColumns_ = true;
    try {
        BeginUpdate();
        DestroyColumns();
        for (TField* field : ds->Fields()) {
            if (!field->Visible()) continue;
            auto* column = static_cast<TqvDBTreeListColumn*>(CreateColumn());
            column->SetFieldName(field->FieldName());
        }
        EndUpdate();
    } catch (...) {
        makingColumns_ = false;
        EndUpdate();
        throw;
    }
    makingColumns_ = false;
}

void TCustomqvDBTreeListControl::ColumnFieldNameChanged(TqvDBTreeListColumn* column)
{
    TDataSet* ds = DataSet();
    bool fieldsUsable = ds && (IsActive() || !ds->DefaultFields());
    column->bind(fieldsUsable && !column->FieldName().empty() ? ds->FindField(column->FieldName()) : nullptr);
    link_->RebuildFieldMap();
    // A group column without a field cannot group, and the footers and group
    // summaries name their fields again at the next load.
    ColumnsBound();
    bool grouped = HasGroupColumns();
    if (!column->Field()) DropLostGroupColumns();
    if (grouped != HasGroupColumns())
        GroupingChanged();
    else
        update();
}

// ---- Nodes

TqvDBGridNode* TCustomqvDBTreeListControl::DBNode(TqvTreeListNode* node) const
{
    return node && node->Owner() == this ? static_cast<TqvDBGridNode*>(node) : nullptr;
}

TqvTreeListNode* TCustomqvDBTreeListControl::CreateNode()
{
    if (!pending_.set) return new TqvDBGridNode(this);
    TqvDBGridNode* node = nullptr;
    int slot = pending_.recordIndex - poolBase_;
    void* memory = slot >= 0 ? pool_->Take(static_cast<size_t>(slot)) : nullptr;
    node = memory ? new (memory) TqvDBGridNode(this) : new TqvDBGridNode(this);
    node->recordIndex_ = pending_.recordIndex;
    node->handle_ = pending_.handle;
    return node;
}

void TCustomqvDBTreeListControl::FreeNode(TqvTreeListNode* node)
{
    auto* dbNode = static_cast<TqvDBGridNode*>(node);
    if (dbNode == insertingNode_) insertingNode_ = nullptr;
    if (dbNode == deletingNode_) deletingNode_ = nullptr;
    editors_->NodeGone(node);
    selection_->NodeGone(node);
    if (!watched_.empty()) watched_.erase(std::remove(watched_.begin(), watched_.end(), node), watched_.end());
    NodeFreed(dbNode);
    // A node's record tells its slot while the load that made it stands; a
    // window that renumbered its nodes, or a new base, needs the search.
    size_t slot = pool_->Size();
    const int guess = dbNode->recordIndex_ - poolBase_;
    if (guess >= 0 && pool_->At(static_cast<size_t>(guess)) == dbNode) slot = static_cast<size_t>(guess);
    else if (!dbNode->IsGroupNode()) slot = pool_->SlotOf(dbNode);
    if (slot < pool_->Size()) {
        dbNode->~TqvDBGridNode();
        pool_->Release(slot);
        return;
    }
    delete dbNode;
}

TqvDBGridNode* TCustomqvDBTreeListControl::NodeOfRecordIndex(int recordIndex) const
{
    int slot = recordIndex - poolBase_;
    if (slot < 0) return nullptr;
    auto* node = static_cast<TqvDBGridNode*>(pool_->At(static_cast<size_t>(slot)));
    return node && node->recordIndex_ == recordIndex ? node : nullptr;
}

TqvDBGridNode* TCustomqvDBTreeListControl::makeRecordNode(TqvTreeListNode* parent, int recordIndex, int handle)
{
    pending_ = {true, recordIndex, handle};
    TqvTreeListNode* node = nullptr;
    try {
        node = parent ? AddChild(parent) : Add();
    } catch (...) {
        pending_.set = false;
        throw;
    }
    pending_.set = false;
    return static_cast<TqvDBGridNode*>(node);
}

void TCustomqvDBTreeListControl::clearNodes()
{
    ClearNodes();
    insertingNode_ = nullptr;
    if (pool_->Live() == 0) pool_->Reset();
    // Outside a load nothing may show totals of nodes that are gone.
    if (!IsLoadingRecords()) {
        ResetSummaries();
        loadedCount_ = 0;
    }
}

// ---- Reading records

bool TCustomqvDBTreeListControl::ReadNodeRecord(const TqvDBGridNode* node, const std::function<void()>& read) const
{
    TDataSet* ds = DataSet();
    if (!node || node->IsGroupNode() || !IsActive()) return false;
    int position = ds->PositionOfHandle(node->handle_);
    if (position < 0) return false;
    int saved = ds->ReadPosition();
    ds->SetReadPosition(position);
    try {
        read();
    } catch (...) {
        ds->SetReadPosition(saved);
        throw;
    }
    ds->SetReadPosition(saved);
    return true;
}

Variant TCustomqvDBTreeListControl::keyOf(const TqvDBGridNode* node) const
{
    Variant key = Variant::Null();
    if (!keyFieldObject_ || node == insertingNode_) return key;
    ReadNodeRecord(node, [&] { key = keyFieldObject_->Value(); });
    return key;
}

AnsiString TCustomqvDBTreeListControl::GetCellText(const TqvTreeListNode* node, const TqvTreeListColumn* column) const
{
    auto* dbColumn = dynamic_cast<const TqvDBTreeListColumn*>(column);
    auto* dbNode = const_cast<TCustomqvDBTreeListControl*>(this)->DBNode(const_cast<TqvTreeListNode*>(node));
    if (!dbColumn || !dbNode) return TCustomqvTreeListControl::GetCellText(node, column);
    if (dbNode->IsGroupNode()) {
        // A group row shows its value under the first shown column.
        return column == NavigationColumn(0) ? NodeGroupValue(dbNode).AsString() : AnsiString();
    }
    AnsiString text;
    ReadNodeRecord(dbNode, [&] { text = dbColumn->GetPaintText(dbNode); });
    return text;
}

// ---- Node values

TCustomqvDBTreeListControl* TqvDBGridNode::Grid() const { return static_cast<TCustomqvDBTreeListControl*>(Owner()); }

Variant TqvDBGridNode::Id() const { return IsGroupNode() ? Variant::Null() : Grid()->keyOf(this); }

Variant TqvDBGridNode::GroupValue() const { return IsGroupNode() ? Grid()->NodeGroupValue(this) : Variant::Null(); }

AnsiString TqvDBGridNode::Bookmark() const
{
    TCustomqvDBTreeListControl* grid = Grid();
    TDataSet* ds = grid->DataSet();
    if (IsGroupNode() || !grid->IsActive()) return {};
    if (!grid->UseBookmarks() && grid->LoadMode() != TqvDBLoadMode::Window) return {};
    return ds->BookmarkOfHandle(handle_);
}

AnsiString TqvDBGridNode::PreviewText() const { return Grid()->NodePreviewText(this); }

TNodeVariantData TqvDBGridNode::Values(int column) const
{
    TNodeVariantData data;
    auto* dbColumn = dynamic_cast<TqvDBTreeListColumn*>(Grid()->Columns(column));
    if (dbColumn) Grid()->ReadNodeRecord(this, [&] { data = dbColumn->GetNodeValues(); });
    return data;
}
