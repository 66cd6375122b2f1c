// The colour arithmetic of the skin and the working palette it derives from
// the system colours.
#include "skin/SkinPalette.h"

#include <QPalette>

#include <gtest/gtest.h>

namespace {

constexpr TColor rgb(int r, int g, int b)
{
    return r | (g << 8) | (b << 16);
}

TEST(SkinColours, LightenDarkenGray)
{
    struct Case {
        const char* why;
        TColor got, want;
    };
    const Case cases[] = {
        {"lighten moves each channel towards 255", Lighten(rgb(100, 0, 255), 50), rgb(178, 128, 255)},
        {"lighten rounds the step to the nearest", Lighten(rgb(98, 151, 168), 16), rgb(123, 168, 182)},
        {"lighten by 0 keeps the colour", Lighten(rgb(12, 34, 56), 0), rgb(12, 34, 56)},
        {"lighten is capped at 100 per cent", Lighten(rgb(12, 34, 56), 250), rgb(255, 255, 255)},
        {"darken takes two less from green", Darken(rgb(100, 100, 100), 50), rgb(50, 52, 50)},
        {"darken stops at 0", Darken(rgb(30, 10, 200), 50), rgb(0, 0, 150)},
        {"darken with a small amount can raise green, within 255", Darken(rgb(0, 254, 0), 0), rgb(0, 255, 0)},
        {"gray is the integer mean plus the amount", Gray(rgb(10, 20, 31), 10), rgb(30, 30, 30)},
        {"gray never goes above 240", Gray(rgb(250, 250, 250), 10), rgb(240, 240, 240)},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.want) << c.why;
}

QPalette systemColours()
{
    QPalette p;
    p.setColor(QPalette::Button, QColor(212, 208, 200));     // button face
    p.setColor(QPalette::Highlight, QColor(10, 36, 106));    // selection
    p.setColor(QPalette::Dark, QColor(128, 128, 128));       // button shadow
    p.setColor(QPalette::WindowText, QColor(0, 0, 0));
    return p;
}

TEST(SkinPalette, HighColourScreensGetTints)
{
    const QPalette system = systemColours();
    const TSkinPalette p = MakeSkinPalette(system, 24, clWindowText);
    const TColor face = rgb(212, 208, 200), highlight = rgb(10, 36, 106), shadow = rgb(128, 128, 128);
    EXPECT_TRUE(p.HighColor());
    EXPECT_EQ(p.MenuBackground, Lighten(face, 86));
    EXPECT_EQ(p.IconBackground, Lighten(face, 16));
    EXPECT_EQ(p.SelectionFill, Lighten(highlight, 68));
    EXPECT_EQ(p.SelectionBorder, highlight);
    EXPECT_EQ(p.SelectionText, rgb(0, 0, 0));
    EXPECT_EQ(p.DownFill, Lighten(highlight, 80));
    EXPECT_EQ(p.DownHotFill, Lighten(highlight, 50));
    EXPECT_EQ(p.Checked, highlight);
    EXPECT_EQ(p.MenuBar, face);
    EXPECT_EQ(p.DisabledText, Lighten(shadow, 10));
    EXPECT_EQ(p.Separator, Lighten(shadow, 25));
    // One tint in numbers: red 212 + (43 * 16 + 50) / 100 = 219.
    EXPECT_EQ(p.IconBackground, rgb(219, 216, 209));
}

TEST(SkinPalette, SixteenBitScreensCountAsHighColourFifteenDoNot)
{
    const QPalette system = systemColours();
    EXPECT_EQ(MakeSkinPalette(system, 16, clWindowText).IconBackground, Lighten(rgb(212, 208, 200), 16));

    const TSkinPalette p = MakeSkinPalette(system, 15, clWindowText);
    const TColor face = rgb(212, 208, 200), highlight = rgb(10, 36, 106), shadow = rgb(128, 128, 128);
    EXPECT_FALSE(p.HighColor());
    EXPECT_EQ(p.MenuBackground, clWhite);
    EXPECT_EQ(p.IconBackground, face);
    EXPECT_EQ(p.SelectionFill, clWhite);
    EXPECT_EQ(p.SelectionBorder, highlight);
    EXPECT_EQ(p.DownFill, clWhite);
    EXPECT_EQ(p.DownHotFill, clWhite);
    EXPECT_EQ(p.DisabledText, shadow);
    EXPECT_EQ(p.Separator, shadow);
}

}  // namespace
