#include "report/windows/SpeedButton.h"

#include <QEvent>
#include <QPainter>

namespace {
// The glyph in shades of grey, for a flat button the mouse is not over.
QImage greyed(const QImage& glyph)
{
    QImage image = glyph.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = 64 + qGray(line[x]) * 3 / 4;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
        }
    }
    return image;
}
}  // namespace

TrqSpeedButton::TrqSpeedButton(QWidget* parent) : TSpeedButton(nullptr, parent) {}

void TrqSpeedButton::SetGrayedInactive(bool v)
{
    if (v == grayedInactive_) return;
    grayedInactive_ = v;
    showGlyph();
}

void TrqSpeedButton::SetPicture(const QImage& glyph)
{
    picture_ = glyph;
    showGlyph();
}

void TrqSpeedButton::showGlyph()
{
    const bool grey = Flat() && grayedInactive_ && isEnabled() && !mouseIn_ && !picture_.isNull();
    SetGlyph(grey ? greyed(picture_) : picture_);
}

void TrqSpeedButton::Click()
{
    if (groupIndex_ != 0 && parentWidget()) {
        const bool down = !(Down() && allowAllUp_);
        if (down)
            for (auto* b : parentWidget()->findChildren<TrqSpeedButton*>(Qt::FindDirectChildrenOnly))
                if (b != this && b->groupIndex_ == groupIndex_) b->SetDown(false);
        SetDown(down);
    }
    TSpeedButton::Click();
}

void TrqSpeedButton::enterEvent(QEnterEvent* event)
{
    TSpeedButton::enterEvent(event);
    mouseIn_ = true;
    showGlyph();
    if (OnMouseEnter) OnMouseEnter();
}

void TrqSpeedButton::leaveEvent(QEvent* event)
{
    TSpeedButton::leaveEvent(event);
    mouseIn_ = false;
    showGlyph();
    if (OnMouseLeave) OnMouseLeave();
}

void TrqSpeedButton::changeEvent(QEvent* event)
{
    TSpeedButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) showGlyph();
}

TrqTBButton::TrqTBButton(QWidget* parent) : TrqSpeedButton(parent)
{
    SetFlat(true);
    setFixedSize(24, 24);
}

TrqTBSeparator::TrqTBSeparator(QWidget* parent) : QWidget(parent) { setFixedWidth(8); }

void TrqTBSeparator::SetDrawBevel(bool v)
{
    drawBevel_ = v;
    update();
}

void TrqTBSeparator::paintEvent(QPaintEvent*)
{
    if (!drawBevel_) return;
    QPainter p(this);
    const int x = width() / 2 - 1;
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(x, 2, x, height() - 3);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(x + 1, 2, x + 1, height() - 3);
}
