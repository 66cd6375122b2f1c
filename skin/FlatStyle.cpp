#include "FlatStyle.h"

#include "skin/FlatSkin.h"
#include "skin/SkinPainters.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

QColor q(TColor rgb)
{
    return ToQColor(rgb & 0x00FFFFFF);
}

TColor sys(TColor colour, const QStyleOption* option)
{
    return ColorToRGB(colour, &option->palette);
}

bool has(const QStyleOption* option, QStyle::StateFlag flag)
{
    return option->state & flag;
}

void outline(QPainter* painter, const QRect& r, const QColor& colour)
{
    painter->save();
    painter->setPen(colour);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(r.adjusted(0, 0, -1, -1));
    painter->restore();
}

}  // namespace

TFlatStyle::TFlatStyle(const TFlatSkin& skin, const QString& baseStyle)
    : QProxyStyle(QStyleFactory::create(baseStyle)), skin_(skin)
{
}

void TFlatStyle::drawFrame(const QStyleOption* option, QPainter* painter) const
{
    TColor colour = sys(clBtnShadow, option);
    if (has(option, State_Enabled) && (has(option, State_MouseOver) || has(option, State_HasFocus)))
        colour = skin_.Palette().SelectionBorder;
    outline(painter, option->rect, q(colour));
}

void TFlatStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const
{
    const TSkinPalette& p = skin_.Palette();
    const bool enabled = has(option, State_Enabled), hot = enabled && has(option, State_MouseOver);
    const bool sunken = has(option, State_Sunken), on = has(option, State_On);
    const TColor face = sys(clBtnFace, option);
    switch (element) {
    case PE_PanelButtonCommand:
    case PE_PanelButtonBevel: {
        TColor fill = sunken ? p.DownHotFill
                      : on   ? p.DownFill
                      : hot  ? Lighten(face, TSkinPalette::HotLevel)
                             : Lighten(face, TSkinPalette::PlainLevel);
        if (!enabled) fill = face;
        painter->fillRect(option->rect, q(fill));
        drawFrame(option, painter);
        return;
    }
    case PE_PanelButtonTool:
        // Toolbar buttons are flat: a face only under the mouse, pressed or checked.
        if (!enabled || !(hot || sunken || on)) return;
        painter->fillRect(option->rect, q(sunken ? p.DownHotFill : on ? p.DownFill : p.SelectionFill));
        outline(painter, option->rect, q(p.SelectionBorder));
        return;
    case PE_FrameLineEdit:
    case PE_Frame:
    case PE_FrameButtonBevel: drawFrame(option, painter); return;
    case PE_PanelLineEdit:
        painter->fillRect(option->rect, option->palette.brush(QPalette::Base));
        if (auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option); frame && frame->lineWidth > 0)
            drawFrame(option, painter);
        return;
    case PE_IndicatorCheckBox:
    case PE_IndicatorRadioButton: {
        const bool radio = element == PE_IndicatorRadioButton;
        QRect box = option->rect.adjusted(0, 0, -1, -1);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, radio);
        painter->setPen(q(hot || has(option, State_HasFocus) ? p.SelectionBorder : sys(clBtnShadow, option)));
        painter->setBrush(q(!enabled ? face : (hot || sunken) ? p.SelectionFill : sys(clWindow, option)));
        if (radio) painter->drawEllipse(box);
        else painter->drawRect(box);
        painter->setPen(Qt::NoPen);
        painter->setBrush(q(enabled ? p.Checked : p.DisabledText));
        QRect mark = box.adjusted(3, 3, -2, -2);
        if (radio && on) {
            painter->drawEllipse(mark);
        } else if (!radio && on) {
            painter->setPen(QPen(q(enabled ? p.Checked : p.DisabledText), 2));
            const QPointF tick[] = {QPointF(mark.left(), mark.center().y()),
                                    QPointF(mark.center().x() - 1, mark.bottom() - 1),
                                    QPointF(mark.right(), mark.top())};
            painter->drawPolyline(tick, 3);
        } else if (!radio && has(option, State_NoChange)) {
            painter->drawRect(mark);
        }
        painter->restore();
        return;
    }
    case PE_FrameGroupBox: outline(painter, option->rect, q(p.Separator)); return;
    case PE_PanelMenu: painter->fillRect(option->rect, q(p.MenuBackground)); return;
    case PE_FrameMenu: outline(painter, option->rect, q(sys(clBtnShadow, option))); return;
    case PE_PanelMenuBar: painter->fillRect(option->rect, q(p.MenuBar)); return;
    default: break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

