#pragma once
// How the skin paints the controls whose painting it takes over by hand: the
// speed button (its whole face, in place of the button's own) and the panel
// (its bevels again, over the panel's own painting).
//
// A speed button's face follows its state: hot (mouse over and enabled; a
// flat button must still have the cursor over it), pressed (left button or
// space key held), Down, enabled, Flat, Transparent, and Tag 1000, which takes
// the colours from the button's own colour instead of the button face. A
// transparent button is tinted, never filled: its tint is combined with what
// is beneath by bitwise AND, so it must be painted over its parent's face.

#include "skin/SkinPalette.h"

class QPainter;
class TPanel;
class TSpeedButton;

struct TSkinControlState {
    bool Hot = false;        // the mouse is over the control
    bool Focused = false;
    bool Pressed = false;    // the left button went down on it and is held
    bool SpaceDown = false;  // the space key is held (the pressed look too)
};

struct TSkinButtonLook {
    int DimLevel = 30;   // per cent a cold glyph is lightened
    int GrayLevel = 10;  // added to a disabled glyph's grey
};

void PaintSkinSpeedButton(QPainter& canvas, const TSpeedButton& button, const TSkinControlState& state,
                          const TSkinPalette& palette, const TSkinButtonLook& look);
void PaintSkinPanelBevels(QPainter& canvas, const TPanel& panel);

// Tag values that change how the skin treats a control.
inline constexpr int SkinTagExclude = 999;      // never taken over (nor its children)
inline constexpr int SkinTagOwnColour = 1000;   // a speed button coloured from its own colour
