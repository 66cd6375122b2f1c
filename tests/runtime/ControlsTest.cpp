// The runtime's window controls: alignment in the parent, components that are
// widgets, the speed button's click, the status bar's panels.
#include "runtime/controls/Panel.h"
#include "runtime/controls/SpeedButton.h"
#include "runtime/controls/StatusBar.h"

#include <QApplication>
#include <QLayout>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Lays the parent out now (a hidden parent hears of its resizes only when shown).
void relayout(QWidget& parent)
{
    parent.layout()->invalidate();
    parent.layout()->activate();
}

void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons held)
{
    QMouseEvent event(type, at, w->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

TEST(Controls, AlignedControlsShareTheirParentInOrder)
{
    QWidget form;
    form.resize(400, 300);
    auto make = [&](TAlign align, int w, int h) {
        auto* panel = new TPanel(nullptr, &form);
        panel->SetBounds(0, 0, w, h);
        panel->SetAlign(align);
        return panel;
    };
    // Created in an order unlike the placing order: the kinds decide.
    TPanel* client = make(alClient, 10, 10);
    TPanel* status = make(alBottom, 10, 19);
    TPanel* toolbar = make(alTop, 10, 29);
    TPanel* left = make(alLeft, 50, 10);
    TPanel* secondTop = make(alTop, 10, 100);
    auto* loose = new TPanel(nullptr, &form);
    loose->SetBounds(7, 8, 9, 10);
    relayout(form);
    EXPECT_EQ(toolbar->geometry(), QRect(0, 0, 400, 29));
    EXPECT_EQ(secondTop->geometry(), QRect(0, 29, 400, 100));
    EXPECT_EQ(status->geometry(), QRect(0, 281, 400, 19));
    EXPECT_EQ(left->geometry(), QRect(0, 129, 50, 152));
    EXPECT_EQ(client->geometry(), QRect(50, 129, 350, 152));
    EXPECT_EQ(loose->geometry(), QRect(7, 8, 9, 10)) << "unaligned controls stay where they are";

    // Resizing the parent, hiding one and giving another a new height re-place them.
    secondTop->hide();
    toolbar->SetHeight(40);
    form.resize(600, 200);
    relayout(form);
    EXPECT_EQ(toolbar->geometry(), QRect(0, 0, 600, 40));
    EXPECT_EQ(left->geometry(), QRect(0, 40, 50, 141));
    EXPECT_EQ(client->geometry(), QRect(50, 40, 550, 141));

    // A parent too small leaves the client nothing, never less.
    form.resize(600, 30);
    relayout(form);
    EXPECT_EQ(client->height(), 0);

    client->SetAlign(alNone);
    client->SetBounds(1, 2, 3, 4);
    relayout(form);
    EXPECT_EQ(client->geometry(), QRect(1, 2, 3, 4));
}

TEST(Controls, AControlIsAComponentAndAWidgetFreedOnce)
{
    auto owner = std::make_unique<TComponent>();
    auto parent = std::make_unique<QWidget>();
    auto* panel = new TPanel(owner.get(), parent.get());
    panel->SetName("Panel2");
    EXPECT_EQ(parent->findChild<TPanel*>(QStringLiteral("Panel2")), panel);
    EXPECT_EQ(owner->FindComponent("panel2"), panel);
    auto* button = new TSpeedButton(owner.get(), panel);
    // The parent widget going first takes the controls out of their owner ...
    parent.reset();
    EXPECT_EQ(owner->ComponentCount(), 0);
    // ... and the owner going first takes them out of their parent.
    parent = std::make_unique<QWidget>();
    panel = new TPanel(owner.get(), parent.get());
    button = new TSpeedButton(owner.get(), panel);
    owner.reset();
    EXPECT_TRUE(parent->findChildren<QWidget*>().isEmpty());
    (void)button;
}

TEST(Controls, ColourFollowsTheParentUntilSet)
{
    QWidget form;
    auto* panel = new TPanel(nullptr, &form);
    panel->SetColor(11048802);
    auto* button = new TSpeedButton(nullptr, panel);
    EXPECT_TRUE(button->ParentColor());
    EXPECT_EQ(button->Color(), 11048802);
    panel->SetColor(clRed);
    EXPECT_EQ(button->Color(), clRed);
    button->SetColor(clBlue);
    EXPECT_FALSE(button->ParentColor());
    EXPECT_EQ(button->Color(), clBlue);
}

TEST(Controls, ASpeedButtonClicksOnAReleaseOverItAndNeverTakesTheFocus)
{
    QWidget form;
    auto* button = new TSpeedButton(nullptr, &form);
    button->SetBounds(0, 0, 57, 28);
    int clicks = 0;
    button->OnClick = [&](TComponent* sender) {
        EXPECT_EQ(sender, button);
        ++clicks;
    };
    struct Case {
        const char* why;
        bool enabled;
        QPoint releaseAt;
        int clicks;
    };
    const Case cases[] = {
        {"pressed and released over it", true, {10, 10}, 1},
        {"released elsewhere", true, {100, 10}, 0},
        {"disabled", false, {10, 10}, 0},
    };
    for (const Case& c : cases) {
        clicks = 0;
        button->SetEnabled(c.enabled);
        mouse(button, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
        mouse(button, QEvent::MouseMove, c.releaseAt, Qt::LeftButton);
        mouse(button, QEvent::MouseButtonRelease, c.releaseAt, Qt::NoButton);
        EXPECT_EQ(clicks, c.clicks) << c.why;
        EXPECT_FALSE(button->Pressed()) << c.why;
    }
    EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
}

TEST(Controls, GlyphImagesAndTheirTransparency)
{
    TSpeedButton button;
    // Two images of 4 x 2 without alpha: the bottom-left colour is see-through.
    QImage strip(8, 2, QImage::Format_RGB32);
    strip.fill(Qt::white);
    strip.setPixel(1, 0, qRgb(255, 0, 0));
    strip.setPixel(5, 0, qRgb(0, 0, 255));
    strip.setPixel(4, 1, qRgb(0, 255, 0));
    button.SetGlyph(strip);
    button.SetNumGlyphs(2);
    EXPECT_EQ(button.GlyphCount(), 2);
    QImage normal = button.GlyphImage(0), disabled = button.GlyphImage(1);
    EXPECT_EQ(normal.size(), QSize(4, 2));
    EXPECT_EQ(normal.pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(normal.pixel(0, 0)), 0);
    EXPECT_EQ(disabled.pixel(1, 0), qRgb(0, 0, 255));
    EXPECT_EQ(qAlpha(disabled.pixel(0, 1)), 0) << "each image has its own see-through colour";
    EXPECT_TRUE(button.GlyphImage(2).isNull());

    EXPECT_EQ(button.GlyphIndexFor(false), 0);
    button.SetEnabled(false);
    EXPECT_EQ(button.GlyphIndexFor(false), 1);
    // More images than the picture has pixels across: no more than it can hold.
    button.SetGlyph(QImage(3, 3, QImage::Format_ARGB32));
    button.SetNumGlyphs(4);
    EXPECT_EQ(button.GlyphCount(), 3);
}

TEST(Controls, StatusBarPanels)
{
    QWidget form;
    form.resize(300, 100);
    auto* bar = new TStatusBar(nullptr, &form);
    relayout(form);
    EXPECT_EQ(bar->geometry(), QRect(0, 81, 300, 19)) << "at the bottom, 19 pixels high";
    bar->SetPanels({{"one", 100}, {"two", 50}, {"rest", 10}});
    EXPECT_EQ(bar->PanelRect(0), QRect(0, 2, 100, 17));
    EXPECT_EQ(bar->PanelRect(1), QRect(102, 2, 50, 17));
    EXPECT_EQ(bar->PanelRect(2), QRect(154, 2, 146, 17)) << "the last panel takes the rest";
    EXPECT_EQ(bar->PanelRect(3), QRect());
    bar->SetPanelText(7, "ignored");
    bar->SetSimplePanel(true);
    EXPECT_EQ(bar->PanelRect(0), QRect(0, 2, 300, 17));
}

}  // namespace
