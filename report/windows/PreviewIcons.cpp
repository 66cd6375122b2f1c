#include "report/windows/PreviewIcons.h"

#include <QPainter>
#include <QPainterPath>

namespace {
const QColor ink(40, 40, 40);
const QColor paper(255, 255, 255);
const QColor blue(32, 84, 160);
const QColor folder(222, 176, 64);

QPixmap blank(int w, int h)
{
    QPixmap pixmap(w, h);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void sheet(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(ink, 1));
    p.setBrush(paper);
    p.drawRect(r);
}

void printer(QPainter& p, double x, double y)
{
    p.setPen(QPen(ink, 1));
    p.setBrush(paper);
    p.drawRect(QRectF(x + 4.5, y + 1.5, 7, 5));      // paper in
    p.setBrush(QColor(190, 190, 190));
    p.drawRect(QRectF(x + 1.5, y + 6.5, 13, 6));     // body
    p.setBrush(paper);
    p.drawRect(QRectF(x + 4.5, y + 10.5, 7, 4));     // paper out
    p.setPen(QPen(QColor(60, 160, 60), 1));
    p.drawPoint(QPointF(x + 12.5, y + 8.5));
}

void page(QPainter& p, double x, double y, const QString& number)
{
    sheet(p, QRectF(x + 0.5, y + 0.5, 11, 14));
    p.drawText(QRectF(x, y, 12, 15), Qt::AlignCenter, number);
}
}  // namespace

QPixmap PreviewIcon(TrqPreviewIcon icon)
{
    QPixmap pixmap = blank(16, 16);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    switch (icon) {
    case TrqPreviewIcon::Open: {
        p.setPen(QPen(ink, 1));
        p.setBrush(folder.darker(110));
        p.drawRect(QRectF(1.5, 4.5, 12, 9));
        p.drawRect(QRectF(1.5, 3.5, 5, 1));
        p.setBrush(folder);
        QPainterPath flap;
        flap.moveTo(3.5, 7.5);
        flap.lineTo(15.5, 7.5);
        flap.lineTo(13.5, 13.5);
        flap.lineTo(1.5, 13.5);
        flap.closeSubpath();
        p.drawPath(flap);
        break;
    }
    case TrqPreviewIcon::Save:
        p.setPen(QPen(ink, 1));
        p.setBrush(blue);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(paper);
        p.drawRect(QRectF(3.5, 1.5, 9, 6));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        break;
    case TrqPreviewIcon::Print: printer(p, 0, 0); break;
    case TrqPreviewIcon::PageSetup:
        sheet(p, QRectF(2.5, 0.5, 10, 13));
        p.setPen(QPen(blue, 1, Qt::DotLine));
        p.drawRect(QRectF(4.5, 2.5, 6, 9));
        p.setPen(QPen(ink, 1));
        p.drawLine(QPointF(11.5, 15.5), QPointF(15.5, 11.5));
        break;
    case TrqPreviewIcon::Find:
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(ink, 1.5));
        p.setBrush(QColor(200, 225, 250));
        p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
        p.setPen(QPen(ink, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
        break;
    case TrqPreviewIcon::Help: {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(blue.darker(120), 1));
        p.setBrush(blue);
        p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(12);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case TrqPreviewIcon::Exit:
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(150, 100, 60));
        p.drawRect(QRectF(3.5, 1.5, 8, 13));
        p.setBrush(QColor(250, 220, 120));
        p.drawEllipse(QPointF(9.5, 8.5), 1, 1);
        p.setPen(QPen(QColor(200, 40, 40), 2));
        p.drawLine(QPointF(12, 8), QPointF(15.5, 8));
        break;
    case TrqPreviewIcon::PageUp:
    case TrqPreviewIcon::PageDown: {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        const bool up = icon == TrqPreviewIcon::PageUp;
        for (int k = 0; k < 2; ++k) {
            const double y = up ? 3 + k * 5 : 8 + k * -5;
            QPolygonF arrow;
            if (up) arrow << QPointF(8, y) << QPointF(12, y + 4) << QPointF(4, y + 4);
            else arrow << QPointF(4, y) << QPointF(12, y) << QPointF(8, y + 4);
            p.drawPolygon(arrow);
        }
        break;
    }
    }
    return pixmap;
}

QPixmap PrinterIcon()
{
    QPixmap pixmap = blank(18, 16);
    QPainter p(&pixmap);
    printer(p, 1, 0);
    return pixmap;
}

QPixmap CollatePicture(bool collate)
{
    QPixmap pixmap = blank(78, 36);
    QPainter p(&pixmap);
    QFont font = p.font();
    font.setPixelSize(9);
    p.setFont(font);
    if (collate) {
        // Two sets of pages 1, 2, 3.
        for (int set = 0; set < 2; ++set)
            for (int k = 0; k < 3; ++k) page(p, 4 + set * 38 + k * 6, 2 + (2 - k) * 6, QString::number(3 - k));
    } else {
        // The copies of each page together: 1 1, 2 2, 3 3.
        for (int n = 0; n < 3; ++n)
            for (int k = 0; k < 2; ++k) page(p, 2 + n * 25 + k * 6, 8 + (1 - k) * 6, QString::number(n + 1));
    }
    return pixmap;
}
