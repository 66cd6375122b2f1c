#pragma once
// The base of report pages and views: script access by name and the list of
// the properties an object offers.
//
// Scripts and expressions read, write and call an object's members by name:
// names are compared in upper case; an unknown name reads as Null, writing it
// changes nothing and calling it gives Null. The property list tells which
// names an object offers (for qualified names such as "Font.Name"); it is
// built on first use.

#include "runtime/AnsiString.h"
#include "runtime/Variant.h"

#include <cstdint>
#include <vector>

// Inspector hints of a property; the engine itself reads only the names.
enum : uint16_t {
    pkText = 1,
    pkInteger = 2,
    pkBoolean = 8,
    pkColor = 16,
    pkEnum = 32,
    pkEditor = 64,
    pkPosition = 128,
    pkFractionalPosition = 132,
    pkObjectName = 256,
};

struct TrqPropRec {
    AnsiString Name;  // at most 32 characters
    uint16_t Kind = 0;
    std::vector<AnsiString> EnumNames;
    std::vector<int> EnumValues;
};

class TrqObject {
public:
    TrqObject() = default;
    virtual ~TrqObject() = default;
    TrqObject(const TrqObject&) = delete;
    TrqObject& operator=(const TrqObject&) = delete;

    virtual void SetPropValue(const AnsiString& name, const Variant& value);
    virtual Variant GetPropValue(const AnsiString& name);
    virtual Variant DoMethod(const AnsiString& name, const Variant& p1, const Variant& p2, const Variant& p3);

    const std::vector<TrqPropRec>& PropList();
    // True when the property list holds the name (any letter case).
    bool HasProperty(std::string_view name);
    void ClearPropList() { props_.clear(); }

protected:
    // Fills the property list; derived classes call their base first.
    virtual void DefineProperties() {}
    void AddProperty(const AnsiString& name, uint16_t kind);
    // An enumeration: names separated by ";", values 0, 1, 2, ... unless given.
    void AddEnumProperty(const AnsiString& name, std::string_view names, std::vector<int> values = {});

private:
    std::vector<TrqPropRec> props_;
};
