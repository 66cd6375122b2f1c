#pragma once
// The base of the runtime's own window controls (panel, speed button, status
// bar): a QWidget that is also a component, with the properties forms set on
// every control — bounds, alignment, colour, font, caption, cursor, enabled,
// visible — and the click event.
//
// Ownership: the owner (usually the form) frees the control as a component;
// the parent widget shows it. Whichever goes first takes the control out of
// the other (Qt deletes children it still holds; deleting the control removes
// it from its owner's list), so a control is never freed twice. The component
// name is mirrored into objectName(), so findChild finds controls by name.
//
// Every Qt entry reaches the control's own handlers through the runtime's
// guard. Colour and font follow the parent (ParentColor, ParentFont) until
// they are set; setters given the value already held do nothing.

#include "runtime/Component.h"
#include "runtime/Font.h"
#include "runtime/controls/Align.h"

#include <QWidget>

#include <functional>

class QPainter;

using TNotifyEvent = std::function<void(TComponent* Sender)>;

enum TCursor : int {
    crDefault = 0,
    crNone = -1,
    crArrow = -2,
    crCross = -3,
    crIBeam = -4,
    crSizeNESW = -6,
    crSizeNS = -7,
    crSizeNWSE = -8,
    crSizeWE = -9,
    crUpArrow = -10,
    crHourGlass = -11,
    crDrag = -12,
    crNoDrop = -13,
    crHSplit = -14,
    crVSplit = -15,
    crMultiDrag = -16,
    crSQLWait = -17,
    crNo = -18,
    crAppStart = -19,
    crHelp = -20,
    crHandPoint = -21,
    crSizeAll = -22,
};

class TControl : public QWidget, public TComponent {
public:
    explicit TControl(TComponent* owner = nullptr, QWidget* parent = nullptr);
    ~TControl() override;
    const char* ClassName() const override { return "TControl"; }
    void SetName(const AnsiString& name) override;

    int Left() const { return x(); }
    int Top() const { return y(); }
    int Width() const { return width(); }
    int Height() const { return height(); }
    void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
    void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }
    void SetBounds(int left, int top, int width, int height);

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    // The colour the control paints with: its own, or its parent's while
    // ParentColor is on (a parent that is no control gives its window colour).
    TColor Color() const;
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool on);

    // Changing the font (any of its properties) turns ParentFont off. While
    // it is on, text is drawn in the face the parent widget passes down and in
    // the colour of Font().
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool on);

    const AnsiString& Caption() const { return caption_; }
    void SetCaption(const AnsiString& caption);

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);

    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool on) { setEnabled(on); }
    bool Visible() const { return !isHidden(); }
    void SetVisible(bool on) { setVisible(on); }

    TNotifyEvent OnClick;
    // Raises OnClick (the button's own click and programmatic clicks alike).
    virtual void Click();

protected:
    // The control's own painting; the painter is set to the control's font.
    virtual void Paint(QPainter& canvas) {}
    virtual void CaptionChanged() { update(); }
    // The Qt colour of a TColor, system colours through this control's palette.
    QColor ToColor(TColor color) const;

    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void fontChanged();

    TAlign align_ = alNone;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    TFont font_;
    bool parentFont_ = true;
    AnsiString caption_;
    TCursor cursor_ = crDefault;
};
