#pragma once
// The data dictionary of a report: its variables (a name beginning with one
// space is a category heading with an empty value; other names are variables
// whose value is an expression text), field aliases (alias -> dataset field
// reference), band data sources (alias -> data source name) and the datasets
// a designer hid (not stored).

#include "report/model/NamedValues.h"
#include "runtime/StringList.h"

#include <functional>

class TrqDataDictionary {
public:
    TrqNamedValues Variables;
    TrqNamedValues FieldAliases;
    TrqNamedValues BandDatasources;
    TStringList DisabledDatasets;

    void Clear();
    bool IsCategory(int index) const;

    // Names written the old way (categories without, variables with a leading
    // space) are turned into the current convention; no change otherwise.
    void ConvertOldNames();
    // Drops field aliases whose value does not name an existing dataset field
    // and band data sources with an empty value (dictionaries written by older
    // designers carry such leftovers).
    void RemoveStaleEntries();
};

// Decides whether a dataset field reference resolves; the report datasets
// install it. Without one no reference resolves.
using TrqFieldResolver = std::function<bool(const AnsiString& reference)>;
void SetFieldReferenceResolver(TrqFieldResolver resolver);
bool FieldReferenceResolves(const AnsiString& reference);
