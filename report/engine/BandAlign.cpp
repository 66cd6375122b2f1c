#include "report/engine/BandAlign.h"

#include "report/model/View.h"

#include <algorithm>
#include <climits>

namespace {
int32_t clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// The nearest neighbour on the view's line with that alignment, to the left
// (toLeft) or to the right of the view; null when there is none.
const TrqView* nearest(const TrqView& view, const TrqPlacement& where, uint8_t align, bool toLeft)
{
    if (!where.Neighbours) return nullptr;
    const TrqView* best = nullptr;
    int64_t bestLeft = 0;
    for (const TrqView* n : *where.Neighbours) {
        if (n == &view || n->ObjectKind == okBand || n->BandAlign != align) continue;
        if (n->Top + where.ShiftY != view.Top) continue;
        const int64_t left = n->Left + where.ShiftX;
        if (toLeft ? left >= view.Left : left <= view.Left) continue;
        if (!best || (toLeft ? left > bestLeft : left < bestLeft)) {
            best = n;
            bestLeft = left;
        }
    }
    return best;
}
}  // namespace

void PlaceByBandAlign(TrqView& view, const TrqPlacement& where)
{
    auto leftEdge = [&] {
        const TrqView* n = nearest(view, where, baLeft, true);
        return n ? n->Left + where.ShiftX + n->Width : where.Left;
    };
    auto rightEdge = [&](int64_t fallback) {
        const TrqView* n = nearest(view, where, baRight, false);
        return n ? n->Left + where.ShiftX : fallback;
    };
    switch (view.BandAlign) {
    case baLeft: view.Left = clamp32(leftEdge()); break;
    case baRight: {
        const TrqView* n = nearest(view, where, baRight, false);
        view.Left = clamp32(n ? n->Left + where.ShiftX - view.Width - 1 : where.Right - view.Width);
        break;
    }
    case baRest: {
        const int64_t left = leftEdge();
        view.Left = clamp32(left);
        view.Width = clamp32(rightEdge(where.Right) - left);
        break;
    }
    case baCenter: view.Left = clamp32(where.Left + (where.Right - where.Left - view.Width) / 2); break;
    case baWidth:
        view.Left = clamp32(where.Left);
        view.Width = clamp32(where.Right - 1 - where.Left);
        break;
    case baTop:
        if (where.Vertical) view.Top = clamp32(where.BandY);
        break;
    case baBottom:
        if (where.Vertical) view.Top = clamp32(where.BandY + where.BandHeight - view.Height);
        break;
    default: break;
    }
}
