// Drawing a memo: automatic width, layout at scale 1, background, frame and
// underlines at the canvas's scale, then the lines, aligned and placed.
#include "report/canvas/Canvas.h"
#include "report/draw/DrawState.h"
#include "report/draw/MemoLayout.h"
#include "report/draw/TextMeasure.h"
#include "report/draw/ViewPainter.h"
#include "report/model/MemoView.h"
#include "runtime/Color.h"
#include "runtime/StringList.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
constexpr int64_t MaxUnderlines = 10000;

// Distances on the canvas are held where int arithmetic cannot overflow; a
// damaged file may carry any spacing.
int32_t limited(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, -(1 << 24), 1 << 24)); }

// The memo font's character height on a canvas: printers take the size in
// points at their resolution; other canvases the size at 96 pixels per inch
// times the vertical scale, rounded at scale 1 and cut off otherwise.
int fontPixels(const TrqMemoView& memo, const TrqCanvas& canvas, double scaleY)
{
    if (canvas.IsPrinter()) return limited(RoundToInt(memo.Font.Size * double(canvas.PixelsPerInch()) / 72.0));
    const double h = memo.Font.Size * 96.0 / 72.0 * scaleY;
    if (scaleY == 1.0) return RoundToInt(h);
    return static_cast<int>(std::clamp(std::trunc(h), -1e6, 1e6));
}


double effectiveScale(double scale) { return rqDrawState().Prepared() ? scale : 1.0; }

// The memo's text as one block for measuring its automatic width: without the
// end-of-paragraph marks and without the final line break.
std::vector<AnsiString> autoWidthLines(const TStringList& memo)
{
    AnsiString text = memo.Text();
    text.erase(std::remove(text.begin(), text.end(), ParagraphMark), text.end());
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
    std::vector<AnsiString> lines;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    return lines;
}

struct TextOutput {
    TrqMemoView& memo;
    TrqViewPainter& vp;
    const TrqTextMeasure& measure;
    int fontPixels;

    // Draws a line at (x, y), the top left corner of its text; `extra` pixels
    // are spread over its spaces (justified text). Turned text runs upwards
    // from (x, y).
    void draw(const AnsiString& text, double x, double y, int extra, bool turned)
    {
        QPainter& painter = vp.Canvas().Painter();
        const int width = measure.Width(text);
        if (vp.Canvas().OnTextOut) {
            TrqRect box = turned ? TrqRect{RoundToInt(x), RoundToInt(y - width - extra), RoundToInt(x + fontPixels),
                                           RoundToInt(y)}
                                 : TrqRect{RoundToInt(x), RoundToInt(y), RoundToInt(x + width + extra),
                                           RoundToInt(y + fontPixels)};
            vp.Canvas().OnTextOut(text, box);
        }
        // Turned text is drawn in a turned system; level text where it stands,
        // without a change of the painter's state per line (a PDF records each).
        if (turned) {
            painter.save();
            painter.translate(x, y);
            painter.rotate(-90);
            x = y = 0;
        }
        const double baseline = y + measure.Ascent();
        const size_t spaces = extra > 0 ? std::count(text.begin(), text.end(), ' ') : 0;
        if (spaces == 0) {
            painter.drawText(QPointF(x, baseline), AnsiToQString(text));
        } else {
            // Each space takes its share of the spare width, the first ones a pixel more.
            double at = x;
            size_t start = 0, seen = 0;
            for (size_t i = 0; i <= text.size(); ++i) {
                if (i < text.size() && text[i] != ' ') continue;
                size_t end = std::min(i + 1, text.size());
                std::string_view piece(text.data() + start, end - start);
                painter.drawText(QPointF(at, baseline), AnsiToQString(piece));
                at += measure.WidthF(piece);
                if (i < text.size()) at += extra / int(spaces) + (seen++ < size_t(extra % int(spaces)) ? 1 : 0);
                start = end;
            }
        }
        if (turned) painter.restore();
    }
};

bool paragraphEnd(AnsiString& line)
{
    if (line.empty() || line.back() != ParagraphMark) return false;
    line.pop_back();
    return true;
}
}  // namespace

