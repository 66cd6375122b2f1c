#include "grid/treelist/NodePool.h"

#include <cassert>

TqvNodePool::TqvNodePool(size_t slotSize) : slotSize_((slotSize + 15) & ~size_t(15)) {}

TqvNodePool::~TqvNodePool() { assert(live_ == 0); }

char* TqvNodePool::slotMemory(size_t slot) const
{
    return reinterpret_cast<char*>(chunks_[slot / kSlotsPerChunk].get()) + (slot % kSlotsPerChunk) * slotSize_;
}

void* TqvNodePool::Take(size_t slot)
{
    if (Taken(slot)) return nullptr;
    while (chunks_.size() <= slot / kSlotsPerChunk) {
        chunks_.push_back(std::make_unique_for_overwrite<std::byte[]>(kSlotsPerChunk * slotSize_));
        taken_.resize(chunks_.size() * kSlotsPerChunk, 0);
    }
    if (slot >= size_) size_ = slot + 1;
    taken_[slot] = 1;
    ++live_;
    return slotMemory(slot);
}

void TqvNodePool::Release(size_t slot)
{
    if (!Taken(slot)) return;
    taken_[slot] = 0;
    --live_;
}

void* TqvNodePool::At(size_t slot) const { return Taken(slot) ? slotMemory(slot) : nullptr; }

size_t TqvNodePool::SlotOf(const void* memory) const
{
    const auto address = reinterpret_cast<uintptr_t>(memory);
    for (size_t chunk = 0; chunk < chunks_.size(); ++chunk) {
        const auto begin = reinterpret_cast<uintptr_t>(chunks_[chunk].get());
        if (address < begin || address >= begin + kSlotsPerChunk * slotSize_) continue;
        const size_t offset = address - begin;
        if (offset % slotSize_ != 0) return size_;
        const size_t slot = chunk * kSlotsPerChunk + offset / slotSize_;
        return Taken(slot) ? slot : size_;
    }
    return size_;
}

void TqvNodePool::Reset()
{
    assert(live_ == 0);
    chunks_.clear();
    taken_.clear();
    size_ = 0;
    live_ = 0;
}
