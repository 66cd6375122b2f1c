// Views drawn on an image: placement and scale, fills, every frame style,
// text alignment and placement, turned text, automatic width, pictures and
// lines.
#include "DrawHelpers.h"

#include "../pages/PreparedFixtures.h"
#include "report/draw/TextMeasure.h"
#include "report/draw/ViewPainter.h"

#include <gtest/gtest.h>

namespace {
constexpr QRgb Navy = 0x000080, Yellow = 0xFFFF00, Red = 0xFF0000, Blue = 0x0000FF;

int textWidth(const TrqMemoView& memo, const AnsiString& text)
{
    return TextMeasure(MemoQFont(memo.Font, 13, 0), 0, ScratchDevice())->Width(text);
}
}  // namespace

TEST(ViewDraw, SolidFrameAndFillAtScaleAndOffset)
{
    auto memo = fixtures::Memo(10, 10, 50, 30, {});
    framed(*memo);
    memo->FillColor = 0x00FFFF;  // yellow (0x00BBGGRR)
    Drawn d = drawView(*memo);
    // The frame runs on the box's edges: left and top at 10, right at 60, bottom at 40.
    for (auto [x, y] : {std::pair{10, 25}, {60, 25}, {35, 10}, {35, 40}, {60, 40}}) EXPECT_EQ(d.at(x, y), Black) << x << "," << y;
    EXPECT_EQ(d.at(35, 25), Yellow);
    EXPECT_EQ(d.at(61, 25), Grey);
    EXPECT_EQ(d.at(9, 25), Grey);

    // Twice the size, shifted by the page's offset on the canvas.
    memo->ScaleX = memo->ScaleY = 2;
    memo->OffsetX = 5;
    memo->OffsetY = 7;
    d = drawView(*memo);
    for (auto [x, y] : {std::pair{25, 50}, {125, 50}, {70, 27}, {70, 87}}) EXPECT_EQ(d.at(x, y), Black) << x << "," << y;
    EXPECT_EQ(d.at(70, 50), Yellow);
    // The view has its own geometry back afterwards.
    EXPECT_EQ(std::tuple(memo->Left, memo->Top, memo->Width, memo->Height, memo->GapX, memo->GapY),
              std::tuple(10, 10, 50, 30, 2, 1));
    EXPECT_EQ(memo->FrameWidth, 1.0f);
}

TEST(ViewDraw, NoFillIsTransparentOnPagesAndWhiteOutsideThem)
{
    auto memo = fixtures::Memo(10, 10, 50, 30, {});
    EXPECT_EQ(drawView(*memo).at(35, 25), Grey);
    EXPECT_EQ(drawView(*memo, 300, 200, false).at(35, 25), White);
    // While drawing is disabled (first pass of a two-pass build) nothing is drawn.
    memo->FillColor = 0;
    framed(*memo);
    rqDrawState().DrawingDisabled = true;
    Drawn d = drawView(*memo);
    rqDrawState().DrawingDisabled = false;
    EXPECT_EQ(d.at(10, 25), Grey);
    EXPECT_EQ(d.at(35, 25), Grey);
}

TEST(ViewDraw, DoubleAndDashedFrames)
{
    auto memo = fixtures::Memo(20, 20, 100, 50, {});
    framed(*memo, rqftLeft);
    memo->FrameStyle = psDouble;
    memo->FrameWidth = 2;
    memo->FrameColor = 0x800000;  // navy
    memo->FillColor = 0x00FFFF;
    Drawn d = drawView(*memo);
    // Frame colour two widths either side of the edge, the fill colour on it.
    EXPECT_EQ(d.at(18 - 1, 40), Navy);
    EXPECT_EQ(d.at(20, 40), Yellow);
    EXPECT_EQ(d.at(22, 40), Navy);

    // Dashes with the fill colour in their gaps, one dashed line per pixel of width.
    memo->FrameStyle = psDash;
    memo->FrameWidth = 1;
    framed(*memo, rqftTop);
    d = drawView(*memo);
    int navy = 0, yellow = 0;
    for (int x = 20; x < 120; ++x) (d.at(x, 20) == Navy ? navy : yellow) += d.at(x, 20) == Navy || d.at(x, 20) == Yellow;
    EXPECT_GT(navy, 40);
    EXPECT_GT(yellow, 10);
    // Without a fill the gaps show what was there.
    memo->FillColor = rqclNone;
    d = drawView(*memo);
    bool grey = false;
    for (int x = 20; x < 120; ++x) grey = grey || d.at(x, 20) == Grey;
    EXPECT_TRUE(grey);
}

