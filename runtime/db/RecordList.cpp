#include "RecordList.h"

#include <algorithm>
#include <cstring>

void TRecordList::Blocks::PushBack(RecordBlock block)
{
    size_t chunk = size_ >> kShift;
    if (chunk == chunks_.size()) chunks_.push_back(std::make_unique<RecordBlock[]>(size_t(1) << kShift));
    chunks_[chunk][size_ & kMask] = block;
    ++size_;
}

void TRecordList::Blocks::Clear()
{
    chunks_.clear();
    size_ = 0;
}

void TRecordList::Clear()
{
    fetched_.Clear();
    inserted_.clear();
    order_.clear();
    identity_ = true;
    ++generation_;
}

void TRecordList::materialize()
{
    if (!identity_) return;
    order_.resize(fetched_.Size());
    for (size_t i = 0; i < order_.size(); ++i) order_[i] = static_cast<int>(i);
    identity_ = false;
}

bool TRecordList::Exists(int id) const
{
    return id >= 0 ? static_cast<size_t>(id) < fetched_.Size() : slot(id) < inserted_.size();
}

int TRecordList::PositionOf(int id) const
{
    if (!Exists(id)) return -1;
    if (identity_) return id;
    double seq = seqOf(id);
    auto it = std::lower_bound(order_.begin(), order_.end(), seq, [&](int a, double s) { return seqOf(a) < s; });
    for (; it != order_.end() && seqOf(*it) == seq; ++it)
        if (*it == id) return static_cast<int>(it - order_.begin());
    return -1;
}

void TRecordList::SetBlock(int id, RecordBlock block)
{
    if (id >= 0)
        fetched_.At(id) = block;
    else
        inserted_[slot(id)].block = block;
}

int TRecordList::AddFetched(RecordBlock block)
{
    int id = static_cast<int>(fetched_.Size());
    fetched_.PushBack(block);
    if (!identity_) order_.push_back(id);
    return id;
}

int TRecordList::AddInserted(int position, bool append)
{
    int count = Count();
    double seq;
    if (count == 0) {
        seq = -1;
    } else if (append || position < 0 || position >= count) {
        seq = seqOf(IdAt(count - 1)) + 1;
    } else {
        double next = seqOf(IdAt(position));
        double prev = position > 0 ? seqOf(IdAt(position - 1)) : next - 1;
        seq = prev + (next - prev) / 2;
    }
    inserted_.push_back({nullptr, seq});
    int id = -static_cast<int>(inserted_.size());
    Show(id);
    return id;
}

void TRecordList::Hide(int id)
{
    int p = PositionOf(id);
    if (p < 0) return;
    materialize();
    order_.erase(order_.begin() + p);
}

void TRecordList::Show(int id)
{
    if (!Exists(id) || PositionOf(id) >= 0) return;
    materialize();
    double seq = seqOf(id);
    auto it = std::upper_bound(order_.begin(), order_.end(), seq, [&](double s, int a) { return s < seqOf(a); });
    order_.insert(it, id);
}

int TRecordList::Compare(int idA, int idB) const
{
    double a = seqOf(idA), b = seqOf(idB);
    return a < b ? -1 : (a > b ? 1 : 0);
}

AnsiString TRecordList::BookmarkOf(int id) const
{
    int32_t i = id;
    uint32_t gen = generation_;
    AnsiString b(8, '\0');
    std::memcpy(b.data(), &i, 4);
    std::memcpy(b.data() + 4, &gen, 4);
    return b;
}

bool TRecordList::Decode(std::string_view bookmark, int& id) const
{
    if (bookmark.size() != 8) return false;
    int32_t i;
    uint32_t gen;
    std::memcpy(&i, bookmark.data(), 4);
    std::memcpy(&gen, bookmark.data() + 4, 4);
    if (gen != generation_ || !Exists(i)) return false;
    id = i;
    return true;
}
