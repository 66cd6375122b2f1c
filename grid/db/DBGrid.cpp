// The grid's additions to the dataset-bound tree list: grouping, group-row
// summaries, sorting, the filter, preview lines, and the footer row.
#include "grid/db/DBGrid.h"

#include "grid/db/DBGridFiltering.h"
#include "grid/db/GridLayoutStore.h"
#include "runtime/Keys.h"
#include "runtime/db/DataSet.h"

#include <QPainter>

#include <algorithm>

TCustomqvDBGrid::TCustomqvDBGrid(TComponent* owner, QWidget* parent)
    : TCustomqvDBTreeListControl(owner, parent), filtering_(std::make_unique<TqvGridFiltering>(*this)),
      layoutStore_(std::make_unique<TqvGridLayoutStore>(*this))
{
}

TCustomqvDBGrid::~TCustomqvDBGrid()
{
    // The layout is taken while the columns are all still here.
    layoutStore_->GoingAway();
    SetDestroying();
    // The nodes go while the group data they point into is still here.
    ClearNodes();
}

TqvTreeListColumn* TCustomqvDBGrid::CreateColumnObject(TComponent* owner)
{
    CheckColumnsByHand();
    return new TqvDBGridColumn(owner);
}

TqvDBGridColumn* TCustomqvDBGrid::ColumnByFieldName(std::string_view fieldName) const
{
    for (int i = 0; i < ColumnCount(); ++i)
        if (auto* column = dynamic_cast<TqvDBGridColumn*>(Columns(i)); column && SameText(column->FieldName(), fieldName))
            return column;
    return nullptr;
}

// ---- Footer row

void TCustomqvDBGrid::SetShowSummaryFooter(bool value)
{
    if (value == showSummaryFooter_) return;
    BeginUpdate();
    showSummaryFooter_ = value;
    EndUpdate();
}

void TCustomqvDBGrid::SetSummarySeparator(const AnsiString& value)
{
    if (value == summarySeparator_) return;
    summarySeparator_ = value;
    update();
}

int TCustomqvDBGrid::FooterHeight() const
{
    if (!showSummaryFooter_) return 0;
    return (CellTextHeight() + 7) * HeaderPanelRowCount() + 3 + (IsFlat() ? 0 : 1);
}

// The footer zone, and under it a strip of the status height.
int TCustomqvDBGrid::DataBottom() const { return std::max(DataTop(), ClientHeight() - FooterHeight() - StatusHeight()); }

void TCustomqvDBGrid::PaintBelowRows(QPainter& canvas, const QRect& updateRect)
{
    const QPalette& pal = palette();
    if (int status = StatusHeight()) {
        // The filter status strip under the headers, and its twin at the bottom.
        QColor grey = LookAndFeel() == lfUltraFlat ? QColor(160, 160, 160) : ToQColor(clBtnShadow, &pal);
        canvas.fillRect(QRect(0, DataTop() - status, ClientWidth(), status), grey);
        canvas.fillRect(QRect(0, ClientHeight() - status, ClientWidth(), status), grey);
        filtering_->PaintStrip(canvas, statusStrip());
    }
    int height = FooterHeight();
    if (!height) return;
    QRect zone(0, DataBottom(), ClientWidth(), height);
    if (!zone.intersects(updateRect)) return;
    canvas.fillRect(zone, ToQColor(clBtnFace, &pal));
    bool done = false;
    if (OnCustomDrawFooter) OnCustomDrawFooter(this, &canvas, zone, done);
    if (done) return;
    int line = CellTextHeight() + 7;
    for (const ColumnPlace& p : PlaceColumns()) {
        auto* column = dynamic_cast<TqvDBTreeListColumn*>(p.column);
        if (!column) continue;
        bool exist = true;
        if (OnIsExistFooterCell) OnIsExistFooterCell(this, nullptr, column, exist);
        if (!exist) continue;
        QRect cell(p.left, zone.top() + 2 + p.row * line, p.width, line);
        AnsiString text = column->SummaryFooterText();
        TAlignment alignment = column->Alignment();
        TFont font;
        font.Assign(column->Font());
        TColor color = clBtnFace;
        bool cellDone = false;
        if (column->OnDrawSummaryFooter)
            column->OnDrawSummaryFooter(column, &canvas, cell, text, alignment, font, color, cellDone);
        if (cellDone) continue;
        QRect inner = cell.adjusted(1, 0, -1, -1);
        canvas.fillRect(inner, ToQColor(color, &pal));
        canvas.setPen(ToQColor(clBtnShadow, &pal));
        canvas.drawRect(inner.adjusted(0, 0, -1, -1));
        canvas.setFont(font.ToQFont());
        canvas.setPen(ToQColor(font.Color(), &pal));
        Qt::Alignment align = alignment == taRightJustify ? Qt::AlignRight
                              : alignment == taCenter     ? Qt::AlignHCenter
                                                          : Qt::AlignLeft;
        CellTexts().Draw(canvas, inner.adjusted(2, 0, -2, 0), static_cast<int>(align | Qt::AlignVCenter),
                         AnsiToQString(text));
    }
}

