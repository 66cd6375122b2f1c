// The tree list's structure: adding, moving and deleting nodes, expanding and
// collapsing, and keeping the absolute-index cache in step with them.
#include "grid/treelist/TreeList.h"

#include "grid/treelist/AbsoluteIndexCache.h"

#include <algorithm>
#include <exception>

TqvTreeListNode* TCustomqvTreeList::Items(int index) const
{
    if (index < 0 || index >= Count()) return nullptr;
    return roots_[static_cast<size_t>(index)];
}

TqvTreeListNode* TCustomqvTreeList::CreateNode() { return new TqvTreeListNode(this); }

void TCustomqvTreeList::FreeNode(TqvTreeListNode* node) { delete node; }

TqvTreeListNode* TCustomqvTreeList::Add() { return attach(CreateNode(), nullptr, roots_.size()); }

namespace {
void checkOwner(const TCustomqvTreeList* tree, const TqvTreeListNode* node)
{
    if (node->Owner() != tree) throw EInvalidqvTreeListOperation(TreeListText::ForeignNode);
}

// A node that is going has already let its children go: a new child would
// be lost with it.
void checkParent(const TCustomqvTreeList* tree, const TqvTreeListNode* node)
{
    checkOwner(tree, node);
    if (node->Deleting()) throw EInvalidqvTreeListOperation(TreeListText::NodeDeleting);
}
}  // namespace

TqvTreeListNode* TCustomqvTreeList::Insert(TqvTreeListNode* before)
{
    if (!before) return Add();
    checkOwner(this, before);
    return attach(CreateNode(), before->parent_, static_cast<size_t>(before->Index()));
}

TqvTreeListNode* TCustomqvTreeList::AddChild(TqvTreeListNode* parent)
{
    if (!parent) return Add();
    checkParent(this, parent);
    return attach(CreateNode(), parent, static_cast<size_t>(parent->Count()));
}

TqvTreeListNode* TCustomqvTreeList::AddChildFirst(TqvTreeListNode* parent)
{
    if (!parent) return attach(CreateNode(), nullptr, 0);
    checkParent(this, parent);
    return attach(CreateNode(), parent, 0);
}

// Puts a node (alone, or with a subtree when it is moved) into its parent's
// children or the root list, and brings the cache up to date.
TqvTreeListNode* TCustomqvTreeList::attach(TqvTreeListNode* node, TqvTreeListNode* parent, size_t position)
{
    if (parent && !parent->children_) parent->children_ = std::make_unique<std::vector<TqvTreeListNode*>>();
    auto& list = parent ? *parent->children_ : roots_;
    position = std::min(position, list.size());
    list.insert(list.begin() + static_cast<ptrdiff_t>(position), node);
    node->parent_ = parent;

    if (cache_->Built() && node->IsShown()) {
        bool hasShownChildren = node->expanded_ && node->Count() > 0;
        if (IsLayoutLocked() || hasShownChildren) {
            // A batch or a whole subtree is cheaper to index once, later.
            cache_->Invalidate();
        } else {
            // The node comes right after the node before it in display order.
            TqvTreeListNode* before = position > 0 ? list[position - 1]->GetLastShownDescendant() : parent;
            cache_->Insert(node, before ? cache_->IndexOf(before) + 1 : 0);
        }
    }
    structureChanged();
    return node;
}

void TCustomqvTreeList::detach(TqvTreeListNode* node, bool releaseParent)
{
    if (cache_->Built() && node->IsShown()) {
        bool hasShownChildren = node->expanded_ && node->Count() > 0;
        if (IsLayoutLocked() || hasShownChildren || !cache_->Valid())
            cache_->Invalidate();
        else
            cache_->Remove(node);
    }
    auto& list = node->siblings();
    auto it = std::find(list.rbegin(), list.rend(), node);
    if (it != list.rend()) list.erase(std::next(it).base());
    TqvTreeListNode* parent = node->parent_;
    node->parent_ = nullptr;
    if (parent && releaseParent) releaseEmptyParent(parent);
}

// The children list is freed with the last child; the parent is then
// collapsed and shows a button only by the tree list's rule.
void TCustomqvTreeList::releaseEmptyParent(TqvTreeListNode* parent)
{
    if (!parent->children_ || !parent->children_->empty()) return;
    parent->children_.reset();
    parent->expanded_ = false;
    parent->hasChildren_ = DefaultHasChildren(parent);
}

void TCustomqvTreeList::SortNodeList(TqvTreeListNode* parent,
                                     const std::function<bool(const TqvTreeListNode*, const TqvTreeListNode*)>& less)
{
    if (parent && (parent->owner_ != this || !parent->children_)) return;
    auto& list = parent ? *parent->children_ : roots_;
    std::stable_sort(list.begin(), list.end(), less);
    cache_->Invalidate();
    structureChanged();
}

