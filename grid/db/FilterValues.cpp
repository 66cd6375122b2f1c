#include "grid/db/FilterValues.h"

#include "grid/columns/DBColumnKinds.h"
#include "grid/db/DBGrid.h"
#include "runtime/db/DataSet.h"

#include <algorithm>
#include <climits>
#include <deque>
#include <map>
#include <set>
#include <string>

namespace {
// A value's place in the list: numbers (with dates and flags) first, then
// texts, as the grid sorts.
struct Key {
    bool text = false;
    double number = 0;
    std::string_view chars;

    friend bool operator<(const Key& a, const Key& b)
    {
        if (a.text != b.text) return !a.text;
        return a.text ? a.chars < b.chars : a.number < b.number;
    }
};

bool keyOf(const CellView& cell, Key& key)
{
    switch (cell.kind) {
    case VarType::Integer: key = {false, static_cast<double>(cell.i), {}}; return true;
    case VarType::Float:
    case VarType::DateTime: key = {false, cell.d, {}}; return true;
    case VarType::Boolean: key = {false, cell.b ? 1.0 : 0.0, {}}; return true;
    case VarType::String:
        if (cell.s.empty()) return false;
        key = {true, 0, cell.s};
        return true;
    default: return false;
    }
}

struct Candidate {
    Key key;
    int position;  // a record that holds the value
    CellView cell;
    friend bool operator<(const Candidate& a, const Candidate& b) { return a.key < b.key; }
};

// Reads records of a load-all grid in place: the column's value and the
// other columns' conditions.
class RecordReader {
public:
    RecordReader(const TCustomqvDBGrid& grid, TqvDBTreeListColumn* column)
        : grid_(grid), column_(column), ds_(grid.DataSet()), field_(column->Field()), saved_(ds_->ReadPosition())
    {
        const TqvDBGridFilter& filter = const_cast<TCustomqvDBGrid&>(grid).Filter();
        for (const TqvColumnFilter& f : filter.ColumnFilters())
            if (f.Column != column && !f.InDataSet) othersFilter_ = filter.Active();
        count_ = ds_->AvailableFrom(0, INT_MAX);
    }
    ~RecordReader() { ds_->SetReadPosition(saved_); }
    RecordReader(const RecordReader&) = delete;
    RecordReader& operator=(const RecordReader&) = delete;

    int Count() const { return count_; }
    // The record passes the conditions of the other columns.
    bool Passes(int position)
    {
        if (!othersFilter_) return true;
        ds_->SetReadPosition(position);
        return const_cast<TCustomqvDBGrid&>(grid_).Filter().RecordPasses(column_);
    }
    // The column's stored value; `lasting` when the view outlives the call.
    CellView Cell(int position, bool& lasting)
    {
        CellView cell;
        lasting = ds_->ReadStoredCell(field_, ds_->RecordHandleAt(position), cell);
        if (lasting) return cell;
        ds_->SetReadPosition(position);
        return field_->GetCell();
    }
    AnsiString Text(int position)
    {
        ds_->SetReadPosition(position);
        return column_->GetPaintText(grid_.NodeOfRecordIndex(position));
    }
    Variant Value(int position)
    {
        ds_->SetReadPosition(position);
        return field_->Value();
    }

private:
    const TCustomqvDBGrid& grid_;
    TqvDBTreeListColumn* column_;
    TDataSet* ds_;
    TField* field_;
    int saved_;
    int count_ = 0;
    bool othersFilter_ = false;
};

// The text of a record does not follow from its value alone.
bool textPerRecord(const TqvDBTreeListColumn* column)
{
    const TField* field = column->Field();
    return column->OnGetText || field->OnGetText || field->FieldKind() != fkData ||
           dynamic_cast<const TqvDBTreeListWrapperColumn*>(column);
}

// The `want` smallest distinct values of the passing records; `more` tells
// that there were others beyond them.
std::vector<Candidate> smallestValues(RecordReader& reader, size_t want, bool& more, std::deque<std::string>& copies)
{
    std::set<Candidate> kept;
    more = false;
    for (int p = 0; p < reader.Count(); ++p) {
        bool lasting = false;
        CellView cell = reader.Cell(p, lasting);
        Key key;
        if (!keyOf(cell, key)) continue;
        if (kept.size() >= want && !(key < kept.rbegin()->key)) {
            if (kept.rbegin()->key < key) more = true;
            continue;
        }
        if (!reader.Passes(p)) continue;
        Candidate c{key, p, cell};
        auto [it, added] = kept.insert(c);
        if (!added) continue;
        if (!lasting && cell.kind == VarType::String) {
            // The view dies with the call: keep a copy for the key and the value.
            copies.emplace_back(cell.s);
            auto node = kept.extract(it);
            node.value().key.chars = copies.back();
            node.value().cell.s = copies.back();
            kept.insert(std::move(node));
        }
        if (kept.size() > want) {
            kept.erase(std::prev(kept.end()));
            more = true;
        }
    }
    return {kept.begin(), kept.end()};
}

std::vector<TqvFilterValue> byValue(RecordReader& reader, size_t limit)
{
    // Values that show one text lie side by side in value order; with a few
    // more values than texts wanted the last text is known to be complete.
    size_t want = limit * 2 + 16;
    for (;;) {
        bool more = false;
        std::deque<std::string> copies;
        std::vector<Candidate> values = smallestValues(reader, want, more, copies);
        std::vector<TqvFilterValue> list;
        for (const Candidate& c : values) {
            AnsiString text = reader.Text(c.position);
            if (list.empty() || list.back().Text != text) list.push_back({text, {}});
            list.back().Values.push_back(c.cell.ToVariant());
        }
        // The last text may have values past the ones read.
        if (!more || list.size() > limit) {
            if (list.size() > limit) list.resize(limit);
            return list;
        }
        want *= 4;
    }
}

std::vector<TqvFilterValue> byRecord(RecordReader& reader, size_t limit)
{
    std::map<std::string, std::pair<Variant, std::vector<Variant>>> texts;  // text -> smallest value, values
    for (int p = 0; p < reader.Count(); ++p) {
        Variant value = reader.Value(p);
        if (IsBlankValue(value) || !reader.Passes(p)) continue;
        auto& [smallest, values] = texts[reader.Text(p)];
        if (values.empty() || value < smallest) smallest = value;
        if (std::none_of(values.begin(), values.end(), [&](const Variant& v) { return v.Identical(value); }))
            values.push_back(value);
    }
    std::vector<std::pair<Variant, TqvFilterValue>> list;
    for (auto& [text, entry] : texts) list.push_back({entry.first, {text, std::move(entry.second)}});
    std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<TqvFilterValue> result;
    for (size_t i = 0; i < list.size() && i < limit; ++i) result.push_back(std::move(list[i].second));
    return result;
}
}  // namespace

std::vector<TqvFilterValue> CollectFilterValues(const TCustomqvDBGrid& grid, TqvDBTreeListColumn* column, int limit)
{
    if (!column || !column->Field() || !grid.IsActive() || grid.LoadMode() != TqvDBLoadMode::LoadAll || limit <= 0)
        return {};
    RecordReader reader(grid, column);
    return textPerRecord(column) ? byRecord(reader, static_cast<size_t>(limit))
                                 : byValue(reader, static_cast<size_t>(limit));
}
