#include "report/language/Variables.h"

#include <algorithm>

bool TrqVariables::search(std::string_view name, int& index) const
{
    int low = 0, high = Count() - 1;
    while (low <= high) {
        int mid = (low + high) / 2;
        int c = CompareText(entries_[mid].name, name);
        if (c == 0) {
            index = mid;
            return true;
        }
        if (c < 0) low = mid + 1;
        else high = mid - 1;
    }
    index = low;
    return false;
}

int TrqVariables::IndexOf(std::string_view name) const
{
    if (sorted_) {
        int index;
        return search(name, index) ? index : -1;
    }
    for (int i = 0; i < Count(); ++i)
        if (SameText(entries_[i].name, name)) return i;
    return -1;
}

const Variant* TrqVariables::Find(std::string_view name) const
{
    int index = IndexOf(name);
    return index < 0 ? nullptr : &entries_[index].value;
}

void TrqVariables::SetVariable(std::string_view name, const Variant& value)
{
    if (sorted_) {
        int index;
        if (search(name, index)) entries_[index].value = value;
        else entries_.insert(entries_.begin() + index, Entry{AnsiString(name), value});
        return;
    }
    int index = IndexOf(name);
    if (index >= 0) entries_[index].value = value;
    else entries_.push_back(Entry{AnsiString(name), value});
}

Variant TrqVariables::GetVariable(std::string_view name) const
{
    const Variant* value = Find(name);
    return value ? *value : Variant::Null();
}

AnsiString TrqVariables::NameAt(int index) const
{
    return inRange(index) ? entries_[index].name : AnsiString();
}

void TrqVariables::SetNameAt(int index, std::string_view name)
{
    if (!inRange(index)) return;
    if (!sorted_) {
        entries_[index].name = AnsiString(name);
        return;
    }
    Variant value = std::move(entries_[index].value);
    entries_.erase(entries_.begin() + index);
    SetVariable(name, value);
}

Variant TrqVariables::ValueAt(int index) const
{
    return inRange(index) ? entries_[index].value : Variant(0);
}

void TrqVariables::SetValueAt(int index, const Variant& value)
{
    if (inRange(index)) entries_[index].value = value;
}

void TrqVariables::Delete(int index)
{
    if (inRange(index)) entries_.erase(entries_.begin() + index);
}

void TrqVariables::SetSorted(bool sorted)
{
    if (sorted == sorted_) return;
    sorted_ = sorted;
    if (!sorted) return;
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Entry& a, const Entry& b) { return CompareText(a.name, b.name) < 0; });
    auto last = std::unique(entries_.begin(), entries_.end(),
                            [](const Entry& a, const Entry& b) { return SameText(a.name, b.name); });
    entries_.erase(last, entries_.end());
}
