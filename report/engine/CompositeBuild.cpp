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
#include "report/engine/CompositeBuild.h"

#include "report/data/ReportDataset.h"
#include "report/engine/BuildContext.h"
#include "report/engine/ReportBuilder.h"
#include "report/language/Globals.h"
#include "report/model/CompositeReport.h"
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

TrqCompositeParts::TrqCompositeParts(TrqReportBuilder& builder) : builder_(builder) {}

TrqCompositeParts::TrqCompositeParts(TrqReportBuilder& builder, const TrqCompositeParts& outer,
                                     const TrqReport& parent)
    : builder_(builder), lineage_(outer.lineage_)
{
    lineage_.push_back(&parent);
}

TrqCompositeParts::~TrqCompositeParts() = default;

void TrqCompositeParts::Clear() { parts_.clear(); }

std::vector<TrqReport*> TrqCompositeParts::TemplateReports() const
{
    TrqReport& report = builder_.report_;
    if (!dynamic_cast<TrqCompositeReport*>(&report)) return {&report};
    std::vector<TrqReport*> reports{&report};
    collectReports(report, reports);
    reports.erase(reports.begin());  // the composite's own pages are never walked
    return reports;
}

void TrqCompositeParts::Build(TrqCompositeReport& composite)
{
    TrqReportBuilder& b = builder_;
    const std::vector<TrqReport*> reports = composite.Reports();
    for (TrqReport* r : reports)
        if (r == &b.report_ || std::find(lineage_.begin(), lineage_.end(), r) != lineage_.end())
            throw Exception("Report " + composite.Name() + " contains itself (" + r->Name() + ")");

    TrqDataset* dataset = composite.Dataset();
    auto closeDataset = qScopeGuard([&] {
        if (dataset) b.guarded([&] { dataset->Close(); });
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

    const bool& terminated = b.report_.Terminated;
    const bool& cancelled = b.run_.DialogCancelled;
    for (bool once = true; !terminated && !cancelled && (dataset ? !dataset->Eof() : once); once = false) {
        for (size_t i = 0; i < reports.size() && !terminated && !cancelled; ++i) {
            TrqReport& r = *reports[i];
            const bool nextAppends = i + 1 < reports.size() && continuesOn(*reports[i + 1], r);
            if (!rebuiltEachTime(&r)) {
                const bool fresh = !parts_[i];
                if (fresh) parts_[i] = std::unique_ptr<TrqReportBuilder>(new TrqReportBuilder(r, b));
                buildPart(*parts_[i], fresh, nextAppends);
                continue;
            }
            TMemoryStream saved;
            r.SaveToStream(saved);
            auto reload = qScopeGuard([&] {
                r.SetCurrentPage(nullptr);
                r.SetCurrentView(nullptr);
                saved.SetPosition(0);
                b.guarded([&] { r.LoadFromStream(saved); });
            });
            // The part and its bands go before the views they were made from.
            TrqReportBuilder part(r, b);
            buildPart(part, true, nextAppends);
        }
        if (dataset && !terminated) dataset->Next();
    }
}

void TrqCompositeParts::buildPart(TrqReportBuilder& part, bool fresh, bool nextAppends)
{
    TrqReportBuilder& b = builder_;
    TrqReport& r = part.report_;
    part.run_ = b.run_;
    part.composite_.nextAppends_ = nextAppends;
    r.Terminated = false;
    r.FinalPass = b.report_.FinalPass;
    auto handBack = qScopeGuard([&] {
        r.SetCurrentPage(nullptr);
        r.SetCurrentView(nullptr);
        b.run_ = part.run_;
        if (r.Terminated) b.report_.Terminated = true;
        SetReportContext(b.context_.get());
    });
    if (fresh) {
        SetReportContext(part.context_.get());
        part.guarded([&] { part.placeAlignedViews(); });
        if (part.run_.ErrorFlag) return;
    }
    part.build();
}
