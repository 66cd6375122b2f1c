#pragma once
// The base of every in-place editor: a small window that its container (the
// grid) lays over a cell, loads with the cell's value, lets the user type
// into, checks and reads back. There are no stand-alone editors: each one is
// created by its container, which answers the editor's questions
// (TCustomqvContainer, "editor questions"). grid/editors/ stands on the
// tree-list core alone; the columns and the dataset-bound grid, above it,
// drive the editors (folder order at the top of grid/CMakeLists.txt).
//
// One editing turn, as the container drives it: prepare (the column copies
// its settings in), LoadValue, SetModified(false), SetReadOnly, Activate (the
// restore point for Esc), ShowAt(cell), then Modified/EditingValue/
// ValidateText while it is up, and HideEditor.
//
// Rules that are easy to break:
// - The restore point is taken once per editing turn, by Activate. A focus
//   that comes back (after the editor's own error box, a menu, another
//   window) never moves it: Esc must always be able to abandon the change.
// - Losing the focus checks the text, but not when the focus goes to a
//   popup, a modal window or the editor's own error box; a refused text
//   takes the focus back.
// - Keys: Tab, Enter, Esc, PgUp, PgDn, Up, Down and Insert are checked first
//   and then handed to the container's key handling (which raises the
//   application's OnKeyDown); every other key is offered to the container's
//   notification once and then handled by the editor. Either way a key
//   reaches the container exactly once.
// - A typed character above 31 that the container refuses is dropped with
//   a beep; a printable character is dropped when the text may not change.

#include "grid/editors/EditStyle.h"
#include "grid/editors/EditViewData.h"
#include "grid/treelist/Container.h"
#include "runtime/Exceptions.h"
#include "runtime/Variant.h"

#include <QElapsedTimer>
#include <QWidget>

#include <functional>
#include <memory>

DECLARE_EXCEPTION(EqvEditInvalidInput, Exception)
// The masked editors' refusal.
DECLARE_EXCEPTION(EDBEditError, EqvEditInvalidInput)

namespace EditText {
inline constexpr const char* InvalidInput = "Invalid input value. Use escape key to abandon changes";
}

// The editors' beep. Tests install a hook to count beeps instead of sounding
// them; an empty hook restores the sound. Returns the previous hook.
void EditorBeep();
std::function<void()> SetEditorBeepHook(std::function<void()> hook);

// The keys for which an open editor checks its text before they go on: Tab,
// Enter, Esc, PgUp, PgDn, Up, Down and Insert.
bool IsEditorCheckedKey(Word key);

class TqvInplaceEdit : public QWidget {
public:
    explicit TqvInplaceEdit(TCustomqvContainer* container);
    ~TqvInplaceEdit() override;
    virtual const char* ClassName() const { return "TqvInplaceEdit"; }
    TCustomqvContainer* Container() const { return container_; }

    // ---- Style
    TqvEditStyle& Style() { return *style_; }
    const TqvEditStyle& Style() const { return *style_; }
    TqvStyleController* StyleController() const { return controller_; }
    void SetStyleController(TqvStyleController* controller);
    // The style, the controller or a font changed: the shape is computed
    // again and the editor repaints.
    void StyleChanged();

    // ---- State
    bool IsActive() const { return active_; }
    virtual bool Modified() const { return modified_; }
    virtual void SetModified(bool value) { modified_ = value; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value) { autoSize_ = value; }
    const QMargins& TextMargins() const { return textMargins_; }
    void SetTextMargins(const QMargins& margins);
    bool MouseOver() const { return mouseOver_; }
    // Drop-down kinds keep the editor from closing while their list is up.
    bool KeepOpen() const { return keepOpen_; }
    void SetKeepOpen(bool value) { keepOpen_ = value; }
    int ValidateLockCount() const { return validateLock_; }

    // ---- Value
    virtual AnsiString Text() const { return {}; }
    // Sets the text as the program does: no change event, no modified mark.
    virtual void SetText(const AnsiString& text) {}
    // Null gives an empty text, anything else its text form.
    virtual void LoadValue(const Variant& value);
    // The value read back (the text by default; typed kinds give a variant).
    virtual Variant EditingValue() const { return Variant(Text()); }

