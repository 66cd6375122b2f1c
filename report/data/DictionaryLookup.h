#pragma once
// TrqDictionaryLookup: the names a report's data dictionary defines, as
// expressions read them while the report is built.
//
// A name is defined when
//   - it is cached (a field reference found earlier in this build);
//   - the dictionary's Variables hold it; a value that holds "." is tried as
//     a field reference and, when it resolves, the name is cached;
//   - it holds "." and, split at its last dot outside double quotes into a
//     dataset part and a field part, resolves as a field reference; the
//     FieldAliases list turns aliases back into dataset and field names first.
// Its value: a cached field's value (its dataset is opened when closed);
// otherwise the global variable of that name when rqVariables holds it, else
// the dictionary value, a non-empty text being evaluated as an expression.
//
// One-part references take the default dataset, which depends on the band
// being printed (the build supplies it). The cache lives for one build: the
// band engine clears it when a build starts.

#include "report/data/FieldCache.h"

#include <functional>

class TrqReport;

class TrqDictionaryLookup {
public:
    using DefaultDataSet = std::function<TDataSet*()>;
    TrqDictionaryLookup(TrqReport& report, DefaultDataSet defaultDataSet);

    void Clear() { cache_.Clear(); }

    bool IsVariable(const AnsiString& name);
    Variant GetValue(const AnsiString& name);
    // IsVariable and GetValue in one: false when the name is not defined.
    bool Get(const AnsiString& name, Variant& value);
    // Replaces the value of a dictionary variable; false when the dictionary
    // does not hold the name.
    bool Set(const AnsiString& name, const Variant& value);

    // The cached field of a name (after IsVariable found it), or null.
    TrqFieldCache::Entry* CachedField(std::string_view name) { return cache_.Find(name); }
    TrqFieldCache& Cache() { return cache_; }
    // Resolves a reference with the current default dataset.
    bool Resolve(std::string_view reference, TrqFieldRef& out);
    TComponent* Owner() const;

private:
    // name with its dataset part and field part turned from aliases into names.
    AnsiString unaliased(const AnsiString& name) const;

    TrqReport& report_;
    DefaultDataSet defaultDataSet_;
    TrqFieldCache cache_;
};
