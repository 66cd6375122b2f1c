#include "grid/db/DBGridDataLink.h"

#include "grid/db/DBTreeListControl.h"
#include "runtime/db/DataSet.h"

int TqvDBTreeListControlDataLink::FieldIndex(int column) const
{
    if (column < 0 || column >= static_cast<int>(fieldMap_.size())) return -1;
    return fieldMap_[static_cast<size_t>(column)];
}

void TqvDBTreeListControlDataLink::RebuildFieldMap()
{
    fieldMap_.clear();
    for (int i = 0; i < grid_->ColumnCount(); ++i) {
        auto* column = dynamic_cast<TqvDBTreeListColumn*>(grid_->Columns(i));
        TField* field = column ? column->Field() : nullptr;
        fieldMap_.push_back(field ? field->Index() : -1);
    }
}

void TqvDBTreeListControlDataLink::ActiveChanged() { grid_->LinkActiveChanged(); }

void TqvDBTreeListControlDataLink::EditingChanged() { grid_->update(); }

void TqvDBTreeListControlDataLink::DataSetChanged() { grid_->LinkDataSetChanged(); }

void TqvDBTreeListControlDataLink::DataSetScrolled(int distance) { grid_->LinkDataSetScrolled(distance); }

void TqvDBTreeListControlDataLink::RecordChanged(TField* field) { grid_->LinkRecordChanged(field); }

void TqvDBTreeListControlDataLink::UpdateData() { grid_->LinkUpdateData(); }

void TqvDBTreeListControlDataLink::LayoutChanged() { grid_->LinkLayoutChanged(); }

void TqvDBTreeListControlDataLink::FocusControl(TField** field) { grid_->LinkFocusControl(field); }
