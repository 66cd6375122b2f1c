#include "report/preview/SpeedButton.h"

#include <algorithm>

#include <QEnterEvent>
#include <QIcon>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace {
// The glyph in shades of grey, for a flat button the mouse is not over.
QPixmap greyed(const QPixmap& glyph)
{
    QImage image = glyph.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = 64 + qGray(line[x]) * 3 / 4;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
        }
    }
    return QPixmap::fromImage(image);
}
}  // namespace

TrqSpeedButton::TrqSpeedButton(QWidget* parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    // A grouped button goes down when clicked, and up again only with AllowAllUp.
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (groupIndex_ != 0) SetDown(!(down_ && allowAllUp_));
    });
}

void TrqSpeedButton::SetDown(bool v)
{
    if (groupIndex_ == 0) v = false;  // only grouped buttons stay down
    if (v == down_) return;
    if (!v && !allowAllUp_) {
        // The pressed button of a group comes up only when another goes down.
        bool other = false;
        if (parentWidget())
            for (auto* b : parentWidget()->findChildren<TrqSpeedButton*>(Qt::FindDirectChildrenOnly))
                if (b != this && b->groupIndex_ == groupIndex_ && b->down_) other = true;
        if (!other) return;
    }
    down_ = v;
    if (down_ && parentWidget())
        for (auto* b : parentWidget()->findChildren<TrqSpeedButton*>(Qt::FindDirectChildrenOnly))
            if (b != this && b->groupIndex_ == groupIndex_ && b->down_) {
                b->down_ = false;
                b->update();
            }
    update();
}

void TrqSpeedButton::SetFlat(bool v)
{
    flat_ = v;
    update();
}

void TrqSpeedButton::SetGlyph(const QPixmap& glyph)
{
    glyph_ = glyph;
    update();
}

void TrqSpeedButton::SetLayout(TrqButtonLayout v)
{
    layout_ = v;
    update();
}

void TrqSpeedButton::SetMargin(int v)
{
    margin_ = v;
    update();
}

void TrqSpeedButton::SetNumGlyphs(int v)
{
    numGlyphs_ = std::clamp(v, 1, 4);
    update();
}

void TrqSpeedButton::SetSpacing(int v)
{
    spacing_ = v;
    update();
}

void TrqSpeedButton::SetGrayedInactive(bool v)
{
    grayedInactive_ = v;
    update();
}

QSize TrqSpeedButton::sizeHint() const { return {24, 24}; }


void TrqSpeedButton::enterEvent(QEnterEvent* event)
{
    QAbstractButton::enterEvent(event);
    mouseIn_ = true;
    update();
    if (OnMouseEnter) OnMouseEnter();
}

void TrqSpeedButton::leaveEvent(QEvent* event)
{
    QAbstractButton::leaveEvent(event);
    mouseIn_ = false;
    update();
    if (OnMouseLeave) OnMouseLeave();
}

void TrqSpeedButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = rect();
    const QPalette& pal = palette();
    p.fillRect(r, pal.color(QPalette::Button));
    const bool sunk = (isDown() && mouseIn_) || down_;
    const bool raised = !sunk && (!flat_ || (mouseIn_ && isEnabled()));
    if (sunk || raised) {
        const QColor light = pal.color(QPalette::Light), dark = pal.color(QPalette::Dark);
        p.setPen(sunk ? dark : light);
        p.drawLine(r.left(), r.bottom(), r.left(), r.top());
        p.drawLine(r.left(), r.top(), r.right(), r.top());
        p.setPen(sunk ? light : dark);
        p.drawLine(r.right(), r.top(), r.right(), r.bottom());
        p.drawLine(r.right(), r.bottom(), r.left(), r.bottom());
    }

    // Glyph and caption, placed by Layout, Margin and Spacing.
    QPixmap glyph = glyph_;
    if (!glyph.isNull() && numGlyphs_ > 1) glyph = glyph.copy(0, 0, glyph.width() / numGlyphs_, glyph.height());
    const QString caption = text();
    const QSize textSize = caption.isEmpty() ? QSize() : fontMetrics().size(Qt::TextSingleLine, caption);
    const QSize glyphSize = glyph.isNull() ? QSize() : glyph.deviceIndependentSize().toSize();
    const bool horizontal = layout_ == blGlyphLeft || layout_ == blGlyphRight;
    const int gap = (glyph.isNull() || caption.isEmpty()) ? 0 : std::max(spacing_, 0);
    const int total = horizontal ? glyphSize.width() + gap + textSize.width() : glyphSize.height() + gap + textSize.height();
    const int extent = horizontal ? r.width() : r.height();
    int start = margin_ < 0 ? (extent - total) / 2 : margin_;
    const int shift = sunk ? 1 : 0;
    QRect glyphRect, textRect;
    if (horizontal) {
        const bool glyphFirst = layout_ == blGlyphLeft;
        int gx = glyphFirst ? start : start + textSize.width() + gap;
        int tx = glyphFirst ? start + glyphSize.width() + gap : start;
        glyphRect = QRect(QPoint(gx, (r.height() - glyphSize.height()) / 2), glyphSize);
        textRect = QRect(QPoint(tx, (r.height() - textSize.height()) / 2), textSize);
    } else {
        const bool glyphFirst = layout_ == blGlyphTop;
        int gy = glyphFirst ? start : start + textSize.height() + gap;
        int ty = glyphFirst ? start + glyphSize.height() + gap : start;
        glyphRect = QRect(QPoint((r.width() - glyphSize.width()) / 2, gy), glyphSize);
        textRect = QRect(QPoint((r.width() - textSize.width()) / 2, ty), textSize);
    }
    if (!glyph.isNull()) {
        QPixmap shown = glyph;
        if (!isEnabled()) {
            QStyleOption option;
            option.initFrom(this);
            shown = style()->generatedIconPixmap(QIcon::Disabled, glyph, &option);
        } else if (flat_ && grayedInactive_ && !mouseIn_) {
            shown = greyed(glyph);
        }
        p.drawPixmap(glyphRect.translated(shift, shift), shown);
    }
    if (!caption.isEmpty()) {
        p.setPen(pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        p.drawText(textRect.translated(shift, shift), Qt::AlignCenter | Qt::TextSingleLine, caption);
    }
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
