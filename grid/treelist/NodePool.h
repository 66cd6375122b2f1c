#pragma once
// Storage for the nodes of a dataset-bound grid: one slot per record, in
// chunks, so that loading a million records makes no million allocations and
// the node of record k is found at slot k without a search.
//
// Rules that are easy to break:
// - A slot holds raw memory: the grid constructs a node in it and destroys
//   it before Release. Nothing here runs constructors or destructors.
// - Slots are never reused before Reset; Reset requires every slot released
//   (the grid resets the pool only after clearing all its nodes).
// - Slot addresses never move: chunks are not reallocated.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class TqvNodePool {
public:
    explicit TqvNodePool(size_t slotSize);
    ~TqvNodePool();
    TqvNodePool(const TqvNodePool&) = delete;
    TqvNodePool& operator=(const TqvNodePool&) = delete;

    // The memory of slot `slot`, taken now; null when the slot was taken
    // before (the caller then allocates elsewhere). Slots below it that were
    // never taken stay empty.
    void* Take(size_t slot);
    void Release(size_t slot);
    // The memory of a taken slot, null otherwise.
    void* At(size_t slot) const;
    // The taken slot that holds `memory`, or Size() when no slot does (memory
    // from the heap). A search over the chunks: for nodes whose slot cannot
    // be told from their record any more.
    size_t SlotOf(const void* memory) const;
    bool Taken(size_t slot) const { return slot < size_ && taken_[slot]; }
    // Slots handed out so far (taken or released), and those taken now.
    size_t Size() const { return size_; }
    size_t Live() const { return live_; }
    // Frees the chunks; every slot must have been released.
    void Reset();

private:
    static constexpr size_t kSlotsPerChunk = 4096;
    char* slotMemory(size_t slot) const;

    size_t slotSize_;
    std::vector<std::unique_ptr<std::byte[]>> chunks_;
    std::vector<uint8_t> taken_;  // per slot of the chunks, 1 while taken
    size_t size_ = 0;
    size_t live_ = 0;
};
