#pragma once
// Colours as the system stores them: 0x00BBGGRR for a fixed colour,
// 0x80000000 + index for a system colour (resolved through the palette),
// clNone (0x1FFFFFFF) for no colour and clDefault (0x20000000) for the
// control's default.

#include <cstdint>

class QColor;
class QPalette;

using TColor = int32_t;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;
inline constexpr TColor clSystemColor = static_cast<TColor>(0x80000000u);

inline constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                        clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                        clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                        clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF,
                        clMoneyGreen = 0xC0DCC0, clSkyBlue = 0xF0CAA6, clCream = 0xF0FBFF,
                        clMedGray = 0xA4A0A0;

// System colour indexes.
enum SystemColorIndex {
    COLOR_SCROLLBAR = 0,
    COLOR_BACKGROUND = 1,
    COLOR_ACTIVECAPTION = 2,
    COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9,
    COLOR_ACTIVEBORDER = 10,
    COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
    COLOR_HOTLIGHT = 26,
    COLOR_GRADIENTACTIVECAPTION = 27,
    COLOR_GRADIENTINACTIVECAPTION = 28,
    COLOR_MENUHILIGHT = 29,
    COLOR_MENUBAR = 30,
};

inline constexpr TColor SystemColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<unsigned>(index)); }

inline constexpr TColor clScrollBar = SystemColor(COLOR_SCROLLBAR), clBackground = SystemColor(COLOR_BACKGROUND),
                        clActiveCaption = SystemColor(COLOR_ACTIVECAPTION),
                        clInactiveCaption = SystemColor(COLOR_INACTIVECAPTION), clMenu = SystemColor(COLOR_MENU),
                        clWindow = SystemColor(COLOR_WINDOW), clWindowFrame = SystemColor(COLOR_WINDOWFRAME),
                        clMenuText = SystemColor(COLOR_MENUTEXT), clWindowText = SystemColor(COLOR_WINDOWTEXT),
                        clCaptionText = SystemColor(COLOR_CAPTIONTEXT),
                        clActiveBorder = SystemColor(COLOR_ACTIVEBORDER),
                        clInactiveBorder = SystemColor(COLOR_INACTIVEBORDER),
                        clAppWorkSpace = SystemColor(COLOR_APPWORKSPACE), clHighlight = SystemColor(COLOR_HIGHLIGHT),
                        clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT), clBtnFace = SystemColor(COLOR_BTNFACE),
                        clBtnShadow = SystemColor(COLOR_BTNSHADOW), clGrayText = SystemColor(COLOR_GRAYTEXT),
                        clBtnText = SystemColor(COLOR_BTNTEXT),
                        clInactiveCaptionText = SystemColor(COLOR_INACTIVECAPTIONTEXT),
                        clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT), cl3DDkShadow = SystemColor(COLOR_3DDKSHADOW),
                        cl3DLight = SystemColor(COLOR_3DLIGHT), clInfoText = SystemColor(COLOR_INFOTEXT),
                        clInfoBk = SystemColor(COLOR_INFOBK), clHotLight = SystemColor(COLOR_HOTLIGHT),
                        clMenuHighlight = SystemColor(COLOR_MENUHILIGHT), clMenuBar = SystemColor(COLOR_MENUBAR);

inline constexpr bool IsSystemColor(TColor c) { return (static_cast<uint32_t>(c) & 0xFF000000u) == 0x80000000u; }

// The RGB value (0x00BBGGRR) of a colour, system colours through the palette
// (the application's when none is given).
int32_t ColorToRGB(TColor color, const QPalette* palette = nullptr);
// A QColor; clNone gives a transparent colour.
QColor ToQColor(TColor color, const QPalette* palette = nullptr);
TColor FromQColor(const QColor& color);
