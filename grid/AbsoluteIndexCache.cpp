#include "grid/AbsoluteIndexCache.h"

#include "grid/TreeListNode.h"

#include <algorithm>
#include <cstdint>

namespace {
uintptr_t address(const TqvTreeListNode* node) { return reinterpret_cast<uintptr_t>(node); }
}  // namespace

void TqvAbsoluteIndexCache::Invalidate()
{
    built_ = false;
    shown_.clear();
    runs_.clear();
    sorted_.clear();
    index_.clear();
}

void TqvAbsoluteIndexCache::Build(const std::vector<TqvTreeListNode*>& roots)
{
    Invalidate();
    shown_.reserve(roots.size());
    ForEachShownNode(roots, [this](TqvTreeListNode* node) {
        shown_.push_back(node);
        return true;
    });
    built_ = true;
    if (!buildRuns()) makeSorted();
}

bool TqvAbsoluteIndexCache::buildRuns()
{
    runs_.clear();
    // A run keeps one stride: nodes of one chunk of memory. Where the stride
    // breaks, a new chunk may lie anywhere.
    for (size_t i = 0; i < shown_.size();) {
        size_t j = i + 1;
        if (j < shown_.size() && address(shown_[j]) > address(shown_[i])) {
            uintptr_t stride = address(shown_[j]) - address(shown_[i]);
            while (j < shown_.size() && address(shown_[j]) == address(shown_[j - 1]) + stride) ++j;
        }
        runs_.push_back({shown_[i], shown_[j - 1], static_cast<int>(i), static_cast<int>(j - i)});
        i = j;
    }
    // Short runs save nothing over the sorted lists.
    if (runs_.size() > shown_.size() / 16 + 1) {
        runs_.clear();
        return false;
    }
    std::sort(runs_.begin(), runs_.end(), [](const Run& a, const Run& b) { return address(a.first) < address(b.first); });
    for (size_t r = 1; r < runs_.size(); ++r)
        if (address(runs_[r].first) <= address(runs_[r - 1].last)) {
            runs_.clear();
            return false;
        }
    return true;
}

void TqvAbsoluteIndexCache::makeSorted()
{
    sorted_.resize(shown_.size());
    index_.resize(shown_.size());
    if (!runs_.empty()) {
        // Runs in address order, one after the other, are the sorted list.
        size_t k = 0;
        for (const Run& run : runs_)
            for (int i = 0; i < run.length; ++i, ++k) {
                sorted_[k] = shown_[static_cast<size_t>(run.start + i)];
                index_[k] = run.start + i;
            }
        runs_.clear();
        return;
    }
    // Pair each node with its index, order the pairs by address, then split.
    struct Entry {
        uintptr_t address;
        int index;
    };
    std::vector<Entry> entries(shown_.size());
    for (size_t i = 0; i < shown_.size(); ++i) entries[i] = {address(shown_[i]), static_cast<int>(i)};
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.address < b.address; });
    for (size_t i = 0; i < entries.size(); ++i) {
        sorted_[i] = shown_[static_cast<size_t>(entries[i].index)];
        index_[i] = entries[i].index;
    }
}

size_t TqvAbsoluteIndexCache::lowerBound(const TqvTreeListNode* node) const
{
    auto it = std::lower_bound(sorted_.begin(), sorted_.end(), address(node),
                               [](const TqvTreeListNode* n, uintptr_t a) { return address(n) < a; });
    return static_cast<size_t>(it - sorted_.begin());
}

int TqvAbsoluteIndexCache::IndexOf(const TqvTreeListNode* node) const
{
    if (!runs_.empty()) {
        auto run = std::upper_bound(runs_.begin(), runs_.end(), address(node),
                                    [](uintptr_t a, const Run& r) { return a < address(r.first); });
        if (run == runs_.begin()) return -1;
        --run;
        if (address(node) > address(run->last)) return -1;
        auto begin = shown_.begin() + run->start, end = begin + run->length;
        auto it = std::lower_bound(begin, end, address(node),
                                   [](const TqvTreeListNode* n, uintptr_t a) { return address(n) < a; });
        return it != end && *it == node ? static_cast<int>(it - shown_.begin()) : -1;
    }
    size_t pos = lowerBound(node);
    if (pos < sorted_.size() && sorted_[pos] == node) return index_[pos];
    return -1;
}

TqvTreeListNode* TqvAbsoluteIndexCache::NodeAt(int index) const
{
    if (index < 0 || index >= Count()) return nullptr;
    return shown_[static_cast<size_t>(index)];
}

void TqvAbsoluteIndexCache::Insert(TqvTreeListNode* node, int index)
{
    if (!runs_.empty()) makeSorted();
    index = std::clamp(index, 0, Count());
    // Appending at the end (the common case) moves nobody.
    if (index < Count())
        for (int& i : index_)
            if (i >= index) ++i;
    shown_.insert(shown_.begin() + index, node);
    size_t pos = lowerBound(node);
    sorted_.insert(sorted_.begin() + static_cast<ptrdiff_t>(pos), node);
    index_.insert(index_.begin() + static_cast<ptrdiff_t>(pos), index);
}

void TqvAbsoluteIndexCache::Remove(const TqvTreeListNode* node)
{
    if (!runs_.empty()) makeSorted();
    size_t pos = lowerBound(node);
    if (pos >= sorted_.size() || sorted_[pos] != node) return;
    int index = index_[pos];
    sorted_.erase(sorted_.begin() + static_cast<ptrdiff_t>(pos));
    index_.erase(index_.begin() + static_cast<ptrdiff_t>(pos));
    if (index < Count() - 1)
        for (int& i : index_)
            if (i > index) --i;
    shown_.erase(shown_.begin() + index);
}
