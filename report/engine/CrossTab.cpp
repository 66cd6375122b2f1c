// Cross-tab cells: the views of a band that lie inside the vertical cross
// bands print across the band's row: the cross header's once, the cross data
// band's once per record of its dataset (COLUMN# counts them), the cross
// footer's after them. A row wider than the page goes on at the left margin of
// the next prepared page, at the same height; that page is made when it does
// not exist yet (with its overlay, and its page header when the row's page
// has one), and a cross header with RepeatHeader opens the row there again.
// Afterwards the build is back on the page the row started on.
//
// Every page of a row takes at least one cell, so a cell wider than the page
// prints clipped instead of making pages for ever.
#include "report/engine/ReportBuilder.h"

#include "report/language/Globals.h"
#include "report/model/MemoView.h"
#include "report/pages/EMFPages.h"

#include <QScopeGuard>
#include <QScopedValueRollback>

#include <algorithm>

struct TrqReportBuilder::CrossRow {
    TrqBand& Band;
    int StartPage;    // the prepared page the row started on
    int64_t X = 0;    // where the next cell goes, page units
    bool Placed = false;  // a cell printed on this page's part of the row
};

namespace {
TrqBand* definedFirst(const TrqPageBuild& pb, int kind)
{
    TrqBand* band = pb.Chain(kind);
    return band && band->Defined() ? band : nullptr;
}

void forgetMeasure(TrqView& view)
{
    if (view.ObjectKind != okMemo) return;
    auto& memo = static_cast<TrqMemoView&>(view);
    memo.LayoutMode = TrqMemoView::Layout::Normal;
    memo.LaidOut.clear();
}
}  // namespace

TrqDataset* TrqReportBuilder::crossDataset(TrqBand& band)
{
    TrqBand* data = definedFirst(band.PageBuild, btCrossData);
    if (data && data->Dataset()) return data->Dataset();
    return band.CrossDataset();
}

void TrqReportBuilder::runBandScript(TrqBand& band)
{
    QScopedValueRollback<TrqBand*> current(band_, &band);
    report_.SetCurrentView(band.View);
    if (!band.Script.IsEmpty()) rqInterpreter().RunScript(band.Script);
}

void TrqReportBuilder::printCells(TrqBand& cross, TrqBand& row, int64_t x)
{
    // The cross band counts with the row; a cross data band's totals are the row's.
    cross.Line = row.Line;
    cross.LineThrough = row.LineThrough;
    if (cross.Kind == btCrossData) cross.AggregateBand = &row;
    const CrossCell cell{&cross, x};
    const auto& crossBandOf = row.PageBuild.CrossBandOf;
    for (TrqView* view : row.Objects) {
        if (report_.Terminated) break;
        auto it = crossBandOf.find(view);
        if (it != crossBandOf.end() && it->second == &cross) printView(row, *view, &cell);
    }
}

void TrqReportBuilder::continueCrossRow(CrossRow& row)
{
    TrqPageBuild& pb = row.Band.PageBuild;
    TrqEMFPages& pages = preparedPages();
    row.X = leftMargin();
    row.Placed = false;
    ++curPageIndex_;
    if (curPageIndex_ >= pages.Count()) {
        // The page to the right: the row keeps its height, and nothing of the
        // band's own state moves.
        QScopedValueRollback<int> inBreak(breakDepth_, breakDepth_ + 1);
        QScopedValueRollback<bool> fresh(freshPage_, freshPage_);
        QScopedValueRollback<int64_t> y(pb.CurY, pb.CurY);
        QScopedValueRollback<int64_t> shift(pb.ColumnShift, pb.ColumnShift);
        QScopedValueRollback<TrqBand*> was(pb.WasBand, pb.WasBand);
        TrqView* view = report_.CurrentView();
        addPreparedPage(pb);
        curPageIndex_ = pages.Count() - 1;
        showBand(pb.Chain(btOverlay));
        TrqBand* header = pb.Chain(btPageHeader);
        if (row.StartPage > 0 || header->Flag(flBandOnFirstPage)) {
            pb.CurY = topMargin();
            showBand(header);
        }
        report_.SetCurrentView(view);
        reportProgress(curPageIndex_ + 1);
    }
    if (TrqBand* header = definedFirst(pb, btCrossHeader); header && header->Flag(flBandRepeatHeader)) {
        printCells(*header, row.Band, row.X);
        row.X += header->Width;
    }
}

