#include "StringList.h"

#include "Exceptions.h"
#include "Streams.h"

#include <algorithm>

TStringList::TStringList(std::initializer_list<AnsiString> lines)
{
    for (const auto& line : lines)
        items_.push_back({line, nullptr});
}

void TStringList::checkIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EStringListError(Format(RuntimeText::ListIndex, index));
}

int TStringList::compareStrings(std::string_view a, std::string_view b) const
{
    return caseSensitive_ ? CompareStr(a, b) : CompareText(a, b);
}

void TStringList::changed()
{
    if (OnChange) OnChange();
}

const AnsiString& TStringList::Strings(int index) const
{
    checkIndex(index);
    return items_[static_cast<size_t>(index)].text;
}

void TStringList::Put(int index, const AnsiString& value)
{
    if (sorted_) throw EStringListError(RuntimeText::SortedListError);
    checkIndex(index);
    items_[static_cast<size_t>(index)].text = value;
    changed();
}

void* TStringList::Objects(int index) const
{
    checkIndex(index);
    return items_[static_cast<size_t>(index)].object;
}

void TStringList::PutObject(int index, void* object)
{
    checkIndex(index);
    items_[static_cast<size_t>(index)].object = object;
    changed();
}

int TStringList::Add(const AnsiString& line)
{
    return AddObject(line, nullptr);
}

int TStringList::AddObject(const AnsiString& line, void* object)
{
    int index = Count();
    if (sorted_) {
        if (Find(line, index)) {
            if (duplicates_ == dupIgnore) return index;
            if (duplicates_ == dupError) throw EStringListError(RuntimeText::DuplicateString);
        }
    }
    items_.insert(items_.begin() + index, Item{line, object});
    changed();
    return index;
}

void TStringList::AddStrings(const TStringList& other)
{
    for (const auto& item : other.items_)
        AddObject(item.text, item.object);
}

void TStringList::Insert(int index, const AnsiString& line)
{
    InsertObject(index, line, nullptr);
}

void TStringList::InsertObject(int index, const AnsiString& line, void* object)
{
    if (sorted_) throw EStringListError(RuntimeText::SortedListError);
    if (index < 0 || index > Count()) throw EStringListError(Format(RuntimeText::ListIndex, index));
    items_.insert(items_.begin() + index, Item{line, object});
    changed();
}

void TStringList::Delete(int index)
{
    checkIndex(index);
    items_.erase(items_.begin() + index);
    changed();
}

void TStringList::Clear()
{
    if (items_.empty()) return;
    items_.clear();
    changed();
}

void TStringList::Move(int from, int to)
{
    if (from == to) return;
    checkIndex(from);
    checkIndex(to);
    Item item = std::move(items_[static_cast<size_t>(from)]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, std::move(item));
    changed();
}

void TStringList::Exchange(int a, int b)
{
    checkIndex(a);
    checkIndex(b);
    std::swap(items_[static_cast<size_t>(a)], items_[static_cast<size_t>(b)]);
    changed();
}

void TStringList::Assign(const TStringList& other)
{
    if (this == &other) return;
    items_ = other.items_;
    sorted_ = other.sorted_;
    caseSensitive_ = other.caseSensitive_;
    duplicates_ = other.duplicates_;
    changed();
}

int TStringList::IndexOf(std::string_view line) const
{
    if (sorted_) {
        int index;
        return Find(line, index) ? index : -1;
    }
    for (size_t i = 0; i < items_.size(); ++i)
        if (compareStrings(items_[i].text, line) == 0) return static_cast<int>(i);
    return -1;
}

int TStringList::IndexOfName(std::string_view name) const
{
    for (size_t i = 0; i < items_.size(); ++i) {
        const AnsiString& text = items_[i].text;
        size_t eq = text.find('=');
        if (eq != AnsiString::npos && compareStrings(std::string_view(text).substr(0, eq), name) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

int TStringList::IndexOfObject(const void* object) const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].object == object) return static_cast<int>(i);
    return -1;
}

AnsiString TStringList::Names(int index) const
{
    const AnsiString& text = Strings(index);
    size_t eq = text.find('=');
    return eq == AnsiString::npos ? AnsiString() : text.substr(0, eq);
}

AnsiString TStringList::ValueFromIndex(int index) const
{
    const AnsiString& text = Strings(index);
    size_t eq = text.find('=');
    return eq == AnsiString::npos ? AnsiString() : text.substr(eq + 1);
}

