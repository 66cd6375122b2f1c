#include "report/data/FieldReference.h"

#include "report/data/ComponentPath.h"
#include "report/data/DBDataSet.h"
#include "report/data/DataSetOpening.h"
#include "report/model/DataDictionary.h"
#include "runtime/SysUtils.h"

#include <algorithm>

std::vector<AnsiString> SplitFieldReference(std::string_view text)
{
    std::vector<AnsiString> parts;
    size_t start = 0;
    for (;;) {
        size_t quote = text.find('"', start);
        size_t dot = text.find('.', start);
        if (dot == std::string_view::npos || (quote != std::string_view::npos && quote < dot)) {
            parts.emplace_back(text.substr(start));
            return parts;
        }
        parts.emplace_back(text.substr(start, dot - start));
        start = dot + 1;
    }
}

AnsiString UnquoteFieldName(std::string_view name)
{
    if (name.size() > 2 && name.front() == '"' && name.back() == '"') return AnsiString(name.substr(1, name.size() - 2));
    return AnsiString(name);
}

bool DataSetHasField(TDataSet& dataSet, std::string_view fieldName)
{
    try {
        // A closed dataset that knows no fields yet is opened to learn their
        // names and closed again: a lookup leaves every dataset as it found it.
        if (!dataSet.Active() && dataSet.FieldCount() == 0 && dataSet.FieldDefs().empty()) {
            OpenReportDataSet(dataSet);
            dataSet.Close();
        }
        if (dataSet.FindField(fieldName)) return true;
        const TFieldDefs& defs = dataSet.FieldDefs();
        return dataSet.DefaultFields() || dataSet.FieldCount() == 0
                   ? std::any_of(defs.begin(), defs.end(), [&](const TFieldDef& d) { return SameText(d.Name, fieldName); })
                   : false;
    } catch (const ErqDataSetError&) {
        throw;  // a query that cannot run is reported, not taken for a missing field
    } catch (const std::exception&) {
        return false;  // a dataset that cannot tell its fields has none
    }
}

bool ResolveFieldReference(TComponent* owner, std::string_view text, TDataSet* defaultDataSet, TrqFieldRef& out)
{
    std::vector<AnsiString> parts = SplitFieldReference(text);
    if (parts.size() > 4) return false;
    TDataSet* dataSet = defaultDataSet;
    if (parts.size() > 1) {
        AnsiString path = parts[0];
        for (size_t i = 1; i + 1 < parts.size(); ++i) path += "." + parts[i];
        TComponent* component = FindComponentByPath(owner, path);
        if (auto* reportDataset = dynamic_cast<TrqDBDataSet*>(component)) dataSet = reportDataset->FindDataSet();
        else dataSet = dynamic_cast<TDataSet*>(component);
    }
    if (!dataSet) return false;
    AnsiString field = UnquoteFieldName(parts.back());
    if (!DataSetHasField(*dataSet, field)) return false;
    out.DataSet = dataSet;
    out.FieldName = field;
    return true;
}

Variant ReportFieldValue(const TField& field)
{
    if (field.OnGetText || field.DataType() == ftLargeint) return Variant(field.DisplayText());
    Variant value = field.Value();
    if (!value.IsEmptyOrNull()) return value;
    switch (field.DataType()) {
    case ftString:
    case ftWideString: return Variant(AnsiString());
    case ftBoolean: return Variant(false);
    default: return Variant(0);
    }
}

namespace {
// Templates saved by the designer drop the field aliases whose reference no
// longer resolves when they are loaded (TemplateReader). References of two or
// more parts name application-wide data modules, which exist by then; a
// one-part dataset name belongs to a report's form, which loading cannot see.
const bool resolverInstalled = [] {
    SetFieldReferenceResolver([](const AnsiString& reference) {
        TrqFieldRef ref;
        try {
            return ResolveFieldReference(nullptr, reference, nullptr, ref);
        } catch (const std::exception&) {
            return false;
        }
    });
    return true;
}();
}  // namespace
