// Drawing of a barcode view: the code from libzint's vector output as filled
// rectangles (vectors on a PDF or a printer, never a bitmap), turned by the
// view's rotation, with the human-readable text under linear codes; content
// that cannot be encoded draws a thin crossed box instead.
#include "report/canvas/Canvas.h"
#include "report/draw/BarcodeSymbol.h"
#include "report/draw/DrawState.h"
#include "report/draw/ViewPainter.h"
#include "report/model/BarcodeView.h"
#include "runtime/Color.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {
// Millimetres per report unit (93/1.015 units per inch).
constexpr double MillimetresPerUnit = 25.4 * 1.015 / 93.0;

double effectiveScale(double scale) { return rqDrawState().Prepared() ? scale : 1.0; }

double fontPixels(const TrqBarcodeView& view, const TrqCanvas& canvas, double scaleY)
{
    if (canvas.IsPrinter()) return view.Font.Size * double(canvas.PixelsPerInch()) / 72.0;
    return view.Font.Size * 96.0 / 72.0 * scaleY;
}

void crossedBox(QPainter& painter, const QRectF& box, const QColor& color)
{
    painter.setPen(QPen(color, 0));  // cosmetic: one device pixel
    painter.setBrush(Qt::NoBrush);
    const QRectF r = box.adjusted(0.5, 0.5, -0.5, -0.5);
    painter.drawRect(r);
    painter.drawLine(r.topLeft(), r.bottomRight());
    painter.drawLine(r.bottomLeft(), r.topRight());
}
}  // namespace

void TrqBarcodeView::Draw(TrqCanvas& canvas)
{
    if (rqDrawState().ApplyBandAlign) rqDrawState().ApplyBandAlign(*this);
    TrqViewPainter vp(*this, canvas);
    vp.DrawBackground();
    if (!rqDrawState().DrawingDisabled) {
        const TrqRect& d = vp.DrawRect();
        const QRectF area(d.Left, d.Top, d.Width(), d.Height());
        const double sx = effectiveScale(ScaleX), sy = effectiveScale(ScaleY);
        const QColor bars = ToQColor(BarColor);
        QPainter& painter = canvas.Painter();
        painter.save();
        painter.setClipRect(area, Qt::IntersectClip);
        std::shared_ptr<const TrqBarcodeSymbol> symbol = EncodeBarcode(*this, BarcodeContent(Memo));
        if (!symbol->Error.empty() || area.isEmpty() || !(symbol->Width > 0 && symbol->Height > 0)) {
            crossedBox(painter, area, bars);
        } else {
            // Lay the code out unturned in a box (w x h), then turn the box into the area.
            const bool sideways = Rotation == 90 || Rotation == 270;
            const double w = sideways ? area.height() : area.width(), h = sideways ? area.width() : area.height();
            painter.translate(area.center());
            painter.rotate(-Rotation);
            painter.translate(-w / 2, -h / 2);

            QFont font;
            double textHeight = 0;
            if (!symbol->Text.isEmpty()) {
                font = QFont(AnsiToQString(Font.Name));
                // A damaged template may ask for any size.
                font.setPixelSize(static_cast<int>(std::clamp(std::round(fontPixels(*this, canvas, sy)), 1.0, 4096.0)));
                font.setBold(Font.Style & 2);
                font.setItalic(Font.Style & 1);
                textHeight = QFontMetricsF(font, painter.device()).height();
            }
            const double barsHeight = std::max(0.0, h - textHeight);
            double kx, ky;
            if (Flag(flBarcodeFit)) {
                kx = w / symbol->Width;
                ky = barsHeight / symbol->Height;
                if (symbol->Matrix) kx = ky = std::min(kx, ky);
            } else {
                kx = ModuleSize / 100.0 / MillimetresPerUnit * sx;
                ky = symbol->Matrix ? kx : barsHeight / symbol->Height;
            }
            const double codeWidth = symbol->Width * kx, codeHeight = symbol->Height * ky;
            const double x0 = (w - codeWidth) / 2, y0 = symbol->Matrix ? (barsHeight - codeHeight) / 2 : 0;
            QPainterPath path;
            path.setFillRule(Qt::WindingFill);
            for (const QRectF& r : symbol->Bars)
                path.addRect(QRectF(x0 + r.x() * kx, y0 + r.y() * ky, r.width() * kx, r.height() * ky));
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.fillPath(path, bars);
            if (textHeight > 0) {
                painter.setFont(font);
                painter.setPen(ToQColor(Font.Color));
                const QRectF box(x0, y0 + codeHeight, codeWidth, textHeight);
                painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, symbol->Text);
            }
        }
        painter.restore();
    }
    vp.DrawFrame();
}
