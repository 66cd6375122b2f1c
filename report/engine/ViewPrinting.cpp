// One view of a band into the prepared page: its script, its working text
// (TrqMemoText), highlight, Tag, BandAlign and Suppress, then its record in
// the page's stream; and the measure of a memo that a stretched or broken
// band makes before it prints.
//
// While a view is printed or measured it is shifted to where the band prints
// (band Y, the page and band column's shift, a cross-tab cell's X); the shift
// is taken back afterwards, so whatever the view's script or placement changed
// stays relative to the band for the next record.
//
// A measured memo (layout mode Measure) keeps its working text and laid-out
// lines: its print writes that text without running its script or evaluating
// its brackets again. A part of a memo split between pages (mode Part) writes
// PartLines of the laid-out lines from PartFrom on.
#include "report/engine/ReportBuilder.h"

#include "report/engine/BandAlign.h"
#include "report/engine/ContentCheck.h"
#include "report/draw/MemoLayout.h"
#include "report/language/Globals.h"
#include "report/model/MemoView.h"
#include "report/pages/EMFPages.h"
#include "report/pages/PrintedMemos.h"

#include <QScopeGuard>
#include <QScopedValueRollback>

#include <algorithm>
#include <climits>

namespace {
int32_t clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// The text of a view that expands its content (a barcode's): each line of
// Memo with its brackets expanded as a memo line is, by the view's format; a
// value with line breaks becomes several lines.
void expandContent(TrqMemoText& memoText, TrqView& view)
{
    const AnsiString tag = view.Tag;
    auto restore = qScopeGuard([&] { view.Tag = tag; });
    TStringList lines;
    for (int i = 0; i < view.Memo.Count(); ++i) {
        view.Tag = view.Memo[i];
        const AnsiString line = view.Tag.empty() ? AnsiString() : memoText.ExpandTag(view);
        if (line.find_first_of("\r\n") == AnsiString::npos) {
            lines.Add(line);
            continue;
        }
        TStringList split;
        split.SetText(line);
        lines.AddStrings(split);
    }
    view.MemoResult.Assign(lines);
}
}  // namespace

void TrqReportBuilder::runViewScript(TrqView& view)
{
    if (!view.Script.IsEmpty()) rqInterpreter().RunScript(view.Script);
}

template <class F>
void TrqReportBuilder::atPrintPlace(TrqBand& band, TrqView& view, const TrqCrossCell* cell, F&& f)
{
    TrqPageBuild& pb = band.PageBuild;
    report_.SetCurrentPage(&pb.Page);
    QScopedValueRollback<TrqBand*> current(band_, cell ? cell->Cross : &band);
    report_.SetCurrentView(&view);
    const int64_t dx = (cell ? cell->X : 0) + pb.ColumnShift - leftMargin();
    const int64_t dy = band.Y;
    QScopedValueRollback<PrintPlace> place(place_, PrintPlace{dx, dy, cell ? cell->Cross : nullptr});
    view.Left = clamp32(view.Left + dx);
    view.Top = clamp32(view.Top + dy);
    auto unshift = qScopeGuard([&] {
        view.Left = clamp32(view.Left - dx);
        view.Top = clamp32(view.Top - dy);
    });
    f();
}

void TrqReportBuilder::printView(TrqBand& band, TrqView& view, const TrqCrossCell* cell)
{
    auto* memo = view.ObjectKind == okMemo ? static_cast<TrqMemoView*>(&view) : nullptr;
    const TrqMemoView::Layout mode = memo ? memo->LayoutMode : TrqMemoView::Layout::Normal;
    try {
        if (band.PageBreak || !run_.DrawingDisabled) {
            atPrintPlace(band, view, cell, [&] {
                if (memo) writeMemo(band, *memo);
                else writeView(band, view);
            });
            // The hook views hear of a memo once, when its last part is out.
            if (memo && (mode != TrqMemoView::Layout::Part || memo->PartFrom >= memo->LaidOut.size()))
                for (TrqView* hook : hookViews_) hook->DrawHook(view);
        } else if (mode == TrqMemoView::Layout::Normal) {
            // The first pass of two writes nothing; scripts run all the same
            // (a measured memo ran its script when it was measured).
            atPrintPlace(band, view, cell, [&] { runViewScript(view); });
        }
    } catch (const EAbort&) {
        report_.Terminated = true;
    } catch (const std::exception& e) {
        handleError(e);  // ends the printing of the band
    }
    if (memo && mode == TrqMemoView::Layout::Measure) memo->LayoutMode = TrqMemoView::Layout::Normal;
}

