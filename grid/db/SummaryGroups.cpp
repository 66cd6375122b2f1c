#include "grid/db/SummaryGroups.h"

#include "grid/treelist/TreeListTypes.h"
#include "runtime/SysUtils.h"

void TqvDBGridSummaryGroup::SetName(const AnsiString& name)
{
    if (name == name_) return;
    if (name.empty()) throw EInvalidqvTreeListOperation(SummaryGroupText::EmptyName);
    if (collection_) {
        TqvDBGridSummaryGroup* other = collection_->Find(name);
        if (other && other != this) throw EInvalidqvTreeListOperation(SummaryGroupText::DuplicateName);
    }
    name_ = name;
}

void TqvDBGridSummaryGroup::SetDefaultGroup(bool value)
{
    if (value && collection_)
        for (auto& g : collection_->groups_) g->defaultGroup_ = false;
    defaultGroup_ = value;
}

TqvDBGridSummaryItem* TqvDBGridSummaryGroup::Items(int index) const
{
    if (index < 0 || index >= ItemCount()) return nullptr;
    return items_[static_cast<size_t>(index)].get();
}

TqvDBGridSummaryItem* TqvDBGridSummaryGroup::AddItem()
{
    items_.push_back(std::make_unique<TqvDBGridSummaryItem>());
    return items_.back().get();
}

void TqvDBGridSummaryGroup::DeleteItem(int index)
{
    if (index >= 0 && index < ItemCount()) items_.erase(items_.begin() + index);
}

TqvDBGridSummaryGroup* TqvDBGridSummaryGroups::Items(int index) const
{
    if (index < 0 || index >= Count()) return nullptr;
    return groups_[static_cast<size_t>(index)].get();
}

TqvDBGridSummaryGroup* TqvDBGridSummaryGroups::Add()
{
    AnsiString name;
    for (int n = 1; name.empty() || Find(name); ++n) name = "SummaryGroup" + IntToStr(n);
    groups_.push_back(std::make_unique<TqvDBGridSummaryGroup>(this));
    groups_.back()->name_ = name;
    return groups_.back().get();
}

void TqvDBGridSummaryGroups::Delete(int index)
{
    if (index >= 0 && index < Count()) groups_.erase(groups_.begin() + index);
}

TqvDBGridSummaryGroup* TqvDBGridSummaryGroups::Find(std::string_view name) const
{
    for (auto& g : groups_)
        if (SameText(g->Name(), name)) return g.get();
    return nullptr;
}

TqvDBGridSummaryGroup* TqvDBGridSummaryGroups::DefaultGroup() const
{
    for (auto& g : groups_)
        if (g->DefaultGroup()) return g.get();
    return nullptr;
}