AnsiString TStringList::Values(std::string_view name) const
{
    int index = IndexOfName(name);
    return index < 0 ? AnsiString() : ValueFromIndex(index);
}

void TStringList::SetValue(std::string_view name, const AnsiString& value)
{
    int index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0) Delete(index);
        return;
    }
    AnsiString line = AnsiString(name) + "=" + value;
    if (index < 0) Add(line);
    else {
        items_[static_cast<size_t>(index)].text = line;
        changed();
    }
}

AnsiString TStringList::Text() const
{
    size_t size = 0;
    for (const auto& item : items_) size += item.text.size() + 2;
    AnsiString out;
    out.reserve(size);
    for (const auto& item : items_) {
        out += item.text;
        out += "\r\n";
    }
    return out;
}

void TStringList::SetText(std::string_view text)
{
    items_.clear();
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        size_t start = i;
        while (i < n && text[i] != '\r' && text[i] != '\n') ++i;
        items_.push_back({AnsiString(text.substr(start, i - start)), nullptr});
        if (i < n && text[i] == '\r') {
            ++i;
            if (i < n && text[i] == '\n') ++i;
        } else if (i < n && text[i] == '\n') {
            ++i;
        }
    }
    if (sorted_) Sort();
    changed();
}

AnsiString TStringList::CommaText() const
{
    AnsiString out;
    for (size_t i = 0; i < items_.size(); ++i) {
        if (i) out += ',';
        const AnsiString& s = items_[i].text;
        bool quote = s.empty() ? false : s.find_first_of(" ,\"\t\r\n") != AnsiString::npos;
        if (!quote) {
            out += s;
            continue;
        }
        out += '"';
        for (char c : s) {
            if (c == '"') out += '"';
            out += c;
        }
        out += '"';
    }
    return out;
}

void TStringList::SetCommaText(std::string_view text)
{
    items_.clear();
    size_t i = 0;
    const size_t n = text.size();
    auto skipBlanks = [&] {
        while (i < n && static_cast<unsigned char>(text[i]) <= ' ') ++i;
    };
    skipBlanks();
    while (i < n) {
        AnsiString item;
        if (text[i] == '"') {
            ++i;
            while (i < n) {
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        item += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            while (i < n && static_cast<unsigned char>(text[i]) > ' ' && text[i] != ',') item += text[i++];
        }
        items_.push_back({item, nullptr});
        skipBlanks();
        if (i < n && text[i] == ',') {
            ++i;
            skipBlanks();
            if (i >= n) items_.push_back({AnsiString(), nullptr});
        }
    }
    if (sorted_) Sort();
    changed();
}

void TStringList::SetSorted(bool sorted)
{
    if (sorted_ == sorted) return;
    sorted_ = sorted;
    if (sorted_) Sort();
}

void TStringList::Sort()
{
    std::stable_sort(items_.begin(), items_.end(),
                     [this](const Item& a, const Item& b) { return compareStrings(a.text, b.text) < 0; });
    changed();
}

void TStringList::CustomSort(const std::function<int(const TStringList&, int, int)>& compare)
{
    std::vector<int> order(items_.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
    std::vector<Item> sorted;
    sorted.reserve(items_.size());
    for (int i : order) sorted.push_back(std::move(items_[static_cast<size_t>(i)]));
    items_ = std::move(sorted);
    changed();
}

bool TStringList::Find(std::string_view line, int& index) const
{
    int lo = 0, hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        int mid = (lo + hi) / 2;
        int c = compareStrings(items_[static_cast<size_t>(mid)].text, line);
        if (c < 0) lo = mid + 1;
        else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                if (duplicates_ != dupAccept) lo = mid;
            }
        }
    }
    index = lo;
    return found;
}

void TStringList::SetCaseSensitive(bool value)
{
    if (caseSensitive_ == value) return;
    caseSensitive_ = value;
    if (sorted_) Sort();
}

void TStringList::LoadFromStream(TStream& stream)
{
    SetText(stream.ReadBytes(stream.Remaining()));
}

void TStringList::SaveToStream(TStream& stream) const
{
    stream.WriteBytes(Text());
}

void TStringList::LoadFromFile(const std::string& fileName)
{
    TFileStream file(fileName, fmOpenRead);
    LoadFromStream(file);
}

void TStringList::SaveToFile(const std::string& fileName) const
{
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

bool TStringList::operator==(const TStringList& other) const
{
    if (items_.size() != other.items_.size()) return false;
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].text != other.items_[i].text) return false;
    return true;
}
