#include "report/engine/BuildContext.h"

#include "report/canvas/Canvas.h"
#include "report/canvas/Rect.h"
#include "report/draw/MemoLayout.h"
#include "report/draw/TextMeasure.h"
#include "report/engine/ReportBuilder.h"
#include "report/model/MemoView.h"
#include "report/windows/ProgressForm.h"
#include "runtime/Application.h"

#include <algorithm>
#include <climits>

namespace {
int clampInt(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

// The width a memo's text needs: its widest line, its frame and gaps.
int calcWidth(TrqView& view)
{
    auto* memo = dynamic_cast<TrqMemoView*>(&view);
    if (!memo) return view.Width;
    auto measure = TextMeasure(MemoQFont(memo->Font, MemoFontPixels(memo->Font.Size), memo->CharSpacing),
                               memo->CharSpacing, ScratchDevice());
    double widest = 0;
    for (int i = 0; i < memo->MemoResult.Count(); ++i) widest = std::max(widest, measure->WidthF(memo->MemoResult[i]));
    return RoundToInt(widest + memo->FrameWidth + 2 * memo->GapX + 1);
}
}  // namespace

bool TrqBuildContext::GetDictionaryVariable(const AnsiString& name, Variant& value)
{
    return builder_.lookup_.Get(name, value);
}

bool TrqBuildContext::SetDictionaryVariable(const AnsiString& name, const Variant& value)
{
    return builder_.lookup_.Set(name, value);
}

Variant TrqBuildContext::BuildValue(TrqBuildValue which)
{
    const TrqPageBuild* pb = builder_.pb_;
    const TrqBand* band = builder_.band_;
    // A band without a dataset of its own counts with the first band of its chain.
    if (band && !band->Dataset() && band->PageBuild.Chain(band->Kind)) band = band->PageBuild.Chain(band->Kind);
    switch (which) {
    case TrqBuildValue::LastBracketValue: return LastBracketValue;
    case TrqBuildValue::PageNumber: return builder_.run_.CurPageIndex + 1;
    case TrqBuildValue::StartDate: return Variant::FromDateTime(builder_.run_.StartDate);
    case TrqBuildValue::StartTime: return Variant::FromDateTime(builder_.run_.StartTime);
    case TrqBuildValue::Line: return band ? band->Line : 0;
    case TrqBuildValue::LineThrough: return band ? band->LineThrough : 0;
    case TrqBuildValue::Column: return pb ? pb->ColumnNo : 0;
    case TrqBuildValue::Current: return pb ? pb->CurrentNo : 0;
    case TrqBuildValue::TotalPages: return builder_.run_.TotalPages;
    case TrqBuildValue::CalcWidth: return Report().CurrentView() ? calcWidth(*Report().CurrentView()) : 0;
    case TrqBuildValue::CurY: return pb ? clampInt(pb->CurY) : 0;
    case TrqBuildValue::FreeSpace: return pb ? clampInt(pb->Bottom - pb->CurY) : 0;
    case TrqBuildValue::FinalPass: return Report().FinalPass;
    case TrqBuildValue::PageHeight: return pb ? clampInt(pb->Bottom) : 0;
    case TrqBuildValue::PageWidth: return pb ? pb->Page.RightMarginInEffect() : 0;
    }
    return Variant(0);
}

void TrqBuildContext::StopReport()
{
    TrqReportScriptContext::StopReport();
    builder_.run_.StoppedByScript = true;
}

void TrqBuildContext::RequestNewPage()
{
    if (builder_.band_) ++builder_.band_->NewPageRequests;
}

void TrqBuildContext::RequestNewColumn()
{
    if (builder_.band_) ++builder_.band_->NewColumnRequests;
}

void TrqBuildContext::ShowBand(const AnsiString& name) { builder_.showBandByName(name); }

void TrqBuildContext::SetModalResult(int result)
{
    // Only the window of the dialog page being run takes it.
    builder_.dialogPages_.SetModalResult(result);
}

void TrqBuildContext::SetCurY(int y)
{
    if (!builder_.pb_) return;
    builder_.pb_->CurY = y;
    if (TrqBand* band = builder_.band_; band && (band->NewPageRequests > 0 || band->NewColumnRequests > 0))
        band->KeepCurY = true;
}

void TrqBuildContext::SetProgressText(const AnsiString& text)
{
    if (builder_.run_.Progress) builder_.run_.Progress->SetLabel2(text);
    Application().ProcessMessages();
}

bool TrqBuildContext::CollectingAggregates() { return builder_.aggregates_.Collecting(); }

void TrqBuildContext::CallAggregate(TrqAggregateFunction function, const Variant& p1, const Variant& p2,
                                    const Variant& p3, Variant& value)
{
    builder_.aggregates_.Call(function, p1, p2, p3, value);
}
