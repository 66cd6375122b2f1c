#pragma once
// The MRU editor: a pick editor whose list holds the values entered most
// recently, newest first, at most MaxItemCount of them. A value is added
// when a changed, non-empty text is written to the field (the column calls
// AddMRUItem then). With ShowEllipsis an
// ellipsis button beside the drop-down button raises OnButtonClick.
//
// The list belongs to the column (the grid's one editor serves every MRU
// column): the column gives it to the editor before each turn and takes it
// back when the value is written.

#include "grid/editors/InplacePickEdit.h"

class TqvInplaceMRUEdit : public TqvInplacePickEdit {
public:
    explicit TqvInplaceMRUEdit(TCustomqvContainer* container);
    const char* ClassName() const override { return "TqvInplaceMRUEdit"; }

    int MaxItemCount() const { return maxItemCount_; }
    void SetMaxItemCount(int value);
    bool ShowEllipsis() const { return showEllipsis_; }
    void SetShowEllipsis(bool value);
    // Puts a value first (moving it up when it is there already).
    void AddMRUItem(const AnsiString& value);

    std::function<void(TqvInplaceEdit* Sender)> OnButtonClick;

protected:
    void ButtonClick(int index) override;

private:
    int maxItemCount_ = 7;
    bool showEllipsis_ = true;
};
