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
#include "grid/db/DBGrid.h"

#include "runtime/AnsiString.h"
#include "runtime/db/DataSet.h"

#include <QApplication>
#include <QCollator>
#include <QLocale>
#include <QScopeGuard>

#include <algorithm>
#include <cstring>
#include <memory>
#include <numeric>
#include <string_view>

namespace {
// Sorting this many records shows the hourglass.
constexpr size_t kLongSort = 10000;

// ASCII letters to upper case; the trail byte of a double-byte character is
// left alone (it may look like a letter).
void upperAnsi(char* text, size_t size)
{
    for (size_t i = 0; i < size; ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x81) ++i;
        else if (c >= 'a' && c <= 'z') text[i] = static_cast<char>(c - 'a' + 'A');
    }
}

// Copies of texts that do not stay in their records (case-folded texts,
// calculated values), in large chunks rather than one allocation each.
class TextCopies {
public:
    std::string_view Keep(std::string_view text, bool upper)
    {
        if (text.empty()) return {};
        if (text.size() > left_) {
            size_t size = std::max(kChunk, text.size());
            chunks_.push_back(std::make_unique<char[]>(size));
            next_ = chunks_.back().get();
            left_ = size;
        }
        char* at = next_;
        std::memcpy(at, text.data(), text.size());
        if (upper) upperAnsi(at, text.size());
        next_ += text.size();
        left_ -= text.size();
        return {at, text.size()};
    }

private:
    static constexpr size_t kChunk = 1 << 20;
    std::vector<std::unique_ptr<char[]>> chunks_;
    char* next_ = nullptr;
    size_t left_ = 0;
};

// One key's values over the records of a node list. Texts are views into
// the records where they can be, into `copies` otherwise.
struct KeyValues {
    enum Class : uint8_t { Null = 0, Number = 1, Text = 2 };
    std::vector<Class> cls;
    std::vector<double> number;
    std::vector<std::string_view> text;
    TextCopies copies;
    std::string_view TextAt(size_t i) const { return text[i]; }
};

