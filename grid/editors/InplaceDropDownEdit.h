#pragma once
// The base of the drop-down editor kinds (date, lookup, pick, ...): a masked
// text editor with a button and a drop-down window under it.
//
// Rules that are easy to break:
// - F4 (without Alt), Alt+Down and Alt+Up open the window, or close it
//   accepting the choice when it is open. While it is open, Enter closes it
//   accepting and Esc closes it discarding; neither reaches the grid.
// - The window opens below the editor, at least as wide as the editor,
//   aligned left, right or centred, and is moved to stay on the screen (above
//   the editor when there is no room below); with the style's shadow it is
//   2 pixels wider. Its border is PopupBorder (TqvInplacePopupControl).
// - While the window is up the editor stays open (KeepOpen): the focus that
//   the window takes is not a focus loss of the editor.

#include "grid/editors/EditButtons.h"
#include "grid/editors/InplaceMaskEdit.h"
#include "grid/editors/InplacePopupControl.h"

enum class TqvPopupAlignment : uint8_t { Left, Right, Center };

class TqvInplaceDropDownEdit : public TqvInplaceMaskEdit {
public:
    explicit TqvInplaceDropDownEdit(TCustomqvContainer* container);
    ~TqvInplaceDropDownEdit() override;
    const char* ClassName() const override { return "TqvInplaceDropDownEdit"; }

    bool DroppedDown() const;
    void DropDown();
    // Closes the window; with `accept` the kind takes the choice made in it.
    void CloseUp(bool accept);

    int DropDownRows() const { return dropDownRows_; }
    void SetDropDownRows(int value) { dropDownRows_ = value < 1 ? 1 : value; }
    int DropDownWidth() const { return dropDownWidth_; }
    void SetDropDownWidth(int value) { dropDownWidth_ = value; }
    bool ImmediateDropDown() const { return immediateDropDown_; }
    void SetImmediateDropDown(bool value) { immediateDropDown_ = value; }
    TqvPopupAlignment PopupAlignment() const { return popupAlignment_; }
    void SetPopupAlignment(TqvPopupAlignment value) { popupAlignment_ = value; }
    TqvPopupBorder PopupBorder() const { return popupBorder_; }
    void SetPopupBorder(TqvPopupBorder value) { popupBorder_ = value; }

    // Where the window goes for an editor at `editor` (global coordinates)
    // on a screen with `screen` available: below, else above; inside the screen.
    static QRect PlacePopup(const QRect& editor, QSize size, const QRect& screen, TqvPopupAlignment alignment);

    // The buttons beside the text (none by default: the grid draws the
    // cell's drop-down button). A kind that shows its own puts them here.
    const std::vector<TqvEditButton>& EditButtons() const { return buttons_; }
    void SetEditButtons(std::vector<TqvEditButton> buttons);
    // Where each button is now (editor coordinates).
    const std::vector<QRect>& EditButtonRects() const { return buttonRects_; }
    int PressedButton() const { return pressed_; }
    // A button pressed (by the mouse or its key): the kind's ButtonClick.
    void PressButton(int index);
    // The glyph of a drop-down button (a small down arrow).
    static QPixmap DropDownGlyph();

    // The drop-down window (made on first use; tests read it).
    TqvInplacePopupControl* Popup();

    std::function<void(TqvInplaceEdit* Sender)> OnDropDown;
    std::function<void(TqvInplaceEdit* Sender, bool Accepted)> OnCloseUp;

protected:
    // The kind fills the window when it is made and before each opening, and
    // takes the choice when it closes accepting.
    virtual void FillPopup(QFrame* popup) {}
    virtual void PopupOpening() {}
    virtual void AcceptPopup() {}
    // False for kinds without a window (the button kind): the drop-down
    // keys then do nothing.
    virtual bool HasPopup() const { return true; }
    // A list as wide as its widest entry (and the scroll bar when not all
    // rows show); the window is then at least as wide as the editor.
    void FitListWidth(class QListWidget* list, int count) const;
    // A button was pressed; by default any button opens or closes the window.
    virtual void ButtonClick(int index);
    // With ButtonOnly-like kinds the first visible button takes the whole editor.
    virtual bool ButtonsFillEditor() const { return false; }
    void UpdateShape() override;
    void paintEvent(QPaintEvent* event) override;
    // For kinds that show their value themselves (a picture, an icon) in
    // place of the text: the kind's view, then the buttons over it.
    void PaintViewAndButtons();
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The keys the open window does not use itself (the lookup's search).
    virtual bool PopupKey(class QKeyEvent* event) { return false; }
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool isToggleKey(const class QKeyEvent& event) const;

    TqvInplacePopupControl* popup_ = nullptr;
    int dropDownRows_ = 7;
    int dropDownWidth_ = 0;
    bool immediateDropDown_ = true;
    TqvPopupAlignment popupAlignment_ = TqvPopupAlignment::Left;
    TqvPopupBorder popupBorder_ = pbDefault;
    std::vector<TqvEditButton> buttons_;
    std::vector<QRect> buttonRects_;
    int pressed_ = -1;
};
