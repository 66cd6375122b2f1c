#pragma once
// Parameters of queries and stored functions.
//
// A parameter has a name (found without regard to case), a data type, a kind
// (input, output, input/output, result) and a value. Setting a value through a
// typed setter also sets the data type (AsString: ftString, AsInteger:
// ftInteger, AsFloat: ftFloat, AsDateTime: ftDateTime, AsBoolean: ftBoolean)
// and marks the parameter Bound. A parameter without a value binds as null of
// its data type.

#include "DBTypes.h"
#include "runtime/Variant.h"

#include <memory>
#include <vector>

class TParam {
public:
    TParam(const AnsiString& name, TFieldType type, TParamType kind) : name_(name), dataType_(type), paramType_(kind) {}

    const AnsiString& Name() const { return name_; }
    TFieldType DataType() const { return dataType_; }
    void SetDataType(TFieldType type) { dataType_ = type; }
    TParamType ParamType() const { return paramType_; }
    void SetParamType(TParamType kind) { paramType_ = kind; }
    int Size() const { return size_; }
    void SetSize(int size) { size_ = size; }
    // True once a value was set by the program (master-detail fills only the
    // parameters that are not bound).
    bool Bound() const { return bound_; }
    void SetBound(bool bound) { bound_ = bound; }

    const Variant& Value() const { return value_; }
    // Keeps the data type (sets it from the value when it is unknown).
    void SetValue(const Variant& value);
    bool IsNull() const { return value_.IsEmptyOrNull(); }
    void Clear() { value_ = Variant::Null(); }

    AnsiString AsString() const { return value_.AsString(); }
    void SetAsString(const AnsiString& v) { set(Variant(v), ftString); }
    double AsFloat() const { return value_.AsFloat(); }
    void SetAsFloat(double v) { set(Variant(v), ftFloat); }
    int AsInteger() const { return static_cast<int>(value_.AsInteger()); }
    void SetAsInteger(int v) { set(Variant(v), ftInteger); }
    TDateTime AsDateTime() const { return value_.AsDateTime(); }
    void SetAsDateTime(TDateTime v) { set(Variant::FromDateTime(v), ftDateTime); }
    bool AsBoolean() const { return value_.AsBoolean(); }
    void SetAsBoolean(bool v) { set(Variant(v), ftBoolean); }

private:
    void set(Variant v, TFieldType type)
    {
        value_ = std::move(v);
        dataType_ = type;
        bound_ = true;
    }

    AnsiString name_;
    TFieldType dataType_;
    TParamType paramType_;
    int size_ = 0;
    bool bound_ = false;
    Variant value_ = Variant::Null();
};

class TParams {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    TParam& operator[](int i) const { return *items_.at(static_cast<size_t>(i)); }
    TParam& Items(int i) const { return (*this)[i]; }
    TParam* FindParam(std::string_view name) const;
    // Raises "Parameter '%s' not found".
    TParam& ParamByName(std::string_view name) const;
    TParam& CreateParam(TFieldType type, const AnsiString& name, TParamType kind);
    void Clear() { items_.clear(); }
    // Makes the list exactly these names (a name kept keeps its type and value).
    void Rebuild(const std::vector<AnsiString>& names);

private:
    std::vector<std::unique_ptr<TParam>> items_;
};

// A parameter's value for a statement: its value, or null of its type.
struct TBindValue;
TBindValue BindValueOf(const TParam& param);
