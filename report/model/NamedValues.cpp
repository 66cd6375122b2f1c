#include "report/model/NamedValues.h"

void TrqNamedValues::SetVariable(const AnsiString& name, const Variant& value)
{
    int index = IndexOf(name);
    if (index >= 0) items_[static_cast<size_t>(index)].value = value;
    else items_.push_back({name, value});
}

Variant TrqNamedValues::GetVariable(std::string_view name) const
{
    int index = IndexOf(name);
    return index >= 0 ? items_[static_cast<size_t>(index)].value : Variant::Null();
}

int TrqNamedValues::IndexOf(std::string_view name) const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (SameText(items_[i].name, name)) return static_cast<int>(i);
    return -1;
}

AnsiString TrqNamedValues::NameAt(int index) const
{
    return inRange(index) ? items_[static_cast<size_t>(index)].name : AnsiString();
}

void TrqNamedValues::SetNameAt(int index, const AnsiString& name)
{
    if (inRange(index)) items_[static_cast<size_t>(index)].name = name;
}

Variant TrqNamedValues::ValueAt(int index) const
{
    return inRange(index) ? items_[static_cast<size_t>(index)].value : Variant(0);
}

void TrqNamedValues::SetValueAt(int index, const Variant& value)
{
    if (inRange(index)) items_[static_cast<size_t>(index)].value = value;
}

void TrqNamedValues::Delete(int index)
{
    if (inRange(index)) items_.erase(items_.begin() + index);
}

bool TrqNamedValues::operator==(const TrqNamedValues& other) const
{
    if (items_.size() != other.items_.size()) return false;
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].name != other.items_[i].name || !items_[i].value.Identical(other.items_[i].value)) return false;
    return true;
}
