// The column control's visual properties and the metrics its layout pass
// reads from the fonts and options.
#include "grid/treelist/LayoutProperties.h"
#include "grid/treelist/TreeListControl.h"

#include <QApplication>
#include <QFontMetrics>

#include <algorithm>

namespace {
int textHeightOf(const TFont& font) { return QFontMetrics(font.ToQFont()).boundingRect(QStringLiteral("Wg")).height(); }
}  // namespace

void TCustomqvTreeListControl::measure()
{
    textHeight_ = textHeightOf(font_);
    headerTextHeight_ = textHeightOf(headerFont_);
    bandTextHeight_ = textHeightOf(bandFont_);
}

// Fonts decide the row and header heights: a new font is measured and the
// layout follows.
void TCustomqvTreeListControl::setFontOf(TFont& target, const TFont& font)
{
    if (target == font) return;
    target.Assign(font);
    measure();
    BeginUpdate();
    EndUpdate();
}

void TCustomqvTreeListControl::SetFont(const TFont& font) { setFontOf(font_, font); }
void TCustomqvTreeListControl::SetHeaderFont(const TFont& font) { setFontOf(headerFont_, font); }
void TCustomqvTreeListControl::SetBandFont(const TFont& font) { setFontOf(bandFont_, font); }
void TCustomqvTreeListControl::SetPreviewFont(const TFont& font) { setFontOf(previewFont_, font); }

void TCustomqvTreeListControl::SetColor(TColor value) { SetAndRepaint(*this, color_, value); }
void TCustomqvTreeListControl::SetHeaderColor(TColor value) { SetAndRepaint(*this, headerColor_, value); }
void TCustomqvTreeListControl::SetGridLineColor(TColor value) { SetAndRepaint(*this, gridLineColor_, value); }
void TCustomqvTreeListControl::SetHighlightColor(TColor value) { SetAndRepaint(*this, highlightColor_, value); }
void TCustomqvTreeListControl::SetHighlightTextColor(TColor value) { SetAndRepaint(*this, highlightTextColor_, value); }
void TCustomqvTreeListControl::SetBandColor(TColor value) { SetAndRepaint(*this, bandColor_, value); }
void TCustomqvTreeListControl::SetHideSelection(bool value) { SetAndRepaint(*this, hideSelection_, value); }
void TCustomqvTreeListControl::SetHideSelectionColor(TColor value) { SetAndRepaint(*this, hideSelectionColor_, value); }
void TCustomqvTreeListControl::SetHideSelectionTextColor(TColor value)
{
    SetAndRepaint(*this, hideSelectionTextColor_, value);
}
void TCustomqvTreeListControl::SetHideFocusRect(bool value) { SetAndRepaint(*this, hideFocusRect_, value); }
void TCustomqvTreeListControl::SetGroupNodeColor(TColor value) { SetAndRepaint(*this, groupNodeColor_, value); }
void TCustomqvTreeListControl::SetGroupNodeTextColor(TColor value) { SetAndRepaint(*this, groupNodeTextColor_, value); }
void TCustomqvTreeListControl::SetRowFooterColor(TColor value) { SetAndRepaint(*this, rowFooterColor_, value); }
void TCustomqvTreeListControl::SetRowFooterTextColor(TColor value) { SetAndRepaint(*this, rowFooterTextColor_, value); }
void TCustomqvTreeListControl::SetFixedBandLineColor(TColor value) { SetAndRepaint(*this, fixedBandLineColor_, value); }
void TCustomqvTreeListControl::SetArrowsColor(TColor value) { SetAndRepaint(*this, arrowsColor_, value); }

void TCustomqvTreeListControl::SetFixedBandLineWidth(int value)
{
    SetAndLayOut(*this, fixedBandLineWidth_, std::max(0, value));
}
void TCustomqvTreeListControl::SetLookAndFeel(TqvLookAndFeel value) { SetAndLayOut(*this, lookAndFeel_, value); }
void TCustomqvTreeListControl::SetShowGrid(bool value) { SetAndLayOut(*this, showGrid_, value); }
void TCustomqvTreeListControl::SetShowHeader(bool value) { SetAndLayOut(*this, showHeader_, value); }
void TCustomqvTreeListControl::SetShowBands(bool value) { SetAndLayOut(*this, showBands_, value); }
void TCustomqvTreeListControl::SetShowPreviewGrid(bool value) { SetAndLayOut(*this, showPreviewGrid_, value); }
void TCustomqvTreeListControl::SetDefaultRowHeight(int value) { SetAndLayOut(*this, defaultRowHeight_, std::max(0, value)); }
void TCustomqvTreeListControl::SetGrIndicatorWidth(int value) { SetAndLayOut(*this, grIndicatorWidth_, std::max(0, value)); }
void TCustomqvTreeListControl::SetPreviewLines(int value) { SetAndLayOut(*this, previewLines_, std::max(0, value)); }
void TCustomqvTreeListControl::SetIndentDesc(int value) { SetAndLayOut(*this, indentDesc_, std::max(0, value)); }

// ---- Metrics

int TCustomqvTreeListControl::BandRowHeight() const { return bandTextHeight_ + 5 + (IsFlat() ? 0 : 1); }

int TCustomqvTreeListControl::BandZoneHeight() const { return showBands_ ? BandRowHeight() * bandRowCount_ : 0; }

int TCustomqvTreeListControl::HeaderRowHeight() const
{
    int lines = 1;
    for (TqvTreeListColumn* c : columns_)
        if (c->IsShown()) lines = std::max(lines, c->HeaderMaxLineCount());
    return headerTextHeight_ * lines + 5 + (IsFlat() ? 0 : 1);
}

int TCustomqvTreeListControl::HeaderZoneHeight() const
{
    return showHeader_ ? HeaderRowHeight() * headerPanelRowCount_ : 0;
}

int TCustomqvTreeListControl::MinRowLineHeight() const
{
    // Room for the text and the expand button, a grid line, and the frame
    // that inverted selection draws around the row.
    int h = std::max(textHeight_ + 3, 16);
    if (showGrid_ && showPreviewGrid_) h += 1;
    if (IsInvertSelect()) h += 2;
    return h;
}

int TCustomqvTreeListControl::lineHeight() const { return std::max(MinRowLineHeight(), defaultRowHeight_); }

int TCustomqvTreeListControl::RowHeight() const { return lineHeight() * headerPanelRowCount_; }

int TCustomqvTreeListControl::DataTop() const { return BandZoneHeight() + HeaderZoneHeight() + StatusHeight(); }

bool TCustomqvTreeListControl::IsGridActive() const
{
    QWidget* focus = QApplication::focusWidget();
    return hasFocus() || (focus && isAncestorOf(focus));
}
