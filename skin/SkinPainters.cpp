#include "SkinPainters.h"

#include "runtime/controls/Panel.h"
#include "runtime/controls/SpeedButton.h"

#include <QCursor>
#include <QPainter>

namespace {

QColor q(TColor rgb)
{
    return ToQColor(rgb & 0x00FFFFFF);
}

// Every pixel of the image through `f`, its alpha kept.
template <class F>
QImage mapPixels(const QImage& image, F f)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            QRgb p = line[x];
            if (qAlpha(p) == 0) continue;
            TColor c = f(static_cast<TColor>(qRed(p) | (qGreen(p) << 8) | (qBlue(p) << 16)));
            line[x] = qRgba(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF, qAlpha(p));
        }
    }
    return out;
}

void outline(QPainter& canvas, const QRect& r, const QColor& colour)
{
    canvas.setPen(colour);
    canvas.setBrush(Qt::NoBrush);
    canvas.drawRect(r.adjusted(0, 0, -1, -1));
}

}  // namespace

void PaintSkinSpeedButton(QPainter& canvas, const TSpeedButton& button, const TSkinControlState& state,
                          const TSkinPalette& palette, const TSkinButtonLook& look)
{
    const QPalette& system = button.palette();
    auto sys = [&](TColor c) { return static_cast<TColor>(ColorToRGB(c, &system)); };
    const TColor btnFace = sys(clBtnFace), btnShadow = sys(clBtnShadow), brush = sys(button.Color());
    const bool enabled = button.isEnabled(), flat = button.Flat(), down = button.Down();
    const bool ownColour = button.Tag() == SkinTagOwnColour;
    bool hot = state.Hot && enabled;
    // A flat button is hot only while the cursor is really over it.
    if (hot && flat) hot = button.rect().contains(button.mapFromGlobal(QCursor::pos()));
    const bool pressed = state.Pressed || state.SpaceDown;

    TColor background;
    if (hot) background = flat ? palette.SelectionFill : Lighten(ownColour ? brush : btnFace, TSkinPalette::HotLevel);
    else if (flat) background = brush;
    else background = ownColour ? Lighten(brush, TSkinPalette::PlainLevel) : palette.IconBackground;
    if (down) background = hot ? palette.DownHotFill : palette.DownFill;

    TColor frame = hot ? Lighten(palette.SelectionBorder, 60) : btnShadow;
    if (down) frame = palette.SelectionBorder;
    if (!enabled) frame = btnShadow;

    const QRect r = button.rect();
    if (button.Transparent()) {
        if (down || hot) {
            TColor tint = palette.Depth <= 16 ? background
                          : flat            ? Lighten(palette.SelectionFill, 20)
                                            : Lighten(background, 5);
            canvas.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
            canvas.fillRect(r, q(tint));
            canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
    } else {
        canvas.fillRect(r, q(background));
    }

    if (!flat || hot || down) outline(canvas, r, q(Lighten(frame, 30)));
    else if (!button.Transparent()) outline(canvas, r, q(background));
    const QColor edge = q(Darken(frame, 50));
    auto pressedEdge = [&] {
        canvas.fillRect(QRect(r.left(), r.top(), 1, r.height()), edge);
        canvas.fillRect(QRect(r.left(), r.top(), r.width(), 1), edge);
    };
    if (enabled) {
        if (flat) {
            if (pressed || down) {
                outline(canvas, r, q(frame));
                pressedEdge();
            } else if (hot) {
                outline(canvas, r, q(palette.SelectionBorder));
            }
        } else if (pressed || down) {
            pressedEdge();
        } else {
            canvas.fillRect(QRect(r.right(), r.top(), 1, r.height()), edge);
            canvas.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), edge);
        }
    }

    const TSpeedButton::Arrangement place = button.Arrange(r);
    QImage glyph = button.GlyphImage(button.GlyphIndexFor(pressed));
    if (!glyph.isNull()) {
        QPoint at = place.glyph.topLeft();
        if (!enabled) {
            glyph = mapPixels(glyph, [&](TColor c) { return Lighten(Gray(c, look.GrayLevel), 40); });
        } else if (!pressed && !down) {
            if (hot) {
                // Lifted: the glyph one pixel up and left, its shadow below and right.
                QImage shadow = glyph.convertToFormat(QImage::Format_ARGB32);
                QPainter shade(&shadow);
                shade.setCompositionMode(QPainter::CompositionMode_SourceIn);
                shade.fillRect(shadow.rect(), q(Darken(palette.SelectionFill, 50)));
                shade.end();
                canvas.drawImage(at + QPoint(1, 1), shadow);
                at -= QPoint(1, 1);
            } else if (palette.HighColor()) {
                glyph = mapPixels(glyph, [&](TColor c) { return Lighten(c, look.DimLevel); });
            }
        }
        canvas.drawImage(at, glyph);
    }

    if (!button.Caption().empty()) {
        canvas.setFont(button.font());
        canvas.setPen(q(enabled ? sys(button.Font().Color()) : palette.DisabledText));
        canvas.drawText(place.caption, Qt::AlignCenter | Qt::TextSingleLine, AnsiToQString(button.Caption()));
    }
}

void PaintSkinPanelBevels(QPainter& canvas, const TPanel& panel)
{
    const QPalette& system = panel.palette();
    const TColor colour = ColorToRGB(panel.Color(), &system);
    const QColor dark = q(Darken(colour, 60)), light = q(Lighten(colour, 60));
    auto bevel = [&](QRect r, TBevelCut cut) {
        if (cut == bvLowered) Frame3D(canvas, r, dark, light, panel.BevelWidth());
        else if (cut == bvRaised) Frame3D(canvas, r, light, dark, panel.BevelWidth());
    };
    bevel(panel.rect(), panel.BevelOuter());
    bevel(panel.InnerBevelRect(), panel.BevelInner());
}
