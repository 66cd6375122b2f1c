#include "report/model/PropertyTable.h"

TrqPropertyTable::TrqPropertyTable(std::initializer_list<TrqProperty> own)
{
    for (const TrqProperty& entry : own) add(entry);
}

TrqPropertyTable::TrqPropertyTable(const TrqPropertyTable& base, std::initializer_list<TrqProperty> own)
    : entries_(base.entries_), index_(base.index_)
{
    for (const TrqProperty& entry : own) add(entry);
}

void TrqPropertyTable::add(const TrqProperty& entry)
{
    if (auto it = index_.find(std::string_view(entry.Name)); it != index_.end()) {
        entries_[it->second] = entry;  // the derived class's entry takes the base's place
        return;
    }
    index_.emplace(entry.Name, entries_.size());
    entries_.push_back(entry);
}

const TrqProperty* TrqPropertyTable::Find(std::string_view name) const
{
    auto it = index_.find(name);
    return it == index_.end() ? nullptr : &entries_[it->second];
}

size_t TrqPropertyTable::FoldedHash::operator()(std::string_view name) const
{
    // FNV-1a over the upper-cased ASCII letters; names that SameText calls
    // equal hash alike.
    size_t h = 1469598103934665603ull;
    for (char c : name) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u >= 'a' && u <= 'z') u = static_cast<unsigned char>(u - 32);
        h = (h ^ u) * 1099511628211ull;
    }
    return h;
}