    // ---- The editing turn
    // Takes the restore point for Esc and marks the editor active. An editor
    // marked for re-entry keeps the restore point it has (and loses the mark).
    void Activate();
    // A kind that refused its text and took the focus back marks itself for
    // re-entry: the activation that follows is the same editing turn, so Esc
    // still goes back to the text from before the refused one. Hiding the
    // editor ends the turn and clears the mark.
    void MarkForReentry() { reentry_ = true; }
    bool IsMarkedForReentry() const { return reentry_; }
    // Lays the editor over the cell rectangle (2 pixels larger on every
    // side), shows it, gives it the focus and selects all text. Nothing
    // happens for an empty rectangle.
    void ShowAt(const QRect& cell);
    // Hides the window without a repaint (the container repaints the cell)
    // and makes the editor inactive.
    void HideEditor();
    // Checks a modified text: the kind's checks, then the validate event.
    // A refusal beeps, takes the focus back and raises EqvEditInvalidInput.
    void ValidateText();
    // Esc: a modified editor gets the text and modified flag of the restore point.
    void RestoreText();
    // Makes the editor inactive (no restore point, no check on focus loss).
    void Deactivate() { active_ = false; }
    // The time of the click that opened the editor (for the double-click test).
    void SetOpeningClick() { openingClick_.start(); }
    // Was the click at `now` within the double-click time of the opening
    // click? The remembered click is cleared either way.
    bool TakeOpeningDoubleClick();

    // ---- What the grid hands to an editor it has just opened
    // A character typed into the grid: the editor's character checks (not
    // the container's, which has seen it) and then the kind's own.
    void TypeCharacter(char32_t character);
    // The editing commands that open an editor from the grid.
    virtual void PasteFromClipboard() {}
    virtual void CutToClipboard() {}
    virtual void DeleteSelection() {}
    // The click that opened the editor, at a point of the editor.
    virtual void PassClick(const QPoint& at) {}

    // ---- Painting without a window
    virtual std::unique_ptr<TqvEditViewData> CreateViewData() const;
    // Fills the view data from the editor (its style, colours, value).
    virtual void FillViewData(TqvEditViewData& data) const;
    // Paints view data as this editor class paints itself.
    virtual void PaintView(QPainter& canvas, const TqvEditViewData& data) const;

    // Selects all of the editor's text (showing the editor does).
    virtual void SelectAllText() {}
    // The widget that holds the keyboard focus while the editor is up.
    virtual QWidget* FocusWidget() { return this; }

    // ---- Events (Sender is the editor)
    std::function<void(TqvInplaceEdit* Sender)> OnChange;
    std::function<void(TqvInplaceEdit* Sender, AnsiString& ErrorText, bool& Accept)> OnValidate;
    std::function<void(TqvInplaceEdit* Sender)> OnMouseEnter;
    std::function<void(TqvInplaceEdit* Sender)> OnMouseLeave;

protected:
    // ---- Keys, in the system's terms (the kind's window calls the Do* steps)
    // The framework's key-down steps; a key still set afterwards has been
    // offered to the container and handled by KeyDown.
    void DoKeyDown(Word& key, TShiftState shift);
    // The kind's own key handling.
    virtual void KeyDown(Word& key, TShiftState shift) {}
    // The framework's character steps; a character still set goes to KeyPress.
    void DoKeyPress(char32_t& character);
    // The kind's own characters (filter and insert).
    virtual void KeyPress(char32_t& character) {}
    // Routes one Qt key event through the steps above; true when the event
    // is used up, false when the native control is to handle it.
    bool RouteKeyEvent(class QKeyEvent* event);

    // The kinds' own checks, run before the validate event (raise to refuse).
    virtual void ValidateEdit() {}
    // The kind's step when it is shown after being hidden (drop-down kinds
    // open their list there when configured).
    virtual void DoActivate() {}
    // Asks the container whether the text may change now (never when read-only).
    bool CanModify();
    // The text changed by the user: modified, then OnChange.
    void TextChangedByUser();
    // Focus steps for the kind's focus widget.
    void FocusEntered();
    void FocusLeft(Qt::FocusReason reason);
    virtual void ReadOnlyChanged() {}
    virtual void AlignmentChanged() {}
    // The rectangle inside the border, where a kind puts its native control.
    QRect ContentRect() const;
    // Recomputes the window region and the content's place.
    virtual void UpdateShape();
    // True while the program assigns the text.
    bool IsAssigning() const { return assigning_ > 0; }
    struct AssigningText {
        explicit AssigningText(TqvInplaceEdit* e) : e_(e) { ++e_->assigning_; }
        ~AssigningText() { --e_->assigning_; }
        AssigningText(const AssigningText&) = delete;
        AssigningText& operator=(const AssigningText&) = delete;
        TqvInplaceEdit* e_;
    };

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    friend class TqvStyleController;
    void controllerGone(TqvStyleController* controller);
    void setMouseOver(bool over);

    TCustomqvContainer* container_;
    std::unique_ptr<TqvEditStyle> style_;
    TqvStyleController* controller_ = nullptr;
    bool active_ = false;
    bool reentry_ = false;
    bool modified_ = false;
    AnsiString restoreText_;
    bool restoreModified_ = false;
    bool readOnly_ = false;
    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = true;
    QMargins textMargins_;
    int validateLock_ = 0;
    int activateLock_ = 0;
    int assigning_ = 0;
    bool mouseOver_ = false;
    bool keepOpen_ = false;
    QElapsedTimer openingClick_;
};
