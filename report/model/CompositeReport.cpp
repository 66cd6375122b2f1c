#include "report/model/CompositeReport.h"

#include <algorithm>

void TrqCompositeReport::AddReport(TrqReport* report)
{
    if (!report || report == this) return;
    reports_.push_back(report);
    report->FreeNotification(this);
}

void TrqCompositeReport::RemoveReport(TrqReport* report)
{
    reports_.erase(std::remove(reports_.begin(), reports_.end(), report), reports_.end());
}

void TrqCompositeReport::ClearReports() { reports_.clear(); }

void TrqCompositeReport::Notification(TComponent* component, TOperation operation)
{
    TrqReport::Notification(component, operation);
    if (operation == opRemove)
        reports_.erase(std::remove(reports_.begin(), reports_.end(), component), reports_.end());
}
