#pragma once
// TrqFieldCache: names that expressions use for dataset fields, each held with
// its dataset, field name and field object, so that a name costs one look-up
// per build and a read costs no search.
//
// Field objects come and go with their dataset (a query without declared
// fields makes new ones at every open, a detail reopens at every master
// record): the cache hears when a field or a dataset is destroyed and finds the
// field again by name at the next read. A dataset that is gone reads as Null.

#include "report/data/FieldReference.h"
#include "runtime/Component.h"

#include <memory>
#include <unordered_map>

class TrqFieldCache : public TComponent {
public:
    struct Entry {
        TDataSet* DataSet = nullptr;
        AnsiString FieldName;
        TField* Field = nullptr;
    };

    TrqFieldCache() = default;
    ~TrqFieldCache() override;

    // The entry cached under exactly this name, or null.
    Entry* Find(std::string_view name);
    // Caches the reference under the name (replacing an entry of that name).
    Entry& Add(std::string_view name, const TrqFieldRef& ref);
    void Remove(std::string_view name);
    void Clear();

    // The entry's field, opening its dataset when it is closed; null when the
    // dataset is gone or no longer has the field.
    TField* FieldOf(Entry& entry);
    // The field's value as reports see it (ReportFieldValue); Null without a field.
    Variant ValueOf(Entry& entry);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>()(s); }
    };
    std::unordered_map<AnsiString, std::unique_ptr<Entry>, Hash, std::equal_to<>> entries_;
};
