#include "grid/treelist/WidthFitting.h"

#include <algorithm>

std::vector<int> FitToWidth(int total, const std::vector<TqvFitItem>& items)
{
    const size_t n = items.size();
    std::vector<int> widths(n, 0);
    if (n == 0) return widths;
    auto minOf = [&](size_t i) { return std::max(0, items[i].min); };
    auto designOf = [&](size_t i) { return std::max(minOf(i), items[i].design); };

    int64_t sumMin = 0, sumDesign = 0;
    bool anySizable = false;
    for (size_t i = 0; i < n; ++i) {
        sumMin += minOf(i);
        sumDesign += designOf(i);
        anySizable = anySizable || items[i].sizable;
    }
    if (!anySizable) {
        for (size_t i = 0; i < n; ++i) widths[i] = designOf(i);
        return widths;
    }
    // Too narrow for the minimums: everyone gets the minimum, and the sum
    // exceeds the total.
    const int64_t t = std::max<int64_t>({int64_t(total), sumMin, 0});
    // Equal shares when there are no widths to be proportional to.
    const bool equal = sumDesign <= 0;
    auto weight = [&](size_t i) -> int64_t { return equal ? 1 : designOf(i); };
    const int64_t sumWeight = equal ? int64_t(n) : sumDesign;

    std::vector<int64_t> share(n);
    bool minsBelowShares = true;
    for (size_t i = 0; i < n; ++i) {
        share[i] = t * weight(i) / sumWeight;
        if (items[i].sizable && minOf(i) >= share[i]) minsBelowShares = false;
    }
    int64_t weightBelow = 0;  // weights of the items whose minimum is below their share
    if (!minsBelowShares)
        for (size_t i = 0; i < n; ++i)
            if (items[i].sizable && minOf(i) < share[i]) weightBelow += weight(i);

    int64_t used = 0;
    for (size_t i = 0; i + 1 < n; ++i) {
        int64_t w;
        if (!items[i].sizable)
            w = designOf(i);
        else if (minsBelowShares)
            w = share[i];
        else if (minOf(i) >= share[i] || weightBelow == 0)
            w = minOf(i);
        else
            w = minOf(i) + (t - sumMin) * weight(i) / weightBelow;
        w = std::max<int64_t>(w, minOf(i));
        widths[i] = static_cast<int>(std::min<int64_t>(w, INT32_MAX));
        used += widths[i];
    }
    // The last takes the rest, so that the items end exactly at the total.
    int64_t last = std::max<int64_t>(t - used, minOf(n - 1));
    widths[n - 1] = static_cast<int>(std::min<int64_t>(last, INT32_MAX));
    return widths;
}
