#include "grid/editors/HintWindow.h"

#include "runtime/Application.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

TqvContainerHintWindow::TqvContainerHintWindow(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

QRect TqvContainerHintWindow::CalcHintRect(int maxWidth) const
{
    QFontMetrics metrics(font());
    QRect r = metrics.boundingRect(QRect(0, 0, maxWidth, 100000), Qt::TextWordWrap | Qt::AlignLeft,
                                   AnsiToQString(text_));
    return QRect(0, 0, r.width() + 6, r.height() + 6);
}

void TqvContainerHintWindow::ActivateHint(const QPoint& at, const AnsiString& text, const TFont& font,
                                          bool useFontSize, int maxWidth)
{
    text_ = text;
    QFont f = QToolTip::font();
    if (f.pointSize() <= 0 && f.pixelSize() <= 0) f.setPointSize(8);
    QFont given = font.ToQFont();
    f.setFamily(given.family());
    if (useFontSize) {
        if (given.pixelSize() > 0)
            f.setPixelSize(given.pixelSize());
        else
            f.setPointSizeF(given.pointSizeF());
    }
    setFont(f);
    QScreen* screen = QGuiApplication::screenAt(at);
    if (!screen) screen = QGuiApplication::primaryScreen();
    QRect area = screen ? screen->geometry() : QRect(0, 0, 1280, 1024);
    QRect r = CalcHintRect(maxWidth > 0 ? maxWidth : area.width()).translated(at);
    if (r.right() > area.right()) r.moveRight(area.right());
    if (r.bottom() > area.bottom()) r.moveBottom(area.bottom());
    if (r.left() < area.left()) r.moveLeft(area.left());
    if (r.top() < area.top()) r.moveTop(area.top());
    setGeometry(r);
    show();
    update();
}

void TqvContainerHintWindow::paintEvent(QPaintEvent*)
{
    Guard([&] {
        QPainter p(this);
        QRect r = rect();
        p.fillRect(r, ToQColor(clInfoBk));
        p.setPen(ToQColor(clBtnHighlight));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(ToQColor(clBtnShadow));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        p.setPen(ToQColor(clInfoText));
        p.drawText(r.adjusted(3, 3, -3, -3), Qt::TextWordWrap | Qt::AlignLeft, AnsiToQString(text_));
    });
}