void TCustomqvTreeList::ArrangeNodeList(TqvTreeListNode* parent, std::vector<TqvTreeListNode*> order)
{
    if (parent && (parent->owner_ != this || !parent->children_)) return;
    auto& list = parent ? *parent->children_ : roots_;
    if (order.size() != list.size()) return;
    for (TqvTreeListNode* node : order)
        if (!node || node->owner_ != this || node->parent_ != parent) return;
    list = std::move(order);
    cache_->Invalidate();
    structureChanged();
}

void TCustomqvTreeList::MoveNode(TqvTreeListNode* node, TqvNodeAttachMode mode, TqvTreeListNode* destination)
{
    if (!node || node->owner_ != this || node->deleting_) return;
    if (destination && (destination->owner_ != this || destination->deleting_)) return;
    if (destination == node || (destination && destination->HasAsParent(node))) return;
    bool childMode = mode == natlAddChild || mode == natlAddChildFirst;
    if (childMode && !destination) return;

    TqvTreeListNode* oldParent = node->parent_;
    detach(node, false);
    TqvTreeListNode* parent = childMode ? destination : destination ? destination->parent_ : nullptr;
    size_t position = 0;
    switch (mode) {
    case natlAdd: position = parent ? parent->children_ ? parent->children_->size() : 0 : roots_.size(); break;
    case natlAddFirst: position = 0; break;
    case natlAddChild: position = static_cast<size_t>(destination->Count()); break;
    case natlAddChildFirst: position = 0; break;
    case natlInsert: position = destination ? static_cast<size_t>(destination->Index()) : roots_.size(); break;
    }
    attach(node, parent, position);
    // Released only now, so that moving a node back into its own parent
    // does not collapse it.
    if (oldParent) releaseEmptyParent(oldParent);
    structureChanged();
}

void TCustomqvTreeList::DeleteNode(TqvTreeListNode* node)
{
    if (!node || node->owner_ != this || node->deleting_) return;
    node->deleting_ = true;
    // A shown subtree is cheaper to index again once than node by node.
    if (cache_->Built() && node->expanded_ && node->Count() > 0 && node->IsShown()) cache_->Invalidate();
    ++deletionDepth_;
    // Whatever a handler raises, the node leaves the tree: the first error
    // is raised again once it is gone.
    std::exception_ptr error;
    while (node->Count() > 0) {
        try {
            DeleteNode(node->GetLastChild());
        } catch (...) {
            if (!error) error = std::current_exception();
        }
    }
    if (!clearing_) {
        try {
            nodeGoing(node);
        } catch (...) {
            if (!error) error = std::current_exception();
        }
    }
    if (focused_ == node) focused_ = nullptr;
    if (top_ == node) top_ = nullptr;
    if (pendingVisible_ == node) pendingVisible_ = nullptr;
    detach(node, true);
    FreeNode(node);
    --deletionDepth_;
    if (deletionDepth_ == 0) structureChanged();
    if (error) std::rethrow_exception(error);
}

// The tree list hears that a node goes: OnDeletion, then the focus and the
// first visible row leave it for the nearest node outside the deletion.
void TCustomqvTreeList::nodeGoing(TqvTreeListNode* node)
{
    auto inside = [node](const TqvTreeListNode* n) { return n && (n == node || n->HasAsParent(node)); };
    if (OnDeletion) OnDeletion(this, node);
    auto it = std::find(selected_.begin(), selected_.end(), node);
    if (it != selected_.end()) {
        selected_.erase(it);
        selectionChanged();
    }
    if (inside(top_)) {
        top_ = replacementOutside(node);
        if (OnChangeTopVisibleNode) OnChangeTopVisibleNode(this);
    }
    if (inside(focused_)) {
        TqvTreeListNode* target = replacementOutside(node);
        if (target) {
            FocusChange(target, focusedColumn_, true);
        } else {
            TqvTreeListNode* old = focused_;
            focused_ = nullptr;
            if (OnChangeNode) OnChangeNode(this, old, nullptr);
        }
    }
}

// The node that takes the place of a deleted node: the first one after the
// subtree being deleted, else the one before it in display order.
TqvTreeListNode* TCustomqvTreeList::replacementOutside(TqvTreeListNode* node) const
{
    TqvTreeListNode* root = node;  // the outermost node being deleted
    for (auto* p = node->parent_; p && p->deleting_; p = p->parent_) root = p;
    if (TqvTreeListNode* next = root->GetNextSkippingChildren()) return next;
    return root->GetPrev();
}