int32_t TrqReportBuilder::measureView(TrqBand& band, TrqStretcheable& view, const TrqCrossCell* cell)
{
    auto* memo = view.ObjectKind == okMemo ? static_cast<TrqMemoView*>(&view) : nullptr;
    if (!memo) return view.MeasureHeight();
    // Measured already for this record (a band shown again after it did not
    // fit on a sub-report page): the text stays as it was.
    if (memo->LayoutMode == TrqMemoView::Layout::Measure) return memo->Visible ? memo->MeasuredHeight : 0;
    int32_t height = 0;
    try {
        atPrintPlace(band, *memo, cell, [&] {
            memo->LayoutMode = TrqMemoView::Layout::Measure;
            memo->LaidOut.clear();
            memo->PartFrom = 0;
            memo->PartLines = 0;
            placeByBandAlign(*memo, band);
            runViewScript(*memo);
            if (!memo->Visible) return;
            memoText_.Prepare(*memo, true);
            const int32_t style = memo->Font.Style, colour = memo->Font.Color, fill = memo->FillColor;
            auto restore = qScopeGuard([&] {
                memo->Font.Style = style;
                memo->Font.Color = colour;
                memo->FillColor = fill;
            });
            applyHighlight(*memo);
            TrqMemoLayout layout = LayoutMemo(*memo, memo->MemoResult);
            memo->LaidOut = std::move(layout.Lines);
            height = layout.TextHeight;
            if (memo->Flag(flSuppress) && memo->HasPrinted && memo->MemoResult.Text() == memo->LastPrinted) height = 0;
        });
    } catch (const EAbort&) {
        report_.Terminated = true;
    } catch (const std::exception& e) {
        handleError(e);
    }
    memo->MeasuredHeight = height;  // for a second look at the same record
    return height;
}

void TrqReportBuilder::forgetMeasures(TrqBand& band)
{
    for (TrqView* view : band.Objects)
        if (view->ObjectKind == okMemo) {
            auto* memo = static_cast<TrqMemoView*>(view);
            memo->LayoutMode = TrqMemoView::Layout::Normal;
            memo->PartFrom = memo->PartLines = 0;
            memo->MeasuredHeight = 0;
            memo->LaidOut.clear();
        }
}

void TrqReportBuilder::placeByBandAlign(TrqView& view, TrqBand& band)
{
    if (view.BandAlign == baNone) return;
    if (place_.Cross && view.BandAlign == baWidth) {
        // Inside a cross band: the width of its column.
        view.Left = clamp32(place_.ShiftX);
        view.Width = place_.Cross->Width;
        return;
    }
    TrqPageBuild& pb = band.PageBuild;
    TrqPlacement where;
    where.Left = pb.Page.LeftMarginInEffect() + place_.ShiftX;
    where.Right = pb.Columns > 1 ? where.Left + pb.ColumnWidth : pb.Page.RightMarginInEffect() + place_.ShiftX;
    where.BandY = band.Y;
    where.BandHeight = band.CalculatedHeight >= 0 ? band.CalculatedHeight : band.Height;
    where.ShiftX = place_.ShiftX;
    where.ShiftY = place_.ShiftY;
    where.Neighbours = &band.Objects;
    PlaceByBandAlign(view, where);
}

void TrqReportBuilder::placeAlignedViews()
{
    for (int i = 0; i < report_.Pages().Count(); ++i) {
        TrqPage& page = *report_.Pages()[i];
        std::vector<TrqView*> views;
        for (int j = 0; j < page.Count(); ++j)
            if (page.Objects(j)->ObjectKind != okBand) views.push_back(page.Objects(j));
        TrqPlacement where;
        where.Left = page.LeftMarginInEffect();
        where.Right = page.RightMarginInEffect();
        where.Vertical = false;  // no band yet
        where.Neighbours = &views;
        for (TrqView* view : views)
            if (view->BandAlign != baNone) PlaceByBandAlign(*view, where);
    }
}

void TrqReportBuilder::appendToPage(TrqView& view, const TrqBand* band)
{
    if (run_.CurPageIndex < run_.FirstUnpacked) run_.FirstUnpacked = run_.CurPageIndex;
    if (!band || view.ObjectKind != okMemo) {
        preparedPages().AppendView(run_.CurPageIndex, view);
        return;
    }
    auto& memo = static_cast<TrqMemoView&>(view);
    TrqPrintedMemo printed;
    printed.Band = static_cast<uint8_t>(band->Kind);
    printed.Repeated = repeatingHeaders_;
    // A part of a memo split between pages shows some of its lines, not its value.
    if (memo.LayoutMode != TrqMemoView::Layout::Part) {
        printed.Value = memo.ShownValue;
        printed.FormatCode = memo.ShownCode;
        printed.FormatText = memo.ShownPattern;
    }
    preparedPages().AppendView(run_.CurPageIndex, view, &printed);
}

