#include "grid/editors/EditViewData.h"

#include <QPainter>
#include <QRegion>

int EditBorderWidth(TqvEditBorderStyle style)
{
    switch (style) {
    case xbsNone: return 0;
    case xbsSingle: return 1;
    default: return 2;
    }
}

TqvEditBorderStyle HotTrackedBorder(TqvEditBorderStyle style)
{
    switch (style) {
    case xbsNone: return xbsFlat;
    case xbsSingle: return xbsThick;
    case xbsFlat: return xbs3D;
    default: return style;
    }
}

TqvEditButtonViewStyle ResolvedButtonStyle(TqvEditButtonViewStyle style, TqvEditBorderStyle border)
{
    if (style != btsDefault) return style;
    switch (border) {
    case xbsNone: return btsSimple;
    case xbsSingle: return btsHotFlat;
    case xbsFlat: return btsFlat;
    default: return bts3D;
    }
}

namespace {
constexpr int shadowSize = EditShadowSize;

QRect withoutShadow(const QRect& r, bool shadow)
{
    return shadow ? r.adjusted(0, 0, -shadowSize, -shadowSize) : r;
}

}  // namespace

void PaintBevel(QPainter& p, QRect& r, TqvEditEdges edges, TColor topLeft, TColor bottomRight)
{
    if (edges.Contains(edgLeft)) p.fillRect(QRect(r.left(), r.top(), 1, r.height()), ToQColor(topLeft));
    if (edges.Contains(edgTop)) p.fillRect(QRect(r.left(), r.top(), r.width(), 1), ToQColor(topLeft));
    if (edges.Contains(edgRight)) p.fillRect(QRect(r.right(), r.top(), 1, r.height()), ToQColor(bottomRight));
    if (edges.Contains(edgBottom)) p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), ToQColor(bottomRight));
    r.adjust(edges.Contains(edgLeft) ? 1 : 0, edges.Contains(edgTop) ? 1 : 0, edges.Contains(edgRight) ? -1 : 0,
             edges.Contains(edgBottom) ? -1 : 0);
}

void PaintEditShadow(QPainter& canvas, const QRect& bounds)
{
    QRect r = withoutShadow(bounds, true);
    QColor shadow = ToQColor(clBtnShadow);
    canvas.fillRect(QRect(r.right() + 1, r.top() + shadowSize, shadowSize, r.height()), shadow);
    canvas.fillRect(QRect(r.left() + shadowSize, r.bottom() + 1, r.width(), shadowSize), shadow);
}

QRect EditContentRect(const QRect& bounds, const TqvEditViewData& data)
{
    QRect r = withoutShadow(bounds, data.Shadow);
    int w = EditBorderWidth(data.BorderStyle);
    return r.adjusted(data.Edges.Contains(edgLeft) ? w : 0, data.Edges.Contains(edgTop) ? w : 0,
                      data.Edges.Contains(edgRight) ? -w : 0, data.Edges.Contains(edgBottom) ? -w : 0);
}

QRegion EditWindowRegion(const QRect& bounds, bool shadow)
{
    QRegion region(bounds);
    if (!shadow) return region;
    // The shadow covers the right and bottom strips but not the two corners
    // next to the editor's top-right and bottom-left.
    region -= QRect(bounds.right() - shadowSize + 1, bounds.top(), shadowSize, shadowSize);
    region -= QRect(bounds.left(), bounds.bottom() - shadowSize + 1, shadowSize, shadowSize);
    return region;
}

QRect PaintEditFrame(QPainter& canvas, const TqvEditViewData& data)
{
    QRect r = withoutShadow(data.Bounds, data.Shadow);
    if (data.Shadow) PaintEditShadow(canvas, data.Bounds);
    TqvEditEdges edges = data.Edges;
    switch (data.BorderStyle) {
    case xbsNone: break;
    case xbsSingle:
    case xbsThick: {
        int w = EditBorderWidth(data.BorderStyle);
        QColor c = ToQColor(data.BorderColor);
        if (edges.Contains(edgLeft)) canvas.fillRect(QRect(r.left(), r.top(), w, r.height()), c);
        if (edges.Contains(edgTop)) canvas.fillRect(QRect(r.left(), r.top(), r.width(), w), c);
        if (edges.Contains(edgRight)) canvas.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), c);
        if (edges.Contains(edgBottom)) canvas.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), c);
        r = EditContentRect(data.Bounds, data);
        break;
    }
    case xbsFlat:
        PaintBevel(canvas, r, edges, clBtnShadow, clBtnHighlight);
        PaintBevel(canvas, r, edges, clBtnFace, clBtnFace);
        break;
    case xbs3D:
        PaintBevel(canvas, r, edges, clBtnShadow, clBtnHighlight);
        PaintBevel(canvas, r, edges, cl3DDkShadow, cl3DLight);
        break;
    }
    if (!data.Transparent) canvas.fillRect(r, ToQColor(data.Brush));
    return r;
}

void PaintTextEditView(QPainter& canvas, const TqvTextEditViewData& data)
{
    QRect inner = PaintEditFrame(canvas, data);
    QRect text = inner.adjusted(1 + data.TextMargins.left() + (data.SelectionBar ? 8 : 0), 1 + data.TextMargins.top(),
                                -1 - data.TextMargins.right() - (data.Alignment == taRightJustify ? 1 : 0),
                                -1 - data.TextMargins.bottom());
    AnsiString shown = data.PasswordChar ? AnsiString(data.Text.size(), data.PasswordChar) : data.Text;
    int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    flags |= data.Alignment == taRightJustify ? Qt::AlignRight : data.Alignment == taCenter ? Qt::AlignHCenter
                                                                                             : Qt::AlignLeft;
    canvas.save();
    canvas.setFont(data.Font.ToQFont());
    canvas.setPen(ToQColor(data.Enabled ? data.TextColor : clBtnShadow));
    canvas.drawText(text, flags, AnsiToQString(shown));
    canvas.restore();
}
