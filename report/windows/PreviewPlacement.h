#pragma once
// Where the preview window was when it last closed, kept per user under
// "Software\Velotab\Form\<window class>": XPosition, YPosition, Width and
// Height as decimal text and Maximized as "0" or "1". The settings file may
// have been edited or written on another screen: a value that is not a whole
// number, a size that is not positive, or bounds that leave too little of the
// window on any screen fall back to the window's current bounds, and a
// Maximized that is neither "0" nor "1" counts as maximized (the default).

#include <QRect>

struct TrqWindowPlacement {
    bool Maximized = true;
    QRect Bounds;
};

TrqWindowPlacement ReadWindowPlacement(const char* className, const QRect& current);
void WriteWindowPlacement(const char* className, const QRect& bounds, bool maximized);

class QWidget;
// Centres a dialog on the primary screen (the engine's dialogs open there).
void CentreOnScreen(QWidget& window);
