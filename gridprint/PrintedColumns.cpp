#include "gridprint/PrintedColumns.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {
// A report unit is 1/91.6256... inch (93 / 1.015 units to the inch).
constexpr double UnitsPerInch = 93.0 / 1.015;
constexpr double ScreenPixelsPerInch = 96.0;
}  // namespace

int32_t ScreenPixelsToUnits(int pixels)
{
    return static_cast<int32_t>(std::lround(pixels * UnitsPerInch / ScreenPixelsPerInch));
}

int32_t TqvPrintedColumns::RepeatedWidth() const
{
    return std::accumulate(Widths.begin(), Widths.begin() + Repeated, int32_t{0});
}

int32_t TqvPrintedColumns::TotalWidth() const { return std::accumulate(Widths.begin(), Widths.end(), int32_t{0}); }

TqvPrintedColumns LayOutPrintedColumns(const std::vector<int>& pixelWidths, int keyIndex, int repeat,
                                       int32_t printableWidth, bool fitToWidth)
{
    TqvPrintedColumns out;
    const int count = static_cast<int>(pixelWidths.size());
    if (count == 0) return out;
    std::vector<int32_t> units(pixelWidths.size());
    std::transform(pixelWidths.begin(), pixelWidths.end(), units.begin(),
                   [](int px) { return std::max<int32_t>(ScreenPixelsToUnits(px), 1); });

    std::vector<int> repeated;
    if (repeat < 0) repeated.push_back(keyIndex >= 0 && keyIndex < count ? keyIndex : 0);
    else
        for (int i = 0; i < std::min(repeat, count); ++i) repeated.push_back(i);

    const int64_t total = std::accumulate(units.begin(), units.end(), int64_t{0});
    const bool fits = total <= printableWidth || printableWidth <= 0;
    if (fitToWidth && !fits) out.Scale = double(printableWidth) / double(total);
    auto width = [&](int i) {
        return std::max<int32_t>(static_cast<int32_t>(std::floor(units[size_t(i)] * out.Scale)), 1);
    };
    // A repeat that leaves less than half the page to the other columns shrinks.
    auto repeatedWidth = [&] {
        int64_t sum = 0;
        for (int i : repeated) sum += width(i);
        return sum;
    };
    while (!repeated.empty() && repeatedWidth() * 2 > printableWidth && printableWidth > 0) repeated.pop_back();

    out.Order = repeated;
    for (int i = 0; i < count; ++i)
        if (std::find(repeated.begin(), repeated.end(), i) == repeated.end()) out.Order.push_back(i);
    out.Repeated = static_cast<int>(repeated.size());
    for (int i : out.Order) out.Widths.push_back(width(i));
    return out;
}
