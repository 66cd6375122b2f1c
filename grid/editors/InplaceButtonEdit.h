#pragma once
// The button editor: a text with a row of buttons (Buttons; by default one
// ellipsis button at the right). Pressing a button, or the ClickKey for the
// Default button (the first one when none is marked), raises OnButtonClick
// with the button's index. With ButtonOnly the first visible button takes
// the whole editor and there is no text to edit; with HideEditCursor the
// text shows without a caret and cannot be typed into.

#include "grid/editors/InplaceDropDownEdit.h"

// A shortcut as the system stores it: a virtual key plus these flags.
inline constexpr Word scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
// Does a key with its shift state make the shortcut?
bool IsShortCut(Word shortCut, Word key, TShiftState shift);

class TqvInplaceButtonEdit : public TqvInplaceDropDownEdit {
public:
    explicit TqvInplaceButtonEdit(TCustomqvContainer* container);
    const char* ClassName() const override { return "TqvInplaceButtonEdit"; }

    bool ButtonOnly() const { return buttonOnly_; }
    void SetButtonOnly(bool value);
    bool HideEditCursor() const { return hideEditCursor_; }
    void SetHideEditCursor(bool value);
    Word ClickKey() const { return clickKey_; }
    void SetClickKey(Word value) { clickKey_ = value; }
    // The index of the button the ClickKey presses (-1 when none is visible).
    int DefaultButton() const;

    std::function<void(TqvInplaceEdit* Sender, int AbsoluteIndex)> OnButtonClick;

protected:
    void ButtonClick(int index) override;
    bool HasPopup() const override { return false; }
    bool ButtonsFillEditor() const override { return buttonOnly_; }
    void KeyPress(char32_t& character) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void ReadOnlyChanged() override;

private:
    bool buttonOnly_ = false;
    bool hideEditCursor_ = false;
    Word clickKey_ = scCtrl + VK_RETURN;
};