void TrqReportBuilder::applyHighlight(TrqMemoView& memo)
{
    if (memo.HighlightCondition.empty()) return;
    // A condition that fails to evaluate does not highlight.
    try {
        if (rqParser().EvaluatePostfix(memo.HighlightCondition) != Variant(0)) {
            memo.Font.Style = memo.HighlightStyle;
            memo.Font.Color = memo.HighlightFontColor;
            memo.FillColor = memo.HighlightFillColor;
        }
    } catch (const std::exception&) {
    }
}

void TrqReportBuilder::writeMemo(TrqBand& band, TrqMemoView& memo)
{
    const uint8_t align = memo.BandAlign;
    placeByBandAlign(memo, band);
    const TrqMemoView::Layout mode = memo.LayoutMode;
    auto normalAgain = qScopeGuard([&] { memo.LayoutMode = TrqMemoView::Layout::Normal; });
    if (mode == TrqMemoView::Layout::Normal) {
        runViewScript(memo);
        memoText_.Prepare(memo, false);
    }
    if (!memo.Visible) {
        memo.BandAlign = align;
        return;
    }

    // Highlight, Tag and placement hold for this record only.
    const int32_t style = memo.Font.Style, colour = memo.Font.Color, fill = memo.FillColor;
    AnsiString tag;
    const bool tagExpands = memo.Tag.find('[') != AnsiString::npos;
    if (tagExpands) tag = memo.Tag;
    auto restore = qScopeGuard([&] {
        memo.Font.Style = style;
        memo.Font.Color = colour;
        memo.FillColor = fill;
        if (tagExpands) memo.Tag = std::move(tag);
        memo.BandAlign = align;
    });
    applyHighlight(memo);
    if (tagExpands) memo.Tag = memoText_.ExpandTag(memo);
    placeByBandAlign(memo, band);
    // A cell as wide as its cross band keeps that width in the page.
    if (place_.Cross && memo.BandAlign == baWidth) memo.BandAlign = baNone;

    if (mode == TrqMemoView::Layout::Part) {
        // The lines of this part; a part is never suppressed (that would lose text).
        const size_t from = std::min(memo.PartFrom, memo.LaidOut.size());
        const size_t n = std::min(memo.PartLines, memo.LaidOut.size() - from);
        memo.MemoResult.Clear();
        bool marked = false;
        for (size_t i = from; i < from + n; ++i) {
            memo.MemoResult.Add(memo.LaidOut[i]);
            marked = marked || memo.LaidOut[i].find(ParagraphMark) != AnsiString::npos;
        }
        // The mark tells the drawing that the lines are laid out already.
        if (!marked) memo.MemoResult.Add(AnsiString(1, ParagraphMark));
        memo.PartFrom = from + n;
        appendToPage(memo, &band);
        return;
    }
    if (memo.Flag(flSuppress)) {
        AnsiString printed = memo.MemoResult.Text();
        if (memo.HasPrinted && printed == memo.LastPrinted) return;
        appendToPage(memo, &band);
        memo.LastPrinted = std::move(printed);
        memo.HasPrinted = true;
        return;
    }
    appendToPage(memo, &band);
}

void TrqReportBuilder::writeView(TrqBand& band, TrqView& view)
{
    placeByBandAlign(view, band);
    view.MemoResult.Assign(view.Memo);
    memoText_.LoadDataField(view);
    if (report_.OnBeforePrint) report_.OnBeforePrint(view.MemoResult, &view);
    // A text that a binary field or OnBeforePrint gave is kept as it is.
    const bool expands = ExpandsText(view);
    const bool handed = expands && view.MemoResult.Text() != view.Memo.Text();
    runViewScript(view);
    if (!view.Visible) return;
    if (expands) {
        if (!handed) expandContent(memoText_, view);
        WarnAboutContent(view);
    }
    const AnsiString tag = view.Tag;
    auto restore = qScopeGuard([&] { view.Tag = tag; });
    view.Tag = memoText_.ExpandTag(view);
    placeByBandAlign(view, band);
    appendToPage(view);
}
