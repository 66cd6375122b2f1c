// One view of a band into the prepared page: its script, its working text
// (memo lines with their brackets evaluated, or the event's text), highlight,
// Tag, BandAlign and Suppress, then its record in the page's stream; and the
// measure of a memo that a stretched or broken band makes before it prints.
//
// While a view is printed or measured it is shifted to where the band prints
// (band Y, the page and band column's shift, a cross-tab cell's X); the shift
// is taken back afterwards, so whatever the view's script or placement changed
// stays relative to the band for the next record. Memo lines are cut into
// literals and brackets once per build.
//
// A measured memo (layout mode Measure) keeps its working text and laid-out
// lines: its print writes that text without running its script or evaluating
// its brackets again. A part of a memo split between pages (mode Part) writes
// PartLines of the laid-out lines from PartFrom on.
#include "report/engine/ReportBuilder.h"

#include "report/engine/BandAlign.h"
#include "report/draw/MemoLayout.h"
#include "report/engine/BuildContext.h"
#include "report/format/FormatValue.h"
#include "report/language/Globals.h"
#include "report/language/NameResolution.h"
#include "report/model/MemoView.h"
#include "report/model/PictureView.h"
#include "report/pages/EMFPages.h"
#include "runtime/db/Field.h"

#include <QScopeGuard>
#include <QScopedValueRollback>

#include <algorithm>
#include <climits>

namespace {
int32_t clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

bool isBinary(TFieldType type)
{
    switch (type) {
    case ftBlob:
    case ftMemo:
    case ftGraphic:
    case ftFmtMemo:
    case ftParadoxOle:
    case ftDBaseOle:
    case ftTypedBinary: return true;
    default: return false;
    }
}

// Appends a value that may hold line breaks as the lines it makes.
void appendLines(TStringList& lines, const AnsiString& text)
{
    if (text.find_first_of("\r\n") == AnsiString::npos) {
        if (!text.empty()) lines.Add(text);
        return;
    }
    TStringList split;
    split.SetText(text);
    lines.AddStrings(split);
}
}  // namespace

void TrqReportBuilder::runViewScript(TrqView& view)
{
    if (!view.Script.IsEmpty()) rqInterpreter().RunScript(view.Script);
}

template <class F>
void TrqReportBuilder::atPrintPlace(TrqBand& band, TrqView& view, const CrossCell* cell, F&& f)
{
    TrqPageBuild& pb = band.PageBuild;
    report_.SetCurrentPage(&pb.Page);
    QScopedValueRollback<TrqBand*> current(band_, cell ? cell->Cross : &band);
    QScopedValueRollback<TrqBand*> cross(crossBand_, cell ? cell->Cross : nullptr);
    report_.SetCurrentView(&view);
    const int64_t dx = (cell ? cell->X : 0) + pb.ColumnShift - leftMargin();
    const int64_t dy = band.Y;
    QScopedValueRollback<int64_t> sx(shiftX_, dx), sy(shiftY_, dy);
    view.Left = clamp32(view.Left + dx);
    view.Top = clamp32(view.Top + dy);
    auto unshift = qScopeGuard([&] {
        view.Left = clamp32(view.Left - dx);
        view.Top = clamp32(view.Top - dy);
    });
    f();
}

