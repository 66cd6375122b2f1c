#pragma once
// The absolute-index cache of a tree list: the shown nodes in display order,
// and the same nodes sorted by address with each one's absolute index, so
// that a node's position is found by binary search. One node at a time can
// be inserted or removed while the cache stays valid; anything larger is
// cheaper to rebuild.
//
// Nodes made in one go (a grid's records, allocated in chunks) stand in the
// display order in runs of rising addresses. When the runs do not overlap in
// address, the cache keeps only the runs, sorted by address, and finds a node
// by two binary searches: no sorted copy of a million nodes, no sort. A single
// insert or removal first writes the sorted lists out from the runs.

#include "grid/TreeListNode.h"

#include <cstdint>
#include <utility>
#include <vector>

// Calls visit(node) for every shown node in display order (pre-order,
// descending only into expanded nodes) until it returns false. Without
// recursion: trees may be deep.
template <class Visit>
void ForEachShownNode(const std::vector<TqvTreeListNode*>& roots, Visit visit)
{
    std::vector<std::pair<TqvTreeListNode*, int>> open;  // expanded node, next child
    for (TqvTreeListNode* root : roots) {
        if (!visit(root)) return;
        if (root->Expanded() && root->Count() > 0) open.push_back({root, 0});
        while (!open.empty()) {
            auto& [parent, next] = open.back();
            if (next == parent->Count()) {
                open.pop_back();
                continue;
            }
            TqvTreeListNode* node = parent->Items(next++);
            if (!visit(node)) return;
            if (node->Expanded() && node->Count() > 0) open.push_back({node, 0});
        }
    }
}

class TqvAbsoluteIndexCache {
public:
    // Built and not empty. An empty tree needs no cache: a walk is free.
    bool Valid() const { return built_ && !shown_.empty(); }
    bool Built() const { return built_; }

    // Walks the roots in display order (descending into expanded nodes).
    void Build(const std::vector<TqvTreeListNode*>& roots);
    void Invalidate();

    int Count() const { return static_cast<int>(shown_.size()); }
    // -1 when the node is not in the cache.
    int IndexOf(const TqvTreeListNode* node) const;
    TqvTreeListNode* NodeAt(int index) const;

    // Enters a node that has just become shown at `index` (0 ... Count()):
    // every stored index from `index` up moves one place down the list.
    void Insert(TqvTreeListNode* node, int index);
    // Takes a shown node out; the indexes above it move up one place.
    void Remove(const TqvTreeListNode* node);

private:
    // Nodes shown_[start .. start + length), addresses rising from first to last.
    struct Run {
        const TqvTreeListNode* first;
        const TqvTreeListNode* last;
        int start;
        int length;
    };
    size_t lowerBound(const TqvTreeListNode* node) const;
    // Finds the runs; false when they overlap in address.
    bool buildRuns();
    // Writes the sorted lists (from the runs when there are runs).
    void makeSorted();

    bool built_ = false;
    std::vector<TqvTreeListNode*> shown_;   // display order
    std::vector<Run> runs_;                 // by address, while the lists are not written out
    std::vector<TqvTreeListNode*> sorted_;  // by address
    std::vector<int> index_;                // absolute index of sorted_[i]
};
