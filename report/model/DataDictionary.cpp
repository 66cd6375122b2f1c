#include "report/model/DataDictionary.h"

namespace {
TrqFieldResolver& resolver()
{
    static TrqFieldResolver fn;
    return fn;
}
}  // namespace

void SetFieldReferenceResolver(TrqFieldResolver fn) { resolver() = std::move(fn); }

bool FieldReferenceResolves(const AnsiString& reference) { return resolver() && resolver()(reference); }

void TrqDataDictionary::Clear()
{
    Variables.Clear();
    FieldAliases.Clear();
    BandDatasources.Clear();
    DisabledDatasets.Clear();
}

bool TrqDataDictionary::IsCategory(int index) const
{
    AnsiString name = Variables.NameAt(index);
    return !name.empty() && name[0] == ' ';
}

void TrqDataDictionary::ConvertOldNames()
{
    if (Variables.Count() == 0) return;
    AnsiString first = Variables.NameAt(0);
    if (first.empty() || first[0] == ' ') return;
    for (int i = 0; i < Variables.Count(); ++i) {
        AnsiString name = Variables.NameAt(i);
        if (!name.empty() && name[0] == ' ') Variables.SetNameAt(i, name.substr(1, 255));
        else Variables.SetNameAt(i, " " + name);
    }
}

void TrqDataDictionary::RemoveStaleEntries()
{
    for (int i = FieldAliases.Count() - 1; i >= 0; --i)
        if (!FieldReferenceResolves(FieldAliases.ValueAt(i).AsString())) FieldAliases.Delete(i);
    for (int i = BandDatasources.Count() - 1; i >= 0; --i)
        if (BandDatasources.ValueAt(i).AsString().empty()) BandDatasources.Delete(i);
}
