#pragma once
// A report made of other reports: one build places the pages of each report
// of Reports, in order, into one set of prepared pages (report/engine/
// CompositeBuild.cpp), once or once per record of its Dataset. Its own pages
// are never walked; its TwoPass, progress and prepared pages serve the whole.
//
// Rules that are easy to break:
// - The reports are not owned; each keeps its own template, which the build
//   saves and reloads, so scripts never change it.
// - A composite may list another composite, but never one that lists it back:
//   such a build fails with an error.

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
