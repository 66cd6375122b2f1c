#include "grid/treelist/TreeListNode.h"

#include "grid/treelist/TreeList.h"

#include <algorithm>

TqvTreeListNode::TqvTreeListNode(TCustomqvTreeList* owner) : owner_(owner)
{
    if (!owner) throw EInvalidqvTreeListOperation(TreeListText::InvalidOwner);
}

TqvTreeListNode::~TqvTreeListNode() = default;

std::vector<TqvTreeListNode*>& TqvTreeListNode::siblings() const
{
    return parent_ ? *parent_->children_ : owner_->roots_;
}

TqvTreeListNode* TqvTreeListNode::Items(int index) const
{
    if (index < 0 || index >= Count()) return nullptr;
    return (*children_)[static_cast<size_t>(index)];
}

void TqvTreeListNode::SetExpanded(bool expanded)
{
    if (expanded)
        owner_->ExpandNode(this);
    else
        owner_->CollapseNode(this);
}

void TqvTreeListNode::SetHasChildren(bool value)
{
    if (hasChildren_ == value) return;
    hasChildren_ = value;
    // Without children and without the flag there is nothing to expand.
    if (!HasChildren()) expanded_ = false;
    owner_->InvalidateNode(this);
}

int TqvTreeListNode::Index() const
{
    const auto& list = siblings();
    // Searching from the back finds the last children, which deletion takes
    // first, at once.
    auto it = std::find(list.rbegin(), list.rend(), this);
    return it == list.rend() ? -1 : static_cast<int>(list.rend() - it) - 1;
}

int TqvTreeListNode::Level() const
{
    int level = 0;
    for (auto* p = parent_; p; p = p->parent_) ++level;
    return level;
}

TqvTreeListNode* TqvTreeListNode::GetNextSibling() const
{
    const auto& list = siblings();
    int i = Index();
    return i >= 0 && i + 1 < static_cast<int>(list.size()) ? list[static_cast<size_t>(i) + 1] : nullptr;
}

TqvTreeListNode* TqvTreeListNode::GetPrevSibling() const
{
    int i = Index();
    return i > 0 ? siblings()[static_cast<size_t>(i) - 1] : nullptr;
}

bool TqvTreeListNode::HasAsParent(const TqvTreeListNode* node) const
{
    if (!node) return false;
    for (auto* p = parent_; p; p = p->parent_)
        if (p == node) return true;
    return false;
}

bool TqvTreeListNode::Focused() const { return owner_->FocusedNode() == this; }

bool TqvTreeListNode::IsShown() const
{
    for (auto* p = parent_; p; p = p->parent_)
        if (!p->expanded_) return false;
    return true;
}

int TqvTreeListNode::AbsoluteIndex() const { return owner_->GetAbsoluteIndex(this); }

TqvTreeListNode* TqvTreeListNode::GetNextSkippingChildren() const
{
    for (const TqvTreeListNode* n = this; n; n = n->parent_)
        if (TqvTreeListNode* next = n->GetNextSibling()) return next;
    return nullptr;
}

TqvTreeListNode* TqvTreeListNode::GetNext() const
{
    if (expanded_ && Count() > 0) return GetFirstChild();
    return GetNextSkippingChildren();
}

TqvTreeListNode* TqvTreeListNode::GetNextNode() const
{
    if (Count() > 0) return GetFirstChild();
    return GetNextSkippingChildren();
}

TqvTreeListNode* TqvTreeListNode::GetLastShownDescendant() const
{
    const TqvTreeListNode* n = this;
    while (n->expanded_ && n->Count() > 0) n = n->GetLastChild();
    return const_cast<TqvTreeListNode*>(n);
}

TqvTreeListNode* TqvTreeListNode::GetPrev() const
{
    if (TqvTreeListNode* prev = GetPrevSibling()) return prev->GetLastShownDescendant();
    return parent_;
}

TqvTreeListNode* TqvTreeListNode::AddChild() { return owner_->AddChild(this); }
TqvTreeListNode* TqvTreeListNode::AddChildFirst() { return owner_->AddChildFirst(this); }

void TqvTreeListNode::MoveTo(TqvTreeListNode* destination, TqvNodeAttachMode mode)
{
    owner_->MoveNode(this, mode, destination);
}

void TqvTreeListNode::Expand(bool recurse) { owner_->ExpandNode(this, recurse); }
void TqvTreeListNode::Collapse(bool recurse) { owner_->CollapseNode(this, recurse); }
void TqvTreeListNode::MakeVisible() { owner_->MakeNodeVisible(this); }
void TqvTreeListNode::Focus() { owner_->SetFocusedNode(this); }
void TqvTreeListNode::Delete() { owner_->DeleteNode(this); }

void TqvTreeListNode::DeleteChildren()
{
    while (Count() > 0) owner_->DeleteNode(GetLastChild());
}

// ---- Text node

const AnsiString& TqvTreeListTextNode::Strings(int column) const
{
    static const AnsiString empty;
    if (column < 0 || column >= StringCount()) return empty;
    return (*strings_)[static_cast<size_t>(column)];
}

void TqvTreeListTextNode::SetStrings(int column, const AnsiString& text)
{
    if (column < 0) return;
    if (!strings_) strings_ = std::make_unique<std::vector<AnsiString>>();
    if (column >= StringCount()) strings_->resize(static_cast<size_t>(column) + 1);
    (*strings_)[static_cast<size_t>(column)] = text;
    Owner()->InvalidateNode(this);
}

void TqvTreeListTextNode::ColumnInserted(int index)
{
    if (index >= 0 && index < StringCount()) strings_->insert(strings_->begin() + index, AnsiString());
}

void TqvTreeListTextNode::ColumnRemoved(int index)
{
    if (index >= 0 && index < StringCount()) strings_->erase(strings_->begin() + index);
}

void TqvTreeListTextNode::ColumnMoved(int from, int to)
{
    int last = std::max(from, to);
    if (from < 0 || to < 0 || from == to || !strings_) return;
    auto& strings = *strings_;
    if (last >= StringCount()) strings.resize(static_cast<size_t>(last) + 1);
    if (from < to)
        std::rotate(strings.begin() + from, strings.begin() + from + 1, strings.begin() + to + 1);
    else
        std::rotate(strings.begin() + to, strings.begin() + from, strings.begin() + from + 1);
}
