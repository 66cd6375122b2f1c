#include "report/model/Object.h"

void TrqObject::SetPropValue(const AnsiString&, const Variant&) {}

Variant TrqObject::GetPropValue(const AnsiString&) { return Variant::Null(); }

Variant TrqObject::DoMethod(const AnsiString&, const Variant&, const Variant&, const Variant&)
{
    return Variant::Null();
}

const std::vector<TrqPropRec>& TrqObject::PropList()
{
    if (props_.empty()) DefineProperties();
    return props_;
}

bool TrqObject::HasProperty(std::string_view name)
{
    for (const TrqPropRec& p : PropList())
        if (SameText(p.Name, name)) return true;
    return false;
}

void TrqObject::AddProperty(const AnsiString& name, uint16_t kind)
{
    TrqPropRec rec;
    rec.Name = name.substr(0, 32);
    rec.Kind = kind;
    props_.push_back(std::move(rec));
}

void TrqObject::AddEnumProperty(const AnsiString& name, std::string_view names, std::vector<int> values)
{
    TrqPropRec rec;
    rec.Name = name.substr(0, 32);
    rec.Kind = pkEnum;
    size_t start = 0;
    while (start <= names.size()) {
        size_t end = names.find(';', start);
        if (end == std::string_view::npos) end = names.size();
        rec.EnumNames.emplace_back(names.substr(start, end - start));
        start = end + 1;
    }
    if (values.empty())
        for (size_t i = 0; i < rec.EnumNames.size(); ++i) values.push_back(static_cast<int>(i));
    rec.EnumValues = std::move(values);
    props_.push_back(std::move(rec));
}
