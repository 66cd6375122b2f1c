// Which controls the skin takes over, and that it gives every one back
// exactly as it was.
#include "SkinTestSupport.h"
#include "ToolbarWindow.h"

#include "skin/FlatStyle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

using ::testing::UnorderedElementsAreArray;

namespace {

std::vector<QWidget*> toolbarControls(const TToolbarWindow& w)
{
    std::vector<QWidget*> controls{w.Panel2};
    for (TSpeedButton* b : w.Buttons()) controls.push_back(b);
    return controls;
}

TEST(SkinAttach, TakesOverTheToolbarPanelAndItsSevenButtons)
{
    TToolbarWindow w(false);
    EXPECT_TRUE(w.FlatSkin1->AttachedControls().empty());
    w.FlatSkin1->SetActive(true);
    // The status bar is no kind the skin paints.
    EXPECT_THAT(w.FlatSkin1->AttachedControls(), UnorderedElementsAreArray(toolbarControls(w)));
    w.FlatSkin1->SetActive(false);
    EXPECT_TRUE(w.FlatSkin1->AttachedControls().empty());
}

TEST(SkinAttach, Tag999KeepsAControlOrItsChildrenOut)
{
    {
        TToolbarWindow w(false);
        w.sb_print->SetTag(999);
        w.FlatSkin1->SetActive(true);
        EXPECT_FALSE(w.FlatSkin1->IsAttached(w.sb_print));
        EXPECT_TRUE(w.FlatSkin1->IsAttached(w.Sb_Exit));
    }
    {
        TToolbarWindow w(false);
        w.Panel2->SetTag(999);
        w.FlatSkin1->SetActive(true);
        EXPECT_TRUE(w.FlatSkin1->AttachedControls().empty()) << "neither the panel nor the buttons on it";
    }
}

TEST(SkinAttach, TheSetsChooseKindsAndContainersAndAChangeReattaches)
{
    TToolbarWindow w(true);
    // Without panels among the containers, the buttons on the panel stay out;
    // the panel itself sits on the form and stays in.
    w.FlatSkin1->SetSkinContainers(TSkinContainers::All().Without(xccPanel));
    EXPECT_THAT(w.FlatSkin1->AttachedControls(), UnorderedElementsAreArray(std::vector<QWidget*>{w.Panel2}));
    w.FlatSkin1->SetSkinContainers(TSkinContainers::All());
    w.FlatSkin1->SetSkinControls(TSkinControls::All().Without(xcPanel));
    EXPECT_FALSE(w.FlatSkin1->IsAttached(w.Panel2));
    EXPECT_EQ(w.FlatSkin1->AttachedControls().size(), 7u);
}

TEST(SkinAttach, AControlDestroyedWhileAttachedLeavesNothingBehind)
{
    TToolbarWindow w(true);
    delete w.sb_cancel;
    EXPECT_EQ(w.FlatSkin1->AttachedControls().size(), 7u);
    EXPECT_FALSE(w.FlatSkin1->IsAttached(w.sb_cancel));
    // Detaching and attaching again must not reach the freed button.
    w.FlatSkin1->SetActive(false);
    w.FlatSkin1->SetActive(true);
    EXPECT_EQ(w.FlatSkin1->AttachedControls().size(), 7u);
}

// A form with one control of each standard kind.
struct StandardForm : QWidget, TComponent {
    StandardForm()
    {
        resize(300, 400);
        auto* layout = new QVBoxLayout(this);
        menuBar = new QMenuBar(this);
        menu = menuBar->addMenu(QStringLiteral("&File"));
        menu->addAction(QStringLiteral("Open"));
        ownDrawn = new QMenu(this);
        ownDrawn->setStyle(QApplication::style());
        layout->setMenuBar(menuBar);
        for (QWidget* w : std::initializer_list<QWidget*>{
                 button = new QPushButton(QStringLiteral("Go"), this), check = new QCheckBox(QStringLiteral("Check"), this),
                 edit = new QLineEdit(this), memo = new QPlainTextEdit(this), combo = new QComboBox(this),
                 group = new QGroupBox(QStringLiteral("Group"), this)})
            layout->addWidget(w);
        auto* inGroup = new QVBoxLayout(group);
        radio = new QRadioButton(QStringLiteral("Radio"), group);
        inGroup->addWidget(radio);
        combo->addItem(QStringLiteral("One"));
        memo->setFrameShape(QFrame::Panel);
        memo->setFrameShadow(QFrame::Sunken);
        memo->setLineWidth(3);
        skin = std::make_unique<TFlatSkin>(nullptr, this);
        show();
    }
    std::vector<QWidget*> skinnable() const { return {menuBar, menu, button, check, edit, memo, combo, group, radio}; }

    QMenuBar* menuBar;
    QMenu* menu;
    QMenu* ownDrawn;
    QPushButton* button;
    QCheckBox* check;
    QLineEdit* edit;
    QPlainTextEdit* memo;
    QComboBox* combo;
    QGroupBox* group;
    QRadioButton* radio;
    std::unique_ptr<TFlatSkin> skin;
};

TEST(SkinAttach, StandardKindsTakeTheFlatStyleAndGetTheirOwnBack)
{
    StandardForm form;
    const QImage before = form.grab().toImage();
    std::vector<bool> hovered;
    for (QWidget* w : form.skinnable()) hovered.push_back(w->testAttribute(Qt::WA_Hover));
    form.skin->SetActive(true);
    EXPECT_THAT(form.skin->AttachedControls(), UnorderedElementsAreArray(form.skinnable()));
    for (QWidget* w : form.skinnable()) EXPECT_TRUE(dynamic_cast<TFlatStyle*>(w->style())) << w->metaObject()->className();
    EXPECT_FALSE(form.skin->IsAttached(form.ownDrawn)) << "a menu with a drawing of its own keeps it";
    EXPECT_EQ(form.memo->frameShape(), QFrame::StyledPanel);
    EXPECT_NE(form.grab().toImage(), before);

    form.skin->SetActive(false);
    for (size_t i = 0; i < form.skinnable().size(); ++i) {
        QWidget* w = form.skinnable()[i];
        EXPECT_EQ(w->style(), QApplication::style()) << w->metaObject()->className();
        EXPECT_FALSE(w->testAttribute(Qt::WA_SetStyle)) << w->metaObject()->className();
        EXPECT_EQ(w->testAttribute(Qt::WA_Hover), hovered[i]) << w->metaObject()->className();
    }
    EXPECT_EQ(form.memo->frameShape(), QFrame::Panel);
    EXPECT_EQ(form.memo->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(form.memo->lineWidth(), 3);
    EXPECT_EQ(form.grab().toImage(), before);

    form.skin->SetOverrideOwnerDraw(true);
    form.skin->SetActive(true);
    EXPECT_TRUE(form.skin->IsAttached(form.ownDrawn));
    form.skin->SetActive(false);
    EXPECT_EQ(form.ownDrawn->style(), QApplication::style()) << "its own style is given back";
    EXPECT_TRUE(form.ownDrawn->testAttribute(Qt::WA_SetStyle));
}

TEST(SkinAttach, PlainWidgetsAreLeftOutByTheirTagProperty)
{
    StandardForm form;
    form.check->setProperty("Tag", 999);
    form.group->setProperty("Tag", 999);
    form.skin->SetActive(true);
    EXPECT_FALSE(form.skin->IsAttached(form.check));
    EXPECT_FALSE(form.skin->IsAttached(form.group));
    EXPECT_FALSE(form.skin->IsAttached(form.radio)) << "its parent is left out";
    EXPECT_TRUE(form.skin->IsAttached(form.button));
}

}  // namespace
