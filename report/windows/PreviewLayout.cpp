#include "report/windows/PreviewLayout.h"

#include "report/canvas/Rect.h"
#include "report/pages/EMFPages.h"

#include <algorithm>

namespace {
constexpr int Gap = 10;

double modeZoom(int mode, double zoom, const PrinterPageInfo& info, int width, int height)
{
    const double pw = info.PaperWidthUnits, ph = info.PaperHeightUnits;
    double z = zoom;
    switch (mode) {
    case zmPageWidth:
        if (pw > 0) z = (width - 2 * Gap) / pw;
        break;
    case zmWholePage:
        if (ph > 0) z = (height - 2 * Gap) / ph;
        break;
    case zmTwoPages:
        if (pw > 0) z = (width - 3 * Gap) / (2 * pw);
        break;
    default: break;
    }
    return std::max(z, MinimumZoom);
}

int32_t scaled(int32_t units, double zoom) { return std::max(RoundToInt(units * zoom), 0); }
}  // namespace

TrqPreviewLayout LayoutPreviewPages(TrqEMFPages& pages, int currentIndex, int zoomMode, double zoom, int width,
                                    int height, int count)
{
    TrqPreviewLayout layout;
    layout.Zoom = std::max(zoom, MinimumZoom);
    count = count < 0 ? pages.Count() : std::min(count, pages.Count());
    if (count == 0) return layout;
    currentIndex = std::clamp(currentIndex, 0, count - 1);
    layout.Zoom = modeZoom(zoomMode, zoom, pages[currentIndex].PrnInfo, width, height);
    const double z = layout.Zoom;

    // As many pages to a row as fit; the widest row decides.
    int columns = 0, inRow = 0;
    int64_t x = Gap;
    for (int i = 0; i < count; ++i) {
        const int64_t next = x + scaled(pages[i].PrnInfo.PaperWidthUnits, z) + Gap;
        if (width < next) {
            columns = std::max(columns, inRow);
            x = Gap;
            inRow = 0;
        } else {
            x = next;
            ++inRow;
        }
    }
    columns = std::max({columns, inRow, 1});
    if (zoomMode == zmWholePage) columns = 1;
    if (zoomMode == zmTwoPages) columns = 2;
    layout.Columns = columns;

    int64_t y = Gap, maxRight = 0, maxBottom = 0;
    for (int row = 0; row * columns < count; ++row) {
        int64_t left = Gap, tallest = 0;
        for (int i = row * columns; i < std::min(count, (row + 1) * columns); ++i) {
            TrqPreparedPage& page = pages[i];
            const int32_t w = scaled(page.PrnInfo.PaperWidthUnits, z);
            const int32_t h = scaled(page.PrnInfo.PaperHeightUnits, z);
            const int64_t pageLeft = (columns == 1 && w < width) ? (width - w) / 2 : left;
            const auto clampPixel = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN / 2, INT32_MAX / 2)); };
            page.DisplayRect = {clampPixel(pageLeft), clampPixel(y), clampPixel(pageLeft + w), clampPixel(y + h)};
            left += w + Gap;
            tallest = std::max<int64_t>(tallest, h);
            maxRight = std::max<int64_t>(maxRight, page.DisplayRect.Right);
            maxBottom = std::max<int64_t>(maxBottom, page.DisplayRect.Bottom);
        }
        y += tallest + Gap;
    }
    const auto range = [](int64_t extent, int size) -> int32_t {
        const int64_t r = extent - size;
        return r < 0 ? 0 : static_cast<int32_t>(std::min<int64_t>(r + Gap, INT32_MAX / 2));
    };
    layout.HMax = range(maxRight, width);
    layout.VMax = range(maxBottom, height);
    return layout;
}

int PageAtScrollPosition(const TrqEMFPages& pages, int32_t position, int count)
{
    const int64_t probe = int64_t(position) + 11;
    count = count < 0 ? pages.Count() : std::min(count, pages.Count());
    for (int i = 0; i < count; ++i) {
        const TrqRect& r = pages[i].DisplayRect;
        if (r.Top < probe && probe < r.Bottom) return i;
    }
    return -1;
}
