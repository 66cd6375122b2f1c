#include "gridprint/GridRows.h"

#include "grid/db/DBGrid.h"
#include "runtime/db/DataSet.h"

#include <QScopeGuard>

TqvGridRows::TqvGridRows(TCustomqvDBGrid& grid, TComponent* owner) : TrqDataset(owner), grid_(grid) {}

void TqvGridRows::Open()
{
    // Decided once per build: a grid that changes its mode meanwhile reloads
    // its nodes, and the walk ends early or reads empty cells, nothing worse.
    byNodes_ = !grid_.IsActive() || grid_.LoadMode() == TqvDBLoadMode::LoadAll;
}

TDataSet* TqvGridRows::records() const { return !byNodes_ && grid_.IsActive() ? grid_.DataSet() : nullptr; }

int TqvGridRows::shownRecordFrom(int position) const
{
    TDataSet* ds = records();
    if (!ds || !grid_.Filter().InForce()) return position;
    const int saved = ds->ReadPosition();
    auto restore = qScopeGuard([&] { ds->SetReadPosition(saved); });
    for (; ds->AvailableFrom(position, 1) > 0; ++position) {
        ds->SetReadPosition(position);
        if (grid_.Filter().RecordPasses()) break;
    }
    return position;
}

void TqvGridRows::First()
{
    TrqDataset::First();
    position_ = shownRecordFrom(0);
}

void TqvGridRows::Next()
{
    TrqDataset::Next();
    position_ = shownRecordFrom(position_ + 1);
}

bool TqvGridRows::Eof()
{
    if (byNodes_) {
        if (RecNo() >= grid_.AbsoluteCount()) return true;
    } else {
        TDataSet* ds = records();
        if (!ds || ds->AvailableFrom(position_, 1) == 0) return true;
    }
    return TrqDataset::Eof();
}

TqvTreeListNode* TqvGridRows::node() const
{
    return RecNo() < grid_.AbsoluteCount() ? grid_.GetNodeAtAbsoluteIndex(RecNo()) : nullptr;
}

AnsiString TqvGridRows::CellText(TqvTreeListColumn* column) const
{
    if (byNodes_) {
        TqvTreeListNode* shown = node();
        if (!shown) return {};
        AnsiString text = grid_.GetCellText(shown, column);
        auto* dbNode = grid_.DBNode(shown);
        if (dbNode && dbNode->IsGroupNode() && column == grid_.NavigationColumn(0)) {
            const AnsiString summaries = grid_.GroupSummaryText(shown);
            if (!summaries.empty()) text += (text.empty() ? "" : " ") + summaries;
        }
        return text;
    }
    TDataSet* ds = records();
    auto* dbColumn = dynamic_cast<TqvDBTreeListColumn*>(column);
    if (!ds || !dbColumn || ds->AvailableFrom(position_, 1) == 0) return {};
    const int saved = ds->ReadPosition();
    auto restore = qScopeGuard([&] { ds->SetReadPosition(saved); });
    ds->SetReadPosition(position_);
    return dbColumn->GetPaintText(nullptr);
}
