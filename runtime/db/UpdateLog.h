#pragma once
// The log of cached updates of a dataset: which records were changed,
// inserted or deleted since the last commit, in the order of their first
// change, and each changed record's values as read.
//
// Rules that are easy to break:
// - A record enters the log once, at its first change; later changes keep its
//   place and its values as read.
// - Deleting a record inserted in the cache takes it out of the log: there is
//   nothing to write for it.
// - The log records statuses and old blocks only; the record list holds the
//   current blocks and the order. Reverting (the cache cancelled) is the
//   dataset's work, done entry by entry in reverse order.

#include "DBTypes.h"
#include "RecordStore.h"

#include <unordered_map>
#include <vector>

class TUpdateLog {
public:
    struct Entry {
        int id = 0;
        TUpdateStatus status = usUnmodified;
        RecordBlock original = nullptr;  // as read; null for an inserted record
    };

    bool Empty() const { return entries_.empty(); }
    // In the order of first change.
    const std::vector<Entry>& Entries() const { return entries_; }
    // usUnmodified for a record that is not in the log.
    TUpdateStatus Status(int id) const;
    // The record's values as read; null when it has none in the log.
    RecordBlock Original(int id) const;

    // A posted edit of a record whose values were `asRead` before it.
    void Modified(int id, RecordBlock asRead);
    // A posted insert.
    void Inserted(int id);
    // A deleted record whose values were `asRead`.
    void Deleted(int id, RecordBlock asRead);
    void Clear();

private:
    Entry* find(int id);
    const Entry* find(int id) const;
    Entry& add(int id);

    std::vector<Entry> entries_;
    std::unordered_map<int, size_t> index_;  // id -> entry
};