bool TFlatStyle::drawMenuItem(const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (!item) return false;
    if (auto* menu = qobject_cast<const QMenu*>(widget)) {
        QAction* action = menu->actionAt(item->rect.center());
        if (action && action->property("Tag").toInt() == SkinTagExclude) return false;
    }
    const TSkinPalette& p = skin_.Palette();
    const bool enabled = has(option, State_Enabled);
    const bool selected = enabled && has(option, State_Selected) && skin_.DrawSelect();
    const int iconWidth = skin_.IconWidth();
    const QRect r = item->rect;
    const QRect column = visualRect(item->direction, r, QRect(r.left(), r.top(), iconWidth, r.height()));

    painter->save();
    painter->fillRect(r, q(p.MenuBackground));
    painter->fillRect(column, q(p.IconBackground));
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        QRect line = visualRect(item->direction, r,
                                QRect(r.left() + iconWidth + 8, r.center().y(), r.width() - iconWidth - 8, 1));
        painter->fillRect(line, q(p.Separator));
        painter->restore();
        return true;
    }
    if (selected) {
        TColor fill = skin_.UseSystemColors() ? p.SelectionFill : sys(skin_.SelectColor(), option);
        painter->fillRect(r, q(fill));
        outline(painter, r, q(p.SelectionBorder));
    }
    const bool checked = item->checkType != QStyleOptionMenuItem::NotCheckable && item->checked;
    if (checked) {
        QRect box = column.adjusted(2, 2, -2, -2);
        painter->fillRect(box, q(p.DownFill));
        outline(painter, box, q(p.Checked));
    }
    if (!item->icon.isNull()) {
        int size = proxy()->pixelMetric(PM_SmallIconSize, option, widget);
        QPixmap pixmap = item->icon.pixmap(QSize(size, size), enabled ? QIcon::Normal : QIcon::Disabled);
        QSize s = pixmap.deviceIndependentSize().toSize();
        QRect place(QPoint(0, r.top() + (r.height() - s.height()) / 2), s);
        // A narrow icon is centred in its column; a wide one starts 2 pixels in.
        place.moveLeft(s.width() < iconWidth ? r.left() + (iconWidth - s.width()) / 2 : r.left() + 2);
        painter->drawPixmap(visualRect(item->direction, r, place), pixmap);
    } else if (checked) {
        QStyleOptionMenuItem mark = *item;
        mark.rect = column.adjusted(4, 4, -4, -4);
        proxy()->drawPrimitive(item->checkType == QStyleOptionMenuItem::Exclusive ? PE_IndicatorRadioButton
                                                                                 : PE_IndicatorMenuCheckMark,
                               &mark, painter, widget);
    }

    TColor text = !enabled   ? p.DisabledText
                  : selected ? (skin_.UseSystemColors() ? p.SelectionText : sys(skin_.SelectFontColor(), option))
                             : sys(clMenuText, option);
    painter->setPen(q(text));
    QFont font = skin_.Font().ToQFont();
    painter->setFont(font);
    QString label = item->text, shortcut;
    if (int tab = label.indexOf(QLatin1Char('\t')); tab >= 0) {
        shortcut = label.mid(tab + 1);
        label.truncate(tab);
    }
    QRect textRect = visualRect(item->direction, r, r.adjusted(iconWidth + 8, 0, -16, 0));
    int flags = Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine;
    painter->drawText(textRect, flags | Qt::AlignLeft, label);
    if (!shortcut.isEmpty()) painter->drawText(textRect, flags | Qt::AlignRight, shortcut);
    if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
        QStyleOption arrow = *option;
        arrow.rect = visualRect(item->direction, r, QRect(r.right() - 12, r.top(), 10, r.height()));
        proxy()->drawPrimitive(item->direction == Qt::RightToLeft ? PE_IndicatorArrowLeft : PE_IndicatorArrowRight,
                               &arrow, painter, widget);
    }
    painter->restore();
    return true;
}

void TFlatStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const
{
    const TSkinPalette& p = skin_.Palette();
    switch (element) {
    case CE_MenuItem:
        if (drawMenuItem(option, painter, widget)) return;
        break;
    case CE_MenuBarEmptyArea: painter->fillRect(option->rect, q(p.MenuBar)); return;
    case CE_MenuBarItem:
        if (auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            const bool enabled = has(option, State_Enabled);
            const bool selected = enabled && (has(option, State_Selected) || has(option, State_Sunken));
            painter->fillRect(item->rect, q(p.MenuBar));
            if (selected) {
                painter->fillRect(item->rect, q(p.SelectionFill));
                outline(painter, item->rect, q(p.SelectionBorder));
            }
            painter->save();
            painter->setPen(q(!enabled ? p.DisabledText : selected ? p.SelectionText : sys(clMenuText, option)));
            painter->drawText(item->rect, Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextSingleLine, item->text);
            painter->restore();
            return;
        }
        break;
    default: break;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void TFlatStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                    const QWidget* widget) const
{
    auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
    if (control != CC_ComboBox || !combo) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const TSkinPalette& p = skin_.Palette();
    const bool enabled = has(option, State_Enabled), hot = enabled && has(option, State_MouseOver);
    painter->fillRect(option->rect, combo->editable || enabled ? option->palette.brush(QPalette::Base)
                                                               : option->palette.brush(QPalette::Button));
    drawFrame(option, painter);
    QRect arrow = proxy()->subControlRect(CC_ComboBox, combo, SC_ComboBoxArrow, widget);
    arrow = arrow.intersected(option->rect.adjusted(1, 1, -1, -1));
    const bool open = has(option, State_On);
    painter->fillRect(arrow, q(open ? p.DownHotFill : hot ? p.SelectionFill : p.IconBackground));
    if (hot || open) outline(painter, arrow.adjusted(-1, -1, 1, 1), q(p.SelectionBorder));
    QStyleOption indicator = *option;
    indicator.rect = arrow.adjusted(3, 3, -3, -3);
    proxy()->drawPrimitive(PE_IndicatorArrowDown, &indicator, painter, widget);
}

QSize TFlatStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                   const QWidget* widget) const
{
    QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type == CT_MenuItem) {
        if (auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            // Room for the icon column, the gap after it and a submenu arrow.
            s.setWidth(s.width() - item->maxIconWidth + skin_.IconWidth() + 8 + 16);
            if (item->menuItemType == QStyleOptionMenuItem::Separator) s.setHeight(5);
        }
    }
    return s;
}

int TFlatStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    if (metric == PM_MenuPanelWidth) return 1;
    return QProxyStyle::pixelMetric(metric, option, widget);
}
