// What the skin paints, read back from the controls' pictures.
#include "SkinTestSupport.h"
#include "ToolbarWindow.h"

#include "skin/SkinPainters.h"

#include <QCursor>
#include <QPainter>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr TColor kToolbarColour = 11048802;  // red 98, green 151, blue 168

// A glyph strip of solid squares, one colour per image.
QImage squares(std::initializer_list<QColor> colours)
{
    QImage strip(16 * static_cast<int>(colours.size()), 16, QImage::Format_ARGB32);
    int x = 0;
    for (const QColor& c : colours) {
        QPainter(&strip).fillRect(x, 0, 16, 16, c);
        x += 16;
    }
    return strip;
}

constexpr TColor kRed = 0x0000C8, kBlue = 0xC80000;  // (200, 0, 0) and (0, 0, 200)

// One speed button without a caption on a panel in the toolbar's colour, its
// glyph centred: the glyph's place is (12, 6) to (27, 21).
struct ButtonOnPanel {
    ButtonOnPanel()
    {
        form = std::make_unique<QWidget>();
        form->resize(200, 60);
        panel = new TPanel(nullptr, form.get());
        panel->SetBounds(0, 0, 200, 40);
        panel->SetColor(kToolbarColour);
        panel->SetBevelOuter(bvNone);
        button = new TSpeedButton(nullptr, panel);
        button->SetBounds(10, 2, 40, 28);
        button->SetGlyph(squares({QColor(200, 0, 0), QColor(0, 0, 200)}));
        button->SetNumGlyphs(2);
        skin = std::make_unique<TFlatSkin>(nullptr, form.get());
        skin->SetActive(true);
        form->show();
    }
    ~ButtonOnPanel() { skin.reset(); }
    TColor glyphPixel(int x, int y) const { return pixelAt(shot(button), 12 + x, 6 + y); }

    std::unique_ptr<QWidget> form;
    TPanel* panel;
    TSpeedButton* button;
    std::unique_ptr<TFlatSkin> skin;
};

TEST(SkinPaint, PanelBevelsAreDrawnAgainInTheirOwnColour)
{
    struct Case {
        const char* why;
        TBevelCut outer, inner;
        int bevelWidth, borderWidth;
        QPoint light, dark;  // a pixel of the light and of the dark edge
    };
    // Panels of 100 x 40.
    const Case cases[] = {
        {"raised outer bevel: light top, dark bottom", bvRaised, bvNone, 1, 0, {50, 0}, {50, 39}},
        {"raised outer bevel: light left, dark right", bvRaised, bvNone, 1, 0, {0, 20}, {99, 20}},
        {"lowered outer bevel: dark top, light bottom", bvLowered, bvNone, 1, 0, {50, 39}, {50, 0}},
        {"a wide bevel: its second ring too", bvRaised, bvNone, 2, 0, {50, 1}, {50, 38}},
        {"lowered inner bevel inside the border", bvRaised, bvLowered, 1, 2, {50, 36}, {50, 3}},
    };
    for (const Case& c : cases) {
        QWidget form;
        auto* panel = new TPanel(nullptr, &form);
        panel->SetBounds(0, 0, 100, 40);
        panel->SetColor(kToolbarColour);
        panel->SetBevelOuter(c.outer);
        panel->SetBevelInner(c.inner);
        panel->SetBevelWidth(c.bevelWidth);
        panel->SetBorderWidth(c.borderWidth);
        // Its own look first: the system's highlight and shadow.
        QImage plain = panel->grab().toImage();
        EXPECT_EQ(pixelAt(plain, c.light.x(), c.light.y()), resolved(panel, clBtnHighlight)) << c.why;
        EXPECT_EQ(pixelAt(plain, c.dark.x(), c.dark.y()), resolved(panel, clBtnShadow)) << c.why;

        TFlatSkin skin(nullptr, &form);
        skin.SetActive(true);
        QImage skinned = panel->grab().toImage();
        EXPECT_EQ(pixelAt(skinned, c.light.x(), c.light.y()), Lighten(kToolbarColour, 60)) << c.why;
        EXPECT_EQ(pixelAt(skinned, c.dark.x(), c.dark.y()), Darken(kToolbarColour, 60)) << c.why;
        EXPECT_EQ(pixelAt(skinned, 50, 20), kToolbarColour) << c.why << ": the face is the panel's own";
    }
}

