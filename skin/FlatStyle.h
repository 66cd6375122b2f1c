#pragma once
// The flat look of the standard kinds the skin takes over (buttons, check
// boxes, radio buttons, edits, memos, list boxes, combo boxes, group boxes,
// toolbars, menus and menu bars): a proxy over the style the control had,
// drawing frames, faces and menu items from the skin's working palette and
// the control's state (hot, focused, pressed, checked, enabled). Everything
// else — text, arrows, scroll bars — stays the base style's.
//
// Menu items get an icon column IconWidth wide in the icon background; an
// icon narrower than the column is centred in it, a wider one sits 2 pixels
// from the edge. An item whose action has Tag 999 keeps the base look.
//
// One style per control, owned by the skin's hold on that control; it reads
// the skin's properties as it paints, so it must not outlive the skin.

#include <QProxyStyle>

class TFlatSkin;

class TFlatStyle : public QProxyStyle {
public:
    TFlatStyle(const TFlatSkin& skin, const QString& baseStyle);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

private:
    bool drawMenuItem(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    void drawFrame(const QStyleOption* option, QPainter* painter) const;

    const TFlatSkin& skin_;
};
