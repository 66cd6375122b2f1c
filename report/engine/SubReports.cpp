// Sub-reports: the bands of another template page printed in the place of a
// sub-report view.
//
// The sub-report's page is first run in collect mode: its data loops move
// their datasets and record what they would print (show band, first record,
// next record) instead of printing it. The records are then replayed at the
// view's place, all sub-reports of a band side by side, each from where it
// stopped. A band that does not fit stops its page's replay; the outer page
// then starts a new page and every unfinished sub-report goes on at the top of
// it. A sub-report inside a sub-report cannot start pages: its band becomes
// its page's LastBand, and the outer replay lets it go on first on the next
// page.
//
// Rules that are easy to break:
// - A band that did not fit has run its script; shown again on the next page
//   it does not run it a second time.
// - On a fresh page the first band shown prints even when it does not fit, so
//   every new page moves the replay on; in a band that a break prints (a page
//   header) or that prints in place (a page footer) nothing waits for a new
//   page at all.
// - A page already being replayed (a sub-report of itself, a cycle of them)
//   is not started again.
#include "report/engine/SubReports.h"

#include "report/engine/ReportBuilder.h"
#include "report/model/SubReportView.h"

#include <QScopedValueRollback>

TrqPageBuild* TrqSubReportReplay::subReportPage(const TrqSubReportView& view, const TrqPageBuild& parent)
{
    const TrqPages& pages = builder_.report_.Pages();
    const int32_t index = view.SubPage;
    if (index < 0 || index >= pages.Count()) return nullptr;
    auto it = builder_.pages_.find(pages[index]);
    if (it == builder_.pages_.end()) return nullptr;
    TrqPageBuild* sub = it->second.get();
    if (sub == &parent || sub->Collect) return nullptr;
    return sub;
}

void TrqSubReportReplay::Start(TrqBand& band, size_t first)
{
    TrqPageBuild& parent = band.PageBuild;
    band.SubPages.clear();
    for (size_t i = first; i < band.Objects.size() && !builder_.report_.Terminated; ++i) {
        TrqView* view = band.Objects[i];
        if (view->ObjectKind != okSubReport || !view->Visible) continue;
        TrqPageBuild* sub = subReportPage(static_cast<TrqSubReportView&>(*view), parent);
        if (!sub) continue;
        // The sub-report takes the parent's margins, bottom limit and shift,
        // and starts where its view stands.
        TrqPage& page = sub->Page;
        const TrqPage& outer = parent.Page;
        page.LeftMargin = outer.LeftMargin;
        page.TopMargin = outer.TopMargin;
        page.RightMargin = outer.RightMargin;
        page.BottomMargin = outer.BottomMargin;
        page.UseMargins = outer.UseMargins;
        page.PrnInfo = outer.PrnInfo;
        sub->Collect = true;
        sub->Replaying = false;
        sub->Recorded.clear();
        sub->PlayFrom = 0;
        sub->LastBand = nullptr;
        sub->SubDone = false;
        sub->ScriptRan = false;
        sub->CurY = band.Y + view->Top;
        sub->Bottom = parent.Bottom;
        sub->ColumnShift = parent.ColumnShift + view->Left;
        sub->Columns = 1;
        sub->CurColumn = 0;
        sub->ColumnWidth = static_cast<int32_t>(page.RightMarginInEffect() - page.LeftMarginInEffect());
        sub->LastStaticColumnY = sub->CurY;
        sub->WasBand = nullptr;
        band.SubPages.push_back(sub);
        QScopedValueRollback<TrqPageBuild*> current(builder_.pb_, sub);
        builder_.formPage(*sub);
    }
    Run(band, false);
}

void TrqSubReportReplay::Run(TrqBand& band, bool resume)
{
    const bool& terminated = builder_.report_.Terminated;
    TrqPageBuild& parent = band.PageBuild;
    // Bands printed by a break (a page header) and bands that print in place
    // (a page footer below the bottom limit) cannot wait for another page.
    const bool inBreak =
        builder_.breakDepth_ > 0 || band.Kind == btPageFooter || band.Kind == btOverlay || band.Kind == btNone;
    bool fresh = resume;
    QScopedValueRollback<bool> noScript(band.SuppressScript, band.SuppressScript);
    for (;;) {
        int64_t lowest = parent.CurY;
        bool allDone = true;
        for (TrqPageBuild* sub : band.SubPages) {
            if (sub->SubDone || terminated) continue;
            if (fresh) {
                sub->CurY = parent.CurY;
                sub->Bottom = parent.Bottom;
            }
            if (replay(*sub, fresh, inBreak)) sub->SubDone = true;
            else allDone = false;
            lowest = std::max(lowest, sub->CurY);
        }
        if (allDone || terminated || inBreak) {
            parent.CurY = lowest;
            break;
        }
        if (parent.Collect) {
            // A sub-report page itself: its replay goes on after the outer page breaks.
            parent.CurY = lowest;
            parent.LastBand = &band;
            band.SubReportsUnfinished = true;
            return;
        }
        band.SuppressScript = true;
        builder_.newPage();
        fresh = true;
    }
    for (TrqPageBuild* sub : band.SubPages) {
        sub->Collect = false;
        sub->Replaying = false;
        sub->Recorded.clear();
        sub->Recorded.shrink_to_fit();
        sub->PlayFrom = 0;
        sub->LastBand = nullptr;
    }
    band.SubPages.clear();
    parent.LastBand = nullptr;
}

bool TrqSubReportReplay::replay(TrqPageBuild& sub, bool fresh, bool printAll)
{
    const bool& terminated = builder_.report_.Terminated;
    QScopedValueRollback<TrqPageBuild*> current(builder_.pb_, &sub);
    QScopedValueRollback<bool> replaying(sub.Replaying, true);
    bool forced = fresh;
    if (TrqBand* last = sub.LastBand) {
        // Its own sub-reports go on first, at the top of this page.
        sub.LastBand = nullptr;
        Run(*last, true);
        forced = false;
        if (sub.LastBand) return false;
    }
    while (sub.PlayFrom < sub.Recorded.size() && !terminated) {
        const TrqPageBuild::Collected step = sub.Recorded[sub.PlayFrom];
        TrqBand& band = *step.Band;
        switch (step.What) {
        case TrqPageBuild::Action::FirstRecord:
            if (band.Dataset()) band.Dataset()->First();
            band.Line = 1;
            band.LineThrough = 1;
            builder_.forgetLastPrinted(band);
            break;
        case TrqPageBuild::Action::NextRecord:
            if (band.Dataset()) band.Dataset()->Next();
            ++sub.CurrentNo;
            ++band.Line;
            ++band.LineThrough;
            break;
        case TrqPageBuild::Action::ShowBand: {
            auto shown = Show(band, forced || printAll);
            QScopedValueRollback<bool> noScript(band.SuppressScript, band.SuppressScript || sub.ScriptRan);
            const bool more = builder_.drawBand(band);
            forced = false;
            if (more) {
                // Printed, with sub-reports of its own still to go on; or
                // not printed: it is shown again on the next page.
                if (sub.LastBand == &band) {
                    ++sub.PlayFrom;
                    sub.ScriptRan = false;
                } else {
                    sub.ScriptRan = true;
                }
                return false;
            }
            sub.ScriptRan = false;
            break;
        }
        }
        ++sub.PlayFrom;
    }
    return !terminated;
}
