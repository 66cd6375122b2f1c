#pragma once
// A prepared page that shows every way a view draws: memos in every horizontal
// and vertical alignment, turned text, every frame style, fills, underlines,
// Chinese text, a picture kept in proportion and lines.

#include "PreparedFixtures.h"

#include <vector>

namespace fixtures {
inline int AddShowcasePage(TrqReport& report)
{
    std::vector<std::unique_ptr<TrqView>> views;
    auto add = [&](std::unique_ptr<TrqView> view) -> TrqView& {
        views.push_back(std::move(view));
        return *views.back();
    };
    const char* names[] = {"Left", "Right", "Centre", "Justified"};
    for (int a = 0; a < 4; ++a) {
        auto& m = static_cast<TrqMemoView&>(add(Memo(30 + a * 180, 30, 170, 70,
                                                     {AnsiString(names[a]) + " text that wraps inside its memo box",
                                                      "second paragraph"},
                                                     a)));
        m.FrameTyp = rqftLeft | rqftTop | rqftRight | rqftBottom;
    }
    const uint16_t styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot, psDouble};
    const char* styleNames[] = {"Solid", "Dash", "Dot", "DashDot", "DashDotDot", "Double"};
    for (int s = 0; s < 6; ++s) {
        auto& m = static_cast<TrqMemoView&>(add(Memo(30 + s * 118, 120, 108, 50, {styleNames[s]}, rqtaCenter | rqtaMiddle)));
        m.FrameTyp = rqftLeft | rqftTop | rqftRight | rqftBottom;
        m.FrameStyle = styles[s];
        m.FrameWidth = s == 5 ? 2.0f : 1.0f;
        m.FrameColor = 0x800000;  // navy
        m.FillColor = s % 2 ? 0xE0FFFF : 0xFFFFFF;
    }
    // Turned text, in each horizontal alignment (which runs along the memo's height).
    for (int a = 0; a < 4; ++a) {
        auto& m = static_cast<TrqMemoView&>(add(Memo(30 + a * 50, 200, 40, 200, {names[a]}, rqtaVertical | a)));
        m.FrameTyp = rqftLeft | rqftTop | rqftRight | rqftBottom;
    }
    const int placements[] = {rqtaLeft, rqtaMiddle, rqtaDown};
    const char* placementNames[] = {"Top", "Middle", "Bottom"};
    for (int p = 0; p < 3; ++p) {
        auto& m = static_cast<TrqMemoView&>(add(Memo(240 + p * 100, 200, 90, 90, {placementNames[p]},
                                                     rqtaCenter | placements[p])));
        m.FrameTyp = rqftLeft | rqftTop | rqftRight | rqftBottom;
        m.FillColor = 0xF0F0F0;
    }
    auto& chinese = static_cast<TrqMemoView&>(
        add(Memo(240, 300, 290, 60, {Ansi(u8"商品名称：中华香烟"), Ansi(u8"数量 50 条 金额 ￥1,234.50")})));
    chinese.Font.Name = Ansi(u8"宋体");
    chinese.Font.Size = 12;
    chinese.Font.Charset = GB2312_CHARSET;
    chinese.FrameTyp = rqftBottom;
    auto& underlined = static_cast<TrqMemoView&>(
        add(Memo(240, 370, 290, 60, {"Underlined lines", "ruled under every text line"})));
    underlined.SetFlag(flUnderlines, true);
    underlined.FrameColor = 0x008000;
    auto& bold = static_cast<TrqMemoView&>(add(Memo(550, 200, 180, 40, {"Bold italic red"})));
    bold.Font.Style = rqfsBold | rqfsItalic;
    bold.Font.Color = 0x0000FF;
    bold.Font.Size = 14;
    auto& picture = static_cast<TrqPictureView&>(add(Picture(550, 250, 100, 100, TwoColourImage(120, 60))));
    picture.SetFlag(flPictCenter, true);
    picture.FrameTyp = rqftLeft | rqftTop | rqftRight | rqftBottom;
    picture.FrameStyle = psDot;
    add(Line(30, 440, 700, 10));
    add(Line(750, 30, 10, 410));

    std::vector<TrqView*> raw;
    for (auto& v : views) raw.push_back(v.get());
    return AddPage(report, raw);
}
}  // namespace fixtures
