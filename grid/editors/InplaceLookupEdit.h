#pragma once
// The lookup editor: a drop-down editor that chooses a key from a list of
// (key, text) pairs by its text. Typing searches incrementally: the typed
// characters collect, the first entry (in list order) whose text starts
// with them, without regard to case, becomes the value, and the part not
// typed is selected. A character that matches nothing is dropped with a beep.
//
// Rules that are easy to break:
// - The editor searches a snapshot of the pairs (ListItems), taken once
//   when the list is given; it never moves a dataset, which other controls
//   may share (Snapshot reads a dataset in place).
// - Without a list the editor edits plain text, as the text editor does.
// - Backspace shortens the collected text; Backspace or Delete with the
//   whole text selected clears the value when CanDeleteText is set, and so
//   does ClearKey.

#include "grid/editors/InplaceDropDownEdit.h"

#include <vector>

class QListWidget;
class TDataSet;

struct TqvLookupItem {
    Variant Key;
    AnsiString Text;
};

class TqvInplaceLookupEdit : public TqvInplaceDropDownEdit {
public:
    explicit TqvInplaceLookupEdit(TCustomqvContainer* container);
    const char* ClassName() const override { return "TqvInplaceLookupEdit"; }

    // The (key, text) pairs of a dataset's records, read without moving it.
    static std::vector<TqvLookupItem> Snapshot(TDataSet& dataSet, std::string_view keyField, std::string_view listField);
    void SetListItems(std::vector<TqvLookupItem> items);
    const std::vector<TqvLookupItem>& ListItems() const { return items_; }

    // The key shown (null: none).
    const Variant& Key() const { return key_; }
    void LoadValue(const Variant& value) override;
    Variant EditingValue() const override;
    // The typed characters the search has collected.
    const AnsiString& SearchText() const { return search_; }

    bool CanDeleteText() const { return canDeleteText_; }
    void SetCanDeleteText(bool value) { canDeleteText_ = value; }
    Word ClearKey() const { return clearKey_; }
    void SetClearKey(Word value) { clearKey_ = value; }
    QListWidget* List() { Popup(); return list_; }
    // A key as the editor's key steps see it (tests).
    void SendKeyForTest(Word& key) { KeyDown(key, 0); }

protected:
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char32_t& character) override;
    void FillPopup(QFrame* popup) override;
    void PopupOpening() override;
    void AcceptPopup() override;
    bool PopupKey(class QKeyEvent* event) override;

    // The first entry in list order whose text starts with `prefix`
    // (without regard to case); -1 when none.
    int find(const AnsiString& prefix) const;
    // Makes an entry the value; the text after the first `typed` bytes is selected.
    void choose(int index, size_t typed);
    void clearValue();

private:

    std::vector<TqvLookupItem> items_;
    std::vector<AnsiString> upper_;         // texts in upper case
    std::vector<uint32_t> byText_;          // entries ordered by upper-case text, then list order
    Variant key_ = Variant::Null();
    AnsiString search_;
    bool canDeleteText_ = false;
    Word clearKey_ = 0;
    QListWidget* list_ = nullptr;
};
