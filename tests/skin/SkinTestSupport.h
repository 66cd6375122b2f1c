#pragma once
// What the skin tests share: the mouse and key events they send, pictures of
// a control as it shows on its parent, and colours read from them.

#include "runtime/Color.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

inline void hover(QWidget* w)
{
    QPointF at = QRectF(w->rect()).center();
    QEnterEvent enter(at, at, w->mapToGlobal(at));
    QApplication::sendEvent(w, &enter);
}

inline void leave(QWidget* w)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(w, &event);
}

inline void mouse(QWidget* w, QEvent::Type type, Qt::MouseButtons held)
{
    QPointF at = QRectF(w->rect()).center();
    QMouseEvent event(type, at, w->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

inline void press(QWidget* w) { mouse(w, QEvent::MouseButtonPress, Qt::LeftButton); }
inline void release(QWidget* w) { mouse(w, QEvent::MouseButtonRelease, Qt::NoButton); }
inline void doubleClick(QWidget* w) { mouse(w, QEvent::MouseButtonDblClick, Qt::LeftButton); }

// The control as it shows: drawn over its parent's face.
inline QImage shot(QWidget* w)
{
    QWidget* parent = w->parentWidget();
    return (parent ? parent->grab(w->geometry()) : w->grab()).toImage().convertToFormat(QImage::Format_RGB32);
}

inline TColor pixelAt(const QImage& image, int x, int y)
{
    QRgb p = image.pixel(x, y);
    return qRed(p) | (qGreen(p) << 8) | (qBlue(p) << 16);
}

// The colour of a TColor as the widget resolves it (0x00BBGGRR).
inline TColor resolved(const QWidget* w, TColor colour)
{
    QPalette p = w->palette();
    return ColorToRGB(colour, &p);
}
