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

    // Pair each node with its index, order the pairs by address, then split.
    struct Entry {
        uintptr_t address;
        int index;
    };
    std::vector<Entry> entries(shown_.size());
    for (size_t i = 0; i < shown_.size(); ++i) entries[i] = {address(shown_[i]), static_cast<int>(i)};
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.address < b.address; });
    sorted_.resize(entries.size());
    index_.resize(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        sorted_[i] = shown_[static_cast<size_t>(entries[i].index)];
        index_[i] = entries[i].index;
    }
    built_ = true;
}

size_t TqvAbsoluteIndexCache::lowerBound(const TqvTreeListNode* node) const
{
    auto it = std::lower_bound(sorted_.begin(), sorted_.end(), address(node),
                               [](const TqvTreeListNode* n, uintptr_t a) { return address(n) < a; });
    return static_cast<size_t>(it - sorted_.begin());
}

int TqvAbsoluteIndexCache::IndexOf(const TqvTreeListNode* node) const
{
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
