#include "UpdateLog.h"

TUpdateLog::Entry* TUpdateLog::find(int id)
{
    auto it = index_.find(id);
    return it == index_.end() ? nullptr : &entries_[it->second];
}

const TUpdateLog::Entry* TUpdateLog::find(int id) const
{
    auto it = index_.find(id);
    return it == index_.end() ? nullptr : &entries_[it->second];
}

TUpdateLog::Entry& TUpdateLog::add(int id)
{
    if (Entry* e = find(id)) return *e;
    index_.emplace(id, entries_.size());
    entries_.push_back({id, usUnmodified, nullptr});
    return entries_.back();
}

TUpdateStatus TUpdateLog::Status(int id) const
{
    const Entry* e = find(id);
    return e ? e->status : usUnmodified;
}

RecordBlock TUpdateLog::Original(int id) const
{
    const Entry* e = find(id);
    return e ? e->original : nullptr;
}

void TUpdateLog::Modified(int id, RecordBlock asRead)
{
    Entry& e = add(id);
    if (e.status == usUnmodified) {
        e.status = usModified;
        e.original = asRead;
    }
}

void TUpdateLog::Inserted(int id)
{
    Entry& e = add(id);
    e.status = usInserted;
    e.original = nullptr;
}

void TUpdateLog::Deleted(int id, RecordBlock asRead)
{
    Entry* e = find(id);
    if (e && e->status == usInserted) {
        // Nothing to write for a record the database never had.
        size_t at = index_[id];
        entries_.erase(entries_.begin() + static_cast<ptrdiff_t>(at));
        index_.erase(id);
        for (auto& [key, i] : index_)
            if (i > at) --i;
        return;
    }
    Entry& entry = add(id);
    if (entry.status == usUnmodified) entry.original = asRead;
    entry.status = usDeleted;
}

void TUpdateLog::Clear()
{
    entries_.clear();
    index_.clear();
}
