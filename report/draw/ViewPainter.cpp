#include "report/draw/ViewPainter.h"

#include "report/canvas/Canvas.h"
#include "report/draw/DrawState.h"
#include "report/model/View.h"
#include "runtime/Color.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {
// Device coordinates are held within a range that QRect and Qt's rasterizer
// can take; anything further out is off every page anyway.
constexpr int32_t CoordinateLimit = 1 << 24;

int32_t clampCoordinate(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, -CoordinateLimit, CoordinateLimit)); }

// The dash patterns of the frame styles, in pen widths.
QList<qreal> dashPattern(uint16_t style)
{
    switch (style) {
    case psDash: return {18, 6};
    case psDot: return {3, 3};
    case psDashDot: return {9, 6, 3, 6};
    case psDashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
    }
}

// A straight line `width` pixels thick along one axis, centred on `position`,
// from `from` to `to` inclusive; thick lines reach past their ends by half
// their width so that the sides of a frame meet at the corners.
void fillLine(QPainter& painter, bool vertical, int32_t position, int32_t from, int32_t to, int width,
              const QColor& color)
{
    width = std::max(width, 1);
    if (to < from) std::swap(from, to);
    int64_t across = int64_t(position) - width / 2;
    int64_t along = int64_t(from) - width / 2;
    int64_t length = int64_t(to) - from + width;
    int32_t a = clampCoordinate(across), b = clampCoordinate(along);
    int32_t l = clampCoordinate(along + length) - b;
    QRect rect = vertical ? QRect(a, b, width, l) : QRect(b, a, l, width);
    painter.fillRect(rect, color);
}
}  // namespace

TrqViewPainter::TrqViewPainter(TrqView& view, TrqCanvas& canvas)
    : view_(view),
      canvas_(canvas),
      left_(view.Left),
      top_(view.Top),
      width_(view.Width),
      height_(view.Height),
      gapX_(view.GapX),
      gapY_(view.GapY),
      frameWidth_(view.FrameWidth)
{
    const bool prepared = rqDrawState().Prepared();
    const double sx = prepared ? view.ScaleX : 1.0, sy = prepared ? view.ScaleY : 1.0;
    const int32_t ox = prepared ? view.OffsetX : 0, oy = prepared ? view.OffsetY : 0;
    const double fw = frameWidth_;
    view.Left = clampCoordinate(int64_t(RoundToInt(left_ * sx)) + ox);
    view.Top = clampCoordinate(int64_t(RoundToInt(top_ * sy)) + oy);
    view.Width = clampCoordinate(RoundToInt(sx * width_));
    view.Height = clampCoordinate(RoundToInt(sy * height_));
    view.FrameWidth = static_cast<float>(sx * fw);
    const int32_t a = RoundToInt(sx * fw / 2), b = RoundToInt(sy * fw / 2);
    view.GapX = clampCoordinate(int64_t(a) + RoundToInt(sx * gapX_));
    view.GapY = clampCoordinate(int64_t(RoundToInt(sy * gapY_)) + b / 2);
    const int32_t e = RoundToInt((sx * fw - 1) / 2), f = RoundToInt((sy * fw - 1) / 2);
    right_ = (double(left_) + width_) * sx + ox;
    bottom_ = (double(top_) + height_) * sy + oy;
    const uint16_t sides = view.FrameTyp;
    drawRect_.Left = clampCoordinate(int64_t(view.Left) + ((sides & rqftLeft) ? e : 0));
    drawRect_.Top = clampCoordinate(int64_t(view.Top) + ((sides & rqftTop) ? f : 0));
    drawRect_.Right = clampCoordinate(int64_t(Right()) - ((sides & rqftRight) ? a : 0) + 1);
    drawRect_.Bottom = clampCoordinate(int64_t(Bottom()) - ((sides & rqftBottom) ? b : 0) + 1);
}

TrqViewPainter::~TrqViewPainter()
{
    view_.Left = left_;
    view_.Top = top_;
    view_.Width = width_;
    view_.Height = height_;
    view_.GapX = gapX_;
    view_.GapY = gapY_;
    view_.FrameWidth = frameWidth_;
}

int32_t TrqViewPainter::Right() const { return clampCoordinate(RoundToInt(right_)); }
int32_t TrqViewPainter::Bottom() const { return clampCoordinate(RoundToInt(bottom_)); }

