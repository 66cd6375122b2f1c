#pragma once
// A tooltip-like window that shows a text near a screen point without taking
// activation or the mouse: word-wrapped within a width (the screen's when
// none is given), 6 pixels wider and higher than its text, kept inside the
// screen, with a raised thin edge on the tooltip background. Its font is the
// system's tooltip font in the tooltip text colour, with the name (and, when
// asked, the size) of the given font.

#include "runtime/AnsiString.h"
#include "runtime/Font.h"

#include <QWidget>

class TqvContainerHintWindow : public QWidget {
public:
    explicit TqvContainerHintWindow(QWidget* parent = nullptr);

    // Shows `text` with its top-left corner at the screen point `at`.
    void ActivateHint(const QPoint& at, const AnsiString& text, const TFont& font, bool useFontSize = false,
                      int maxWidth = 0);
    void HideHint() { hide(); }
    const AnsiString& HintText() const { return text_; }
    // The size the text needs at a width (the window adds 6 pixels).
    QRect CalcHintRect(int maxWidth) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AnsiString text_;
};
