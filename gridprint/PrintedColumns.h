#pragma once
// Which of a grid's shown columns a printed grid prints, in which order and
// how wide: the repeated columns (printed again at the left of every page a
// row continues on) lead, the others follow in the grid's order. Widths are
// the columns' widths on screen (pixels at 96 per inch) in report units, so a
// printed column is as wide on paper as it is on the screen.
//
// Rules that are easy to break:
// - Fitting to the page width only ever shrinks: the widths and the font
//   scale by the same factor, and the widths, rounded down, add up to no
//   more than the printable width (unless there are more columns than units).
// - Repeated columns take at most half the printable width (the last ones
//   are dropped from the repeat until they do), so that every continued page
//   keeps room for the other columns.
// - Every width is at least one unit.

#include <cstdint>
#include <vector>

struct TqvPrintedColumns {
    // Indexes into the shown columns, the repeated ones first.
    std::vector<int> Order;
    // Report units, in Order.
    std::vector<int32_t> Widths;
    // How many of Order are repeated.
    int Repeated = 0;
    // The factor fitting applied to widths and fonts (1 when none).
    double Scale = 1.0;

    int32_t RepeatedWidth() const;
    int32_t TotalWidth() const;
};

// Report units of a length of screen pixels at 96 per inch.
int32_t ScreenPixelsToUnits(int pixels);

// `pixelWidths` are the shown columns' widths in grid order. `repeat` < 0
// repeats the key column (keyIndex, or the first column when keyIndex < 0);
// otherwise the first `repeat` columns.
TqvPrintedColumns LayOutPrintedColumns(const std::vector<int>& pixelWidths, int keyIndex, int repeat,
                                       int32_t printableWidth, bool fitToWidth);
