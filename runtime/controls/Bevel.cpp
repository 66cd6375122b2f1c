#include "Bevel.h"

#include <QPainter>

void Frame3D(QPainter& canvas, QRect& rect, const QColor& topLeft, const QColor& bottomRight, int width)
{
    for (int i = 0; i < width && rect.width() > 0 && rect.height() > 0; ++i) {
        canvas.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), topLeft);
        canvas.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), topLeft);
        canvas.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), bottomRight);
        canvas.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), bottomRight);
        rect.adjust(1, 1, -1, -1);
    }
    // A bevel wider than the rectangle leaves nothing inside it.
    if (rect.width() < 0 || rect.height() < 0) rect = QRect(rect.topLeft(), QSize(0, 0));
}
