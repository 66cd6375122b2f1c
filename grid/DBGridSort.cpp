// Sorting of a load-all grid by its columns: header clicks set the sort
// marks (a click sorts ascending, the next descending; Shift adds a column
// when MultiSort is on), and every load sorts again while a mark is set.
//
// The order is stable and follows the columns' values: nulls first, then
// numbers (and dates, flags) by value, then texts. Texts compare in the
// ANSI code page's byte order with edgoAnsiSort, else in the locale's
// collation; edgoCaseInsensitive ignores letter case. The values are read
// once per record, and texts are ranked once, so that a million rows sort
// in well under a second.
#include "grid/DBGrid.h"

#include "runtime/AnsiString.h"
#include "runtime/db/DataSet.h"

#include <QApplication>
#include <QCollator>
#include <QLocale>
#include <QScopeGuard>

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {
// Sorting this many records shows the hourglass.
constexpr size_t kLongSort = 10000;

// One key's values over the records of a node list.
struct KeyValues {
    enum Class : uint8_t { Null = 0, Number = 1, Text = 2 };
    std::vector<Class> cls;
    std::vector<double> number;
    std::vector<uint32_t> textStart, textLength;
    std::string texts;  // every text, one after another
    std::string_view TextAt(size_t i) const { return std::string_view(texts).substr(textStart[i], textLength[i]); }
};

// ASCII letters to upper case; the trail byte of a double-byte character is
// left alone (it may look like a letter).
void upperAnsi(std::string& text, size_t from)
{
    for (size_t i = from; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x81) ++i;
        else if (c >= 'a' && c <= 'z') text[i] = static_cast<char>(c - 'a' + 'A');
    }
}

uint64_t prefixOf(std::string_view s)
{
    unsigned char bytes[8] = {};
    std::memcpy(bytes, s.data(), std::min<size_t>(8, s.size()));
    uint64_t p = 0;
    for (unsigned char b : bytes) p = (p << 8) | b;
    return p;
}

// Ranks of the texts (equal texts, equal ranks) over the records whose
// class is Text; the others get rank 0.
std::vector<uint32_t> rankTexts(const KeyValues& v, bool ansi, bool caseInsensitive)
{
    const size_t n = v.cls.size();
    struct Item {
        uint64_t prefix;
        uint32_t index;
    };
    std::vector<Item> items;
    items.reserve(n);
    for (size_t i = 0; i < n; ++i)
        if (v.cls[i] == KeyValues::Text) items.push_back({prefixOf(v.TextAt(i)), static_cast<uint32_t>(i)});
    // Byte order first: the ANSI order itself, and for the locale's order the
    // way to meet each distinct text once.
    std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
        if (a.prefix != b.prefix) return a.prefix < b.prefix;
        int c = v.TextAt(a.index).compare(v.TextAt(b.index));
        return c != 0 ? c < 0 : a.index < b.index;
    });
    std::vector<uint32_t> rank(n, 0);
    std::vector<uint32_t> firstOfGroup;  // index of the first record of each distinct text
    std::vector<uint32_t> groupOf(items.size());
    for (size_t k = 0; k < items.size(); ++k) {
        if (k == 0 || v.TextAt(items[k].index) != v.TextAt(items[k - 1].index)) firstOfGroup.push_back(items[k].index);
        groupOf[k] = static_cast<uint32_t>(firstOfGroup.size() - 1);
    }
    std::vector<uint32_t> groupRank(firstOfGroup.size());
    if (ansi) {
        std::iota(groupRank.begin(), groupRank.end(), 0u);
    } else {
        // The module's texts are Chinese: a process started without a
        // locale (C) still sorts them the way a Chinese reader expects.
        QLocale locale;
        if (locale.language() == QLocale::C) locale = QLocale(QLocale::Chinese, QLocale::China);
        QCollator collator(locale);
        collator.setCaseSensitivity(caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
        std::vector<QCollatorSortKey> keys;
        keys.reserve(firstOfGroup.size());
        for (uint32_t index : firstOfGroup) keys.push_back(collator.sortKey(AnsiToQString(v.TextAt(index))));
        std::vector<uint32_t> order(firstOfGroup.size());
        std::iota(order.begin(), order.end(), 0u);
        std::stable_sort(order.begin(), order.end(),
                         [&](uint32_t a, uint32_t b) { return keys[a].compare(keys[b]) < 0; });
        // Texts the collation holds equal share a rank.
        uint32_t r = 0;
        for (size_t k = 0; k < order.size(); ++k) {
            if (k > 0 && keys[order[k - 1]].compare(keys[order[k]]) != 0) ++r;
            groupRank[order[k]] = r;
        }
    }
    for (size_t k = 0; k < items.size(); ++k) rank[items[k].index] = groupRank[groupOf[k]];
    return rank;
}
// Ranks of a key's values in ascending order: nulls 0, then the numbers,
// then the texts; equal values share a rank, so ranks are dense.
std::vector<uint32_t> rankKey(const KeyValues& v, bool ansi, bool caseInsensitive, uint32_t& top)
{
    const size_t n = v.cls.size();
    std::vector<std::pair<double, uint32_t>> numbers;
    bool anyText = false;
    for (size_t i = 0; i < n; ++i) {
        if (v.cls[i] == KeyValues::Number) numbers.push_back({v.number[i], static_cast<uint32_t>(i)});
        anyText = anyText || v.cls[i] == KeyValues::Text;
    }
    std::sort(numbers.begin(), numbers.end());
    std::vector<uint32_t> rank = anyText ? rankTexts(v, ansi, caseInsensitive) : std::vector<uint32_t>(n, 0);
    uint32_t r = 0;
    for (size_t k = 0; k < numbers.size(); ++k) {
        if (k == 0 || numbers[k].first != numbers[k - 1].first) ++r;
        rank[numbers[k].second] = r;
    }
    uint32_t textBase = r + 1;
    top = r;
    for (size_t i = 0; i < n; ++i)
        if (v.cls[i] == KeyValues::Text) {
            rank[i] += textBase;
            top = std::max(top, rank[i]);
        }
    return rank;
}

