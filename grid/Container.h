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

#include "runtime/Component.h"
#include "runtime/Keys.h"

#include <QWidget>

class QPainter;

class TCustomqvContainer : public QWidget, public TComponent {
public:
    // The owner (usually the form) frees the control; the parent widget shows it.
    explicit TCustomqvContainer(TComponent* owner = nullptr, QWidget* parent = nullptr);
    ~TCustomqvContainer() override;
    const char* ClassName() const override { return "TCustomqvContainer"; }
    void SetName(const AnsiString& name) override;

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
    // The mouse wheel: lines > 0 scroll towards the top.
    virtual void MouseWheelScroll(int lines) {}
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

private:
    int wheelRemainder_ = 0;
};
