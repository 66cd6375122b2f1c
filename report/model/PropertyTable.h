#pragma once
// The names by which scripts reach a report object, one table per class: each
// entry is a property name, whether the object's property list offers it, how
// it reads and how it writes. Reading, writing and the property list are all
// made from the table, so they cannot disagree.
//
// A class's table starts from its base class's: its own entries follow the
// base's, and an entry whose name the base has takes the base entry's place
// (in the property list too). An add-in view declares its table the same way:
//
//   const TrqPropertyTable& TrqBarcodeView::Properties() const
//   {
//       using P = TrqPropertiesOf<TrqBarcodeView>;
//       static const TrqPropertyTable table(TrqView::ViewProperties(), {
//           P::Field("Code", pkText, rgAlways, &TrqBarcodeView::Code),
//           P::Flag("Checksum", rgAlways, flBarcodeChecksum),
//       });
//       return table;
//   }
//
// Rules that are easy to break:
// - Names match in any letter case; the table keeps them as the property list
//   shows them ("Font.Name").
// - An entry without Get reads as Null (DATASOURCE); one without Set changes
//   nothing when written (EOF, MEMO.COUNT). A name that is not in the table
//   reads as Null and writes nothing as well: the table is what scripts reach.
// - Group says when the property list offers the entry: when it shares a bit
//   with the object's RegisteredGroups() (a band offers its kind's properties,
//   a page its dialog or its report page properties). Group 0 (rgNever): the
//   property is reached by name but never listed (NEWCOLUMNAFTER). Every class
//   takes the group bits of its base; the bits from rgFirstFree on are free
//   for a class's own groups.

#include "report/language/Constants.h"
#include "report/model/Object.h"
#include "runtime/Variant.h"

#include <functional>
#include <initializer_list>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

enum : uint32_t {
    rgNever = 0,
    rgAlways = 1u << 0,  // every object of the class lists it
    // Groups of views (report/model/View.h gives which kinds list them).
    rgName = 1u << 1,     // Name, Restrictions
    rgBounds = 1u << 2,   // Left, Top, Width, Height, Visible
    rgFlags = 1u << 3,    // Flags, Memo.Count
    rgFrame = 1u << 4,    // frame, fill, Tag, BandAlign
    rgMemo = 1u << 5,     // Memo (bands show their script under OnBeforePrint instead)
    rgGaps = 1u << 6,     // GapX, GapY
    rgStretched = 1u << 7,
    rgDataField = 1u << 8,
    rgFirstFree = 1u << 9,
};

struct TrqProperty {
    AnsiString Name;
    uint16_t Kind = 0;  // inspector hint (pkText, ...)
    uint32_t Group = rgAlways;
    TrqEnumeration Enum;  // value names of an enumeration property
    std::function<Variant(TrqObject&)> Get;
    std::function<void(TrqObject&, const Variant&)> Set;
};

class TrqPropertyTable {
public:
    TrqPropertyTable(std::initializer_list<TrqProperty> own);
    TrqPropertyTable(const TrqPropertyTable& base, std::initializer_list<TrqProperty> own);

    // The entry of that name (any letter case), or null.
    const TrqProperty* Find(std::string_view name) const;
    const std::vector<TrqProperty>& Entries() const { return entries_; }

private:
    void add(const TrqProperty& entry);

    struct FoldedHash {
        using is_transparent = void;
        size_t operator()(std::string_view name) const;
    };
    struct FoldedEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }
    };
    std::vector<TrqProperty> entries_;
    std::unordered_map<AnsiString, size_t, FoldedHash, FoldedEqual> index_;
};

// Entries for a class T: properties over its fields and its flag bits, or
// over functions of T. Values are converted as scripts give them (integers
// truncated to the field's width, booleans by the Variant's rules).
template <class T>
struct TrqPropertiesOf {
    using Getter = std::function<Variant(T&)>;
    using Setter = std::function<void(T&, const Variant&)>;

    static TrqProperty Make(const char* name, uint16_t kind, uint32_t group, Getter get, Setter set,
                            TrqEnumeration values = {})
    {
        TrqProperty p{name, kind, group, values, nullptr, nullptr};
        if (get) p.Get = [get = std::move(get)](TrqObject& o) { return get(static_cast<T&>(o)); };
        if (set) p.Set = [set = std::move(set)](TrqObject& o, const Variant& v) { set(static_cast<T&>(o), v); };
        return p;
    }

    // A field read and written as it is: integers, booleans, floats and texts.
    template <class F>
    static TrqProperty Field(const char* name, uint16_t kind, uint32_t group, F T::*field,
                             TrqEnumeration values = {})
    {
        return Make(
            name, kind, group, [field](T& o) { return toVariant(o.*field); },
            [field](T& o, const Variant& v) { o.*field = fromVariant<F>(v); }, values);
    }

    // A bit of the view's Flags as a boolean.
    static TrqProperty Flag(const char* name, uint32_t group, uint16_t bit)
    {
        return Make(
            name, pkBoolean, group, [bit](T& o) { return Variant(o.Flag(bit)); },
            [bit](T& o, const Variant& v) { o.SetFlag(bit, v.AsBoolean()); });
    }

    // A name the property list offers for a designer's editor only; scripts
    // read Null and write nothing.
    static TrqProperty Listed(const char* name, uint16_t kind, uint32_t group)
    {
        return TrqProperty{name, kind, group, {}, nullptr, nullptr};
    }

private:
    template <class F>
    static Variant toVariant(const F& value)
    {
        if constexpr (std::is_same_v<F, bool>) return Variant(value);
        else if constexpr (std::is_floating_point_v<F>) return Variant(static_cast<double>(value));
        else if constexpr (std::is_integral_v<F>) return Variant(static_cast<int>(value));
        else return Variant(value);
    }
    template <class F>
    static F fromVariant(const Variant& v)
    {
        if constexpr (std::is_same_v<F, bool>) return v.AsBoolean();
        else if constexpr (std::is_floating_point_v<F>) return static_cast<F>(v.AsFloat());
        else if constexpr (std::is_integral_v<F>) return static_cast<F>(v.AsInteger());
        else return v.AsString();
    }
};
