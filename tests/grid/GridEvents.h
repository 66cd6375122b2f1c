#pragma once
// Qt events sent to a grid as a user would cause them: key presses and
// mouse clicks, through the grid's own event handlers.

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

inline void key(QWidget& w, int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
    QApplication::sendEvent(&w, &press);
}

inline void click(QWidget& w, QPoint at)
{
    QMouseEvent press(QEvent::MouseButtonPress, at, w.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&w, &press);
}
