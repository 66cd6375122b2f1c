#pragma once
// The colours the skin paints with. They are worked out once, when a skin is
// created, from the system colours and the depth of the screen; colour
// properties set on the skin later do not change them.
//
// Colours here are plain RGB values (0x00BBGGRR): system colours are resolved
// before they go in, so Lighten, Darken and Gray never see a system colour
// index. A screen is high-colour above 15 bits per pixel; below that the
// lightened tints would band, so plain colours stand in for them.

#include "runtime/Color.h"

class QPalette;

// Each of red, green and blue moved towards 255 by `percent` per cent (at
// most 100), the step rounded to the nearest integer.
TColor Lighten(TColor rgb, int percent);
// `amount` taken from red and blue and `amount` - 2 from green, each kept
// within 0..255.
TColor Darken(TColor rgb, int amount);
// The grey whose level is the mean of red, green and blue plus `amount`, at
// most 240.
TColor Gray(TColor rgb, int amount);

struct TSkinPalette {
    TColor MenuBackground = clWhite;
    TColor IconBackground = 0;
    TColor SelectionFill = clWhite;
    TColor SelectionBorder = 0;
    TColor SelectionText = 0;
    TColor DownFill = clWhite;
    TColor DownHotFill = clWhite;
    TColor Checked = 0;
    TColor MenuBar = 0;
    TColor DisabledText = 0;
    TColor Separator = 0;
    int Depth = 32;  // bits per pixel of the screen

    bool HighColor() const { return Depth > 15; }
    // How much plain surfaces and surfaces under the mouse are lightened.
    static constexpr int PlainLevel = 16;
    static constexpr int HotLevel = 40;
};

// The working palette from the system colours `system`, a screen of `depth`
// bits per pixel, and the colour of the skin's font (a system colour is
// resolved through `system`).
TSkinPalette MakeSkinPalette(const QPalette& system, int depth, TColor fontColor);
