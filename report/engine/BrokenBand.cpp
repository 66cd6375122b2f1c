// A band that may break across pages (Breaked): what fits prints on the page,
// memos and lines are cut between whole text lines, and the rest goes on at
// the top of the next page.
//
// Every view keeps its place in the band as if the band were not broken (its
// virtual top and bottom); each page shows the next `free` units of the band.
// A view that ends inside that window prints whole; a memo or line that runs
// past it prints the part that fits and goes on at the top of the next page;
// any other view moves to the next page. A part of a memo carries its own
// frame and gaps and uses whole lines only, so what it leaves for the next
// page may need more room than the band had planned: the views below it (those
// whose Left lies within its width) move down by the difference, as do the
// views below a view that moved to the next page.
//
// Every page makes progress: a view that cannot be placed at the top of a
// fresh page (taller than the page, a text line taller than the page, no free
// space at all) prints there clipped to what is free, and the band goes on.
// The parts of a memo are cut from the lines its measure laid out, so they
// hold every line once.
#include "report/engine/ReportBuilder.h"

#include "report/canvas/Rect.h"
#include "report/draw/MemoLayout.h"
#include "report/model/MemoView.h"

#include <QScopeGuard>

#include <algorithm>
#include <climits>

namespace {
int32_t clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

struct Piece {
    TrqView* view = nullptr;
    TrqMemoView* memo = nullptr;  // memos and lines may be cut
    bool cuttable = false;
    int32_t top = 0, height = 0;  // as the band holds them, given back at the end
    int64_t vTop = 0, vBottom = 0;
    bool started = false;  // a part of it printed already
    bool done = false;
    bool kept = false;  // a stretched view's rest: printed at the end with the band's final height

    size_t linesLeft() const { return memo ? memo->LaidOut.size() - std::min(memo->PartFrom, memo->LaidOut.size()) : 0; }
};

int64_t lineHeight(const TrqMemoView& memo) { return int64_t(memo.LineSpacing) + MemoFontPixels(memo.Font.Size); }

// Frame and gaps of one part of a memo.
int64_t partOverhead(const TrqMemoView& memo)
{
    return 2 * int64_t(RoundToInt(memo.FrameWidth)) + 2 * int64_t(memo.GapY);
}

// The whole lines of a memo that fit in `height`.
size_t linesFitting(const Piece& p, int64_t height)
{
    const int64_t step = lineHeight(*p.memo);
    if (step <= 0) return p.linesLeft();
    const int64_t n = (height - partOverhead(*p.memo)) / step;
    return static_cast<size_t>(std::clamp<int64_t>(n, 0, static_cast<int64_t>(p.linesLeft())));
}

// The room a memo's remaining lines need as a part of their own.
int64_t restNeeded(const Piece& p)
{
    const size_t left = p.linesLeft();
    return left == 0 ? 0 : partOverhead(*p.memo) + int64_t(left) * lineHeight(*p.memo);
}
}  // namespace

