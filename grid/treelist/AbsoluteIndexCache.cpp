#include "grid/treelist/AbsoluteIndexCache.h"

#include "grid/treelist/TreeListNode.h"

#include <algorithm>

void TqvAbsoluteIndexCache::Invalidate()
{
    built_ = false;
    shown_.clear();
    numbered_ = 0;
}

void TqvAbsoluteIndexCache::Build(const std::vector<TqvTreeListNode*>& roots)
{
    Invalidate();
    shown_.reserve(roots.size());
    ForEachShownNode(roots, [this](TqvTreeListNode* node) {
        node->cacheIndex_ = static_cast<int>(shown_.size());
        shown_.push_back(node);
        return true;
    });
    numbered_ = shown_.size();
    built_ = true;
}

void TqvAbsoluteIndexCache::numberRest() const
{
    for (size_t i = numbered_; i < shown_.size(); ++i) shown_[i]->cacheIndex_ = static_cast<int>(i);
    numbered_ = shown_.size();
}

int TqvAbsoluteIndexCache::IndexOf(const TqvTreeListNode* node) const
{
    if (!node) return -1;
    auto holds = [&] {
        int i = node->cacheIndex_;
        return i >= 0 && static_cast<size_t>(i) < numbered_ && shown_[static_cast<size_t>(i)] == node;
    };
    if (holds()) return node->cacheIndex_;
    if (numbered_ == shown_.size()) return -1;
    numberRest();
    return holds() ? node->cacheIndex_ : -1;
}

TqvTreeListNode* TqvAbsoluteIndexCache::NodeAt(int index) const
{
    if (index < 0 || index >= Count()) return nullptr;
    return shown_[static_cast<size_t>(index)];
}

void TqvAbsoluteIndexCache::Insert(TqvTreeListNode* node, int index)
{
    index = std::clamp(index, 0, Count());
    shown_.insert(shown_.begin() + index, node);
    // Appending at the end (the common case) leaves every stored index true.
    numbered_ = std::min(numbered_, static_cast<size_t>(index));
    if (numbered_ == static_cast<size_t>(index) && index == Count() - 1) {
        node->cacheIndex_ = index;
        numbered_ = shown_.size();
    }
}

void TqvAbsoluteIndexCache::Remove(const TqvTreeListNode* node)
{
    int index = IndexOf(node);
    if (index < 0) return;
    shown_.erase(shown_.begin() + index);
    numbered_ = std::min(numbered_, static_cast<size_t>(index));
}
