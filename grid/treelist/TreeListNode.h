#pragma once
// A node of the tree list: one row. Nodes belong to their tree list, which
// creates them (CreateNode), keeps them in its root list or in their parent's
// children and deletes them; every relation (index, level, siblings, focus)
// is derived from those lists, nothing is cached in the node.

#include "grid/treelist/TreeListTypes.h"

#include <memory>
#include <vector>

class TCustomqvTreeList;

class TqvTreeListNode {
public:
    // Fails with EInvalidqvTreeListOperation "Invalid Owner TqvTreeListNode"
    // without an owner. The node is not yet in the tree: the tree list's Add,
    // Insert and AddChild put it there.
    explicit TqvTreeListNode(TCustomqvTreeList* owner);
    TqvTreeListNode(const TqvTreeListNode&) = delete;
    TqvTreeListNode& operator=(const TqvTreeListNode&) = delete;

    // A value for the owner's use; the tree list never reads it.
    void* Data() const { return data_; }
    void SetData(void* data) { data_ = data; }

    // Set while the node is being destroyed.
    bool Deleting() const { return deleting_; }
    bool Expanded() const { return expanded_; }
    // Expands or collapses through the tree list (events, veto, focus).
    void SetExpanded(bool expanded);
    // True whenever the node has a child; may be set without children.
    bool HasChildren() const { return hasChildren_ || Count() > 0; }
    void SetHasChildren(bool value);

    TCustomqvTreeList* Owner() const { return owner_; }
    TqvTreeListNode* Parent() const { return parent_; }
    int Count() const { return children_ ? static_cast<int>(children_->size()) : 0; }
    TqvTreeListNode* Items(int index) const;

    // Position in the parent's children (or in the root list).
    int Index() const;
    int Level() const;
    TqvTreeListNode* GetFirstChild() const { return Count() ? children_->front() : nullptr; }
    TqvTreeListNode* GetLastChild() const { return Count() ? children_->back() : nullptr; }
    TqvTreeListNode* GetNextSibling() const;
    TqvTreeListNode* GetPrevSibling() const;
    // True when `node` is an ancestor of this node.
    bool HasAsParent(const TqvTreeListNode* node) const;
    bool Focused() const;
    // Shown: every ancestor is expanded.
    bool IsShown() const;
    // Position among the shown nodes, -1 when not shown.
    int AbsoluteIndex() const;

    // Display order: the shown nodes in pre-order, descending only into
    // expanded nodes. GetNext/GetPrev step through it.
    TqvTreeListNode* GetNext() const;
    TqvTreeListNode* GetPrev() const;
    // The next node in full pre-order, expanded or not; nullptr after the last.
    TqvTreeListNode* GetNextNode() const;
    // The first node after this node's subtree in pre-order.
    TqvTreeListNode* GetNextSkippingChildren() const;
    // The deepest last descendant reached through expanded nodes only.
    TqvTreeListNode* GetLastShownDescendant() const;

    TqvTreeListNode* AddChild();
    TqvTreeListNode* AddChildFirst();
    // Moves this node (with its subtree); refused, without an error, when the
    // destination is this node or one of its descendants.
    void MoveTo(TqvTreeListNode* destination, TqvNodeAttachMode mode);
    void Expand(bool recurse);
    void Collapse(bool recurse);
    void MakeVisible();
    void Focus();
    // Removes the node (children first) and frees it.
    void Delete();
    void DeleteChildren();

    // The column list changed: per-column data of a node follows its column.
    virtual void ColumnInserted(int index) {}
    virtual void ColumnRemoved(int index) {}
    virtual void ColumnMoved(int from, int to) {}

protected:
    // Only the tree list frees nodes (Delete, ClearNodes, its destructor).
    virtual ~TqvTreeListNode();

private:
    friend class TCustomqvTreeList;
    friend class TqvAbsoluteIndexCache;
    std::vector<TqvTreeListNode*>& siblings() const;

    void* data_ = nullptr;
    // Created at the first child, freed when the last child leaves.
    std::unique_ptr<std::vector<TqvTreeListNode*>> children_;
    TCustomqvTreeList* owner_;
    TqvTreeListNode* parent_ = nullptr;
    // Last, so that a subclass's small fields fill the padding after them:
    // grids hold a node per record, by the million.
    bool deleting_ = false;
    bool expanded_ = false;
    bool hasChildren_ = false;
    // The node's absolute index as the tree list's cache last numbered it: a
    // hint the cache checks before it trusts it (AbsoluteIndexCache.h).
    int cacheIndex_ = -1;
};

// Calls visit(node) for `node` and every descendant, in pre-order, expanded
// or not. Without recursion, and without sibling searches: fast on wide lists.
template <class Visit>
void ForEachNodeInSubtree(TqvTreeListNode* node, Visit visit)
{
    std::vector<TqvTreeListNode*> pending{node};
    while (!pending.empty()) {
        TqvTreeListNode* n = pending.back();
        pending.pop_back();
        visit(n);
        for (int i = n->Count() - 1; i >= 0; --i) pending.push_back(n->Items(i));
    }
}

// A node with one display string per column, indexed by the column's
// position in the column list.
class TqvTreeListTextNode : public TqvTreeListNode {
public:
    using TqvTreeListNode::TqvTreeListNode;

    // Empty for a column that has no string yet.
    const AnsiString& Strings(int column) const;
    void SetStrings(int column, const AnsiString& text);
    int StringCount() const { return strings_ ? static_cast<int>(strings_->size()) : 0; }

    void ColumnInserted(int index) override;
    void ColumnRemoved(int index) override;
    void ColumnMoved(int from, int to) override;

private:
    // Made at the first string: nodes whose texts come from elsewhere (a
    // dataset's records) carry one pointer, not a list per node.
    std::unique_ptr<std::vector<AnsiString>> strings_;
};
