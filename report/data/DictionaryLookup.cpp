#include "report/data/DictionaryLookup.h"

#include "report/language/Globals.h"
#include "report/model/Report.h"

TrqDictionaryLookup::TrqDictionaryLookup(TrqReport& report, DefaultDataSet defaultDataSet)
    : report_(report), defaultDataSet_(std::move(defaultDataSet))
{
}

TComponent* TrqDictionaryLookup::Owner() const { return report_.Owner(); }

bool TrqDictionaryLookup::Resolve(std::string_view reference, TrqFieldRef& out)
{
    return ResolveFieldReference(Owner(), reference, defaultDataSet_ ? defaultDataSet_() : nullptr, out);
}

namespace {
// The position of the last "." outside double quotes, or npos.
size_t lastDotOutsideQuotes(std::string_view name)
{
    size_t dot = std::string_view::npos;
    bool quoted = false;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '"') quoted = !quoted;
        else if (name[i] == '.' && !quoted) dot = i;
    }
    return dot;
}
}  // namespace

AnsiString TrqDictionaryLookup::unaliased(const AnsiString& name) const
{
    const size_t dot = lastDotOutsideQuotes(name);
    AnsiString dataset = name.substr(0, dot);
    AnsiString field = UnquoteFieldName(std::string_view(name).substr(dot + 1));
    const TrqNamedValues& aliases = report_.Dictionary().FieldAliases;
    // Entries: "dataset" or "dataset.field" -> alias.
    for (int i = 0; i < aliases.Count(); ++i)
        if (SameText(aliases.ValueAt(i).AsString(), dataset)) {
            dataset = aliases.NameAt(i);
            break;
        }
    for (int i = 0; i < aliases.Count(); ++i) {
        AnsiString entry = aliases.NameAt(i);
        if (entry.size() >= dataset.size() && SameText(std::string_view(entry).substr(0, dataset.size()), dataset) &&
            SameText(aliases.ValueAt(i).AsString(), field)) {
            field = entry.substr(entry.rfind('.') + 1);
            break;
        }
    }
    return dataset + ".\"" + field + "\"";
}

bool TrqDictionaryLookup::IsVariable(const AnsiString& name)
{
    if (cache_.Find(name)) return true;
    TrqNamedValues& variables = report_.Dictionary().Variables;
    int index = variables.IndexOf(name);
    if (index >= 0) {
        Variant value = variables.ValueAt(index);
        TrqFieldRef ref;
        if (value.IsString() && value.StringValue().find('.') != AnsiString::npos && Resolve(value.StringValue(), ref))
            cache_.Add(name, ref);
        return true;
    }
    if (lastDotOutsideQuotes(name) == std::string_view::npos) return false;
    TrqFieldRef ref;
    if (!Resolve(unaliased(name), ref)) return false;
    cache_.Add(name, ref);
    return true;
}

Variant TrqDictionaryLookup::GetValue(const AnsiString& name)
{
    if (TrqFieldCache::Entry* entry = cache_.Find(name)) return cache_.ValueOf(*entry);
    if (const Variant* global = rqVariables().Find(name)) return *global;
    TrqNamedValues& variables = report_.Dictionary().Variables;
    int index = variables.IndexOf(name);
    if (index < 0) return Variant::Null();
    Variant value = variables.ValueAt(index);
    if (value.IsString() && !value.StringValue().empty()) return rqParser().Evaluate(value.StringValue());
    return value;
}

bool TrqDictionaryLookup::Get(const AnsiString& name, Variant& value)
{
    if (TrqFieldCache::Entry* entry = cache_.Find(name)) {
        value = cache_.ValueOf(*entry);
        return true;
    }
    if (!IsVariable(name)) return false;
    value = GetValue(name);
    return true;
}

bool TrqDictionaryLookup::Set(const AnsiString& name, const Variant& value)
{
    TrqNamedValues& variables = report_.Dictionary().Variables;
    int index = variables.IndexOf(name);
    if (index < 0) return false;
    variables.SetValueAt(index, value);
    cache_.Remove(name);  // the name now stands for the new value
    return true;
}
