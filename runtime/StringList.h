#pragma once
// A list of text lines.
//
// Text: reading gives every line followed by CR LF; setting splits at CR LF, at
// a lone CR and at a lone LF, and a break at the very end does not start another
// line ("a\r\n" is one line, "a\r\n\r\n" two, the second empty).
// IndexOf, Values and Find compare without regard to ASCII case unless
// CaseSensitive is set. A sorted list keeps its order on Add and refuses Insert.
// Each line may carry an object pointer that the list does not own.

#include "AnsiString.h"

#include <functional>
#include <vector>

class TStream;

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList {
public:
    TStringList() = default;
    TStringList(std::initializer_list<AnsiString> lines);

    int Count() const { return static_cast<int>(items_.size()); }
    bool IsEmpty() const { return items_.empty(); }
    // Raise EStringListError "List index out of bounds (%d)" outside 0..Count-1.
    const AnsiString& Strings(int index) const;
    const AnsiString& operator[](int index) const { return Strings(index); }
    void Put(int index, const AnsiString& value);
    void* Objects(int index) const;
    void PutObject(int index, void* object);

    int Add(const AnsiString& line);
    int AddObject(const AnsiString& line, void* object);
    void AddStrings(const TStringList& other);
    void Insert(int index, const AnsiString& line);
    void InsertObject(int index, const AnsiString& line, void* object);
    void Delete(int index);
    void Clear();
    void Move(int from, int to);
    void Exchange(int a, int b);
    void Assign(const TStringList& other);

    int IndexOf(std::string_view line) const;
    int IndexOfName(std::string_view name) const;
    int IndexOfObject(const void* object) const;

    // "Name=Value" lines.
    AnsiString Names(int index) const;
    AnsiString ValueFromIndex(int index) const;
    AnsiString Values(std::string_view name) const;
    // Sets the value of the first line with that name; an empty value removes it.
    void SetValue(std::string_view name, const AnsiString& value);

    AnsiString Text() const;
    void SetText(std::string_view text);
    // Lines separated by commas; lines with blanks, commas or quotes are quoted.
    AnsiString CommaText() const;
    void SetCommaText(std::string_view text);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    void Sort();
    void CustomSort(const std::function<int(const TStringList&, int, int)>& compare);
    // In a sorted list: true when found; index is the position of the line or
    // where it would be inserted.
    bool Find(std::string_view line, int& index) const;
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates d) { duplicates_ = d; }
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool value);

    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

    // Called after every change (the owner of a list property repaints or re-lays out).
    std::function<void()> OnChange;

    bool operator==(const TStringList& other) const;

private:
    struct Item {
        AnsiString text;
        void* object = nullptr;
    };
    void checkIndex(int index) const;
    int compareStrings(std::string_view a, std::string_view b) const;
    void changed();

    std::vector<Item> items_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
    TDuplicates duplicates_ = dupIgnore;
};
