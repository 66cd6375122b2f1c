#include "grid/treelist/TreeListBands.h"

#include "grid/treelist/TreeListControl.h"

#include <algorithm>

int TqvTreeListBand::Index() const { return collection_->IndexOf(this); }

void TqvTreeListBand::SetIndex(int index) { collection_->Move(Index(), index); }

TCustomqvTreeList* TqvTreeListBand::LayoutOwner() const { return collection_->Control(); }

TqvTreeListBand* TqvTreeListBands::Items(int index) const
{
    if (index < 0 || index >= Count()) return nullptr;
    return items_[static_cast<size_t>(index)].get();
}

int TqvTreeListBands::IndexOf(const TqvTreeListBand* band) const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == band) return static_cast<int>(i);
    return -1;
}

TqvTreeListBand* TqvTreeListBands::Add() { return Insert(Count()); }

TqvTreeListBand* TqvTreeListBands::Insert(int index)
{
    index = std::clamp(index, 0, Count());
    if (control_) control_->BeginUpdate();
    auto* band = items_.insert(items_.begin() + index, std::make_unique<TqvTreeListBand>(this, nextId_++))->get();
    if (control_) {
        control_->bandInserted(index);
        control_->EndUpdate();
    }
    return band;
}

void TqvTreeListBands::Delete(int index)
{
    if (index < 0 || index >= Count()) return;
    if (control_) control_->BeginUpdate();
    items_.erase(items_.begin() + index);
    if (control_) {
        control_->bandsRemoved(index);
        control_->EndUpdate();
    }
}

void TqvTreeListBands::Clear()
{
    while (Count() > 0) Delete(Count() - 1);
}

void TqvTreeListBands::Move(int from, int to)
{
    if (from < 0 || from >= Count()) return;
    to = std::clamp(to, 0, Count() - 1);
    if (from == to) return;
    if (control_) control_->BeginUpdate();
    auto band = std::move(items_[static_cast<size_t>(from)]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, std::move(band));
    if (control_) {
        control_->bandMoved(from, to);
        control_->EndUpdate();
    }
}

std::vector<TqvTreeListBand*> TqvTreeListBands::VisibleBands() const
{
    std::vector<TqvTreeListBand*> bands;
    for (TqvGridBandFixed fixed : {bfLeft, bfNone, bfRight})
        for (const auto& band : items_)
            if (band->Visible() && band->Fixed() == fixed) bands.push_back(band.get());
    return bands;
}

int TqvTreeListBands::VisibleCount() const
{
    return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](const auto& b) { return b->Visible(); }));
}

TqvTreeListBand* TqvTreeListBands::VisibleItems(int index) const
{
    auto bands = VisibleBands();
    if (index < 0 || index >= static_cast<int>(bands.size())) return nullptr;
    return bands[static_cast<size_t>(index)];
}