TEST(SkinPaint, AHotButtonIsTintedOverThePanelAndColdAgainWhenTheMouseLeaves)
{
    TToolbarWindow w(true);
    w.show();
    TSpeedButton* b = w.sb_edit;
    const QImage cold = shot(b);
    // Cold and transparent: the panel shows through around the glyph.
    EXPECT_EQ(pixelAt(cold, 3, 14), kToolbarColour);

    hover(b);
    const QImage hot = shot(b);
    EXPECT_NE(hot, cold);
    // The tint is ANDed with what is beneath.
    const TColor tint = Lighten(Lighten(resolved(b, clBtnFace), TSkinPalette::HotLevel), 5);
    EXPECT_EQ(pixelAt(hot, 3, 14), kToolbarColour & tint);

    leave(b);
    EXPECT_EQ(shot(b), cold);
}

TEST(SkinPaint, GlyphEffectsFollowTheButtonsState)
{
    ButtonOnPanel f;
    const TSkinPalette& p = f.skin->Palette();
    ASSERT_TRUE(p.HighColor());
    // Cold: each pixel lightened by the dim level.
    EXPECT_EQ(f.glyphPixel(8, 8), Lighten(kRed, f.skin->DimLevel()));

    // Hot: the glyph lifted one pixel up and left, its shadow one down and right.
    hover(f.button);
    EXPECT_EQ(f.glyphPixel(-1, -1), kRed);
    EXPECT_EQ(f.glyphPixel(15, 15), Darken(p.SelectionFill, 50));

    // Pressed: in its place, undimmed.
    press(f.button);
    EXPECT_EQ(f.glyphPixel(0, 0), kRed);
    EXPECT_EQ(f.glyphPixel(8, 8), kRed);
    release(f.button);
    leave(f.button);

    // Disabled: the second image, grey and lightened.
    f.button->SetEnabled(false);
    EXPECT_EQ(f.glyphPixel(8, 8), Lighten(Gray(kBlue, f.skin->GrayLevel()), 40));
    // With one image only, the first one greyed.
    f.button->SetNumGlyphs(1);
    f.button->SetGlyph(squares({QColor(200, 0, 0)}));
    EXPECT_EQ(f.glyphPixel(8, 8), Lighten(Gray(kRed, f.skin->GrayLevel()), 40));
}

TEST(SkinPaint, ADisabledButtonHasAGreyCaptionAndNeverBecomesHot)
{
    TToolbarWindow w(true);
    w.show();
    TSpeedButton* b = w.sb_save;  // disabled at start
    QFont crisp = b->font();
    crisp.setStyleStrategy(QFont::NoAntialias);
    b->setFont(crisp);
    const QImage disabled = shot(b);
    const TColor grey = w.FlatSkin1->Palette().DisabledText;
    int greyPixels = 0, whitePixels = 0;
    for (int y = 0; y < disabled.height(); ++y)
        for (int x = 0; x < disabled.width(); ++x) {
            greyPixels += pixelAt(disabled, x, y) == grey;
            whitePixels += pixelAt(disabled, x, y) == clWhite;
        }
    EXPECT_GT(greyPixels, 20) << "the caption in the disabled text colour";
    EXPECT_EQ(whitePixels, 0) << "not in its own white";

    hover(b);
    EXPECT_EQ(shot(b), disabled);
    leave(b);

    // A hot button that is disabled loses its hot look, and has none when
    // enabled again until the mouse comes back.
    TSpeedButton* edit = w.sb_edit;
    const QImage cold = shot(edit);
    hover(edit);
    edit->SetEnabled(false);
    EXPECT_EQ(pixelAt(shot(edit), 3, 14), kToolbarColour) << "no tint";
    edit->SetEnabled(true);
    EXPECT_EQ(shot(edit), cold);
    // Nor does one disabled while held down keep the pressed look: the
    // release never reaches a disabled control.
    press(edit);
    edit->SetEnabled(false);
    edit->SetEnabled(true);
    EXPECT_EQ(shot(edit), cold);
}

