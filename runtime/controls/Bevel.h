#pragma once
// The bevel lines of panels and status bars: `width` rings, each one pixel
// inside the last. Each ring has its top and left edge in `topLeft` and its
// right and bottom edge in `bottomRight`; the bottom-left and top-right
// corner pixels belong to the right and bottom edges. `rect` shrinks by
// `width` on every side, so the next bevel (or the face) goes inside.

#include <QColor>
#include <QRect>

class QPainter;

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

void Frame3D(QPainter& canvas, QRect& rect, const QColor& topLeft, const QColor& bottomRight, int width);