void TrqMemoView::Draw(TrqCanvas& canvas)
{
    TrqDrawState& state = rqDrawState();
    LinesDrawn = 0;
    if (Flag(flAutoWidth) && state.Prepared() && !Memo.IsEmpty()) {
        // The memo takes the width of its widest line (a turned memo its height).
        const double sx = effectiveScale(ScaleX), sy = effectiveScale(ScaleY);
        const int px = fontPixels(*this, canvas, sy);
        const int spacing = RoundToInt(CharSpacing * sx);
        auto measure = TextMeasure(MemoQFont(Font, px, spacing), spacing, canvas.Painter().device());
        double widest = 0;
        for (const AnsiString& line : autoWidthLines(Memo)) widest = std::max(widest, measure->WidthF(line));
        const int32_t w = RoundToInt(std::ceil(widest) / sx + FrameWidth + 2.0 * GapX + 1);
        if (Alignment & rqtaVertical) {
            Height = w;
        } else {
            if (Alignment & rqtaRight) Left = limited(int64_t(Left) + Width - w);
            Width = w;
        }
    }
    if (state.ApplyBandAlign) state.ApplyBandAlign(*this);
    TrqMemoLayout layout;
    if (!Memo.IsEmpty()) layout = LayoutMemo(*this, Memo);

    TrqViewPainter vp(*this, canvas);
    const double sx = effectiveScale(ScaleX), sy = effectiveScale(ScaleY);
    const int px = fontPixels(*this, canvas, sy);
    const int spacing = RoundToInt(CharSpacing * sx);
    const QFont font = MemoQFont(Font, px, spacing);
    auto measure = TextMeasure(font, spacing, canvas.Painter().device());
    QPainter& painter = canvas.Painter();

    vp.DrawBackground();
    vp.DrawFrame();
    const int32_t lineStepY = limited(int64_t(RoundToInt(LineSpacing * sy)) + px);
    if (Flag(flUnderlines) && lineStepY > 0 && !state.DrawingDisabled) {
        const int lineWidth = std::clamp(RoundToInt(FrameWidth), 1, 1000);
        const QColor color = ToQColor(FrameColor);
        // A damaged file may ask for more rules than any page holds.
        const int64_t count = std::min<int64_t>(Height / lineStepY, MaxUnderlines);
        for (int64_t i = 0; i < count; ++i) {
            const int64_t y = int64_t(Top) + GapY + i * lineStepY + RoundToInt(sy * 2) + px;
            if (y > (1 << 24)) break;
            painter.fillRect(QRect(Left, static_cast<int>(y) - lineWidth / 2, vp.Right() - Left + 1, lineWidth), color);
        }
    }
    if (layout.Lines.empty()) return;

    const bool vertical = Alignment & rqtaVertical;
    const int32_t savedLeft = Left, savedTop = Top, savedAlignment = Alignment;
    const int32_t lines = static_cast<int32_t>(std::min<size_t>(layout.Lines.size(), INT32_MAX));
    const int64_t spacingScaled = limited(RoundToInt(LineSpacing * (vertical ? sx : sy)));
    const int64_t block = (spacingScaled + px) * lines;
    if (Alignment & (rqtaMiddle | rqtaDown)) {
        const bool middle = Alignment & rqtaMiddle;
        Alignment &= ~(rqtaMiddle | rqtaDown);
        int64_t move = 0;
        if (!vertical && !ClipLines)
            move = middle ? (Height + spacingScaled - block) / 2 : Height + spacingScaled - block - 2 * int64_t(GapY);
        else if (vertical)
            move = middle ? (Width + spacingScaled - block) / 2 : Width + spacingScaled - block - 2 * int64_t(GapY) - 2;
        (vertical ? Left : Top) = limited(int64_t(vertical ? Left : Top) + move);
    }

    painter.save();
    // A clip costs a path in a PDF: level text that stays inside the memo needs none.
    const TrqRect& d = vp.DrawRect();
    const int horizontal = Alignment & 3;
    bool clip = vertical || ClipLines || horizontal == rqtaJustify ||
                double(Top) + GapY + double(lineStepY) * lines > d.Bottom;
    for (size_t i = 0; i < layout.Lines.size() && !clip; ++i) {
        std::string_view text = layout.Lines[i];
        if (!text.empty() && text.back() == ParagraphMark) text.remove_suffix(1);
        const int64_t tw = measure->Width(text);
        double x = Left + GapX;
        if (horizontal == rqtaRight) x = double(Left) + d.Width() - GapX - tw - 1;
        else if (horizontal == rqtaCenter) x = Left + GapX + (d.Width() - 2 * GapX - tw) / 2;
        clip = x < d.Left || x + tw > d.Right;
    }
    if (clip) painter.setClipRect(d.ToQRect(), Qt::IntersectClip);
    painter.setFont(font);
    painter.setPen(ToQColor(Font.Color));
    painter.setBackgroundMode(Qt::TransparentMode);
    TextOutput out{*this, vp, *measure, px};
    if (!vertical) {
        double y = double(Top) + GapY;
        const int drawWidth = d.Width();
        for (AnsiString line : layout.Lines) {
            if (ClipLines && d.Bottom < y + lineStepY) break;
            const bool end = paragraphEnd(line);
            const int64_t tw = measure->Width(line);
            double x = Left + GapX;
            int extra = 0;
            if (horizontal == rqtaRight) x = double(Left) + drawWidth - GapX - tw - 1;
            else if (horizontal == rqtaCenter) x = Left + GapX + (drawWidth - 2 * GapX - tw) / 2;
            else if (horizontal == rqtaJustify && !end) extra = limited(std::max<int64_t>(0, drawWidth - 2 * GapX - tw));
            out.draw(line, x, y, extra, false);
            ++LinesDrawn;
            y += lineStepY;
            if (y > d.Bottom + 1e6) break;  // every further line is far below the view
        }
    } else {
        const int32_t step = limited(int64_t(RoundToInt(LineSpacing * sx)) + px);
        double x = double(Left) + GapX;
        const int drawHeight = d.Height();
        for (AnsiString line : layout.Lines) {
            const bool end = paragraphEnd(line);
            const int64_t tw = measure->Width(line);
            double y = d.Bottom - GapY;
            int extra = 0;
            if (horizontal == rqtaRight) y = double(tw) + Top + GapY;
            else if (horizontal == rqtaCenter) y = d.Bottom - GapY - (drawHeight - 2 * GapY - tw) / 2 - 1;
            else if (horizontal == rqtaJustify) {
                y = double(Top) + drawHeight - GapY;
                if (!end) extra = limited(std::max<int64_t>(0, drawHeight - 2 * GapY - tw));
            }
            out.draw(line, x, y, extra, true);
            ++LinesDrawn;
            x += step;
            if (x > d.Right + 1e6) break;
        }
    }
    painter.restore();
    Left = savedLeft;
    Top = savedTop;
    Alignment = savedAlignment;
}

int32_t TrqMemoView::MeasureHeight() { return LayoutMemo(*this, MemoResult).TextHeight; }

int32_t TrqMemoView::MinimumHeight()
{
    return RoundToInt(2.0 * RoundToInt(FrameWidth) + LineSpacing + MemoFontPixels(Font.Size) + 2.0 * GapY);
}

int32_t TrqMemoView::RemainderHeight()
{
    const int64_t frame = RoundToInt(FrameWidth);
    const int64_t base = 2 * int64_t(GapY) + 2 * frame;
    const int64_t lineHeight = int64_t(LineSpacing) + MemoFontPixels(Font.Size);
    if (lineHeight <= 0) return static_cast<int32_t>(std::clamp<int64_t>(base, INT32_MIN, INT32_MAX));
    const int64_t rest = (int64_t(Height) - 2 * frame - 2 * int64_t(GapY)) % lineHeight;
    return static_cast<int32_t>(std::clamp<int64_t>(base + rest, INT32_MIN, INT32_MAX));
}
