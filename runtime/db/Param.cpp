#include "Param.h"

#include "Database.h"

void TParam::SetValue(const Variant& value)
{
    value_ = value.IsEmpty() ? Variant::Null() : value;
    if (dataType_ == ftUnknown) {
        switch (value_.Type()) {
        case VarType::Integer: dataType_ = ftInteger; break;
        case VarType::Float: dataType_ = ftFloat; break;
        case VarType::Boolean: dataType_ = ftBoolean; break;
        case VarType::DateTime: dataType_ = ftDateTime; break;
        case VarType::String: dataType_ = ftString; break;
        default: break;
        }
    }
    bound_ = true;
}

TParam* TParams::FindParam(std::string_view name) const
{
    for (auto& p : items_)
        if (SameText(p->Name(), name)) return p.get();
    return nullptr;
}

TParam& TParams::ParamByName(std::string_view name) const
{
    if (TParam* p = FindParam(name)) return *p;
    throw EDatabaseError(Format(DBText::ParamNotFound, AnsiString(name).c_str()));
}

TParam& TParams::CreateParam(TFieldType type, const AnsiString& name, TParamType kind)
{
    items_.push_back(std::make_unique<TParam>(name, type, kind));
    return *items_.back();
}

void TParams::Rebuild(const std::vector<AnsiString>& names)
{
    std::vector<std::unique_ptr<TParam>> next;
    for (const AnsiString& name : names) {
        std::unique_ptr<TParam> kept;
        for (auto& p : items_)
            if (p && SameText(p->Name(), name)) {
                kept = std::move(p);
                break;
            }
        next.push_back(kept ? std::move(kept) : std::make_unique<TParam>(name, ftUnknown, ptInput));
    }
    items_ = std::move(next);
}

TBindValue BindValueOf(const TParam& param)
{
    return TBindValue{param.IsNull() ? Variant::Null() : param.Value(), param.DataType()};
}