QRect TCustomqvDBGrid::statusStrip() const
{
    int status = StatusHeight();
    return {0, DataTop() - status, ClientWidth(), status};
}

// ---- Filter: the helper does the work (DBGridFiltering.h)

void TCustomqvDBGrid::ApplyFilter() { filtering_->Apply(); }

void TCustomqvDBGrid::ClearFilter()
{
    filtering_->Change([](TqvDBGridFilter& filter) { filter.Clear(); });
}

void TCustomqvDBGrid::DropDownFilter(TqvDBTreeListColumn* column) { filtering_->DropDown(column); }

TqvFilterDropDown* TCustomqvDBGrid::FilterDropDown() const { return filtering_->DropDownWindow(); }

void TCustomqvDBGrid::ShowCustomFilter(TqvDBTreeListColumn* column) { filtering_->Custom(column); }

TCustomqvTreeListControl::TqvHeaderButton TCustomqvDBGrid::HeaderButtonOf(const TqvTreeListColumn* column) const
{
    return filtering_->ButtonOf(column);
}

void TCustomqvDBGrid::HeaderButtonClicked(TqvTreeListColumn* column, const QRect&)
{
    if (auto* dbColumn = dynamic_cast<TqvDBTreeListColumn*>(column)) filtering_->DropDown(dbColumn);
}

void TCustomqvDBGrid::MouseDown(Qt::MouseButton button, TShiftState shift, int x, int y)
{
    if (button == Qt::LeftButton && filter_.InForce() && StatusHeight() > 0 &&
        TqvGridFiltering::ClearButtonRect(statusStrip()).contains(x, y)) {
        ClearFilter();
        return;
    }
    TCustomqvDBTreeListControl::MouseDown(button, shift, x, y);
}

void TCustomqvDBGrid::MouseMove(TShiftState shift, int x, int y)
{
    // The filter button shows on the header under the mouse.
    TqvTreeListColumn* hot = nullptr;
    if (filtering_->Offered() && y >= BandZoneHeight() && y < BandZoneHeight() + HeaderZoneHeight()) {
        Layout layout = ComputeLayout();
        if (const ColumnPlace* p = HeaderColumnAt(layout, x, y)) hot = p->column;
    }
    filtering_->SetHotColumn(hot);
    TCustomqvDBTreeListControl::MouseMove(shift, x, y);
}

void TCustomqvDBGrid::leaveEvent(QEvent* event)
{
    filtering_->SetHotColumn(nullptr);
    TCustomqvDBTreeListControl::leaveEvent(event);
}

void TCustomqvDBGrid::HandleDataKeys(Word& key, TShiftState shift)
{
    // F4 outside the editor opens the focused column's filter list (inside
    // it F4 belongs to the editor's own drop-down).
    if (key == VK_F4 && !(shift & (ssShift | ssCtrl | ssAlt)) && State() != tsEditing) {
        if (auto* column = dynamic_cast<TqvDBTreeListColumn*>(NavigationColumn(FocusedColumn()));
            column && filtering_->CanFilter(column)) {
            key = 0;
            filtering_->DropDown(column);
            return;
        }
    }
    TCustomqvDBTreeListControl::HandleDataKeys(key, shift);
}

void TCustomqvDBGrid::LinkActiveChanged()
{
    // The stored layout comes back before the first load, which then sorts
    // and filters as the user left it.
    if (IsActive() && !Destroying()) layoutStore_->Bound();
    TCustomqvDBTreeListControl::LinkActiveChanged();
}

void TCustomqvDBGrid::ColumnRemoving(TqvTreeListColumn* column)
{
    layoutStore_->ColumnLeaving();
    if (auto* dbColumn = dynamic_cast<TqvDBTreeListColumn*>(column)) filter_.RemoveColumnFilter(dbColumn);
    sortOrder_.erase(std::remove(sortOrder_.begin(), sortOrder_.end(), column), sortOrder_.end());
    filtering_->ColumnRemoving(column);
}