TEST(SkinPaint, Tag1000TakesTheButtonsOwnColour)
{
    struct Case {
        const char* why;
        int tag;
        bool hot;
        TColor (*expected)(TColor face, TColor brush, const TSkinPalette& p);
    };
    const Case cases[] = {
        {"cold: the icon background", 0, false, [](TColor, TColor, const TSkinPalette& p) { return p.IconBackground; }},
        {"hot: the button face lightened", 0, true,
         [](TColor face, TColor, const TSkinPalette&) { return Lighten(face, TSkinPalette::HotLevel); }},
        {"tag 1000, cold: its colour lightened a little", 1000, false,
         [](TColor, TColor brush, const TSkinPalette&) { return Lighten(brush, TSkinPalette::PlainLevel); }},
        {"tag 1000, hot: its colour lightened more", 1000, true,
         [](TColor, TColor brush, const TSkinPalette&) { return Lighten(brush, TSkinPalette::HotLevel); }},
    };
    for (const Case& c : cases) {
        ButtonOnPanel f;
        f.button->SetTransparent(false);  // filled, so the fill shows as it is
        f.button->SetTag(c.tag);
        if (c.hot) hover(f.button);
        const TColor want = c.expected(resolved(f.button, clBtnFace), kToolbarColour, f.skin->Palette());
        EXPECT_EQ(pixelAt(shot(f.button), 4, 4), want) << c.why;
    }
}

TEST(SkinPaint, PressingShowsThePressedEdgeAndADoubleClickCountsAsAPress)
{
    ButtonOnPanel f;
    const TColor shadow = resolved(f.button, clBtnShadow);
    auto leftEdge = [&] { return pixelAt(shot(f.button), 0, 14); };
    auto rightEdge = [&] { return pixelAt(shot(f.button), 39, 14); };
    // At rest: the frame all round, a darker line right and bottom.
    EXPECT_EQ(leftEdge(), Lighten(shadow, 30));
    EXPECT_EQ(rightEdge(), Darken(shadow, 50));
    press(f.button);
    EXPECT_EQ(leftEdge(), Darken(shadow, 50));
    EXPECT_EQ(rightEdge(), Lighten(shadow, 30));
    release(f.button);
    EXPECT_EQ(leftEdge(), Lighten(shadow, 30));
    doubleClick(f.button);
    EXPECT_EQ(leftEdge(), Darken(shadow, 50));
    release(f.button);
    // Down keeps the pressed look, in the selection border's darker shade.
    f.button->SetDown(true);
    EXPECT_EQ(leftEdge(), Darken(f.skin->Palette().SelectionBorder, 50));
}

TEST(SkinPaint, AFlatButtonIsHotOnlyWithTheCursorOverIt)
{
    ButtonOnPanel f;
    f.button->SetFlat(true);
    const QImage cold = shot(f.button);
    QCursor::setPos(f.form->mapToGlobal(QPoint(190, 55)));
    hover(f.button);
    EXPECT_EQ(shot(f.button), cold) << "the mouse-over state alone is not enough";
    QCursor::setPos(f.button->mapToGlobal(QPoint(20, 14)));
    if (!f.button->rect().contains(f.button->mapFromGlobal(QCursor::pos())))
        GTEST_SKIP() << "this platform cannot place the cursor";
    hover(f.button);
    EXPECT_EQ(pixelAt(shot(f.button), 0, 14), f.skin->Palette().SelectionBorder) << "the selection border";
}

TEST(SkinPaint, SwitchingActiveOffGivesThePlainLookAndOnAgainTheSkin)
{
    TToolbarWindow w(false);
    w.show();
    const QImage plain = shot(w.Panel2);
    w.FlatSkin1->SetActive(true);
    const QImage skinned = shot(w.Panel2);
    EXPECT_NE(skinned, plain);
    w.FlatSkin1->SetActive(false);
    EXPECT_EQ(shot(w.Panel2), plain);
    hover(w.sb_edit);  // no longer heard by the skin
    EXPECT_EQ(shot(w.Panel2), plain);
    leave(w.sb_edit);
    w.FlatSkin1->SetActive(true);
    EXPECT_EQ(shot(w.Panel2), skinned);
}

TEST(SkinPaint, ScreensOfSixteenBitsTintWithThePlainBackground)
{
    ButtonOnPanel f;
    TSkinPalette sixteen = f.skin->Palette();
    sixteen.Depth = 16;
    QImage canvas(f.button->size(), QImage::Format_RGB32);
    canvas.fill(ToQColor(kToolbarColour));
    QPainter painter(&canvas);
    TSkinControlState hot;
    hot.Hot = true;
    PaintSkinSpeedButton(painter, *f.button, hot, sixteen, {});
    painter.end();
    const TColor background = Lighten(resolved(f.button, clBtnFace), TSkinPalette::HotLevel);
    EXPECT_EQ(pixelAt(canvas, 4, 4), kToolbarColour & background);
}

}  // namespace