TEST(ViewDraw, HorizontalAlignment)
{
    const int left = 10, width = 200;
    for (int alignment : {rqtaLeft, rqtaRight, rqtaCenter}) {
        auto memo = fixtures::Memo(left, 10, width, 40, {"abc"}, alignment);
        Drawn d = drawView(*memo);
        ASSERT_EQ(d.texts.size(), 1u);
        const TrqRect box = d.texts[0].box;
        EXPECT_EQ(box.Width(), textWidth(*memo, "abc"));
        // The draw rectangle runs from 10 to 211; the gaps are 2.
        if (alignment == rqtaLeft) EXPECT_EQ(box.Left, 12);
        if (alignment == rqtaRight) EXPECT_EQ(box.Right, 208);
        if (alignment == rqtaCenter) EXPECT_LE(std::abs((box.Left + box.Right) - (12 + 209)), 1);
        EXPECT_EQ(box.Top, 11);
    }
}

TEST(ViewDraw, JustifiedTextLeavesTheLastLineOfAParagraphAlone)
{
    auto memo = fixtures::Memo(10, 10, 0, 80, {"alpha beta gamma", "one two"}, rqtaJustify);
    memo->Width = textWidth(*memo, "alpha beta") + 4 + 20;
    Drawn d = drawView(*memo);
    ASSERT_EQ(d.texts.size(), 3u);
    const int inner = memo->Width + 1 - 2 * memo->GapX;
    EXPECT_EQ(d.texts[0].text, "alpha beta");
    EXPECT_EQ(d.texts[0].box.Width(), inner);  // stretched over the whole width
    EXPECT_EQ(d.texts[1].text, "gamma");
    EXPECT_EQ(d.texts[1].box.Width(), textWidth(*memo, "gamma"));
    EXPECT_EQ(d.texts[2].box.Width(), textWidth(*memo, "one two"));  // its own paragraph's last line
    // The stretched line really moved its second word to the right edge.
    int rightmost = 0;
    for (int x = 0; x < d.image.width(); ++x)
        for (int y = 11; y < 26; ++y)
            if (qGray(d.image.pixel(x, y)) < 60) rightmost = std::max(rightmost, x);
    EXPECT_GE(rightmost, 10 + 2 + inner - 3);
}

TEST(ViewDraw, VerticalPlacementMovesTheTextBlock)
{
    // One line of 15 (13 + LineSpacing 2) in a memo 45 high: middle moves it by (45 + 2 - 15) / 2 = 16,
    // bottom by 45 + 2 - 15 - 2 x GapY = 30.
    for (auto [placement, move] : {std::pair{0, 0}, {rqtaMiddle, 16}, {rqtaDown, 30}}) {
        auto memo = fixtures::Memo(10, 20, 100, 45, {"x"}, rqtaLeft | placement);
        Drawn d = drawView(*memo);
        ASSERT_EQ(d.texts.size(), 1u);
        EXPECT_EQ(d.texts[0].box.Top, 20 + 1 + move) << placement;
        EXPECT_EQ(memo->Top, 20);
        EXPECT_EQ(memo->Alignment, rqtaLeft | placement);
    }
    // A memo split between pages keeps its text at the top and stops at the last whole line.
    auto split = fixtures::Memo(10, 0, 100, 35, {"one", "two", "three"}, rqtaMiddle);
    split->ClipLines = true;
    Drawn d = drawView(*split);
    EXPECT_EQ(split->LinesDrawn, 2);
    EXPECT_EQ(d.texts.front().box.Top, 1);
}

TEST(ViewDraw, TurnedTextRunsUpwards)
{
    auto memo = fixtures::Memo(10, 10, 40, 150, {"Up"}, rqtaVertical);
    Drawn d = drawView(*memo);
    ASSERT_EQ(d.texts.size(), 1u);
    const int w = textWidth(*memo, "Up");
    // From the bottom of the draw rectangle (161) less the gap.
    EXPECT_EQ(d.texts[0].box.Bottom, 161 - 1);
    EXPECT_EQ(d.texts[0].box.Top, 160 - w);
    EXPECT_EQ(d.texts[0].box.Left, 12);
    // Ink is taller than wide: the glyphs are on their side.
    int top = 200, bottom = 0, leftmost = 300, rightmost = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 11; x < 50; ++x)
            if (qGray(d.image.pixel(x, y)) < 60) {
                top = std::min(top, y), bottom = std::max(bottom, y);
                leftmost = std::min(leftmost, x), rightmost = std::max(rightmost, x);
            }
    EXPECT_GT(bottom - top, rightmost - leftmost);
    EXPECT_GT(top, 120);

    memo->Alignment = rqtaVertical | rqtaRight;
    d = drawView(*memo);
    EXPECT_EQ(d.texts[0].box.Top, 11);  // right alignment ends the text at the top
}