// ---- Layout kept across runs (GridLayoutStore.h)

const AnsiString& TCustomqvDBGrid::LayoutKey() const { return layoutStore_->Key(); }
void TCustomqvDBGrid::SetLayoutKey(const AnsiString& key) { layoutStore_->SetKey(key); }
const AnsiString& TCustomqvDBGrid::LayoutIniFileName() const { return layoutStore_->IniFileName(); }
void TCustomqvDBGrid::SetLayoutIniFileName(const AnsiString& name) { layoutStore_->SetIniFileName(name); }
bool TCustomqvDBGrid::SaveLayout() { return layoutStore_->Save(); }
bool TCustomqvDBGrid::RestoreLayout() { return layoutStore_->Restore(); }

// ---- Grouping

std::vector<TqvDBTreeListColumn*> TCustomqvDBGrid::GroupColumns() const
{
    std::vector<std::pair<int, TqvDBTreeListColumn*>> list;
    for (int i = 0; i < ColumnCount(); ++i) {
        TqvDBGridColumnProperties* props = GridPropertiesOf(Columns(i));
        if (props && props->GroupIndex() >= 0)
            list.push_back({props->GroupIndex(), static_cast<TqvDBTreeListColumn*>(Columns(i))});
    }
    std::stable_sort(list.begin(), list.end(), [](auto& a, auto& b) { return a.first < b.first; });
    std::vector<TqvDBTreeListColumn*> columns;
    for (auto& [index, column] : list) columns.push_back(column);
    return columns;
}

bool TCustomqvDBGrid::HasGroupColumns() const
{
    for (int i = 0; i < ColumnCount(); ++i)
        if (TqvDBGridColumnProperties* props = GridPropertiesOf(Columns(i)); props && props->GroupIndex() >= 0)
            return true;
    return false;
}

void TCustomqvDBGrid::DropLostGroupColumns()
{
    groupColumns_.clear();
    for (TqvDBTreeListColumn* column : GroupColumns()) {
        if (column->Field())
            groupColumns_.push_back(column);
        else
            GridPropertiesOf(column)->groupIndex_ = -1;  // quietly: a load is running
    }
}

TqvTreeListNode* TCustomqvDBGrid::GroupParentOfRecord()
{
    TqvTreeListNode* parent = nullptr;
    for (size_t level = 0; level < groupColumns_.size(); ++level) {
        Variant value = groupColumns_[level]->Field()->Value();
        int count = parent ? parent->Count() : Count();
        auto child = [&](int i) { return parent ? parent->Items(i) : Items(i); };
        // Group nodes of a level stand in the order of their values.
        int lo = 0, hi = count;
        while (lo < hi) {
            int mid = (lo + hi) / 2;
            if (groups_.at(child(mid)).value < value)
                lo = mid + 1;
            else
                hi = mid;
        }
        if (lo < count && groups_.at(child(lo)).value == value) {
            parent = child(lo);
            continue;
        }
        TqvTreeListNode* node = lo < count ? Insert(child(lo)) : parent ? AddChild(parent) : Add();
        Group& group = groups_[node];
        group.value = value;
        group.level = static_cast<int>(level);
        for (const ColumnSummary& s : columnSummaries_) group.columns.push_back(s.slot);
        group.summaryGroup = summaryGroupOf(static_cast<int>(level));
        if (group.summaryGroup)
            for (int i = 0; i < group.summaryGroup->ItemCount(); ++i)
                group.items.push_back(group.summaryGroup->Items(i)->slot_);
        parent = node;
    }
    return parent;
}

TqvDBGridSummaryGroup* TCustomqvDBGrid::summaryGroupOf(int level) const
{
    if (level < 0 || level >= static_cast<int>(groupColumns_.size())) return nullptr;
    TqvDBGridColumnProperties* props = GridPropertiesOf(groupColumns_[static_cast<size_t>(level)]);
    if (props && !props->SummaryGroupName().empty())
        if (TqvDBGridSummaryGroup* group = summaryGroups_.Find(props->SummaryGroupName())) return group;
    return summaryGroups_.DefaultGroup();
}

const TCustomqvDBGrid::Group* TCustomqvDBGrid::groupOf(TqvTreeListNode* node) const
{
    auto it = groups_.find(node);
    return it == groups_.end() ? nullptr : &it->second;
}

