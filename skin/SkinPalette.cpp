#include "SkinPalette.h"

#include <QPalette>

#include <algorithm>

namespace {
int red(TColor c) { return c & 0xFF; }
int green(TColor c) { return (c >> 8) & 0xFF; }
int blue(TColor c) { return (c >> 16) & 0xFF; }
TColor rgb(int r, int g, int b)
{
    return std::clamp(r, 0, 255) | (std::clamp(g, 0, 255) << 8) | (std::clamp(b, 0, 255) << 16);
}
}  // namespace

TColor Lighten(TColor color, int percent)
{
    percent = std::clamp(percent, 0, 100);
    auto up = [percent](int c) { return c + ((255 - c) * percent + 50) / 100; };
    return rgb(up(red(color)), up(green(color)), up(blue(color)));
}

TColor Darken(TColor color, int amount)
{
    return rgb(red(color) - amount, green(color) - (amount - 2), blue(color) - amount);
}

TColor Gray(TColor color, int amount)
{
    int level = std::clamp((red(color) + green(color) + blue(color)) / 3 + amount, 0, 240);
    return rgb(level, level, level);
}

TSkinPalette MakeSkinPalette(const QPalette& system, int depth, TColor fontColor)
{
    auto sys = [&](TColor c) { return static_cast<TColor>(ColorToRGB(c, &system)); };
    const TColor face = sys(clBtnFace), highlight = sys(clHighlight), shadow = sys(clBtnShadow);
    TSkinPalette p;
    p.Depth = depth;
    p.SelectionBorder = highlight;
    p.Checked = highlight;
    p.MenuBar = face;
    p.SelectionText = sys(fontColor);
    if (p.HighColor()) {
        p.MenuBackground = Lighten(face, 86);
        p.IconBackground = Lighten(face, 16);
        p.SelectionFill = Lighten(highlight, 68);
        p.DownFill = Lighten(highlight, 80);
        p.DownHotFill = Lighten(highlight, 50);
        p.DisabledText = Lighten(shadow, 10);
        p.Separator = Lighten(shadow, 25);
    } else {
        p.MenuBackground = clWhite;
        p.IconBackground = face;
        p.SelectionFill = clWhite;
        p.DownFill = clWhite;
        p.DownHotFill = clWhite;
        p.DisabledText = shadow;
        p.Separator = shadow;
    }
    return p;
}
