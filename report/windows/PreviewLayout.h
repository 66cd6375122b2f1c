#pragma once
// How the preview lays prepared pages out in its page area: the zoom that a
// zoom mode gives, pages in rows of equal column count with 10 pixels around
// and between them, a single column centred, and the scroll ranges that reach
// every page. The layout writes each page's DisplayRect (pixels from the
// content origin); it needs no window.
//
// A damaged file may carry a paper of size 0 and a window may be tiny: the
// zoom then stays as it was, and it never falls below MinimumZoom.

#include <cstdint>

class TrqEMFPages;

enum TrqZoomMode : int { zmPercent = 0, zmPageWidth = 1, zmWholePage = 2, zmTwoPages = 3 };

inline constexpr double MinimumZoom = 0.01;

struct TrqPreviewLayout {
    double Zoom = 1.0;
    int Columns = 1;
    int32_t HMax = 0, VMax = 0;  // scroll ranges (0: the pages fit)
};

// Lays the first `count` pages out (all of them when count < 0) for an area of
// width x height pixels. The zoom of the modes that fit pages follows the
// paper of the page at currentIndex.
TrqPreviewLayout LayoutPreviewPages(TrqEMFPages& pages, int currentIndex, int zoomMode, double zoom, int width,
                                    int height, int count = -1);

// The index of the first of the first `count` pages (all when count < 0)
// whose DisplayRect has top < position + 11 < bottom (the page at the top of
// a view scrolled to position), or -1.
int PageAtScrollPosition(const TrqEMFPages& pages, int32_t position, int count = -1);
