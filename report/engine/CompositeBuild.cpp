// A composite report's build: each report of Reports, in order, walks its
// pages into the composite's one set of prepared pages, once (or once per
// record of the composite's Dataset). Page numbers, TOTALPAGES, the passes,
// Terminated and errors run on across the reports as in one report: every
// part gets the run state before its build and hands it back afterwards.
//
// A report built once per record is saved before each of its builds and
// reloaded after it, so every record starts from the same template; its bands
// go with the reload and the next build lays them out again. A report built
// once keeps its bands from the first pass to the second, as a plain report
// does.
#include "report/engine/ReportBuilder.h"

#include "report/data/ReportDataset.h"
#include "report/engine/BuildContext.h"
#include "report/language/Globals.h"
#include "report/model/CompositeReport.h"
#include "report/pages/EMFPages.h"
#include "runtime/Exceptions.h"

#include <QScopeGuard>

#include <algorithm>

namespace {
// The last report page of a template: the one its last prepared page comes from.
const TrqPage* lastReportPage(const TrqReport& report)
{
    for (int i = report.Pages().Count() - 1; i >= 0; --i)
        if (report.Pages()[i]->Type == ptReport) return report.Pages()[i];
    return nullptr;
}

bool samePaper(const TrqPage& a, const TrqPage& b)
{
    if (a.Orientation != b.Orientation || a.Size != b.Size) return false;
    return a.Size != 256 || (a.PaperWidth == b.PaperWidth && a.PaperHeight == b.PaperHeight);
}

// The next report goes on below the current one's last band when its first
// page asks to and the paper is the same: a different paper needs a page of
// its own.
bool continuesOn(const TrqReport& next, const TrqReport& current)
{
    if (next.Pages().Count() == 0 || !next.Pages()[0]->PrintToPrevPage) return false;
    const TrqPage* last = lastReportPage(current);
    return last && samePaper(*next.Pages()[0], *last);
}

void collectReports(TrqReport& report, std::vector<TrqReport*>& out)
{
    auto* composite = dynamic_cast<TrqCompositeReport*>(&report);
    if (!composite) return;
    for (TrqReport* r : composite->Reports()) {
        if (std::find(out.begin(), out.end(), r) != out.end()) continue;
        out.push_back(r);
        collectReports(*r, out);
    }
}
}  // namespace

TrqEMFPages& TrqReportBuilder::preparedPages() const { return master_->EMFPages(); }

std::vector<TrqReport*> TrqReportBuilder::templateReports()
{
    if (!dynamic_cast<TrqCompositeReport*>(&report_)) return {&report_};
    std::vector<TrqReport*> reports{&report_};
    collectReports(report_, reports);
    reports.erase(reports.begin());  // the composite's own pages are never walked
    return reports;
}

void TrqReportBuilder::copyRunState(TrqReportBuilder& to, const TrqReportBuilder& from)
{
    to.startDate_ = from.startDate_;
    to.startTime_ = from.startTime_;
    to.curPageIndex_ = from.curPageIndex_;
    to.totalPages_ = from.totalPages_;
    to.rememberedTwoPass_ = from.rememberedTwoPass_;
    to.twoPassFlag_ = from.twoPassFlag_;
    to.secondPass_ = from.secondPass_;
    to.drawingDisabled_ = from.drawingDisabled_;
    to.appendPage_ = from.appendPage_;
    to.prevY_ = from.prevY_;
    to.prevBottom_ = from.prevBottom_;
    to.pageFooterDone_ = from.pageFooterDone_;
    to.dialogCancelled_ = from.dialogCancelled_;
    to.stoppedByScript_ = from.stoppedByScript_;
    to.errorFlag_ = from.errorFlag_;
    to.errorText_ = from.errorText_;
    to.progress_ = from.progress_;
    to.firstUnpacked_ = from.firstUnpacked_;
}

void TrqReportBuilder::buildComposite(TrqCompositeReport& composite)
{
    const std::vector<TrqReport*> reports = composite.Reports();
    for (TrqReport* r : reports)
        if (r == &report_ || std::find(lineage_.begin(), lineage_.end(), r) != lineage_.end())
            throw Exception("Report " + composite.Name() + " contains itself (" + r->Name() + ")");

    TrqDataset* dataset = composite.Dataset();
    auto closeDataset = qScopeGuard([&] {
        if (dataset) guarded([&] { dataset->Close(); });
    });
    if (dataset) {
        dataset->Open();
        dataset->First();
    }
    // A report listed twice is rebuilt each time: two builds cannot share its views' bands.
    auto rebuiltEachTime = [&](const TrqReport* r) {
        return dataset || std::count(reports.begin(), reports.end(), r) > 1;
    };
    parts_.resize(reports.size());

    for (bool once = true; !report_.Terminated && !dialogCancelled_ && (dataset ? !dataset->Eof() : once);
         once = false) {
        for (size_t i = 0; i < reports.size() && !report_.Terminated && !dialogCancelled_; ++i) {
            TrqReport& r = *reports[i];
            const bool nextAppends = i + 1 < reports.size() && continuesOn(*reports[i + 1], r);
            if (!rebuiltEachTime(&r)) {
                const bool fresh = !parts_[i];
                if (fresh) parts_[i] = std::unique_ptr<TrqReportBuilder>(new TrqReportBuilder(r, *this));
                buildPart(*parts_[i], fresh, nextAppends);
                continue;
            }
            TMemoryStream saved;
            r.SaveToStream(saved);
            auto reload = qScopeGuard([&] {
                r.SetCurrentPage(nullptr);
                r.SetCurrentView(nullptr);
                saved.SetPosition(0);
                guarded([&] { r.LoadFromStream(saved); });
            });
            // The part and its bands go before the views they were made from.
            TrqReportBuilder part(r, *this);
            buildPart(part, true, nextAppends);
        }
        if (dataset && !report_.Terminated) dataset->Next();
    }
}

void TrqReportBuilder::buildPart(TrqReportBuilder& part, bool fresh, bool nextAppends)
{
    TrqReport& r = part.report_;
    copyRunState(part, *this);
    part.nextReportAppends_ = nextAppends;
    r.Terminated = false;
    r.FinalPass = report_.FinalPass;
    auto handBack = qScopeGuard([&] {
        r.SetCurrentPage(nullptr);
        r.SetCurrentView(nullptr);
        copyRunState(*this, part);
        if (r.Terminated) report_.Terminated = true;
        SetReportContext(context_.get());
    });
    if (fresh) {
        SetReportContext(part.context_.get());
        part.guarded([&] { part.placeAlignedViews(); });
        if (part.errorFlag_) return;
    }
    part.build();
}
