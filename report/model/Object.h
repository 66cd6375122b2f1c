#pragma once
// The base of report pages and views: script access by name and the list of
// the properties an object offers.
//
// Scripts and expressions read, write and call an object's members by name:
// names are compared in any letter case; an unknown name reads as Null,
// writing it changes nothing and calling it gives Null. What a class offers
// is its property table (PropertyTable.h): reads, writes and the property
// list are all made from it. The property list tells which names the object
// offers (the names a script may use without an object, such as "Left" in a
// view's own script or "Font.Name"); it is built on first use.

#include "runtime/AnsiString.h"
#include "runtime/Variant.h"

#include <cstdint>
#include <vector>

class TrqPropertyTable;
struct TrqProperty;

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

    // The object's name as messages give it.
    virtual AnsiString ObjectName() const { return {}; }

    virtual void SetPropValue(const AnsiString& name, const Variant& value);
    virtual Variant GetPropValue(const AnsiString& name);
    virtual Variant DoMethod(const AnsiString& name, const Variant& p1, const Variant& p2, const Variant& p3);

    // The class's property table; the base class has no properties.
    virtual const TrqPropertyTable& Properties() const;
    // Which groups of the table this object's property list offers (see
    // PropertyTable.h); the base offers rgAlways.
    virtual uint32_t RegisteredGroups() const;

    // The entry scripts reach under that name (any letter case), or null.
    const TrqProperty* FindProperty(std::string_view name) const;
    // True when a write of that name changes something.
    bool CanSetProperty(std::string_view name) const;

    const std::vector<TrqPropRec>& PropList();
    // True when the property list holds the name (any letter case).
    bool HasProperty(std::string_view name) const;
    void ClearPropList() { props_.clear(); }

private:
    std::vector<TrqPropRec> props_;
    uint32_t propsGroups_ = 0;
};
