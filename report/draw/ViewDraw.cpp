// Drawing of the views that are not text: any view (fill and frame), pictures
// and lines.
#include "report/canvas/Canvas.h"
#include "report/draw/DrawState.h"
#include "report/draw/ViewPainter.h"
#include "report/graphic/Graphic.h"
#include "report/model/LineView.h"
#include "report/model/PictureView.h"
#include "report/texts/Warnings.h"

#include <QPainter>

#include <algorithm>

namespace {
void applyBandAlign(TrqView& view)
{
    if (rqDrawState().ApplyBandAlign) rqDrawState().ApplyBandAlign(view);
}

// Where the picture goes inside the view's draw rectangle.
QRectF pictureTarget(const TrqPictureView& view, const TrqViewPainter& vp, const QSizeF& picture)
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

// What stands in for a metafile that cannot be drawn: a thin box the size of
// the view with its two diagonals, so that the reader sees something is missing.
void drawCrossedBox(QPainter& painter, const TrqPictureView& view, const QRectF& box)
{
    QPen pen(Qt::darkGray);
    pen.setWidthF(std::max(1.0, view.ScaleX));
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QRectF inner = box.adjusted(0, 0, -pen.widthF(), -pen.widthF());
    painter.drawRect(inner);
    painter.drawLine(inner.topLeft(), inner.bottomRight());
    painter.drawLine(inner.bottomLeft(), inner.topRight());
}

std::string warningKey(const char* what, const TrqPicture& picture)
{
    return std::string(what) + std::to_string(std::hash<std::string>()(picture.Data()));
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
    auto graphic = Picture.Graphic();
    if (graphic && !rqDrawState().DrawingDisabled) {
        QPainter& painter = canvas.Painter();
        painter.save();
        const QRectF box = vp.DrawRect().ToQRect();
        painter.setClipRect(box, Qt::IntersectClip);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, canvas.IsPrinter());
        if (graphic->IsValid()) {
            // Printers get rasters without transparency, as plain bitmaps.
            graphic->Draw(painter, pictureTarget(*this, vp, graphic->Size()), canvas.IsPrinter());
        } else if (Picture.Kind() == gkMetafile) {
            drawCrossedBox(painter, *this, box);
            WarnOnce(warningKey("metafile:", Picture),
                     Name + ": the metafile cannot be read; a crossed box stands in its place");
        } else {
            WarnOnce(warningKey("picture:", Picture), Name + ": the picture cannot be decoded; it is left empty");
        }
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
