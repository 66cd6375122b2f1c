// Drawing of the views that are not text: any view (fill and frame), pictures
// and lines.
#include "report/canvas/Canvas.h"
#include "report/draw/DrawState.h"
#include "report/draw/ViewPainter.h"
#include "report/model/LineView.h"
#include "report/model/PictureView.h"

#include <QImage>
#include <QPainter>

namespace {
void applyBandAlign(TrqView& view)
{
    if (rqDrawState().ApplyBandAlign) rqDrawState().ApplyBandAlign(view);
}

// Where the picture goes inside the view's draw rectangle.
QRectF pictureTarget(const TrqPictureView& view, const TrqViewPainter& vp, const QSize& picture)
{
    const TrqRect& d = vp.DrawRect();
    double width = d.Width(), height = d.Height();
    if (view.Flag(flStretched)) {
        if (view.Flag(flPictRatio)) {
            const double kx = double(view.Width) / picture.width(), ky = double(view.Height) / picture.height();
            if (kx >= ky) width = picture.width() * ky;
            else height = picture.height() * kx;
        }
    } else {
        const bool prepared = rqDrawState().Prepared();
        width = picture.width() * (prepared ? view.ScaleX : 1.0);
        height = picture.height() * (prepared ? view.ScaleY : 1.0);
    }
    double left = d.Left, top = d.Top;
    if (view.Flag(flPictCenter)) {
        left += (d.Width() - width) / 2;
        top += (d.Height() - height) / 2;
    }
    return QRectF(left, top, width, height);
}
}  // namespace

void TrqView::Draw(TrqCanvas& canvas)
{
    applyBandAlign(*this);
    TrqViewPainter vp(*this, canvas);
    vp.DrawBackground();
    vp.DrawFrame();
}

void TrqPictureView::Draw(TrqCanvas& canvas)
{
    applyBandAlign(*this);
    TrqViewPainter vp(*this, canvas);
    vp.DrawBackground();
    // A metafile has no reader here and draws nothing, like a picture without a graphic.
    QImage image = Picture.Image();
    if (!image.isNull() && !rqDrawState().DrawingDisabled) {
        QPainter& painter = canvas.Painter();
        painter.save();
        painter.setClipRect(vp.DrawRect().ToQRect(), Qt::IntersectClip);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, canvas.IsPrinter());
        // Printers get the picture without transparency, as a plain bitmap.
        if (canvas.IsPrinter() && image.hasAlphaChannel()) {
            QImage opaque(image.size(), QImage::Format_RGB888);
            opaque.fill(Qt::white);
            QPainter(&opaque).drawImage(0, 0, image);
            image = opaque;
        }
        painter.drawImage(pictureTarget(*this, vp, image.size()), image);
        painter.restore();
    }
    vp.DrawFrame();
}

void TrqLineView::Draw(TrqCanvas& canvas)
{
    applyBandAlign(*this);
    // A line is the top edge of a box wider than tall, else its left edge.
    if (Width > Height) {
        Height = 0;
        FrameTyp = rqftTop;
    } else {
        Width = 0;
        FrameTyp = rqftLeft;
    }
    TrqViewPainter vp(*this, canvas);
    vp.DrawFrame();
}
