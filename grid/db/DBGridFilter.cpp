#include "grid/db/DBGridFilter.h"

#include "grid/columns/DBTreeListColumn.h"
#include "runtime/db/Field.h"

#include <algorithm>

namespace {
bool blank(const Variant& v) { return v.IsEmptyOrNull() || (v.IsString() && v.StringValue().empty()); }
}  // namespace

bool TqvFilterCondition::Holds(const Variant& value, bool caseInsensitive) const
{
    switch (Operator) {
    case foBlanks: return blank(value);
    case foNonBlanks: return !blank(value);
    default: break;
    }
    int c;
    if (caseInsensitive && value.IsString() && Value.IsString())
        c = CompareText(value.StringValue(), Value.StringValue());
    else
        c = Compare(value, Value);
    switch (Operator) {
    case foEqual: return c == 0;
    case foNotEqual: return c != 0;
    case foGreater: return c > 0;
    case foGreaterEqual: return c >= 0;
    case foLess: return c < 0;
    case foLessEqual: return c <= 0;
    default: return false;
    }
}

void TqvDBGridFilter::SetColumnFilter(const TqvColumnFilter& filter)
{
    RemoveColumnFilter(filter.Column);
    filters_.push_back(filter);
}

void TqvDBGridFilter::RemoveColumnFilter(const TqvDBTreeListColumn* column)
{
    filters_.erase(std::remove_if(filters_.begin(), filters_.end(),
                                  [&](const TqvColumnFilter& f) { return f.Column == column; }),
                   filters_.end());
}

bool TqvDBGridFilter::RecordPasses() const
{
    if (!InForce()) return true;
    for (const TqvColumnFilter& f : filters_) {
        TField* field = f.Column ? f.Column->Field() : nullptr;
        Variant value = field ? field->Value() : Variant::Null();
        bool first = f.First.Holds(value, caseInsensitive_);
        bool pass = !f.HasSecond ? first
                    : f.OrJoined ? first || f.Second.Holds(value, caseInsensitive_)
                                 : first && f.Second.Holds(value, caseInsensitive_);
        if (!pass) return false;
    }
    return true;
}
