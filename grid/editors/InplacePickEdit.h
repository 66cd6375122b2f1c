#pragma once
// The pick editor: a text chosen from, or completed by, a list of strings
// (Items, sorted when ItemsSorted). Typing searches the list incrementally
// without regard to case: the first matching entry fills the text and the
// part not typed is selected.
//
// DropDownListStyle decides what may be typed: lsEditList any text (the
// list only completes it); lsEditFixedList and lsFixedList only entries of
// the list (a character that matches none is dropped with a beep, and
// CanDeleteText lets Backspace or Delete over the whole text empty it).
// A double click moves to the next entry; with Revertable the last entry
// goes round to the first.
//
// Rules that are easy to break:
// - A loaded value that is not in the list is shown as it is: opening the
//   cell never changes a value.
// - The value read back is the text, not an index.

#include "grid/editors/InplaceLookupEdit.h"

enum TqvDropDownListStyle : uint8_t { lsEditList, lsEditFixedList, lsFixedList };

class TqvInplacePickEdit : public TqvInplaceLookupEdit {
public:
    explicit TqvInplacePickEdit(TCustomqvContainer* container);
    const char* ClassName() const override { return "TqvInplacePickEdit"; }

    const std::vector<AnsiString>& Items() const { return items_; }
    void SetItems(std::vector<AnsiString> items);
    bool ItemsSorted() const { return sorted_; }
    void SetItemsSorted(bool value);
    TqvDropDownListStyle DropDownListStyle() const { return listStyle_; }
    void SetDropDownListStyle(TqvDropDownListStyle value) { listStyle_ = value; }
    bool Revertable() const { return revertable_; }
    void SetRevertable(bool value) { revertable_ = value; }
    bool FixedList() const { return listStyle_ != lsEditList; }

    void LoadValue(const Variant& value) override;
    Variant EditingValue() const override { return Variant(Text()); }
    // The entry after the text's (the first when the text is none); at the
    // end it goes round only with Revertable.
    void NextItem();

protected:
    void KeyPress(char32_t& character) override;
    void KeyDown(Word& key, TShiftState shift) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void listChanged();

    std::vector<AnsiString> items_;
    bool sorted_ = false;
    TqvDropDownListStyle listStyle_ = lsEditList;
    bool revertable_ = false;
};
