#include "report/engine/Aggregates.h"

#include "runtime/SysUtils.h"

namespace {
std::vector<std::string_view> keyFields(std::string_view key)
{
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (size_t end; (end = key.find(AggregateFieldEnd, start)) != std::string_view::npos; start = end + 1)
        fields.push_back(key.substr(start, end - start));
    return fields;
}

void reset(TrqAggregateSet::Item& item)
{
    item.Value = AggregateInitialValue(item.Function);
    item.Count = 0;
}
}  // namespace

AnsiString MakeAggregateKey(std::string_view owner, TrqAggregateFunction function, std::string_view expression,
                            std::string_view flag, std::string_view column, bool withColumn)
{
    AnsiString key;
    if (withColumn) key.append(column).push_back(AggregateFieldEnd);
    key.append(owner).push_back(AggregateFieldEnd);
    key.push_back(static_cast<char>(function));
    key.push_back(AggregateFieldEnd);
    key.append(expression).push_back(AggregateFieldEnd);
    key.append(flag).push_back(AggregateFieldEnd);
    return key;
}

Variant AggregateInitialValue(TrqAggregateFunction function)
{
    return function == TrqAggregateFunction::Min ? Variant(1e300) : Variant(0);
}

TrqAggregateSet::Item& TrqAggregateSet::add(const AnsiString& key)
{
    Item item;
    item.Key = key;
    std::vector<std::string_view> f = keyFields(key);
    if (f.size() == 5) {
        item.HasColumn = true;
        item.Column = AnsiString(f[0]);
        f.erase(f.begin());
    }
    if (f.size() == 4) {
        item.Owner = AnsiString(f[0]);
        int code = f[1].empty() ? 0 : static_cast<unsigned char>(f[1][0]);
        if (code >= static_cast<int>(TrqAggregateFunction::Sum) && code <= static_cast<int>(TrqAggregateFunction::Count))
            item.Function = static_cast<TrqAggregateFunction>(code);
        item.Expression = AnsiString(f[2]);
        item.CountsHidden = Trim(f[3]) == "1";
    }
    reset(item);
    index_.emplace(key, items_.size());
    items_.push_back(std::move(item));
    return items_.back();
}

void TrqAggregateSet::Register(const AnsiString& key)
{
    if (!Find(key)) add(key);
}

TrqAggregateSet::Item* TrqAggregateSet::Find(std::string_view key)
{
    auto it = index_.find(AnsiString(key));
    return it == index_.end() ? nullptr : &items_[it->second];
}

void TrqAggregateSet::Accumulate(const std::function<Variant(const AnsiString&)>& evaluate, bool visible,
                                 const AnsiString* column)
{
    if (column) {
        // Each column gets its own copy of the "0" pattern keys, made when the
        // column first takes a record.
        const size_t n = items_.size();
        for (size_t i = 0; i < n; ++i) {
            if (!items_[i].HasColumn || items_[i].Column != "0") continue;
            const AnsiString pattern = items_[i].Key;  // add() may move the items
            std::vector<std::string_view> f = keyFields(pattern);
            AnsiString key = MakeAggregateKey(f[1], items_[i].Function, f[3], f[4], *column, true);
            if (!Find(key)) add(key);
        }
    }
    const AnsiString* lastExpression = nullptr;
    Variant value;
    for (Item& item : items_) {
        if (column && (!item.HasColumn || item.Column != *column)) {
            lastExpression = nullptr;
            continue;
        }
        if (item.Function != TrqAggregateFunction::Count) {
            if (!lastExpression || *lastExpression != item.Expression) value = evaluate(item.Expression);
            lastExpression = &item.Expression;
        } else {
            lastExpression = nullptr;
        }
        if (!visible && !item.CountsHidden) continue;
        if (item.Value.IsEmptyOrNull()) item.Value = Variant(0);
        const Variant v = value.IsEmptyOrNull() ? Variant(0) : value;
        switch (item.Function) {
        case TrqAggregateFunction::Sum:
        case TrqAggregateFunction::Avg: item.Value = item.Value + v; break;
        case TrqAggregateFunction::Min:
            if (item.Count == 0 || v < item.Value) item.Value = v;
            break;
        case TrqAggregateFunction::Max:
            if (item.Count == 0 || v > item.Value) item.Value = v;
            break;
        case TrqAggregateFunction::Count: item.Value = item.Value + Variant(1); break;
        }
        ++item.Count;
    }
    ++RecordCount;
}

void TrqAggregateSet::Reset(std::string_view owner)
{
    for (Item& item : items_)
        if (SameText(item.Owner, owner)) reset(item);
    RecordCount = 0;
}

Variant TrqAggregateSet::Value(std::string_view key)
{
    Item* item = Find(key);
    if (!item) return Variant::Null();
    if (item->Function != TrqAggregateFunction::Avg) return item->Value;
    if (item->Count == 0) return Variant(0);
    return item->Value / Variant(item->Count);
}