void TrqReportBuilder::printView(TrqBand& band, TrqView& view, const CrossCell* cell)
{
    auto* memo = view.ObjectKind == okMemo ? static_cast<TrqMemoView*>(&view) : nullptr;
    const TrqMemoView::Layout mode = memo ? memo->LayoutMode : TrqMemoView::Layout::Normal;
    try {
        if (band.PageBreak || !drawingDisabled_) {
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

int32_t TrqReportBuilder::measureView(TrqBand& band, TrqStretcheable& view, const CrossCell* cell)
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
            prepareMemoText(*memo, true);
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
    if (crossBand_ && view.BandAlign == baWidth) {
        // Inside a cross band: the width of its column.
        view.Left = clamp32(shiftX_);
        view.Width = crossBand_->Width;
        return;
    }
    TrqPageBuild& pb = band.PageBuild;
    TrqPlacement where;
    where.Left = pb.Page.LeftMarginInEffect() + shiftX_;
    where.Right = pb.Columns > 1 ? where.Left + pb.ColumnWidth : pb.Page.RightMarginInEffect() + shiftX_;
    where.BandY = band.Y;
    where.BandHeight = band.CalculatedHeight >= 0 ? band.CalculatedHeight : band.Height;
    where.ShiftX = shiftX_;
    where.ShiftY = shiftY_;
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

AnsiString TrqReportBuilder::bracketValue(const TrqBracket& bracket, TrqView& view, bool tagFormat)
{
    ClearNameUnderEvaluation();
    // Blank rows evaluate only what holds "#" (LINE#, formatted values).
    if (blankMode_ && !bracket.HasHash) return AnsiString();
    int32_t code = tagFormat ? 0 : view.FormatCode;
    AnsiString pattern = view.FormatText;
    if (bracket.HasSuffix) {
        if (!bracket.SuffixError.empty()) throw EConvertError(bracket.SuffixError);
        if (bracket.SetsFormat) {
            code = bracket.Code;
            pattern = bracket.Pattern;
        }
    }
    Variant value(0);
    ResolveName(bracket.Expression, value);
    if (view.Flag(flHideZeros) && view.ObjectKind == okMemo && !value.IsString()) {
        try {
            if (value == Variant(0)) value = AnsiString();
        } catch (const std::exception&) {
            // A value that cannot be compared with 0 is shown as it is.
        }
    }
    context_->LastBracketValue = value;
    if (collecting_) return AnsiString();
    return FormatValue(value, code, pattern);
}

void TrqReportBuilder::expandMemo(TrqMemoView& memo)
{
    MemoLines& cache = memoLines_[&memo];
    TStringList& result = memo.MemoResult;
    result.Clear();
    const int count = memo.Memo.Count();
    if (cache.source.size() != static_cast<size_t>(count)) {
        cache.source.assign(static_cast<size_t>(count), AnsiString());
        cache.lines.assign(static_cast<size_t>(count), TrqBracketText());
    }
    const bool textOnly = memo.Flag(flTextOnly);
    for (int i = 0; i < count; ++i) {
        const AnsiString& line = memo.Memo[i];
        if (line.empty()) {
            result.Add(line);
            continue;
        }
        if (textOnly) {
            appendLines(result, line);
            continue;
        }
        const size_t k = static_cast<size_t>(i);
        if (cache.source[k] != line) {
            cache.lines[k] = TrqBracketText(line);
            cache.source[k] = line;
        }
        const TrqBracketText& text = cache.lines[k];
        if (!text.HasBrackets()) {
            appendLines(result, line);
            continue;
        }
        appendLines(result, text.Expand([&](const TrqBracket& b) { return bracketValue(b, memo, false); }));
    }
}

AnsiString TrqReportBuilder::expandTag(TrqView& view)
{
    if (view.Tag.find('[') == AnsiString::npos) return view.Tag;
    TrqBracketText text(view.Tag);
    // A memo's Tag is expanded as text, whatever the memo's own format.
    const bool asText = view.ObjectKind == okMemo;
    return text.Expand([&](const TrqBracket& b) { return bracketValue(b, view, asText); });
}

void TrqReportBuilder::loadDataField(TrqView& view)
{
    auto key = dataFieldKeys_.find(&view);
    if (key == dataFieldKeys_.end()) return;
    TrqFieldCache::Entry* entry = dataFields_.Find(key->second);
    TField* field = entry ? dataFields_.FieldOf(*entry) : nullptr;
    if (!field || !isBinary(field->DataType())) return;
    if (view.ObjectKind == okMemo) {
        view.MemoResult.SetText(field->AsString());
    } else if (auto* picture = dynamic_cast<TrqPictureView*>(&view)) {
        if (field->IsNull()) {
            picture->Picture.Clear();
            return;
        }
        switch (picture->BlobType) {
        case btICO: picture->Picture.Assign(gkIcon, field->AsString()); break;
        case btWMF: picture->Picture.Assign(gkMetafile, field->AsString()); break;
        // A JPEG blob has no graphic kind here; it is read as a bitmap would be.
        default: picture->Picture.Assign(gkBitmap, field->AsString()); break;
        }
    }
}

void TrqReportBuilder::appendToPage(TrqView& view)
{
    if (curPageIndex_ < firstUnpacked_) firstUnpacked_ = curPageIndex_;
    preparedPages().AppendView(curPageIndex_, view);
}

void TrqReportBuilder::prepareMemoText(TrqMemoView& memo, bool measuring)
{
    // A measure loads a binary field's text whether or not anyone listens to
    // OnBeforePrint; a print only for the event.
    const bool loads = measuring && dataFieldKeys_.count(&memo) > 0;
    if (!report_.OnBeforePrint && !loads) {
        expandMemo(memo);
        return;
    }
    memo.MemoResult.Assign(memo.Memo);
    loadDataField(memo);
    if (report_.OnBeforePrint) report_.OnBeforePrint(memo.MemoResult, &memo);
    // Text the field or the event replaced is printed as they left it.
    if (memo.MemoResult == memo.Memo) expandMemo(memo);
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
        prepareMemoText(memo, false);
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
    if (tagExpands) memo.Tag = expandTag(memo);
    placeByBandAlign(memo, band);
    // A cell as wide as its cross band keeps that width in the page.
    if (crossBand_ && memo.BandAlign == baWidth) memo.BandAlign = baNone;

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
        appendToPage(memo);
        return;
    }
    if (memo.Flag(flSuppress)) {
        AnsiString printed = memo.MemoResult.Text();
        if (memo.HasPrinted && printed == memo.LastPrinted) return;
        appendToPage(memo);
        memo.LastPrinted = std::move(printed);
        memo.HasPrinted = true;
        return;
    }
    appendToPage(memo);
}

void TrqReportBuilder::writeView(TrqBand& band, TrqView& view)
{
    placeByBandAlign(view, band);
    view.MemoResult.Assign(view.Memo);
    loadDataField(view);
    if (report_.OnBeforePrint) report_.OnBeforePrint(view.MemoResult, &view);
    runViewScript(view);
    if (!view.Visible) return;
    const AnsiString tag = view.Tag;
    auto restore = qScopeGuard([&] { view.Tag = tag; });
    view.Tag = expandTag(view);
    placeByBandAlign(view, band);
    appendToPage(view);
}
