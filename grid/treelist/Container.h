#pragma once
// The custom-drawn window control that the grid is built on and that hosts
// its in-place editors. Every Qt entry (paint, keys, mouse, wheel, focus,
// resize) passes through the runtime's guard and reaches the control's own
// handlers in the system's terms: virtual-key codes, shift states, pixels.
//
// Ownership: the owner (usually the form) frees the control as a component;
// the parent widget shows it. Whichever goes first takes the control out of
// the other, so it is never freed twice. The component name is mirrored into
// objectName(), so findChild finds a grid by name.
//
// The control also answers the questions of the in-place editors it hosts
// (the "editor questions" below). The defaults suit a container that lets
// nothing be edited; the grid gives its own answers. The container knows
// nothing of the editors' looks: a container that gives its editors a style
// of its own says so through TqvEditStyleSource (grid/editors/EditStyle.h).

#include "runtime/Color.h"
#include "runtime/Component.h"
#include "runtime/Font.h"
#include "runtime/Keys.h"

#include <QWidget>

#include <memory>

class QPainter;
class TqvInplaceEdit;

class TCustomqvContainer : public QWidget, public TComponent {
public:
    // The owner (usually the form) frees the control; the parent widget shows it.
    explicit TCustomqvContainer(TComponent* owner = nullptr, QWidget* parent = nullptr);
    ~TCustomqvContainer() override;
    const char* ClassName() const override { return "TCustomqvContainer"; }
    void SetName(const AnsiString& name) override;

    // ---- Editor questions (asked by the hosted in-place editors)
    // May the editor's text be changed now? Asked before every change; a
    // container that says yes has made the change possible (the grid puts
    // its dataset into edit state).
    virtual bool CanEditModify() { return false; }
    // Is a typed character acceptable in the edited cell?
    virtual bool IsAcceptedKey(char32_t character) { return true; }
    virtual TColor EditColor() const { return clWindow; }
    virtual TFont EditFont() const { return TFont(); }
    virtual bool IsEditReadOnly() const { return false; }
    // True when the focus has left the edited cell and the editor's key
    // messages are to be dropped.
    virtual bool IsSuppressKeys() const { return false; }
    // Is the first click after opening the editor tested for a double click?
    virtual bool IsDblClickTest() const { return false; }
    // Does the container want the Tab key (in itself and in its editors)?
    virtual bool WantTabs() const { return false; }
    // Moves the focus one column left or right (kinds that pass the caret on
    // at the ends of their text).
    virtual void EditorMoveCol(bool left) {}
    // The keys an editor hands on: the container's own key handling.
    virtual void EditorKeyDown(Word& key, TShiftState shift) { KeyDown(key, shift); }
    virtual void EditorKeyPress(char32_t& character) { KeyPress(character); }
    virtual void EditorKeyUp(Word& key, TShiftState shift) { KeyUp(key, shift); }
    // Every other key pressed in an editor, before the editor handles it.
    virtual void EditorKeyDownNotify(Word& key, TShiftState shift) {}
    // The mouse wheel turned over an editor.
    virtual void EditorScroll(int lines) { MouseWheelScroll(lines); }
    // The editor lost the keyboard focus to `next` (null: to no widget of
    // the application), after its text was checked.
    virtual void EditorFocusLost(QWidget* next) {}
    // Moves the keyboard focus to the next (previous) control of the window
    // after this one, as the Tab key does between controls; false when no
    // other control can take it.
    bool FocusNextControl(bool forward);
    // Tab found no other control to go to: the focus stays in the container
    // (a container closes its open editor here, as for a focus move).
    virtual void FocusStays() {}

protected:
    virtual void Paint(QPainter& canvas, const QRect& updateRect) {}
    // A key went down; setting `key` to 0 ends its handling.
    virtual void KeyDown(Word& key, TShiftState shift) {}
    // The character of a key press. It follows the key-down even when the
    // key-down handling set the key to 0.
    virtual void KeyPress(char32_t& character) {}
    virtual void KeyUp(Word& key, TShiftState shift) {}
    virtual void MouseDown(Qt::MouseButton button, TShiftState shift, int x, int y) {}
    virtual void MouseUp(Qt::MouseButton button, TShiftState shift, int x, int y) {}
    virtual void MouseMove(TShiftState shift, int x, int y) {}
    virtual void DblClick(int x, int y) {}
    // The mouse wheel: lines > 0 scroll towards the top; a sideways wheel
    // (or a sideways swipe) gives lines > 0 towards the left.
    virtual void MouseWheelScroll(int lines) {}
    virtual void MouseWheelScrollHorizontal(int lines) {}
    virtual void DoEnter() {}
    virtual void DoExit() {}
    virtual void Resize() {}

    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Tab between controls is the window's, unless the container wants it:
    // it moves the focus on, or leaves it where it is, and never reaches
    // the container's keys.
    bool focusNextPrevChild(bool next) override;

private:
    int wheelRemainder_ = 0;
    int wheelRemainderX_ = 0;
};
