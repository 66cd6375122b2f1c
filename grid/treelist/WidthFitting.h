#pragma once
// Fitting widths to a given total: how AutoWidth shares the grid's width
// among its bands, and a band's width among the columns of a header row.
//
// Rules that are easy to break:
// - The items end exactly at the total: the last item takes what the others
//   leave.
// - No item gets less than its minimum, and none a negative width. When the
//   minimums alone need more than the total, every item gets its minimum
//   and the sum exceeds the total (the grid then scrolls horizontally).
// - Shares are proportional to the design widths, computed in 64 bits; when
//   the design widths add up to 0 every item counts as 1 (equal shares).
// - An item that cannot be sized keeps its design width (but not below its
//   minimum).

#include <cstdint>
#include <vector>

struct TqvFitItem {
    int design = 0;  // the width it would have without fitting
    int min = 0;     // never narrower than this
    bool sizable = true;
};

// The widths of `items` sharing `total` pixels.
std::vector<int> FitToWidth(int total, const std::vector<TqvFitItem>& items);