uint64_t prefixOf(std::string_view s)
{
    unsigned char bytes[8] = {};
    if (!s.empty()) std::memcpy(bytes, s.data(), std::min<size_t>(8, s.size()));
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
        // The distinct texts go through the code page converter in one piece,
        // split by NUL (never a byte of a double-byte character): a million
        // conversions one by one cost more than the collation keys.
        std::string joined;
        for (uint32_t index : firstOfGroup) {
            joined.append(v.TextAt(index));
            joined.push_back('\0');
        }
        const std::string utf8 = AnsiToUtf8(joined);
        size_t from = 0;
        for (size_t g = 0; g < firstOfGroup.size(); ++g) {
            size_t end = std::min(utf8.find('\0', from), utf8.size());
            keys.push_back(collator.sortKey(QString::fromUtf8(utf8.data() + from, static_cast<qsizetype>(end - from))));
            from = std::min(end + 1, utf8.size());
        }
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
// A double as an unsigned integer of the same order: negatives flipped
// whole, the others with the sign bit set.
uint64_t orderedBits(double d)
{
    uint64_t u;
    std::memcpy(&u, &d, sizeof u);
    return (u >> 63) ? ~u : u | (uint64_t(1) << 63);
}

// Sorts (key, index) pairs by key: least significant 16 bits first, each
// pass a counting sort; a pass whose digit is the same in every key is
// skipped. A million amounts sort several times faster than by comparing.
void radixSort(std::vector<std::pair<uint64_t, uint32_t>>& items)
{
    std::vector<std::pair<uint64_t, uint32_t>> other(items.size());
    std::vector<uint32_t> count(size_t(1) << 16);
    for (int shift = 0; shift < 64; shift += 16) {
        std::fill(count.begin(), count.end(), 0u);
        for (const auto& item : items) ++count[(item.first >> shift) & 0xFFFF];
        if (count[(items.front().first >> shift) & 0xFFFF] == items.size()) continue;
        uint32_t sum = 0;
        for (uint32_t& c : count) {
            uint32_t here = c;
            c = sum;
            sum += here;
        }
        for (const auto& item : items) other[count[(item.first >> shift) & 0xFFFF]++] = item;
        items.swap(other);
    }
}

// Ranks of a key's values in ascending order: nulls 0, then the numbers,
// then the texts; equal values share a rank, so ranks are dense.
std::vector<uint32_t> rankKey(const KeyValues& v, bool ansi, bool caseInsensitive, uint32_t& top)
{
    const size_t n = v.cls.size();
    std::vector<std::pair<uint64_t, uint32_t>> numbers;
    bool anyText = false;
    for (size_t i = 0; i < n; ++i) {
        if (v.cls[i] == KeyValues::Number) numbers.push_back({orderedBits(v.number[i]), static_cast<uint32_t>(i)});
        anyText = anyText || v.cls[i] == KeyValues::Text;
    }
    if (!numbers.empty()) radixSort(numbers);
    std::vector<uint32_t> rank = anyText ? rankTexts(v, ansi, caseInsensitive) : std::vector<uint32_t>(n, 0);
    uint32_t r = 0;
    for (size_t k = 0; k < numbers.size(); ++k) {
        // Equal as numbers (0 and -0 too) share a rank.
        if (k == 0 || v.number[numbers[k].second] != v.number[numbers[k - 1].second]) ++r;
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

void TCustomqvDBGrid::SetSortOrder(const std::vector<std::pair<TqvDBTreeListColumn*, TqvTreeListColumnSort>>& keys)
{
    BeginUpdate();
    auto endUpdate = qScopeGuard([&] { EndUpdate(); });
    for (int i = 0; i < ColumnCount(); ++i) {
        TqvDBGridColumnProperties* p = GridPropertiesOf(Columns(i));
        if (!(p && p->GroupIndex() >= 0)) Columns(i)->SetSorted(csNone);
    }
    sortOrder_.clear();
    for (auto& [column, direction] : keys) {
        if (!column || ColumnIndexOf(column) < 0 || direction == csNone) continue;
        column->SetSorted(direction);
        if (std::find(sortOrder_.begin(), sortOrder_.end(), column) == sortOrder_.end()) sortOrder_.push_back(column);
    }
    RefreshSorting();
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
        for (int i = 0; i < count; ++i) nodes.push_back(parent ? parent->Items(i) : Items(i));
        const size_t n = nodes.size();
        if (n < 2) return;
        std::vector<KeyValues> values(keys.size());
        std::vector<TField*> fields;
        for (size_t k = 0; k < keys.size(); ++k) {
            values[k].cls.assign(n, KeyValues::Null);
            values[k].number.assign(n, 0);
            values[k].text.assign(n, {});
            fields.push_back(keys[k]->Field());
        }
        const bool fold = ansi && caseInsensitive;
        // Group nodes are made in their sorted place already.
        bool records = ReadNodeCells(nodes, fields, [&](size_t i, size_t k, const CellView& cell, bool lasting) {
            KeyValues& v = values[k];
            switch (cell.kind) {
            case VarType::Integer: v.cls[i] = KeyValues::Number; v.number[i] = static_cast<double>(cell.i); break;
            case VarType::Float:
            case VarType::DateTime: v.cls[i] = KeyValues::Number; v.number[i] = cell.d; break;
            case VarType::Boolean: v.cls[i] = KeyValues::Number; v.number[i] = cell.b ? 1 : 0; break;
            case VarType::String:
                v.cls[i] = KeyValues::Text;
                v.text[i] = lasting && !fold ? cell.s : v.copies.Keep(cell.s, fold);
                break;
            default: v.cls[i] = KeyValues::Null; break;
            }
        });
        if (!records) return;
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
