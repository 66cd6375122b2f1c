// One band onto the prepared page: its script and the breaks it asks for, the
// height it needs (a stretched band measures its stretched memos), a new
// column or page when it does not fit, its views, its cross-tab cells and
// sub-reports, its child band, band columns, and afterwards the reset of the
// aggregates it printed.
#include "report/engine/ReportBuilder.h"

#include "report/language/Globals.h"
#include "report/model/MemoView.h"
#include "report/pages/EMFPages.h"

#include "runtime/SysUtils.h"

#include <QScopeGuard>
#include <QScopedValueRollback>

#include <algorithm>
#include <climits>

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
    QScopedValueRollback<TrqPageBuild*> page(pb_, &pb);
    report_.SetCurrentView(band.View);
    band.CalculatedHeight = -1;
    band.NewPageRequests = 0;
    band.NewColumnRequests = 0;
    band.KeepCurY = false;
    if (report_.OnBeginBand) report_.OnBeginBand(&band);
    // Band columns: a row that another band left unfinished is closed.
    if (TrqBand* was = pb.WasBand; was && was != &band && was->BandColumn >= 2) {
        pb.ColumnShift = was->SavedColumnShift;
        pb.CurY += was->CalculatedHeight >= 0 ? was->CalculatedHeight : was->Height;
        was->BandColumn = 1;
    }

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
                    if (onSubReportPage(pb)) {
                        // The band the replay shows goes on the next page of
                        // the outer page, unless it opens a fresh one (it
                        // would never fit). Its measure is kept for then.
                        if (subReports_.WaitsForNextPage(band)) return true;
                    } else {
                        result = checkPageBreak(&band, pb.CurY, 10000);
                    }
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
        if (band.SubReportsUnfinished) result = true;
    }
    afterBand(band);
    if (report_.OnEndBand) report_.OnEndBand(&band);
    return result;
}

int64_t TrqReportBuilder::stretchedHeight(TrqBand& band)
{
    if (band.HasCrossCells && band.Kind != btPageFooter) return crossTab_.RowHeight(band);
    int64_t height = band.Height;
    for (TrqView* view : band.Objects) {
        auto* stretchable = dynamic_cast<TrqStretcheable*>(view);
        if (!stretchable || !view->Flag(flStretched) || band.PageBuild.CrossBandOf.count(view)) continue;
        height = std::max<int64_t>(height, int64_t(view->Top) + measureView(band, *stretchable));
        if (report_.Terminated) break;
    }
    return height;
}

int64_t TrqReportBuilder::neededHeight(TrqBand& band)
{
    auto heightOf = [&](TrqBand& b) {
        b.CalculatedHeight = b.Stretched ? stretchedHeight(b) : b.Height;
        return b.CalculatedHeight;
    };
    if (hasChainedBands(band)) {
        int64_t sum = 0;
        for (TrqBand* b = &band; b; b = b->Next) {
            if (b != &band && b->Dataset()) break;
            sum += heightOf(*b);
        }
        return sum;
    }
    return heightOf(band);
}

void TrqReportBuilder::doDraw(TrqBand& band)
{
    TrqPageBuild& pb = band.PageBuild;
    const int64_t savedY = band.Y;
    const bool placed = band.Defined() && !printsInPlace(band.Kind);
    QScopedValueRollback<TrqBand*> current(band_, &band);
    band.SubReportsRan = false;
    band.SubReportsUnfinished = false;
    if (band.CalculatedHeight < 0) band.CalculatedHeight = band.Height;

    // A stretched band gives its stretched views the height it grew to, for
    // this record only.
    std::vector<std::pair<TrqView*, int32_t>> heights;
    auto restore = qScopeGuard([&] {
        band.Y = savedY;
        for (auto& [view, height] : heights) view->Height = height;
        forgetMeasures(band);
    });
    int64_t height = band.Height;
    if (band.Defined() && band.Stretched) {
        height = band.CalculatedHeight;
        for (TrqView* view : band.Objects)
            if (view->Flag(flStretched) && view->Height > 0 && dynamic_cast<TrqStretcheable*>(view)) {
                heights.emplace_back(view, view->Height);
                view->Height = static_cast<int32_t>(std::clamp<int64_t>(height - view->Top, 0, INT32_MAX));
            }
    }
    band.MaxHeight = band.CalculatedHeight;

    if (placed) {
        band.Y = pb.CurY;
        if (!band.PageBreak) checkPageBreak(&band, band.Y, height);
        band.Y = pb.CurY;
    }
    if (band.PageBreak && placed) {
        drawBroken(band);  // moves CurY itself
    } else {
        drawObjects(band);
        if (band.HasCrossCells && !report_.Terminated) crossTab_.DrawCells(band);
        // Sub-reports leave CurY where they ended.
        if (placed && !band.SubReportsRan) pb.CurY += height;
    }
    if (placed && breakDepth_ == 0 && band.Kind != btPageHeader && band.Kind != btColumnHeader) freshPage_ = false;

    // Band columns: with NewColumnAfter 1 the next record prints beside this
    // one until the row has Columns records.
    if (pb.WasBand != &band) band.BandColumn = 1;
    pb.WasBand = &band;
    if (placed && band.View && band.View->Columns > 1 && band.View->NewColumnAfter == 1) {
        if (band.BandColumn == 1) band.SavedColumnShift = pb.ColumnShift;
        const int column = band.BandColumn;
        if (band.View->Columns < column + 1) {
            pb.ColumnShift = band.SavedColumnShift;
            band.BandColumn = 1;
        } else {
            band.BandColumn = column + 1;
            pb.ColumnShift =
                band.SavedColumnShift + int64_t(column) * (int64_t(band.View->ColumnWidth) + band.View->ColumnGap);
            pb.CurY -= band.CalculatedHeight;
        }
    }
    if (band.IsDataBand() && !blankMode_) accumulate(band);
}

void TrqReportBuilder::drawObjects(TrqBand& band)
{
    TrqPageBuild& pb = band.PageBuild;
    const int pages = preparedPages().Count();
    for (size_t i = 0; i < band.Objects.size() && !report_.Terminated; ++i) {
        TrqView* view = band.Objects[i];
        if (view->ObjectKind == okSubReport) {
            // The sub-reports come last; the first visible one prints them all.
            if (!view->Visible) continue;
            subReports_.Start(band, i);
            band.SubReportsRan = true;
            break;
        }
        // Views of a cross band print with the cross-tab cells.
        if (pb.CrossBandOf.count(view)) continue;
        printView(band, *view);
    }
    if (band.SubReportsRan && preparedPages().Count() == pages && pb.CurY < band.Y + band.Height)
        pb.CurY = band.Y + band.Height;
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
    if (band.Kind == btPageFooter && run_.CurPageIndex != preparedPages().Count() - 1) return;
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