void TrqReportBuilder::drawBroken(TrqBand& band)
{
    TrqPageBuild& pb = band.PageBuild;
    // A band printed by a break or on a sub-report page does not break again.
    if (breakDepth_ > 0 || onSubReportPage(pb) || band.Y + band.MaxHeight + columnFooterHeight() <= pb.Bottom) {
        drawObjects(band);
        if (band.HasCrossCells && !report_.Terminated) crossTab_.DrawCells(band);
        if (!band.SubReportsRan) pb.CurY += band.MaxHeight;
        return;
    }

    std::vector<Piece> pieces;
    for (TrqView* view : band.Objects) {
        if (view->ObjectKind == okSubReport || pb.CrossBandOf.count(view)) continue;
        Piece p;
        p.view = view;
        p.memo = view->ObjectKind == okMemo ? static_cast<TrqMemoView*>(view) : nullptr;
        p.cuttable = dynamic_cast<TrqStretcheable*>(view) != nullptr;
        p.top = view->Top;
        p.height = view->Height;
        p.vTop = view->Top;
        p.vBottom = int64_t(view->Top) + view->Height;
        pieces.push_back(p);
    }
    auto restore = qScopeGuard([&] {
        for (Piece& p : pieces) {
            p.view->Top = p.top;
            p.view->Height = p.height;
        }
    });
    // Memos are measured once: their text and lines serve every part.
    for (Piece& p : pieces) {
        if (!p.memo || report_.Terminated) continue;
        measureView(band, *p.memo);
        if (!p.memo->Visible) p.done = true;
    }

    // Prints a view at `top` on this page, `height` high; a memo prints
    // `lines` of its laid-out lines, or its whole text when it is not cut.
    auto print = [&](Piece& p, int64_t top, int64_t height, size_t lines, bool part) {
        p.view->Top = clamp32(top);
        p.view->Height = clamp32(std::max<int64_t>(height, 0));
        if (p.memo) {
            p.memo->LayoutMode = part ? TrqMemoView::Layout::Part : TrqMemoView::Layout::Measure;
            p.memo->PartLines = lines;
        }
        printView(band, *p.view);
    };
    // Moves the views below `p` that lie within its width down by `delta`.
    auto pushBelow = [&](const Piece& p, int64_t oldBottom, int64_t delta) {
        if (delta <= 0) return;
        const int64_t left = p.view->Left, right = left + p.view->Width;
        for (Piece& q : pieces)
            if (&q != &p && !q.done && !q.started && q.vTop >= oldBottom && q.view->Left >= left && q.view->Left < right) {
                q.vTop += delta;
                q.vBottom += delta;
            }
    };

    int64_t start = 0;  // where this page's window begins in the unbroken band
    bool fresh = freshPage_;
    int64_t lowest = 0;  // the lowest bottom printed on the page
    for (;;) {
        const int64_t free = pb.Bottom - columnFooterHeight() - band.Y - 2;
        const int64_t windowEnd = start + std::max<int64_t>(free, 0);
        lowest = 0;
        bool progress = false;
        std::stable_sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) { return a.vTop < b.vTop; });

        // A part printed: the rest goes on at the top of the next page.
        auto cut = [&](Piece& p, int64_t top, int64_t height, bool forced) {
            const size_t lines = p.memo ? std::max<size_t>(linesFitting(p, height), forced ? 1 : 0) : 0;
            print(p, top, height, std::min(lines, p.linesLeft()), true);
            p.started = true;
            // A memo forced out line by line is done with its last line: what
            // is left of its box is room it could not use.
            if (forced && p.memo && p.linesLeft() == 0) p.done = true;
            const int64_t oldBottom = p.vBottom;
            p.vBottom = std::max(p.vBottom, windowEnd + restNeeded(p));
            pushBelow(p, oldBottom, p.vBottom - oldBottom);
            lowest = std::max(lowest, top + height);
            progress = true;
        };
        auto canCut = [&](const Piece& p, int64_t height) {
            if (!p.cuttable || height < 1) return false;
            return !p.memo || p.linesLeft() == 0 || linesFitting(p, height) >= 1;
        };
        // Nothing can be gained by waiting for a later page: printed clipped.
        auto force = [&](Piece& p, int64_t top) {
            const int64_t height = std::max<int64_t>(free - top, 1);
            if (p.memo && p.linesLeft() > 0) {
                cut(p, top, height, true);
                return;
            }
            print(p, top, std::min<int64_t>(p.vBottom - std::max(p.vTop, start), height), p.linesLeft(), p.started);
            p.done = true;
            lowest = std::max(lowest, top + height);
            progress = true;
        };

        for (Piece& p : pieces) {
            if (report_.Terminated) break;
            if (p.done || p.kept) continue;
            if (p.started) {
                // The rest of a cut view, from the top of the page.
                const int64_t rest = p.vBottom - start;
                if (rest <= free) {
                    if (p.view->Flag(flStretched)) {
                        p.kept = true;
                        progress = true;
                        continue;
                    }
                    print(p, 0, rest, p.linesLeft(), true);
                    p.done = true;
                    lowest = std::max(lowest, rest);
                    progress = true;
                } else if (canCut(p, free)) {
                    cut(p, 0, free, false);
                } else if (fresh) {
                    force(p, 0);
                }
                continue;
            }
            const int64_t top = p.vTop - start;
            if (top >= free) continue;  // on a later page
            if (p.vBottom - start <= free) {
                print(p, top, p.vBottom - p.vTop, p.linesLeft(), false);
                p.done = true;
                lowest = std::max(lowest, p.vBottom - start);
                progress = true;
            } else if (canCut(p, free - top)) {
                cut(p, top, free - top, false);
            } else if (fresh && top <= 0) {
                force(p, top);
            } else {
                // To the top of the next page, and what lies below it with it.
                const int64_t delta = windowEnd - p.vTop;
                const int64_t oldBottom = p.vBottom;
                p.vTop += delta;
                p.vBottom += delta;
                pushBelow(p, oldBottom, delta);
            }
        }
        const bool remaining =
            std::any_of(pieces.begin(), pieces.end(), [](const Piece& p) { return !p.done && !p.kept; });
        if (!remaining || report_.Terminated) break;
        if (!progress && fresh && free <= 0) {
            // No room at all on a fresh page: the first view waiting prints here clipped.
            for (Piece& p : pieces)
                if (!p.done && !p.kept) {
                    force(p, 0);
                    break;
                }
            if (std::none_of(pieces.begin(), pieces.end(), [](const Piece& p) { return !p.done && !p.kept; })) break;
        }
        start = windowEnd;
        newPage();
        band.Y = pb.CurY;
        fresh = true;
    }

    // Stretched rests reach down to the band's final height on the last page.
    int64_t maxHeight = lowest;
    for (const Piece& p : pieces)
        if (p.kept) maxHeight = std::max(maxHeight, p.vBottom - start);
    for (Piece& p : pieces)
        if (p.kept && !report_.Terminated) print(p, 0, maxHeight, p.linesLeft(), true);
    band.MaxHeight = maxHeight;
    pb.CurY += maxHeight;
}
