#include "report/model/Object.h"

#include "report/model/PropertyTable.h"

void TrqObject::SetPropValue(const AnsiString& name, const Variant& value)
{
    const TrqProperty* p = FindProperty(name);
    if (p && p->Set) p->Set(*this, value);
}

Variant TrqObject::GetPropValue(const AnsiString& name)
{
    const TrqProperty* p = FindProperty(name);
    return p && p->Get ? p->Get(*this) : Variant::Null();
}

Variant TrqObject::DoMethod(const AnsiString&, const Variant&, const Variant&, const Variant&)
{
    return Variant::Null();
}

const TrqPropertyTable& TrqObject::Properties() const
{
    static const TrqPropertyTable none({});
    return none;
}

uint32_t TrqObject::RegisteredGroups() const { return rgAlways; }

const TrqProperty* TrqObject::FindProperty(std::string_view name) const { return Properties().Find(name); }

bool TrqObject::CanSetProperty(std::string_view name) const
{
    const TrqProperty* p = FindProperty(name);
    return p && p->Set;
}

const std::vector<TrqPropRec>& TrqObject::PropList()
{
    // Built again when what the object offers changed (a page that became a
    // dialog page, a band of another kind).
    const uint32_t groups = RegisteredGroups();
    if (!props_.empty() && groups == propsGroups_) return props_;
    props_.clear();
    propsGroups_ = groups;
    for (const TrqProperty& p : Properties().Entries()) {
        if (!(p.Group & groups)) continue;
        TrqPropRec rec;
        rec.Name = p.Name.substr(0, 32);
        rec.Kind = p.Enum.empty() ? p.Kind : static_cast<uint16_t>(pkEnum);
        for (const TrqNamedValue& v : p.Enum) {
            rec.EnumNames.emplace_back(v.Name);
            rec.EnumValues.push_back(v.Value);
        }
        props_.push_back(std::move(rec));
    }
    return props_;
}

bool TrqObject::HasProperty(std::string_view name) const
{
    const TrqProperty* p = FindProperty(name);
    return p && (p->Group & RegisteredGroups());
}