Variant TCustomqvDBGrid::NodeGroupValue(const TqvDBGridNode* node) const
{
    auto it = groups_.find(node);
    return it == groups_.end() ? Variant::Null() : it->second.value;
}

namespace {
// The group values from the top level down to `node`.
template <class ValueOf>
std::vector<Variant> groupPath(TqvTreeListNode* node, ValueOf valueOf)
{
    std::vector<Variant> path;
    for (TqvTreeListNode* n = node; n; n = n->Parent()) path.insert(path.begin(), valueOf(n));
    return path;
}
}  // namespace

void TCustomqvDBGrid::BeforeFullReload()
{
    expandedGroups_.clear();
    for (auto& [node, group] : groups_)
        if (node->Expanded())
            expandedGroups_.push_back(groupPath(const_cast<TqvTreeListNode*>(node),
                                                [&](TqvTreeListNode* n) { return NodeGroupValue(DBNode(n)); }));
}

void TCustomqvDBGrid::AfterFullReload()
{
    if (expandedGroups_.empty()) return;
    std::vector<TqvTreeListNode*> expand;
    for (auto& [node, group] : groups_) {
        auto path = groupPath(const_cast<TqvTreeListNode*>(node),
                              [&](TqvTreeListNode* n) { return NodeGroupValue(DBNode(n)); });
        if (std::find(expandedGroups_.begin(), expandedGroups_.end(), path) != expandedGroups_.end())
            expand.push_back(const_cast<TqvTreeListNode*>(node));
    }
    expandedGroups_.clear();
    // Parents first, so that every group shown stays shown.
    std::sort(expand.begin(), expand.end(), [](auto* a, auto* b) { return a->Level() < b->Level(); });
    for (TqvTreeListNode* node : expand) ExpandNode(node);
}

void TCustomqvDBGrid::FillNewRecordFromGroups(TqvTreeListNode* parent)
{
    for (TqvTreeListNode* n = parent; n; n = n->Parent()) {
        const Group* group = groupOf(n);
        if (!group || group->level >= static_cast<int>(groupColumns_.size())) continue;
        if (TField* field = groupColumns_[static_cast<size_t>(group->level)]->Field()) field->SetValue(group->value);
    }
}

void TCustomqvDBGrid::NodeFreed(TqvDBGridNode* node)
{
    if (node->IsGroupNode()) groups_.erase(node);
}

// ---- Summaries of group rows

void TCustomqvDBGrid::PrepareSummaries()
{
    TDataSet* ds = DataSet();
    columnSummaries_.clear();
    for (int i = 0; i < ColumnCount(); ++i) {
        TqvDBGridColumnProperties* props = GridPropertiesOf(Columns(i));
        if (!props || props->SummaryType() == cstNone) continue;
        auto* column = static_cast<TqvDBTreeListColumn*>(Columns(i));
        ColumnSummary summary{column, props, {}};
        summary.slot.Prepare(props->SummaryType(), FindSummaryField(ds, column->SummarySourceField(props->SummaryField())),
                             &props->OnSummary, column);
        columnSummaries_.push_back(std::move(summary));
    }
    for (int g = 0; g < summaryGroups_.Count(); ++g) {
        TqvDBGridSummaryGroup* group = summaryGroups_.Items(g);
        for (int i = 0; i < group->ItemCount(); ++i) {
            TqvDBGridSummaryItem* item = group->Items(i);
            // An item without a field of its own sums the field of the column it names.
            TField* field = nullptr;
            if (ds && !item->SummaryField().empty()) {
                field = ds->FindField(item->SummaryField());
            } else if (ds) {
                for (int c = 0; c < ColumnCount(); ++c)
                    if (auto* column = dynamic_cast<TqvDBTreeListColumn*>(Columns(c));
                        column && SameText(column->Name(), item->ColumnName()))
                        field = column->Field();
            }
            item->slot_.Prepare(item->SummaryType(), field, &item->OnSummary);
        }
    }
    TCustomqvDBTreeListControl::PrepareSummaries();
}

void TCustomqvDBGrid::AddRecordToSummaries(TqvDBGridNode* node)
{
    TCustomqvDBTreeListControl::AddRecordToSummaries(node);
    if (groups_.empty()) return;
    TDataSet* ds = DataSet();
    for (TqvTreeListNode* parent = node->Parent(); parent; parent = parent->Parent()) {
        auto it = groups_.find(parent);
        if (it == groups_.end()) continue;
        Group& group = it->second;
        ++group.count;
        for (TqvSummarySlot& slot : group.columns) slot.Add(ds);
        for (TqvSummarySlot& slot : group.items) slot.Add(ds);
    }
}