TEST(ViewDraw, AutoWidthFitsTheText)
{
    auto memo = fixtures::Memo(100, 10, 300, 20, {"abc", "abcdef"});
    memo->SetFlag(flAutoWidth, true);
    drawView(*memo);
    const int expected = textWidth(*memo, "abcdef") + 1 + 2 * 2 + 1;
    EXPECT_EQ(memo->Width, expected);
    EXPECT_EQ(memo->Left, 100);
    // A right-aligned memo keeps its right edge.
    auto right = fixtures::Memo(100, 10, 300, 20, {"abcdef"}, rqtaRight);
    right->SetFlag(flAutoWidth, true);
    drawView(*right);
    EXPECT_EQ(right->Left + right->Width, 400);
    // A turned one adapts its height.
    auto turned = fixtures::Memo(100, 10, 20, 300, {"abcdef"}, rqtaVertical);
    turned->SetFlag(flAutoWidth, true);
    drawView(*turned);
    EXPECT_EQ(turned->Height, expected);
    // Outside build and preview mode the memo keeps its size.
    auto design = fixtures::Memo(100, 10, 300, 20, {"abc"});
    design->SetFlag(flAutoWidth, true);
    drawView(*design, 300, 200, false);
    EXPECT_EQ(design->Width, 300);
}

TEST(ViewDraw, UnderlinesRuleEveryTextLine)
{
    auto memo = fixtures::Memo(10, 10, 100, 45, {"a"});
    memo->SetFlag(flUnderlines, true);
    Drawn d = drawView(*memo);
    // 45 / 15 = 3 rules at Top + GapY + i x 15 + 2 + 13.
    for (int y : {26, 41, 56}) EXPECT_EQ(d.at(60, y), Black) << y;
    EXPECT_EQ(d.at(60, 33), Grey);
}

TEST(ViewDraw, PictureKeepsItsProportions)
{
    // 120 x 60 into a 100 x 100 view: the full width and half the height.
    auto picture = fixtures::Picture(10, 10, 100, 100, fixtures::TwoColourImage(120, 60));
    Drawn d = drawView(*picture);
    EXPECT_EQ(d.at(20, 20), Red);
    EXPECT_EQ(d.at(100, 20), Blue);
    EXPECT_EQ(d.at(20, 58), Red);
    EXPECT_EQ(d.at(20, 62), Grey);
    // Centred: the same band in the middle.
    picture->SetFlag(flPictCenter, true);
    d = drawView(*picture);
    EXPECT_EQ(d.at(20, 20), Grey);
    EXPECT_EQ(d.at(20, 60), Red);
    EXPECT_EQ(d.at(100, 60), Blue);
    // Not stretched: its own size at the top left, cut at the view's edge.
    picture->SetFlag(flStretched, false);
    picture->SetFlag(flPictCenter, false);
    picture->Width = 200;
    d = drawView(*picture);
    EXPECT_EQ(d.at(69, 20), Red);
    EXPECT_EQ(d.at(125, 20), Blue);
    EXPECT_EQ(d.at(135, 20), Grey);
    EXPECT_EQ(d.at(20, 75), Grey);
}

TEST(ViewDraw, LinesDrawOneEdge)
{
    auto wide = fixtures::Line(10, 20, 100, 10);
    Drawn d = drawView(*wide);
    EXPECT_EQ(d.at(60, 20), Black);
    EXPECT_EQ(d.at(60, 25), Grey);
    EXPECT_EQ(d.at(10, 25), Grey);
    EXPECT_EQ(std::tuple(wide->Height, wide->FrameTyp), std::tuple(0, uint16_t(rqftTop)));

    auto tall = fixtures::Line(10, 20, 10, 100);
    d = drawView(*tall);
    EXPECT_EQ(d.at(10, 70), Black);
    EXPECT_EQ(d.at(15, 70), Grey);
    EXPECT_EQ(d.at(40, 20), Grey);
}

TEST(ViewDraw, ClipRectangleCoversTheFrame)
{
    auto memo = fixtures::Memo(100, 50, 40, 20, {});
    struct Case {
        uint16_t sides, style;
        float width;
        TrqRect expected;
    } cases[] = {
        {0, psSolid, 1, {100, 50, 141, 71}},
        {rqftLeft | rqftTop | rqftRight | rqftBottom, psSolid, 1, {100, 50, 141, 71}},
        {rqftLeft | rqftTop | rqftRight | rqftBottom, psSolid, 3, {98, 48, 142, 72}},
        {rqftLeft | rqftTop | rqftRight | rqftBottom, psDouble, 2, {97, 47, 143, 73}},
        {rqftRight, psDouble, 2, {100, 50, 143, 71}},
    };
    for (const Case& c : cases) {
        memo->FrameTyp = c.sides;
        memo->FrameStyle = c.style;
        memo->FrameWidth = c.width;
        EXPECT_EQ(ViewClipRect(*memo, false), c.expected) << c.sides << " " << c.style << " " << c.width;
    }
    TrqRect widened = ViewClipRect(*memo, true);
    EXPECT_EQ(widened, (TrqRect{90, 40, 153, 81}));
    // A line covers its thickness only.
    auto line = fixtures::Line(10, 20, 100, 0);
    line->FrameWidth = 4;
    EXPECT_EQ(ViewClipRect(*line, false), (TrqRect{10, 18, 111, 23}));
}
