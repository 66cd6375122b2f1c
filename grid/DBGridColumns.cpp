#include "grid/DBGridColumns.h"

#include "grid/DBTreeListControl.h"

void TqvDBGridColumnProperties::SetGroupIndex(int value)
{
    if (value < -1) value = -1;
    if (value == groupIndex_) return;
    groupIndex_ = value;
    if (TCustomqvDBTreeListControl* grid = Self().DBTreeList()) grid->GroupingChanged();
}

void TqvDBGridColumnProperties::SetSummaryGroupName(const AnsiString& value)
{
    if (value == summaryGroupName_) return;
    summaryGroupName_ = value;
    if (TCustomqvDBTreeListControl* grid = Self().DBTreeList()) grid->update();
}
