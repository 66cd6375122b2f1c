#pragma once
// The absolute-index cache of a tree list: the shown nodes in display order,
// each node carrying its own index, so that a node's position is one lookup
// and a check (the list at that index must hold the node). One node at a time
// can be inserted or removed while the cache stays valid; anything larger is
// cheaper to rebuild.
//
// Rules that are easy to break:
// - The list is the truth, a node's stored index only a hint: an index is
//   trusted only below the point up to which the list has been numbered
//   since the last insert or removal, and only when the list holds the node
//   there. The rest is numbered again on the first look-up that needs it.
// - A build numbers the nodes during the walk it makes anyway, so that
//   rebuilding after a million nodes have been rearranged (a sort) costs one
//   walk: no sorted copy of the nodes, no sort.

#include "grid/treelist/TreeListNode.h"

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
    // every node from `index` up moves one place down the list.
    void Insert(TqvTreeListNode* node, int index);
    // Takes a shown node out; the nodes above it move up one place.
    void Remove(const TqvTreeListNode* node);

private:
    // Stores the index of every node from numbered_ on.
    void numberRest() const;

    bool built_ = false;
    std::vector<TqvTreeListNode*> shown_;  // display order
    mutable size_t numbered_ = 0;          // shown_[0, numbered_) carry their index
};