void TrqReportBuilder::drawCrossCells(TrqBand& band)
{
    if (band.Kind == btPageFooter) return;
    TrqPageBuild& pb = band.PageBuild;
    const int page = curPageIndex_;
    auto back = qScopeGuard([&] { curPageIndex_ = page; });
    CrossRow row{band, page};
    const int64_t right = pb.Page.RightMarginInEffect();
    auto makeRoom = [&](int64_t width) {
        if (row.X + width > right && row.Placed) continueCrossRow(row);
    };

    pb.ColumnNo = 1;
    if (report_.OnBeginColumn) report_.OnBeginColumn(&band);
    if (TrqBand* header = definedFirst(pb, btCrossHeader)) {
        runBandScript(*header);
        printCells(*header, band, header->X);
        row.X = header->X + header->Width;
        row.Placed = true;
    }
    TrqBand* data = definedFirst(pb, btCrossData);
    if (data && !report_.Terminated) {
        if (row.X == 0) row.X = data->X;
        TrqDataset* dataset = crossDataset(band);
        if (dataset) dataset->First();
        // A master footer without columns of its own totals as many as the
        // widest row had.
        std::unique_ptr<TrqUserDataset> widest;
        if (band.Kind == btMasterFooter && (!dataset || dataset->Eof())) {
            widest = std::make_unique<TrqUserDataset>();
            widest->SetRangeEnd(reCount);
            widest->SetRangeEndCount(pb.WidestCrossRow);
            widest->First();
            dataset = widest.get();
        }
        while (dataset && !dataset->Eof() && !report_.Terminated) {
            report_.SetCurrentView(data->View);
            int width = data->Width;
            if (report_.OnPrintColumn) report_.OnPrintColumn(pb.ColumnNo, width);
            runBandScript(*data);
            makeRoom(width);
            printCells(*data, band, row.X);
            row.Placed = true;
            accumulate(*data);
            if (band.IsDataBand() && !blankMode_) accumulate(band);
            row.X += width;
            ++pb.ColumnNo;
            dataset->Next();
        }
        if (dataset) pb.WidestCrossRow = std::max(pb.WidestCrossRow, dataset->RecNo());
    }
    if (TrqBand* footer = definedFirst(pb, btCrossFooter); footer && !report_.Terminated) {
        if (row.X == 0) row.X = footer->X;
        runBandScript(*footer);
        makeRoom(footer->Width);
        printCells(*footer, band, row.X);
        afterBand(*footer);
    }
}

int64_t TrqReportBuilder::crossRowHeight(TrqBand& band)
{
    TrqPageBuild& pb = band.PageBuild;
    int64_t height = band.Height;
    std::vector<TrqView*> cells;
    for (TrqView* view : band.Objects) {
        auto* stretchable = dynamic_cast<TrqStretcheable*>(view);
        if (!stretchable || !view->Flag(flStretched)) continue;
        if (pb.CrossBandOf.count(view)) cells.push_back(view);
        else height = std::max<int64_t>(height, int64_t(view->Top) + measureView(band, *stretchable));
    }
    TrqDataset* dataset = crossDataset(band);
    if (cells.empty() || !dataset || !definedFirst(pb, btCrossData)) return height;

    // Each column's cells measured with that column's record; they are
    // evaluated again when they print.
    auto forget = qScopeGuard([&] {
        for (TrqView* view : cells) forgetMeasure(*view);
    });
    pb.ColumnNo = 1;
    if (report_.OnBeginColumn) report_.OnBeginColumn(&band);
    for (dataset->First(); !dataset->Eof() && !report_.Terminated; dataset->Next()) {
        int width = 0;
        if (report_.OnPrintColumn) report_.OnPrintColumn(pb.ColumnNo, width);
        for (TrqView* view : cells) {
            forgetMeasure(*view);
            TrqBand* cross = pb.CrossBandOf[view];
            const CrossCell cell{cross, cross->X};
            height = std::max<int64_t>(height,
                                       int64_t(view->Top) + measureView(band, static_cast<TrqStretcheable&>(*view), &cell));
        }
        ++pb.ColumnNo;
    }
    return height;
}
