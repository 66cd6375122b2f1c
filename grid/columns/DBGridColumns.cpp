#include "grid/columns/DBGridColumns.h"

#include "grid/treelist/TreeListControl.h"

void TqvDBGridColumnProperties::SetGroupIndex(int value)
{
    if (value < -1) value = -1;
    if (value == groupIndex_) return;
    groupIndex_ = value;
    if (TqvFieldColumnHost* grid = Self().FieldHost()) grid->GroupingChanged();
}

void TqvDBGridColumnProperties::SetSummaryGroupName(const AnsiString& value)
{
    if (value == summaryGroupName_) return;
    summaryGroupName_ = value;
    if (Self().FieldHost()) Self().TreeList()->update();
}
