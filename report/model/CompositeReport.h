#pragma once
// A report made of other reports: one build places the pages of each report
// of Reports, in order, into one set of prepared pages.

#include "report/model/Report.h"

#include <vector>

class TrqCompositeReport : public TrqReport {
public:
    using TrqReport::TrqReport;
    const char* ClassName() const override { return "TrqCompositeReport"; }

    // The reports, in build order; not owned. A report that goes away leaves the list.
    const std::vector<TrqReport*>& Reports() const { return reports_; }
    void AddReport(TrqReport* report);
    void RemoveReport(TrqReport* report);
    void ClearReports();

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::vector<TrqReport*> reports_;
};