void TrqViewPainter::DrawBackground()
{
    const TrqDrawState& state = rqDrawState();
    if (state.DrawingDisabled) return;
    QPainter& painter = canvas_.Painter();
    if (state.Prepared()) {
        if (view_.FillColor == rqclNone) return;
        TrqRect box{view_.Left, view_.Top, Right(), Bottom()};
        painter.fillRect(box.ToQRect(), ToQColor(view_.FillColor));
    } else {
        painter.fillRect(drawRect_.ToQRect(), view_.FillColor == rqclNone ? QColor(Qt::white) : ToQColor(view_.FillColor));
    }
}

void TrqViewPainter::DrawFrame()
{
    const TrqDrawState& state = rqDrawState();
    if (state.DrawingDisabled) return;
    const uint16_t sides = view_.FrameTyp;
    if (state.Prepared() && (sides & (rqftLeft | rqftTop | rqftRight | rqftBottom)) == 0) return;
    const double left = view_.Left, top = view_.Top;
    if (sides & rqftRight) drawSide(right_, top, right_, bottom_, true);
    if (sides & rqftLeft) drawSide(left, top, left, bottom_, true);
    if (sides & rqftBottom) drawSide(left, bottom_, right_, bottom_, false);
    if (sides & rqftTop) drawSide(left, top, right_, top, false);
}

void TrqViewPainter::drawSide(double x1, double y1, double x2, double y2, bool vertical)
{
    QPainter& painter = canvas_.Painter();
    const int width = std::clamp(RoundToInt(view_.FrameWidth), 0, 1000);
    const QColor frameColor = ToQColor(view_.FrameColor);
    const int32_t position = clampCoordinate(RoundToInt(vertical ? x1 : y1));
    const int32_t from = clampCoordinate(RoundToInt(vertical ? y1 : x1));
    const int32_t to = clampCoordinate(RoundToInt(vertical ? y2 : x2));
    const uint16_t style = view_.FrameStyle;

    if (style == psDouble) {
        fillLine(painter, vertical, position - width, from, to, width, frameColor);
        if (view_.FillColor != rqclNone) fillLine(painter, vertical, position, from, to, width, ToQColor(view_.FillColor));
        fillLine(painter, vertical, position + width, from, to, width, frameColor);
        return;
    }
    QList<qreal> dashes = dashPattern(style);
    if (dashes.isEmpty()) {
        fillLine(painter, vertical, position, from, to, width, frameColor);
        return;
    }
    // A dashed side is as many one-pixel dashed lines as the frame is wide,
    // with the fill colour in the gaps.
    const qreal unit = std::max(1.0, canvas_.PixelsPerInch() / 96.0);
    for (qreal& d : dashes) d *= unit;
    QPen pen(frameColor, 1);
    pen.setCapStyle(Qt::FlatCap);
    pen.setDashPattern(dashes);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(pen);
    if (view_.FillColor != rqclNone) {
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(ToQColor(view_.FillColor));
    } else {
        painter.setBackgroundMode(Qt::TransparentMode);
    }
    const int count = std::max(width, 1);
    const qreal a = clampCoordinate(std::min(from, to)), b = clampCoordinate(int64_t(std::max(from, to)) + 1);
    for (int i = 0; i < count; ++i) {
        qreal p = clampCoordinate(int64_t(position) + i - width / 2) + 0.5;
        painter.drawLine(vertical ? QLineF(p, a, p, b) : QLineF(a, p, b, p));
    }
    painter.restore();
}

TrqRect ViewClipRect(const TrqView& view, bool widen)
{
    const double fw = view.FrameWidth;
    const bool isDouble = view.FrameStyle == psDouble;
    const int64_t left = view.Left, top = view.Top, right = left + view.Width, bottom = top + view.Height;
    int64_t l, t, r, b;
    if (view.ObjectKind == okLine) {
        // A line covers its thickness only.
        const int64_t k = static_cast<int64_t>(std::clamp(fw * (isDouble ? 1.5 : 0.5), 0.0, 1e6));
        if (view.Width > view.Height) l = left, t = top - k, r = right + 1, b = top + k + 1;
        else l = left - k, t = top, r = left + k + 1, b = bottom + 1;
    } else {
        const int64_t h = isDouble ? RoundToInt(fw * 1.5) : RoundToInt(fw / 2);
        const int64_t g = isDouble ? RoundToInt(fw + (fw - 1) / 2) : RoundToInt((fw - 1) / 2);
        const uint16_t sides = view.FrameTyp;
        l = left - ((sides & rqftLeft) ? h : 0);
        t = top - ((sides & rqftTop) ? h : 0);
        r = right + ((sides & rqftRight) ? g + 1 : 1);
        b = bottom + ((sides & rqftBottom) ? g + 1 : 1);
    }
    const int64_t grow = widen ? 10 : 0;
    auto fit = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    return {fit(l - grow), fit(t - grow), fit(r + grow), fit(b + grow)};
}