// Reorders `order` stably by `rank` (counting sort: ranks are dense).
void countingSort(std::vector<uint32_t>& order, const std::vector<uint32_t>& rank, uint32_t top, bool descending)
{
    std::vector<uint32_t> start(size_t(top) + 2, 0);
    auto key = [&](uint32_t i) { return descending ? top - rank[i] : rank[i]; };
    for (uint32_t i : order) ++start[key(i) + 1];
    for (size_t k = 1; k < start.size(); ++k) start[k] += start[k - 1];
    std::vector<uint32_t> sorted(order.size());
    for (uint32_t i : order) sorted[start[key(i)]++] = i;
    order.swap(sorted);
}
}  // namespace

bool TCustomqvDBGrid::IsSortingActive() const
{
    if (LoadMode() != TqvDBLoadMode::LoadAll) return false;
    for (int i = 0; i < ColumnCount(); ++i)
        if (Columns(i)->Sorted() != csNone) return true;
    return false;
}

std::vector<TqvDBTreeListColumn*> TCustomqvDBGrid::SortColumns() const
{
    // Columns clicked with Shift sort after the ones clicked before them;
    // columns marked otherwise follow in column-list order.
    std::vector<TqvDBTreeListColumn*> keys;
    auto add = [&](TqvTreeListColumn* c) {
        auto* column = dynamic_cast<TqvDBTreeListColumn*>(c);
        if (column && column->Sorted() != csNone && column->Field() &&
            std::find(keys.begin(), keys.end(), column) == keys.end())
            keys.push_back(column);
    };
    for (TqvTreeListColumn* c : sortOrder_)
        if (ColumnIndexOf(c) >= 0) add(c);
    for (int i = 0; i < ColumnCount(); ++i) add(Columns(i));
    return keys;
}

