#pragma once
// The records of one opening of a dataset, in their order, and the bookmarks
// that name them.
//
// Every record has an id for the life of the opening: fetched records count
// from 0 in fetch order; records made by Insert or Append get ids below 0.
// A record keeps its id when it leaves the order (a cached delete) and when
// it comes back (the cache cancelled). The position of a record is its place
// among the records in the order; the order sorts by a sequence key: a
// fetched record's key is its id, an inserted record's key lies between its
// neighbours'.
//
// Rules that are easy to break:
// - Fetched records are only ever appended, and only while every inserted
//   record so far sorts before them (the dataset fetches all rows before an
//   Append). Their keys grow with their ids, so the order needs no list of its
//   own until the first insert or removal: positions are ids until then.
// - Blocks are owned by the dataset's arena; the list only points at them.
// - A bookmark holds the id and the generation of the opening. Clear() starts a
//   new generation, so a bookmark of an earlier opening is never valid again.

#include "RecordStore.h"
#include "runtime/AnsiString.h"

#include <cstdint>
#include <memory>
#include <vector>

class TRecordList {
public:
    // Drops every record and starts a new generation of bookmarks.
    void Clear();

    // Records in the order.
    int Count() const { return identity_ ? static_cast<int>(fetched_.Size()) : static_cast<int>(order_.size()); }
    // Rows fetched so far (also those that left the order since).
    int Fetched() const { return static_cast<int>(fetched_.Size()); }
    int IdAt(int position) const { return identity_ ? position : order_[static_cast<size_t>(position)]; }
    // The position of a record, -1 when it is not in the order.
    int PositionOf(int id) const;
    bool Exists(int id) const;

    RecordBlock Block(int id) const { return id >= 0 ? fetched_[id] : inserted_[slot(id)].block; }
    void SetBlock(int id, RecordBlock block);

    // Appends a fetched record at the end of the order; returns its id.
    int AddFetched(RecordBlock block);
    // Makes a new record and puts it into the order at `position` (before the
    // record there), or at the end when `append` is set or the order is empty.
    // Returns its id.
    int AddInserted(int position, bool append);
    // Takes a record out of the order or puts it back at its place.
    void Hide(int id);
    void Show(int id);

    // -1, 0, 1 by the order's sequence.
    int Compare(int idA, int idB) const;

    // An 8-byte string: the id and the generation.
    AnsiString BookmarkOf(int id) const;
    // The id of a bookmark of this generation (the record may have left the
    // order since); false for anything else.
    bool Decode(std::string_view bookmark, int& id) const;

private:
    struct Inserted {
        RecordBlock block = nullptr;
        double seq = 0;
    };
    // Blocks in chunks: a million records never move or double in one piece.
    class Blocks {
    public:
        size_t Size() const { return size_; }
        RecordBlock operator[](int i) const { return chunks_[static_cast<size_t>(i) >> kShift][i & kMask]; }
        RecordBlock& At(int i) { return chunks_[static_cast<size_t>(i) >> kShift][i & kMask]; }
        void PushBack(RecordBlock block);
        void Clear();

    private:
        static constexpr int kShift = 14;
        static constexpr int kMask = (1 << kShift) - 1;
        std::vector<std::unique_ptr<RecordBlock[]>> chunks_;
        size_t size_ = 0;
    };

    static size_t slot(int id) { return static_cast<size_t>(-id - 1); }
    double seqOf(int id) const { return id >= 0 ? static_cast<double>(id) : inserted_[slot(id)].seq; }
    // Writes the order out as a list (the first insert or removal).
    void materialize();

    Blocks fetched_;
    std::vector<Inserted> inserted_;
    bool identity_ = true;
    std::vector<int> order_;  // ids by sequence, once not the identity
    uint32_t generation_ = 0;
};
