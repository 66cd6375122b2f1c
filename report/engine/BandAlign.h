#pragma once
// Placing a view by its BandAlign while it is printed (report units):
//   baLeft    Left := right edge of the nearest baLeft view to its left on
//             the same line, else the left margin
//   baRight   Left := left edge of the nearest baRight view to its right
//             - Width - 1, else right margin - Width
//   baRest    Left as baLeft; Width reaches the nearest baRight view to its
//             right, else the right margin
//   baCenter  centred between the margins
//   baWidth   from the left margin to the right margin - 1
//   baTop     Top := the band's Y
//   baBottom  Top := the band's Y + its height - Height
// Views on the same line are the neighbours whose stored Top equals this
// view's; they are ordered by Left as stored (their position before this print).

#include <cstdint>
#include <vector>

class TrqView;

struct TrqPlacement {
    int64_t Left = 0;   // margins in effect, shifted like the view
    int64_t Right = 0;
    bool Vertical = true;  // baTop and baBottom apply (there is a band)
    int64_t BandY = 0;
    int64_t BandHeight = 0;
    // Added to a neighbour's stored position to compare it with the view's.
    int64_t ShiftX = 0;
    int64_t ShiftY = 0;
    const std::vector<TrqView*>* Neighbours = nullptr;
};

void PlaceByBandAlign(TrqView& view, const TrqPlacement& where);
