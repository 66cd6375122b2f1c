#include "SpeedButton.h"

#include "runtime/Application.h"
#include "runtime/controls/Bevel.h"

#include <QApplication>
#include <QEnterEvent>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

TSpeedButton::TSpeedButton(TComponent* owner, QWidget* parent) : TControl(owner, parent)
{
    setFocusPolicy(Qt::NoFocus);
    SetParentColor(true);
    resize(23, 22);
}

void TSpeedButton::SetGlyph(const QImage& glyph)
{
    glyph_ = glyph;
    update();
}

void TSpeedButton::SetNumGlyphs(int count)
{
    count = std::clamp(count, 1, 4);
    if (count == numGlyphs_) return;
    numGlyphs_ = count;
    update();
}

void TSpeedButton::SetFlat(bool on)
{
    if (on == flat_) return;
    flat_ = on;
    update();
}

void TSpeedButton::SetDown(bool on)
{
    if (on == down_) return;
    down_ = on;
    update();
}

void TSpeedButton::SetTransparent(bool on)
{
    if (on == transparent_) return;
    transparent_ = on;
    update();
}

void TSpeedButton::SetLayout(TButtonLayout layout)
{
    if (layout == layout_) return;
    layout_ = layout;
    update();
}

void TSpeedButton::SetSpacing(int spacing)
{
    if (spacing == spacing_) return;
    spacing_ = spacing;
    update();
}

int TSpeedButton::GlyphCount() const
{
    if (glyph_.isNull()) return 0;
    return std::min(numGlyphs_, glyph_.width());
}

QImage TSpeedButton::GlyphImage(int index) const
{
    int count = GlyphCount();
    if (index < 0 || index >= count) return {};
    int width = glyph_.width() / count;
    QImage image = glyph_.copy(index * width, 0, width, glyph_.height()).convertToFormat(QImage::Format_ARGB32);
    if (!glyph_.hasAlphaChannel()) {
        // Without an alpha channel the bottom-left pixel names the see-through colour.
        QRgb clear = image.pixel(0, image.height() - 1);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if (line[x] == clear) line[x] = 0;
        }
    }
    return image;
}

int TSpeedButton::GlyphIndexFor(bool pressed) const
{
    int count = GlyphCount();
    if (!isEnabled() && count >= 2) return 1;
    if (pressed && count >= 3) return 2;
    if (down_ && count >= 4) return 3;
    return 0;
}

TSpeedButton::Arrangement TSpeedButton::Arrange(const QRect& client) const
{
    QSize glyphSize;
    if (int count = GlyphCount()) glyphSize = QSize(glyph_.width() / count, glyph_.height());
    else glyphSize = QSize(0, 0);
    QString text = AnsiToQString(Caption());
    QFontMetrics metrics(font());
    QSize textSize = text.isEmpty() ? QSize(0, 0) : QSize(metrics.horizontalAdvance(text), metrics.height());
    int spacing = text.isEmpty() || glyphSize.isEmpty() ? 0 : spacing_;

    TButtonLayout layout = layout_;
    if (layoutDirection() == Qt::RightToLeft) {
        if (layout == blGlyphLeft) layout = blGlyphRight;
        else if (layout == blGlyphRight) layout = blGlyphLeft;
    }
    Arrangement a;
    if (layout == blGlyphLeft || layout == blGlyphRight) {
        int total = glyphSize.width() + spacing + textSize.width();
        int left = client.left() + (client.width() - total + 1) / 2;
        int glyphTop = client.top() + (client.height() - glyphSize.height() + 1) / 2;
        int textTop = client.top() + (client.height() - textSize.height() + 1) / 2;
        if (layout == blGlyphLeft) {
            a.glyph = QRect(QPoint(left, glyphTop), glyphSize);
            a.caption = QRect(QPoint(left + glyphSize.width() + spacing, textTop), textSize);
        } else {
            a.caption = QRect(QPoint(left, textTop), textSize);
            a.glyph = QRect(QPoint(left + textSize.width() + spacing, glyphTop), glyphSize);
        }
    } else {
        int total = glyphSize.height() + spacing + textSize.height();
        int top = client.top() + (client.height() - total + 1) / 2;
        int glyphLeft = client.left() + (client.width() - glyphSize.width() + 1) / 2;
        int textLeft = client.left() + (client.width() - textSize.width() + 1) / 2;
        if (layout == blGlyphTop) {
            a.glyph = QRect(QPoint(glyphLeft, top), glyphSize);
            a.caption = QRect(QPoint(textLeft, top + glyphSize.height() + spacing), textSize);
        } else {
            a.caption = QRect(QPoint(textLeft, top), textSize);
            a.glyph = QRect(QPoint(glyphLeft, top + textSize.height() + spacing), glyphSize);
        }
    }
    return a;
}

