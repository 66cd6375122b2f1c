#include "Panel.h"

#include <QPainter>

#include <algorithm>

TPanel::TPanel(TComponent* owner, QWidget* parent) : TControl(owner, parent)
{
    // The face is painted whole, bevels included.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(185, 41);
}

void TPanel::SetBevelOuter(TBevelCut cut)
{
    if (cut == bevelOuter_) return;
    bevelOuter_ = cut;
    update();
}

void TPanel::SetBevelInner(TBevelCut cut)
{
    if (cut == bevelInner_) return;
    bevelInner_ = cut;
    update();
}

void TPanel::SetBevelWidth(int width)
{
    width = std::max(1, width);
    if (width == bevelWidth_) return;
    bevelWidth_ = width;
    update();
}

void TPanel::SetBorderWidth(int width)
{
    width = std::max(0, width);
    if (width == borderWidth_) return;
    borderWidth_ = width;
    update();
}

QRect TPanel::InnerBevelRect() const
{
    int inset = borderWidth_ + (bevelOuter_ != bvNone ? bevelWidth_ : 0);
    return rect().adjusted(inset, inset, -inset, -inset);
}

void TPanel::Paint(QPainter& canvas)
{
    const QColor face = ToColor(Color());
    const QColor light = ToColor(clBtnHighlight), dark = ToColor(clBtnShadow);
    auto bevel = [&](QRect& r, TBevelCut cut) {
        if (cut == bvNone) return;
        if (cut == bvRaised) Frame3D(canvas, r, light, dark, bevelWidth_);
        else if (cut == bvLowered) Frame3D(canvas, r, dark, light, bevelWidth_);
        else Frame3D(canvas, r, face, face, bevelWidth_);
    };
    QRect r = rect();
    bevel(r, bevelOuter_);
    Frame3D(canvas, r, face, face, borderWidth_);
    bevel(r, bevelInner_);
    canvas.fillRect(r, face);
    if (!Caption().empty()) {
        canvas.setPen(ToColor(Font().Color()));
        canvas.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, AnsiToQString(Caption()));
    }
}
