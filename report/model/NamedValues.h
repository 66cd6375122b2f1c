#pragma once
// An ordered list of names with values, names compared without regard to
// case: the lists of a report's data dictionary (variables with their
// expression texts, field aliases, band data sources). Entries keep their
// order; a name appears at most once.

#include "runtime/AnsiString.h"
#include "runtime/Variant.h"

#include <vector>

class TrqNamedValues {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    // Replaces the value of the name, or appends a new entry.
    void SetVariable(const AnsiString& name, const Variant& value);
    // The value, or Null when the name is absent.
    Variant GetVariable(std::string_view name) const;
    int IndexOf(std::string_view name) const;
    // Empty text / the integer 0 / no effect outside 0..Count-1.
    AnsiString NameAt(int index) const;
    void SetNameAt(int index, const AnsiString& name);
    Variant ValueAt(int index) const;
    void SetValueAt(int index, const Variant& value);
    void Delete(int index);
    void Clear() { items_.clear(); }

    bool operator==(const TrqNamedValues&) const;

private:
    struct Item {
        AnsiString name;
        Variant value;
    };
    bool inRange(int index) const { return index >= 0 && index < Count(); }
    std::vector<Item> items_;
};
