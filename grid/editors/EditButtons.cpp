#include "grid/editors/EditButtons.h"

#include "runtime/Color.h"

#include <QPainter>

std::vector<QRect> LayoutEditButtons(const std::vector<TqvEditButton>& buttons, const QRect& inside, QRect& text)
{
    std::vector<QRect> rects(buttons.size());
    text = inside;
    for (size_t i = 0; i < buttons.size(); ++i) {
        const TqvEditButton& b = buttons[i];
        if (!b.Visible) continue;
        int w = std::min(b.Width > 0 ? b.Width : DefaultEditButtonWidth, std::max(0, text.width()));
        if (b.LeftAlignment) {
            rects[i] = QRect(text.left(), inside.top(), w, inside.height());
            text.setLeft(text.left() + w);
        } else {
            rects[i] = QRect(text.right() + 1 - w, inside.top(), w, inside.height());
            text.setRight(text.right() - w);
        }
    }
    return rects;
}

int EditButtonAt(const std::vector<QRect>& rects, const QPoint& at)
{
    for (size_t i = 0; i < rects.size(); ++i)
        if (!rects[i].isEmpty() && rects[i].contains(at)) return static_cast<int>(i);
    return -1;
}

void PaintEditButtons(QPainter& canvas, const std::vector<TqvEditButton>& buttons, const std::vector<QRect>& rects,
                      TqvEditButtonViewStyle style, int pressed)
{
    canvas.save();
    for (size_t i = 0; i < buttons.size() && i < rects.size(); ++i) {
        QRect r = rects[i];
        if (r.isEmpty()) continue;
        bool down = static_cast<int>(i) == pressed;
        canvas.fillRect(r, ToQColor(clBtnFace));
        if (style != btsSimple) {
            QColor light = ToQColor(down ? clBtnShadow : clBtnHighlight), dark = ToQColor(down ? clBtnHighlight : clBtnShadow);
            canvas.setPen(light);
            canvas.drawLine(r.topLeft(), r.topRight());
            canvas.drawLine(r.topLeft(), r.bottomLeft());
            canvas.setPen(dark);
            canvas.drawLine(r.bottomLeft(), r.bottomRight());
            canvas.drawLine(r.topRight(), r.bottomRight());
        }
        QPoint c = r.center() + (down ? QPoint(1, 1) : QPoint());
        const TqvEditButton& b = buttons[i];
        if (b.Kind == ebsGlyph && !b.Glyph.isNull()) {
            canvas.drawPixmap(c.x() - b.Glyph.width() / 2, c.y() - b.Glyph.height() / 2, b.Glyph);
        } else if (b.Kind == ebsEllipsis) {
            for (int dx : {-4, 0, 4}) canvas.fillRect(QRect(c.x() + dx - 1, c.y() + 2, 2, 2), ToQColor(clBtnText));
        }
    }
    canvas.restore();
}
