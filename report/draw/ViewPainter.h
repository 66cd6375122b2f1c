#pragma once
// Begin and end of a view's drawing: TrqViewPainter scales and shifts the view
// onto the canvas for its lifetime and gives the view back its own geometry
// afterwards; in between it draws the background and the frame.
//
// While it lives the view's Left, Top, Width and Height are canvas pixels,
// FrameWidth is scaled, and GapX and GapY include half the frame. DrawRect is
// the inside of the frame; Right and Bottom are the edges of the view's box.

#include "report/canvas/Rect.h"

#include <cstdint>

class TrqCanvas;
class TrqView;

class TrqViewPainter {
public:
    TrqViewPainter(TrqView& view, TrqCanvas& canvas);
    ~TrqViewPainter();
    TrqViewPainter(const TrqViewPainter&) = delete;
    TrqViewPainter& operator=(const TrqViewPainter&) = delete;

    TrqView& View() const { return view_; }
    TrqCanvas& Canvas() const { return canvas_; }
    const TrqRect& DrawRect() const { return drawRect_; }
    // The right and bottom edges of the view's box on the canvas, before rounding.
    double RightF() const { return right_; }
    double BottomF() const { return bottom_; }
    int32_t Right() const;
    int32_t Bottom() const;

    void DrawBackground();
    void DrawFrame();

private:
    void drawSide(double x1, double y1, double x2, double y2, bool vertical);

    TrqView& view_;
    TrqCanvas& canvas_;
    // The view's own geometry, given back at the end.
    int32_t left_, top_, width_, height_, gapX_, gapY_;
    float frameWidth_;
    double right_ = 0, bottom_ = 0;
    TrqRect drawRect_;
};

// The rectangle, in report units, that a view and its frame cover; widened by
// 10 units on every side on request (finding the view under the mouse).
TrqRect ViewClipRect(const TrqView& view, bool widen);