void TSpeedButton::Paint(QPainter& canvas)
{
    const QColor face = ToColor(Color());
    const QColor btnFace = ToColor(clBtnFace), light = ToColor(clBtnHighlight), shadow = ToColor(clBtnShadow),
                 darkShadow = ToColor(cl3DDkShadow);
    const bool sunken = pressed_ || down_;
    QRect r = rect();
    if (!flat_) {
        // A raised button face, pushed in while pressed or down.
        if (sunken) {
            Frame3D(canvas, r, darkShadow, light, 1);
            Frame3D(canvas, r, shadow, btnFace, 1);
        } else {
            Frame3D(canvas, r, light, darkShadow, 1);
            Frame3D(canvas, r, btnFace, shadow, 1);
        }
        canvas.fillRect(r, btnFace);
    } else {
        if (!transparent_) canvas.fillRect(r, face);
        if (sunken) Frame3D(canvas, r, shadow, light, 1);
        else if (mouseInside_ && isEnabled()) Frame3D(canvas, r, light, shadow, 1);
    }

    Arrangement a = Arrange(rect());
    const QPoint offset = sunken ? QPoint(1, 1) : QPoint(0, 0);
    const int index = GlyphIndexFor(pressed_);
    QImage image = GlyphImage(index);
    if (!image.isNull()) {
        QPixmap pixmap = QPixmap::fromImage(image);
        if (!isEnabled() && index == 0) {
            QStyleOption option;
            option.initFrom(this);
            pixmap = style()->generatedIconPixmap(QIcon::Disabled, pixmap, &option);
        }
        canvas.drawPixmap(a.glyph.topLeft() + offset, pixmap);
    }
    if (!Caption().empty()) {
        QString text = AnsiToQString(Caption());
        QRect textRect = a.caption.translated(offset);
        if (isEnabled()) {
            canvas.setPen(ToColor(Font().Color()));
        } else {
            // Disabled text is etched: a light copy below and right of a grey one.
            canvas.setPen(light);
            canvas.drawText(textRect.translated(1, 1), Qt::AlignCenter | Qt::TextSingleLine, text);
            canvas.setPen(shadow);
        }
        canvas.drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, text);
    }
}

void TSpeedButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled()) return;
    tracking_ = true;
    pressed_ = true;
    update();
}

void TSpeedButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!tracking_) return;
    bool inside = rect().contains(event->position().toPoint());
    if (inside != pressed_) {
        pressed_ = inside;
        update();
    }
}

void TSpeedButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !tracking_) return;
    tracking_ = false;
    bool click = pressed_ && rect().contains(event->position().toPoint());
    pressed_ = false;
    update();
    if (click) Guard([this] { Click(); });
}

void TSpeedButton::enterEvent(QEnterEvent* event)
{
    TControl::enterEvent(event);
    mouseInside_ = true;
    if (flat_) update();
}

void TSpeedButton::leaveEvent(QEvent* event)
{
    TControl::leaveEvent(event);
    mouseInside_ = false;
    if (flat_) update();
}

void TSpeedButton::changeEvent(QEvent* event)
{
    TControl::changeEvent(event);
    // A button disabled while held down lets go without a click.
    if (event->type() == QEvent::EnabledChange && !isEnabled()) tracking_ = pressed_ = false;
}
