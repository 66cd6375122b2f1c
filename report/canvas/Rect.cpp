#include "report/canvas/Rect.h"

#include <QRect>

#include <cmath>
#include <limits>

QRect TrqRect::ToQRect() const { return QRect(Left, Top, Width(), Height()); }

int32_t RoundToInt(double x)
{
    if (std::isnan(x)) return 0;
    double r = std::nearbyint(x);
    if (r >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (r <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}
