#pragma once
// The window a drop-down editor opens (its list, calendar, calculator or blob
// memo). It belongs to one editor: a top-level popup owned by the editor's
// form that never takes activation on a click, so the form's caption stays
// active while it is up.
//
// Its border, by PopupBorder, takes on every side: pbDefault nothing,
// pbSingle 1 pixel (a one-colour frame), pbFlat 2 (a raised edge) and
// pbFrame3D 4 (a raised edge, a flat sunken inner edge, a sunken outer edge).
// A shadow takes EditShadowSize more at the right and bottom and shapes the
// window region as it does an editor's. Where a scroll area inside shows
// both scroll bars, the corner between them is the button-face colour.
//
// Rules that are easy to break:
// - ClosePopup hides the window without activating anything, gives the
//   focus back to the editor while the application is active, and then
//   posts OnClosed (queued: the editor hears of it after the closing click
//   or key has been handled).
// - Losing the focus (a click outside, another window) closes it the same
//   way and tells the editor through OnFocusLost.

#include <QFrame>

#include <cstdint>
#include <functional>

class TqvInplaceEdit;

enum TqvPopupBorder : uint8_t { pbDefault, pbSingle, pbFrame3D, pbFlat };

class TqvInplacePopupControl : public QFrame {
public:
    explicit TqvInplacePopupControl(TqvInplaceEdit* editor);
    TqvInplaceEdit* Editor() const { return editor_; }

    // The pixels a border takes on each side.
    static int BorderWidth(TqvPopupBorder border);
    TqvPopupBorder PopupBorder() const { return border_; }
    void SetPopupBorder(TqvPopupBorder value);
    bool Shadow() const { return shadow_; }
    void SetShadow(bool value);
    // The outer size for a content size: the border and the shadow added.
    QSize SizeFor(QSize content) const;

    void ClosePopup();

    std::function<void()> OnClosed;
    std::function<void()> OnFocusLost;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void updateMargins();
    void fillScrollCorners();
    void postClosed();

    TqvInplaceEdit* editor_;
    TqvPopupBorder border_ = pbDefault;
    bool shadow_ = false;
    bool closing_ = false;
};
