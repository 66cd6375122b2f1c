#include "report/export/SheetColumns.h"

#include <algorithm>
#include <cstdlib>

void TrqSheetColumns::Note(int32_t left, int32_t width, bool dataBand)
{
    Position& p = positions_[left];
    ++p.count;
    if (dataBand) ++p.data;
    ++p.widths[std::max<int32_t>(width, 1)];
}

void TrqSheetColumns::Decide()
{
    // Positions within the tolerance of a cluster's first one join it; the
    // cluster starts where most of its memos start.
    struct Candidate {
        int32_t left = 0;
        int64_t count = 0, data = 0;
        std::map<int32_t, int64_t> widths;
        int32_t width = 1;
    };
    std::vector<Candidate> candidates;
    int32_t clusterFirst = 0;
    int64_t best = -1;
    for (const auto& [left, p] : positions_) {
        if (candidates.empty() || left - clusterFirst > SheetTolerance) {
            candidates.emplace_back();
            clusterFirst = left;
            best = -1;
        }
        Candidate& c = candidates.back();
        if (p.count > best) {
            best = p.count;
            c.left = left;
        }
        c.count += p.count;
        c.data += p.data;
        for (const auto& [width, n] : p.widths) c.widths[width] += n;
    }
    for (Candidate& c : candidates) {
        int64_t most = -1;
        for (const auto& [width, n] : c.widths)
            if (n > most) {
                most = n;
                c.width = width;
            }
    }
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        if (a.data != b.data) return a.data > b.data;
        return a.count > b.count;
    });
    std::vector<const Candidate*> taken;
    for (const Candidate& c : candidates) {
        const bool inside = std::any_of(taken.begin(), taken.end(), [&](const Candidate* t) {
            return c.left > t->left + SheetTolerance && c.left < t->left + t->width - SheetTolerance;
        });
        if (!inside) taken.push_back(&c);
    }
    std::sort(taken.begin(), taken.end(), [](const Candidate* a, const Candidate* b) { return a->left < b->left; });
    lefts_.clear();
    widths_.clear();
    for (const Candidate* c : taken) {
        lefts_.push_back(c->left);
        widths_.push_back(c->width);
    }
    positions_.clear();
}

std::vector<int32_t> TrqSheetColumns::Widths() const
{
    std::vector<int32_t> widths(lefts_.size());
    for (size_t i = 0; i < lefts_.size(); ++i)
        widths[i] = i + 1 < lefts_.size() ? lefts_[i + 1] - lefts_[i] : widths_[i];
    return widths;
}

int TrqSheetColumns::Nearest(int32_t left) const
{
    if (lefts_.empty()) return 0;
    auto above = std::lower_bound(lefts_.begin(), lefts_.end(), left);
    if (above == lefts_.end()) return Count() - 1;
    const int i = static_cast<int>(above - lefts_.begin());
    if (i == 0) return 0;
    return std::llabs(int64_t(left) - lefts_[i - 1]) <= std::llabs(int64_t(*above) - left) ? i - 1 : i;
}

int TrqSheetColumns::LastBefore(int32_t right, int first) const
{
    int last = first;
    while (last + 1 < Count() && lefts_[static_cast<size_t>(last + 1)] < right - SheetTolerance) ++last;
    return last;
}