void TCustomqvTreeList::ClearNodes()
{
    if (roots_.empty() && !focused_ && !top_) return;
    clearing_ = true;
    cache_->Invalidate();
    std::vector<TqvTreeListNode*> roots;
    roots.swap(roots_);
    focused_ = top_ = pendingVisible_ = nullptr;
    selected_.clear();
    for (TqvTreeListNode* root : roots) freeSubtree(root);
    clearing_ = false;
    structureChanged();
}

void TCustomqvTreeList::freeSubtree(TqvTreeListNode* node)
{
    std::vector<TqvTreeListNode*> pending{node};
    while (!pending.empty()) {
        TqvTreeListNode* n = pending.back();
        pending.pop_back();
        if (n->children_) pending.insert(pending.end(), n->children_->begin(), n->children_->end());
        n->children_.reset();
        FreeNode(n);
    }
}

// ---- Expand and collapse

bool TCustomqvTreeList::setExpanded(TqvTreeListNode* node, bool expand)
{
    if (!node->HasChildren() || node->expanded_ == expand) return false;
    bool allow = true;
    if (expand && OnExpanding) OnExpanding(this, node, allow);
    if (!expand && OnCollapsing) OnCollapsing(this, node, allow);
    if (!allow) return false;
    if (!expand && focused_ && focused_->HasAsParent(node)) {
        FocusChange(node, focusedColumn_, false);
        if (focused_ != node) return false;
    }
    node->expanded_ = expand;
    if (!expand && top_ && top_->HasAsParent(node)) top_ = node;
    cache_->Invalidate();  // rebuilt by the layout pass, at once or after the update
    LayoutChanged();
    if (expand && OnExpanded) OnExpanded(this, node);
    if (!expand && OnCollapsed) OnCollapsed(this, node);
    return true;
}

void TCustomqvTreeList::expandSubtree(TqvTreeListNode* node, bool expand)
{
    // The node first (a collapse then takes the focus in one step), then
    // every descendant.
    inOneLayoutPass([&] { ForEachNodeInSubtree(node, [&](TqvTreeListNode* n) { setExpanded(n, expand); }); });
}

void TCustomqvTreeList::ExpandNode(TqvTreeListNode* node, bool recurse)
{
    if (!node || node->owner_ != this || node->deleting_) return;
    if (recurse)
        expandSubtree(node, true);
    else
        setExpanded(node, true);
}

void TCustomqvTreeList::CollapseNode(TqvTreeListNode* node, bool recurse)
{
    if (!node || node->owner_ != this || node->deleting_) return;
    if (recurse)
        expandSubtree(node, false);
    else
        setExpanded(node, false);
}

void TCustomqvTreeList::FullExpand() { expandAll(true); }

void TCustomqvTreeList::FullCollapse() { expandAll(false); }

void TCustomqvTreeList::expandAll(bool expand)
{
    inOneLayoutPass([&] {
        for (size_t i = 0; i < roots_.size(); ++i) expandSubtree(roots_[i], expand);
    });
}

// Runs a batch of changes with the layout held back (without the editor
// and selection work of BeginUpdate), then lays out once.
void TCustomqvTreeList::inOneLayoutPass(const std::function<void()>& changes)
{
    ++internalLock_;
    try {
        changes();
    } catch (...) {
        --internalLock_;
        LayoutChanged();
        throw;
    }
    --internalLock_;
    LayoutChanged();
}

// ---- Absolute index

bool TCustomqvTreeList::IsAbsoluteIndexCacheValid() const { return cache_->Valid() && !Destroying(); }

int TCustomqvTreeList::AbsoluteCount() const
{
    if (IsAbsoluteIndexCacheValid()) return cache_->Count();
    int count = 0;
    ForEachShownNode(roots_, [&](TqvTreeListNode*) {
        ++count;
        return true;
    });
    return count;
}

int TCustomqvTreeList::GetAbsoluteIndex(const TqvTreeListNode* node) const
{
    if (!node || node->owner_ != this) return -1;
    if (IsAbsoluteIndexCacheValid()) return cache_->IndexOf(node);
    if (!node->IsShown()) return -1;
    int index = 0, found = -1;
    ForEachShownNode(roots_, [&](TqvTreeListNode* n) {
        if (n == node) found = index;
        ++index;
        return found < 0;
    });
    return found;
}

TqvTreeListNode* TCustomqvTreeList::GetNodeAtAbsoluteIndex(int index) const
{
    if (index < 0) return nullptr;
    if (IsAbsoluteIndexCacheValid()) return cache_->NodeAt(index);
    TqvTreeListNode* found = nullptr;
    int i = 0;
    ForEachShownNode(roots_, [&](TqvTreeListNode* n) {
        if (i++ == index) found = n;
        return !found;
    });
    return found;
}

// After a change of the tree outside updates: the layout follows (the cache
// is rebuilt there when a change dropped it).
void TCustomqvTreeList::structureChanged()
{
    if (deletionDepth_ > 0) return;
    LayoutChanged();
}