void TCustomqvDBGrid::FinishSummaries(int count)
{
    for (auto& [node, group] : groups_) {
        for (TqvSummarySlot& slot : group.columns) slot.Finish(group.count);
        for (TqvSummarySlot& slot : group.items) slot.Finish(group.count);
    }
    TCustomqvDBTreeListControl::FinishSummaries(count);
}

void TCustomqvDBGrid::ResetSummaries()
{
    for (auto& [node, group] : groups_) {
        group.count = 0;
        for (TqvSummarySlot& slot : group.columns) slot.Reset();
        for (TqvSummarySlot& slot : group.items) slot.Reset();
    }
    TCustomqvDBTreeListControl::ResetSummaries();
}

long double TCustomqvDBGrid::GroupColumnSummary(TqvTreeListNode* groupNode, const TqvDBTreeListColumn* column) const
{
    const Group* group = groupOf(groupNode);
    if (!group) return 0;
    for (size_t i = 0; i < columnSummaries_.size() && i < group->columns.size(); ++i)
        if (columnSummaries_[i].column == column) return group->columns[i].Value();
    return 0;
}

long double TCustomqvDBGrid::GroupItemSummary(TqvTreeListNode* groupNode, int item) const
{
    const Group* group = groupOf(groupNode);
    if (!group || item < 0 || item >= static_cast<int>(group->items.size())) return 0;
    return group->items[static_cast<size_t>(item)].Value();
}

int TCustomqvDBGrid::GroupRecordCount(TqvTreeListNode* groupNode) const
{
    const Group* group = groupOf(groupNode);
    return group ? group->count : 0;
}

AnsiString TCustomqvDBGrid::GroupSummaryText(TqvTreeListNode* groupNode) const
{
    const Group* group = groupOf(groupNode);
    if (!group) return {};
    std::vector<AnsiString> parts;
    for (size_t i = 0; i < columnSummaries_.size() && i < group->columns.size(); ++i) {
        const ColumnSummary& s = columnSummaries_[i];
        parts.push_back(SummaryText(s.props->SummaryType(), s.props->SummaryFormat(), group->columns[i].Value(),
                                    SummaryFieldKind::Other, true));
    }
    if (group->summaryGroup)
        for (int i = 0; i < group->summaryGroup->ItemCount(); ++i) {
            TqvDBGridSummaryItem* item = group->summaryGroup->Items(i);
            parts.push_back(SummaryText(item->SummaryType(), item->SummaryFormat(),
                                        group->items[static_cast<size_t>(i)].Value(), SummaryFieldKind::Other, true));
        }
    AnsiString text = group->summaryGroup ? group->summaryGroup->BeginSummaryText() : AnsiString();
    for (size_t i = 0; i < parts.size(); ++i) text += (i ? summarySeparator_ : AnsiString()) + parts[i];
    if (group->summaryGroup) text += group->summaryGroup->EndSummaryText();
    return text;
}

// ---- Preview

void TCustomqvDBGrid::SetPreviewFieldName(const AnsiString& value)
{
    if (value == previewFieldName_) return;
    previewFieldName_ = value;
    update();
}

void TCustomqvDBGrid::SetPreviewMaxLength(int value)
{
    if (value == previewMaxLength_) return;
    previewMaxLength_ = value;
    update();
}

AnsiString TCustomqvDBGrid::NodePreviewText(const TqvDBGridNode* node) const
{
    TDataSet* ds = DataSet();
    TField* field = ds && !previewFieldName_.empty() ? ds->FindField(previewFieldName_) : nullptr;
    if (!field) return {};
    AnsiString text;
    ReadNodeRecord(node, [&] { text = field->AsString(); });
    if (previewMaxLength_ > 0 && static_cast<int>(text.size()) > previewMaxLength_) text.resize(static_cast<size_t>(previewMaxLength_));
    return text;
}

TqvEditStyleData TCustomqvDBGrid::EditStyleFallback() const
{
    TqvEditStyleData v = TCustomqvDBTreeListControl::EditStyleFallback();
    v.ButtonStyle = LookAndFeel() == lfFlat ? btsFlat : LookAndFeel() == lfUltraFlat ? btsHotFlat : bts3D;
    return v;
}
