// The toolbar's speed buttons: groups that act as radio buttons, and the grey
// glyph of an inactive flat button.
#include "report/windows/SpeedButton.h"

#include <QApplication>
#include <QEnterEvent>

#include <gtest/gtest.h>

TEST(TrqSpeedButton, ButtonsOfAGroupGoDownOneAtATime)
{
    QWidget bar;
    TrqSpeedButton a(&bar), b(&bar), other(&bar);
    a.SetGroupIndex(1);
    b.SetGroupIndex(1);
    other.SetGroupIndex(2);
    other.Click();
    a.Click();
    EXPECT_TRUE(a.Down());
    b.Click();
    EXPECT_TRUE(b.Down());
    EXPECT_FALSE(a.Down());
    EXPECT_TRUE(other.Down()) << "another group is left alone";
    b.Click();
    EXPECT_TRUE(b.Down()) << "without AllowAllUp the down button stays down";
    b.SetAllowAllUp(true);
    b.Click();
    EXPECT_FALSE(b.Down());
    TrqSpeedButton plain(&bar);
    plain.Click();
    EXPECT_FALSE(plain.Down()) << "ungrouped buttons never stay down";
}

TEST(TrqSpeedButton, AnInactiveFlatButtonShowsItsGlyphGrey)
{
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    TrqTBButton button;
    button.SetPicture(red);
    const auto isRed = [&] { return button.Glyph().pixel(8, 8) == qRgb(255, 0, 0); };
    EXPECT_FALSE(isRed());
    int entered = 0;
    button.OnMouseEnter = [&] { ++entered; };
    QEnterEvent enter(QPointF(8, 8), QPointF(8, 8), QPointF(8, 8));
    QApplication::sendEvent(&button, &enter);
    EXPECT_TRUE(isRed());
    EXPECT_EQ(entered, 1);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    EXPECT_FALSE(isRed());
    button.SetGrayedInactive(false);
    EXPECT_TRUE(isRed());
}
