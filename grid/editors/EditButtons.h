#pragma once
// The buttons an editor shows beside its text (the button kind's Buttons
// collection, the MRU kind's ellipsis, the spin kind's arrows): where they
// go inside the editor, how they look and which one a point hits. The grid
// paints a cell's buttons with the same PaintEditButtons.
//
// Buttons are laid out from the right edge inwards in collection order,
// except those with LeftAlignment, which go from the left edge. A button
// with Width 0 is DefaultEditButtonWidth wide; invisible buttons take no room.

#include "grid/editors/EditStyle.h"

#include <QPixmap>
#include <QRect>

#include <vector>

class QPainter;

enum TqvEditButtonStyle : uint8_t { ebsEllipsis, ebsGlyph, ebsSimple };

struct TqvEditButton {
    TqvEditButtonStyle Kind = ebsEllipsis;
    QPixmap Glyph;
    bool Default = false;
    bool Visible = true;
    int Width = 0;
    bool LeftAlignment = false;
};

inline constexpr int DefaultEditButtonWidth = 16;

inline TqvEditButton MakeEditButton(TqvEditButtonStyle kind, QPixmap glyph = {})
{
    TqvEditButton button;
    button.Kind = kind;
    button.Glyph = std::move(glyph);
    return button;
}

// The rectangles of the buttons (an empty one for an invisible button), in
// collection order; `text` becomes what is left for the text.
std::vector<QRect> LayoutEditButtons(const std::vector<TqvEditButton>& buttons, const QRect& inside, QRect& text);
// The button a point hits, -1 when none.
int EditButtonAt(const std::vector<QRect>& rects, const QPoint& at);
// Draws the buttons; `pressed` is the index held down (-1 none).
void PaintEditButtons(QPainter& canvas, const std::vector<TqvEditButton>& buttons, const std::vector<QRect>& rects,
                      TqvEditButtonViewStyle style, int pressed);