void TCustomqvDBGrid::SortNodes()
{
    std::vector<TqvDBTreeListColumn*> keys = SortColumns();
    if (keys.empty()) return;
    const bool ansi = IsOption(tloAnsiSort), caseInsensitive = IsOption(tloCaseInsensitive);
    const bool hourglass = IsOption(tloShowHourGlass) || static_cast<size_t>(Count()) >= kLongSort;
    if (hourglass) QApplication::setOverrideCursor(Qt::WaitCursor);
    auto restoreCursor = qScopeGuard([&] {
        if (hourglass) QApplication::restoreOverrideCursor();
    });

    auto sortList = [&](TqvTreeListNode* parent) {
        const int count = parent ? parent->Count() : Count();
        std::vector<TqvTreeListNode*> nodes;
        nodes.reserve(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) {
            TqvTreeListNode* node = parent ? parent->Items(i) : Items(i);
            // Every node of the grid is a TqvDBGridNode (CreateNode).
            // Group nodes are made in their sorted place already.
            if (static_cast<TqvDBGridNode*>(node)->IsGroupNode()) return;
            nodes.push_back(node);
        }
        const size_t n = nodes.size();
        if (n < 2) return;
        std::vector<KeyValues> values(keys.size());
        for (KeyValues& v : values) {
            v.cls.assign(n, KeyValues::Null);
            v.number.assign(n, 0);
            v.textStart.assign(n, 0);
            v.textLength.assign(n, 0);
        }
        // Records are read in the order of the nodes in memory, which is the
        // order the records were loaded in: after an earlier sort the list
        // order would touch memory at random.
        std::vector<std::pair<const void*, uint32_t>> visit(n);
        for (size_t i = 0; i < n; ++i) visit[i] = {nodes[i], static_cast<uint32_t>(i)};
        auto byAddress = [](const auto& a, const auto& b) { return std::less<const void*>()(a.first, b.first); };
        if (!std::is_sorted(visit.begin(), visit.end(), byAddress)) std::sort(visit.begin(), visit.end(), byAddress);
        for (const auto& [address, i] : visit)
            ReadNodeRecord(static_cast<TqvDBGridNode*>(nodes[i]), [&] {
                for (size_t k = 0; k < keys.size(); ++k) {
                    KeyValues& v = values[k];
                    CellView cell = keys[k]->Field()->GetCell();
                    switch (cell.kind) {
                    case VarType::Integer: v.cls[i] = KeyValues::Number; v.number[i] = static_cast<double>(cell.i); break;
                    case VarType::Float:
                    case VarType::DateTime: v.cls[i] = KeyValues::Number; v.number[i] = cell.d; break;
                    case VarType::Boolean: v.cls[i] = KeyValues::Number; v.number[i] = cell.b ? 1 : 0; break;
                    case VarType::String: {
                        v.cls[i] = KeyValues::Text;
                        v.textStart[i] = static_cast<uint32_t>(v.texts.size());
                        v.texts.append(cell.s);
                        if (ansi && caseInsensitive) upperAnsi(v.texts, v.textStart[i]);
                        v.textLength[i] = static_cast<uint32_t>(v.texts.size() - v.textStart[i]);
                        break;
                    }
                    default: break;
                    }
                }
            });
        // Least significant key first: each stable pass keeps the order of
        // the keys after it, and the first pass keeps the display order.
        std::vector<uint32_t> order(n);
        std::iota(order.begin(), order.end(), 0u);
        for (size_t k = keys.size(); k-- > 0;) {
            uint32_t top = 0;
            std::vector<uint32_t> rank = rankKey(values[k], ansi, caseInsensitive, top);
            countingSort(order, rank, top, keys[k]->Sorted() == csDown);
        }
        std::vector<TqvTreeListNode*> arranged(n);
        for (size_t i = 0; i < n; ++i) arranged[i] = nodes[order[i]];
        ArrangeNodeList(parent, std::move(arranged));
    };
    BeginUpdate();
    auto endUpdate = qScopeGuard([&] { EndUpdate(); });
    sortList(nullptr);
    for (auto& [node, group] : groups_) sortList(const_cast<TqvTreeListNode*>(node));
}

void TCustomqvDBGrid::RefreshSorting()
{
    if (IsActive() && IsSortingActive()) SortNodes();
}

void TCustomqvDBGrid::ColumnClicked(TqvTreeListColumn* column, TShiftState shift)
{
    TqvDBGridColumnProperties* props = GridPropertiesOf(column);
    bool groupColumn = props && props->GroupIndex() >= 0;
    if (IsOption(tloAutoSort) && !groupColumn) {
        TqvTreeListColumnSort next = column->Sorted() == csUp ? csDown : csUp;
        BeginUpdate();
        auto endUpdate = qScopeGuard([&] { EndUpdate(); });
        if (!((shift & ssShift) && IsOption(tloMultiSort))) {
            // A plain click sorts by this column alone (group columns keep
            // the order of their groups).
            for (int i = 0; i < ColumnCount(); ++i) {
                TqvDBGridColumnProperties* p = GridPropertiesOf(Columns(i));
                if (Columns(i) != column && !(p && p->GroupIndex() >= 0)) Columns(i)->SetSorted(csNone);
            }
            sortOrder_.clear();
        }
        if (std::find(sortOrder_.begin(), sortOrder_.end(), column) == sortOrder_.end()) sortOrder_.push_back(column);
        column->SetSorted(next);
        TqvTreeListNode* focused = FocusedNode();
        SortNodes();
        // The focused record stays focused, and in view.
        endUpdate.dismiss();
        EndUpdate();
        if (focused && focused == FocusedNode()) MakeNodeVisible(focused);
    }
    TCustomqvDBTreeListControl::ColumnClicked(column, shift);
}
