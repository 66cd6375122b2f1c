// One band onto the prepared page: its script and the breaks it asks for, the
// height it needs, a new column or page when it does not fit, its views, its
// child band, and afterwards the reset of the aggregates it printed.
#include "report/engine/ReportBuilder.h"

#include "report/language/Globals.h"
#include "report/pages/EMFPages.h"

#include "runtime/SysUtils.h"

#include <QScopeGuard>
#include <QScopedValueRollback>

namespace {
// Bands that print where they stand (page footer at the bottom limit, overlay
// and the views outside every band at their own places) and do not move CurY.
bool printsInPlace(int kind) { return kind == btPageFooter || kind == btOverlay || kind == btNone; }

// A data band followed in its chain by bands without a dataset of their own
// prints them with each of its records.
bool hasChainedBands(const TrqBand& band)
{
    return band.IsDataBand() && band.Dataset() && band.Next && !band.Next->Dataset();
}
}  // namespace

Variant TrqReportBuilder::groupValue(TrqBand& group)
{
    if (!group.HasCondition) return Variant();
    QScopedValueRollback<TrqBand*> current(band_, &group);
    return rqParser().EvaluatePostfix(group.Condition);
}

bool TrqReportBuilder::drawBand(TrqBand& band)
{
    if (band.Drawing) return false;  // SHOWBAND of itself, a cycle of child bands
    TrqPageBuild& pb = band.PageBuild;
    QScopedValueRollback<bool> drawing(band.Drawing, true);
    QScopedValueRollback<TrqBand*> current(band_, &band);
    report_.SetCurrentView(band.View);
    band.CalculatedHeight = -1;
    band.NewPageRequests = 0;
    band.NewColumnRequests = 0;
    band.KeepCurY = false;
    if (report_.OnBeginBand) report_.OnBeginBand(&band);
    // Band columns: a row left unfinished by another band is closed here.

    if (!band.SuppressScript && !band.Script.IsEmpty()) rqInterpreter().RunScript(band.Script);
    const int64_t y0 = pb.CurY;
    if (report_.Terminated) return false;

    if (!ignoresBreakRequests(band)) {
        const bool requested = band.NewPageRequests > 0 || band.NewColumnRequests > 0;
        for (int i = 0, n = band.NewPageRequests; i < n && !report_.Terminated; ++i) {
            pb.CurColumn = pb.Columns - 1;  // the new column is a new page
            newColumn(&band);
        }
        for (int i = 0, n = band.NewColumnRequests; i < n && !report_.Terminated; ++i) newColumn(&band);
        if (requested && band.KeepCurY) pb.CurY = y0;
    }

    bool result = false;
    if (!band.Visible) {
        if (band.Child && band.PrintChildIfInvisible) drawBand(*band.Child);
        if (band.IsDataBand() && !blankMode_) accumulate(band);
    } else {
        if (band.Kind == btColumnHeader) pb.LastStaticColumnY = pb.CurY;
        if (band.Kind == btPageFooter) band.Y = pb.Bottom;
        if (band.Defined()) {
            band.CalculatedHeight = band.Height;
            if (!printsInPlace(band.Kind) && band.Kind != btColumnFooter) {
                const int64_t height = neededHeight(band);
                if (pb.CurY + height > pb.Bottom && !band.PageBreak) {
                    // On a sub-report page the outer page starts the new page.
                    if (pb.Collect) return true;
                    result = checkPageBreak(&band, pb.CurY, 10000);
                }
            }
        }
        if (hasChainedBands(band)) {
            for (TrqBand* b = &band; b && !report_.Terminated; b = b->Next) {
                if (b != &band && b->Dataset()) break;
                doDraw(*b);
            }
        } else {
            doDraw(band);
            if (band.Child && !report_.Terminated) drawBand(*band.Child);
            if (!band.IsDataBand() && band.Kind != btGroupHeader && band.NewPageAfter && band.Visible &&
                !ignoresBreakRequests(band) && !report_.Terminated)
                newPage();
        }
        // Sub-reports of the band that did not finish make the result true.
    }
    afterBand(band);
    if (report_.OnEndBand) report_.OnEndBand(&band);
    return result;
}

int64_t TrqReportBuilder::neededHeight(TrqBand& band)
{
    // Stretching measures the band's stretchable views here; until then every
    // band needs its designed height.
    if (hasChainedBands(band)) {
        int64_t sum = 0;
        for (TrqBand* b = &band; b; b = b->Next) {
            if (b != &band && b->Dataset()) break;
            sum += b->Height;
        }
        return sum;
    }
    band.CalculatedHeight = band.Height;
    return band.CalculatedHeight;
}

void TrqReportBuilder::doDraw(TrqBand& band)
{
    TrqPageBuild& pb = band.PageBuild;
    const int64_t savedY = band.Y;
    auto restoreY = qScopeGuard([&] { band.Y = savedY; });
    const bool placed = band.Defined() && !printsInPlace(band.Kind);
    QScopedValueRollback<TrqBand*> current(band_, &band);
    if (placed) {
        band.Y = pb.CurY;
        // Stretched bands stretch their views to the measured height here, and
        // bands that may break (PageBreak) split across pages; both print as
        // designed until then.
        if (!band.PageBreak) checkPageBreak(&band, band.Y, band.Height);
        band.Y = pb.CurY;
    }
    drawObjects(band);
    // Cross-tab cells of the band print here.
    if (placed) {
        pb.CurY += band.Height;
        if (breakDepth_ == 0 && band.Kind != btPageHeader && band.Kind != btColumnHeader) freshPage_ = false;
    }
    // Band columns (Columns > 1 with NewColumnAfter) place the next record beside this one here.
    pb.WasBand = &band;
    if (band.IsDataBand() && !blankMode_) accumulate(band);
}

void TrqReportBuilder::drawObjects(TrqBand& band)
{
    for (TrqView* view : band.Objects) {
        if (report_.Terminated) break;
        // Sub-report views are replayed by the sub-report pages they name.
        if (view->ObjectKind == okSubReport) continue;
        // Views of a cross band print with the cross-tab cells.
        if (band.PageBuild.CrossBandOf.count(view)) continue;
        printView(band, *view);
    }
}

void TrqReportBuilder::afterBand(TrqBand& band)
{
    if (band.SuppressReset) return;
    if (band.Kind == btGroupHeader) {
        // A group starts: every group header remembers the value its condition has now.
        for (TrqBand* g = band.PageBuild.Chain(btGroupHeader); g && g->Defined(); g = g->Next)
            g->GroupValue = groupValue(*g);
        return;
    }
    if (band.Kind == btPageFooter && curPageIndex_ != report_.EMFPages().Count() - 1) return;
    if (band.AggregateBand) band.AggregateBand->Aggregates.Reset(band.Name);
}

void TrqReportBuilder::accumulate(TrqBand& band)
{
    if (band.Aggregates.Empty()) {
        ++band.Aggregates.RecordCount;
        return;
    }
    QScopedValueRollback<TrqBand*> current(band_, &band);
    const AnsiString column = IntToStr(band.PageBuild.ColumnNo);
    band.Aggregates.Accumulate([](const AnsiString& expression) { return rqParser().Evaluate(expression); },
                               band.Visible, band.HasCrossCells ? &column : nullptr);
}
