#include "report/canvas/Canvas.h"

#include <QImage>
#include <QPainter>

TrqCanvas::TrqCanvas(QPainter& painter, TrqCanvasKind kind) : painter_(painter), kind_(kind)
{
    QPaintDevice* device = painter.device();
    ppi_ = device && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96;
    if (painter.hasClipping()) clip_ = painter.clipRegion();
    else if (device) clip_ = QRegion(0, 0, device->width(), device->height());
}

bool TrqCanvas::Meets(const TrqRect& box) const
{
    if (box.IsEmpty()) return false;
    return clip_.intersects(box.ToQRect());
}

namespace {
QImage makeScratchImage()
{
    QImage image(8, 8, QImage::Format_ARGB32_Premultiplied);
    const int dotsPerMeter = 3780;  // 96 pixels per inch
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

QImage& scratchImage()
{
    static QImage image = makeScratchImage();
    return image;
}
}  // namespace

QPaintDevice* ScratchDevice() { return &scratchImage(); }

void WithScratchCanvas(const std::function<void(TrqCanvas&)>& f)
{
    // A device takes one painter at a time: a nested use gets an image of its own.
    QImage nested;
    QImage* device = &scratchImage();
    if (device->paintingActive()) {
        nested = makeScratchImage();
        device = &nested;
    }
    QPainter painter(device);
    TrqCanvas canvas(painter, ckScreen);
    f(canvas);
}
