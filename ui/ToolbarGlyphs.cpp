#include "ToolbarGlyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// The colours of one image: outline, fill, and the sign's colour.
struct Inks {
    QColor line, fill, sign;
};

void paperSheet(QPainter& p, const Inks& ink)
{
    p.setPen(ink.line);
    p.setBrush(ink.fill);
    p.drawRect(3, 1, 10, 13);
    p.drawLine(5, 4, 11, 4);
    p.drawLine(5, 6, 11, 6);
}

void draw(QPainter& p, ToolbarGlyph which, const Inks& ink)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    switch (which) {
    case ToolbarGlyph::Edit: {  // a pencil over a sheet
        paperSheet(p, ink);
        QPen pen(ink.sign, 3);
        p.setPen(pen);
        p.drawLine(6, 13, 13, 6);
        p.setPen(ink.line);
        p.drawPoint(4, 15);
        p.drawPoint(5, 14);
        break;
    }
    case ToolbarGlyph::Save:  // a disk: body, shutter, label
        p.setPen(ink.line);
        p.setBrush(ink.sign);
        p.drawRect(1, 1, 13, 13);
        p.setBrush(ink.fill);
        p.drawRect(4, 1, 7, 5);
        p.drawRect(3, 9, 9, 5);
        break;
    case ToolbarGlyph::Cancel: {  // a bent arrow going back
        QPen pen(ink.sign, 2);
        p.setPen(pen);
        QPainterPath path(QPointF(13, 13));
        path.cubicTo(13, 4, 8, 4, 4, 6);
        p.drawPath(path);
        p.setPen(ink.line);
        p.setBrush(ink.sign);
        const QPoint head[] = {QPoint(1, 6), QPoint(6, 2), QPoint(6, 10)};
        p.drawPolygon(head, 3);
        break;
    }
    case ToolbarGlyph::Audit: {  // a sheet with a tick
        paperSheet(p, ink);
        p.setPen(QPen(ink.sign, 2));
        const QPoint tick[] = {QPoint(5, 10), QPoint(8, 13), QPoint(15, 6)};
        p.drawPolyline(tick, 3);
        break;
    }
    case ToolbarGlyph::RevokeAudit:  // a sheet with a cross
        paperSheet(p, ink);
        p.setPen(QPen(ink.sign, 2));
        p.drawLine(8, 8, 14, 14);
        p.drawLine(14, 8, 8, 14);
        break;
    case ToolbarGlyph::Print:  // a printer with a sheet in it
        p.setPen(ink.line);
        p.setBrush(ink.fill);
        p.drawRect(4, 1, 8, 5);
        p.setBrush(ink.sign);
        p.drawRect(1, 6, 14, 6);
        p.setBrush(ink.fill);
        p.drawRect(4, 10, 8, 5);
        break;
    case ToolbarGlyph::Exit: {  // a door and an arrow out of it
        p.setPen(ink.line);
        p.setBrush(ink.fill);
        p.drawRect(1, 1, 8, 14);
        p.setPen(QPen(ink.sign, 2));
        p.drawLine(6, 8, 14, 8);
        p.drawLine(11, 5, 14, 8);
        p.drawLine(11, 11, 14, 8);
        break;
    }
    }
}

QColor signColour(ToolbarGlyph which)
{
    switch (which) {
    case ToolbarGlyph::Edit: return QColor(230, 160, 30);
    case ToolbarGlyph::Save: return QColor(40, 80, 170);
    case ToolbarGlyph::Cancel: return QColor(200, 60, 40);
    case ToolbarGlyph::Audit: return QColor(30, 140, 50);
    case ToolbarGlyph::RevokeAudit: return QColor(200, 40, 40);
    case ToolbarGlyph::Print: return QColor(90, 90, 100);
    case ToolbarGlyph::Exit: return QColor(200, 60, 40);
    }
    return Qt::black;
}

}  // namespace

QImage MakeToolbarGlyph(ToolbarGlyph which)
{
    QImage strip(32, 16, QImage::Format_ARGB32);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    draw(p, which, {QColor(40, 40, 40), QColor(250, 250, 245), signColour(which)});
    p.translate(16, 0);
    draw(p, which, {QColor(128, 128, 128), QColor(220, 220, 220), QColor(160, 160, 160)});
    p.end();
    return strip;
}
