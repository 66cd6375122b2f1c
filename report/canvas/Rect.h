#pragma once
// A rectangle in whole device pixels or report units, stored as its edges:
// Right and Bottom lie just outside it (a rectangle from 0 to 10 is 10 wide).

#include <cstdint>

class QRect;

struct TrqRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;

    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    // A point on the left or top edge is inside, one on the right or bottom edge is not.
    bool Contains(int32_t x, int32_t y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    bool operator==(const TrqRect&) const = default;

    QRect ToQRect() const;
};

// round(x) with halves to the even neighbour, held within the int32 range (a
// damaged file may carry any size).
int32_t RoundToInt(double x);
