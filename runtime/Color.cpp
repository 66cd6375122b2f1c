#include "Color.h"

#include <QApplication>
#include <QColor>
#include <QGuiApplication>
#include <QPalette>

namespace {

QColor systemColor(int index, const QPalette& p)
{
    switch (index) {
    case COLOR_SCROLLBAR: return p.color(QPalette::Button);
    case COLOR_BACKGROUND: return p.color(QPalette::Window);
    case COLOR_ACTIVECAPTION:
    case COLOR_GRADIENTACTIVECAPTION:
    case COLOR_HIGHLIGHT:
    case COLOR_MENUHILIGHT: return p.color(QPalette::Active, QPalette::Highlight);
    case COLOR_INACTIVECAPTION:
    case COLOR_GRADIENTINACTIVECAPTION: return p.color(QPalette::Inactive, QPalette::Highlight);
    case COLOR_MENU:
    case COLOR_MENUBAR:
    case COLOR_BTNFACE:
    case COLOR_ACTIVEBORDER:
    case COLOR_INACTIVEBORDER: return p.color(QPalette::Button);
    case COLOR_WINDOW: return p.color(QPalette::Base);
    case COLOR_WINDOWFRAME:
    case COLOR_3DDKSHADOW: return p.color(QPalette::Shadow);
    case COLOR_MENUTEXT:
    case COLOR_WINDOWTEXT: return p.color(QPalette::WindowText);
    case COLOR_CAPTIONTEXT:
    case COLOR_HIGHLIGHTTEXT:
    case COLOR_INACTIVECAPTIONTEXT: return p.color(QPalette::HighlightedText);
    case COLOR_APPWORKSPACE: return p.color(QPalette::Dark);
    case COLOR_BTNSHADOW: return p.color(QPalette::Dark);
    case COLOR_GRAYTEXT: return p.color(QPalette::Disabled, QPalette::Text);
    case COLOR_BTNTEXT: return p.color(QPalette::ButtonText);
    case COLOR_BTNHIGHLIGHT: return p.color(QPalette::Light);
    case COLOR_3DLIGHT: return p.color(QPalette::Midlight);
    case COLOR_INFOTEXT: return p.color(QPalette::ToolTipText);
    case COLOR_INFOBK: return p.color(QPalette::ToolTipBase);
    case COLOR_HOTLIGHT: return p.color(QPalette::Link);
    default: return QColor(Qt::black);
    }
}

QPalette currentPalette(const QPalette* palette)
{
    if (palette) return *palette;
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) return QApplication::palette();
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return QGuiApplication::palette();
    return QPalette();
}

}  // namespace

int32_t ColorToRGB(TColor color, const QPalette* palette)
{
    if (IsSystemColor(color)) {
        QColor c = systemColor(color & 0xFF, currentPalette(palette));
        return c.red() | (c.green() << 8) | (c.blue() << 16);
    }
    return color & 0x00FFFFFF;
}

QColor ToQColor(TColor color, const QPalette* palette)
{
    if (color == clNone) return QColor(Qt::transparent);
    int32_t rgb = ColorToRGB(color, palette);
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

TColor FromQColor(const QColor& color)
{
    if (color.alpha() == 0) return clNone;
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}
