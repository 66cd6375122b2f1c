#pragma once
// TrqVariables: an ordered list of named values. The program hands values to a
// report through one (rqVariables), the engine keeps its constants in another,
// and data bands keep their aggregate accumulators in others.
//
// Names are compared without regard to ASCII letter case. In Sorted mode the
// entries are held in name order, searched by bisection, and a name is never
// held twice; otherwise insertion order is kept. Indexes are 0-based; an index
// out of range is ignored by the setters and gives "" or the integer 0.

#include "runtime/AnsiString.h"
#include "runtime/Variant.h"

#include <string_view>
#include <vector>

class TrqVariables {
public:
    explicit TrqVariables(bool sorted = false) : sorted_(sorted) {}

    // Replaces the value of the entry of that name, or adds one (at its sorted
    // place in Sorted mode, else at the end).
    void SetVariable(std::string_view name, const Variant& value);
    // The value, or Null when the name is absent.
    Variant GetVariable(std::string_view name) const;
    // The value held for the name, or nullptr; valid until the list changes.
    const Variant* Find(std::string_view name) const;
    int IndexOf(std::string_view name) const;

    int Count() const { return static_cast<int>(entries_.size()); }
    AnsiString NameAt(int index) const;
    // In Sorted mode the renamed entry moves to its place; if another entry has
    // the new name already, that entry takes the value and this one goes.
    void SetNameAt(int index, std::string_view name);
    Variant ValueAt(int index) const;
    void SetValueAt(int index, const Variant& value);
    void Delete(int index);
    void Clear() { entries_.clear(); }

    bool Sorted() const { return sorted_; }
    // Turning Sorted on sorts the entries; of entries with the same name the
    // first is kept.
    void SetSorted(bool sorted);

private:
    struct Entry {
        AnsiString name;
        Variant value;
    };
    bool inRange(int index) const { return index >= 0 && index < Count(); }
    // Sorted mode: true when found; index is the entry or the insertion place.
    bool search(std::string_view name, int& index) const;

    std::vector<Entry> entries_;
    bool sorted_;
};
