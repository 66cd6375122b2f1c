#include "grid/db/DBGridFilter.h"

#include "grid/columns/DBTreeListColumn.h"
#include "runtime/db/Field.h"

#include <algorithm>

TFieldFilter TqvColumnFilter::AsFieldFilter(bool caseInsensitive) const
{
    TFieldFilter f;
    f.FieldName = Column ? Column->FieldName() : AnsiString();
    f.Conditions.push_back(First);
    if (HasSecond) f.Conditions.push_back(Second);
    f.OrJoined = OrJoined;
    f.CaseInsensitive = caseInsensitive;
    return f;
}

void TqvDBGridFilter::SetColumnFilter(const TqvColumnFilter& filter)
{
    for (TqvColumnFilter& f : filters_)
        if (f.Column == filter.Column) {
            f = filter;
            return;
        }
    filters_.push_back(filter);
}

void TqvDBGridFilter::RemoveColumnFilter(const TqvDBTreeListColumn* column)
{
    filters_.erase(std::remove_if(filters_.begin(), filters_.end(),
                                  [&](const TqvColumnFilter& f) { return f.Column == column; }),
                   filters_.end());
}

const TqvColumnFilter* TqvDBGridFilter::ColumnFilter(const TqvDBTreeListColumn* column) const
{
    for (const TqvColumnFilter& f : filters_)
        if (f.Column == column) return &f;
    return nullptr;
}

bool TqvDBGridFilter::ValuePasses(const TqvColumnFilter& f, const Variant& value) const
{
    bool first = f.First.Holds(value, caseInsensitive_);
    if (!f.HasSecond) return first;
    if (first == f.OrJoined) return first;
    return f.Second.Holds(value, caseInsensitive_);
}

bool TqvDBGridFilter::RecordPasses(const TqvDBTreeListColumn* except) const
{
    if (!InForce()) return true;
    for (const TqvColumnFilter& f : filters_) {
        if (f.InDataSet || f.Column == except) continue;
        TField* field = f.Column ? f.Column->Field() : nullptr;
        if (!ValuePasses(f, field ? field->Value() : Variant::Null())) return false;
    }
    return true;
}

namespace {
AnsiString conditionText(const AnsiString& caption, const TqvFilterCondition& c)
{
    static const char* const symbols[] = {" = ", " <> ", " > ", " >= ", " < ", " <= "};
    switch (c.Op) {
    case TFieldFilterOp::Blank: return caption + " is blank";
    case TFieldFilterOp::NonBlank: return caption + " is not blank";
    default: return caption + symbols[static_cast<int>(c.Op)] + c.Text;
    }
}
}  // namespace

AnsiString TqvDBGridFilter::StatusText() const
{
    AnsiString text;
    for (const TqvColumnFilter& f : filters_) {
        AnsiString caption = f.Column ? f.Column->Caption() : AnsiString();
        AnsiString part = conditionText(caption, f.First);
        if (f.HasSecond) {
            part += (f.OrJoined ? " or " : " and ") + conditionText(caption, f.Second);
            if (filters_.size() > 1) part = "(" + part + ")";
        }
        text += (text.empty() ? "" : " and ") + part;
    }
    return text;
}
