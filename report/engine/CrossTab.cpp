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
#include "report/engine/CrossTab.h"

#include "report/engine/ReportBuilder.h"
#include "report/language/Globals.h"
#include "report/model/MemoView.h"
#include "report/pages/EMFPages.h"

#include <QScopeGuard>
#include <QScopedValueRollback>

#include <algorithm>

struct TrqCrossTab::Row {
    TrqBand& Band;
    int StartPage;    // the prepared page the row started on
    int64_t X = 0;    // where the next cell goes, page units
    bool Placed = false;  // a cell printed on this page's part of the row
};

// The dataset whose records are a row's columns, and the band that holds it.
struct TrqCrossTab::Columns {
    TrqDataset* Dataset = nullptr;
    TrqBand* Holder = nullptr;
    unsigned Generation = 0;
    // False once the holder's dataset was replaced (and the one here freed).
    bool Valid() const { return Dataset && (!Holder || Holder->DatasetGeneration() == Generation); }
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

TrqCrossTab::Columns TrqCrossTab::columns(TrqBand& band)
{
    TrqBand* data = definedFirst(band.PageBuild, btCrossData);
    TrqBand* holder = data && data->Dataset() ? data : &band;
    TrqDataset* dataset = holder == data ? data->Dataset() : band.CrossDataset();
    return {dataset, holder, holder->DatasetGeneration()};
}

void TrqCrossTab::runBandScript(TrqBand& band)
{
    QScopedValueRollback<TrqBand*> current(builder_.band_, &band);
    builder_.report_.SetCurrentView(band.View);
    if (!band.Script.IsEmpty()) rqInterpreter().RunScript(band.Script);
}

void TrqCrossTab::printCells(TrqBand& cross, TrqBand& row, int64_t x)
{
    // The cross band counts with the row; a cross data band's totals are the row's.
    cross.Line = row.Line;
    cross.LineThrough = row.LineThrough;
    if (cross.Kind == btCrossData) cross.AggregateBand = &row;
    const TrqCrossCell cell{&cross, x};
    const auto& crossBandOf = row.PageBuild.CrossBandOf;
    for (TrqView* view : row.Objects) {
        if (builder_.report_.Terminated) break;
        auto it = crossBandOf.find(view);
        if (it != crossBandOf.end() && it->second == &cross) builder_.printView(row, *view, &cell);
    }
}

void TrqCrossTab::continueRow(Row& row)
{
    TrqReportBuilder& b = builder_;
    TrqPageBuild& pb = row.Band.PageBuild;
    TrqEMFPages& pages = b.preparedPages();
    row.X = b.leftMargin();
    row.Placed = false;
    int& pageIndex = b.run_.CurPageIndex;
    ++pageIndex;
    if (pageIndex >= pages.Count()) {
        // The page to the right: the row keeps its height, and nothing of the
        // band's own state moves.
        QScopedValueRollback<int> inBreak(b.breakDepth_, b.breakDepth_ + 1);
        QScopedValueRollback<bool> fresh(b.freshPage_, b.freshPage_);
        QScopedValueRollback<int64_t> y(pb.CurY, pb.CurY);
        QScopedValueRollback<int64_t> shift(pb.ColumnShift, pb.ColumnShift);
        QScopedValueRollback<TrqBand*> was(pb.WasBand, pb.WasBand);
        TrqView* view = b.report_.CurrentView();
        b.addPreparedPage(pb);
        pageIndex = pages.Count() - 1;
        b.showBand(pb.Chain(btOverlay));
        TrqBand* header = pb.Chain(btPageHeader);
        if (row.StartPage > 0 || header->Flag(flBandOnFirstPage)) {
            pb.CurY = b.topMargin();
            b.showBand(header);
        }
        b.report_.SetCurrentView(view);
        b.reportProgress(pageIndex + 1);
    }
    if (TrqBand* header = definedFirst(pb, btCrossHeader); header && header->Flag(flBandRepeatHeader)) {
        printCells(*header, row.Band, row.X);
        row.X += header->Width;
    }
}

void TrqCrossTab::DrawCells(TrqBand& band)
{
    if (band.Kind == btPageFooter) return;
    TrqReportBuilder& b = builder_;
    TrqReport& report = b.report_;
    TrqPageBuild& pb = band.PageBuild;
    const int page = b.run_.CurPageIndex;
    auto back = qScopeGuard([&] { b.run_.CurPageIndex = page; });
    Row row{band, page};
    const int64_t right = pb.Page.RightMarginInEffect();
    auto makeRoom = [&](int64_t width) {
        if (row.X + width > right && row.Placed) continueRow(row);
    };

    pb.ColumnNo = 1;
    if (report.OnBeginColumn) report.OnBeginColumn(&band);
    if (TrqBand* header = definedFirst(pb, btCrossHeader)) {
        runBandScript(*header);
        printCells(*header, band, header->X);
        row.X = header->X + header->Width;
        row.Placed = true;
    }
    TrqBand* data = definedFirst(pb, btCrossData);
    if (data && !report.Terminated) {
        if (row.X == 0) row.X = data->X;
        Columns cols = columns(band);
        if (cols.Dataset) cols.Dataset->First();
        // A master footer without columns of its own totals as many as the
        // widest row had.
        std::unique_ptr<TrqUserDataset> widest;
        if (band.Kind == btMasterFooter && (!cols.Dataset || cols.Dataset->Eof())) {
            widest = std::make_unique<TrqUserDataset>();
            widest->SetRangeEnd(reCount);
            widest->SetRangeEndCount(pb.WidestCrossRow);
            widest->First();
            cols = {widest.get(), nullptr, 0};
        }
        while (cols.Valid() && !cols.Dataset->Eof() && !report.Terminated) {
            report.SetCurrentView(data->View);
            int width = data->Width;
            if (report.OnPrintColumn) report.OnPrintColumn(pb.ColumnNo, width);
            runBandScript(*data);
            if (!cols.Valid()) break;
            makeRoom(width);
            printCells(*data, band, row.X);
            row.Placed = true;
            b.accumulate(*data);
            if (band.IsDataBand() && !b.blankMode_) b.accumulate(band);
            row.X += width;
            ++pb.ColumnNo;
            if (cols.Valid()) cols.Dataset->Next();
        }
        if (cols.Valid()) pb.WidestCrossRow = std::max(pb.WidestCrossRow, cols.Dataset->RecNo());
    }
    if (TrqBand* footer = definedFirst(pb, btCrossFooter); footer && !report.Terminated) {
        if (row.X == 0) row.X = footer->X;
        runBandScript(*footer);
        makeRoom(footer->Width);
        printCells(*footer, band, row.X);
        b.afterBand(*footer);
    }
}

int64_t TrqCrossTab::RowHeight(TrqBand& band)
{
    TrqReportBuilder& b = builder_;
    TrqReport& report = b.report_;
    TrqPageBuild& pb = band.PageBuild;
    int64_t height = band.Height;
    std::vector<TrqView*> cells;
    for (TrqView* view : band.Objects) {
        auto* stretchable = dynamic_cast<TrqStretcheable*>(view);
        if (!stretchable || !view->Flag(flStretched)) continue;
        if (pb.CrossBandOf.count(view)) cells.push_back(view);
        else height = std::max<int64_t>(height, int64_t(view->Top) + b.measureView(band, *stretchable));
    }
    const Columns cols = columns(band);
    if (cells.empty() || !cols.Dataset || !definedFirst(pb, btCrossData)) return height;

    // Each column's cells measured with that column's record; they are
    // evaluated again when they print.
    auto forget = qScopeGuard([&] {
        for (TrqView* view : cells) forgetMeasure(*view);
    });
    pb.ColumnNo = 1;
    if (report.OnBeginColumn) report.OnBeginColumn(&band);
    // The memos' scripts run while they are measured.
    cols.Dataset->First();
    while (cols.Valid() && !cols.Dataset->Eof() && !report.Terminated) {
        int width = 0;
        if (report.OnPrintColumn) report.OnPrintColumn(pb.ColumnNo, width);
        for (TrqView* view : cells) {
            forgetMeasure(*view);
            TrqBand* cross = pb.CrossBandOf[view];
            const TrqCrossCell cell{cross, cross->X};
            const int32_t measured = b.measureView(band, static_cast<TrqStretcheable&>(*view), &cell);
            height = std::max<int64_t>(height, int64_t(view->Top) + measured);
        }
        ++pb.ColumnNo;
        if (cols.Valid()) cols.Dataset->Next();
    }
    return height;
}
