// The drop-down window: the room its border and shadow take, its window
// region, closing it (focus back to the editor, the closing notice after
// the event that closed it), the scroll-bar corner, and the drop-down
// editors taking their border from the column.
#include "EditorHarness.h"

#include "grid/editors/EditorRegistry.h"
#include "grid/editors/InplacePopupControl.h"
#include "runtime/Color.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

TEST(PopupControl, BorderAndShadowTakeTheirRoom)
{
    struct Case {
        TqvPopupBorder border;
        bool shadow;
        QMargins margins;
    } cases[] = {
        {pbDefault, false, {0, 0, 0, 0}},
        {pbSingle, false, {1, 1, 1, 1}},
        {pbFlat, false, {2, 2, 2, 2}},
        {pbFrame3D, false, {4, 4, 4, 4}},
        {pbSingle, true, {1, 1, 3, 3}},  // the shadow is at the right and bottom only
    };
    TqvInplaceLookupEdit editor(nullptr);
    for (const Case& c : cases) {
        TqvInplacePopupControl popup(&editor);
        popup.SetPopupBorder(c.border);
        popup.SetShadow(c.shadow);
        EXPECT_EQ(popup.contentsMargins(), c.margins) << int(c.border) << c.shadow;
        EXPECT_EQ(popup.SizeFor({100, 50}),
                  QSize(100 + c.margins.left() + c.margins.right(), 50 + c.margins.top() + c.margins.bottom()));
    }
    // The shadow shapes the window: the two corners it does not cover are left out.
    TqvInplacePopupControl popup(&editor);
    popup.SetShadow(true);
    popup.resize(40, 30);
    popup.show();
    QRegion mask = popup.mask();
    popup.hide();
    EXPECT_FALSE(mask.contains(QPoint(39, 0)));
    EXPECT_FALSE(mask.contains(QPoint(0, 29)));
    EXPECT_TRUE(mask.contains(QPoint(39, 29)));
    EXPECT_TRUE(mask.contains(QPoint(0, 0)));
}

TEST(PopupControl, ClosingGivesTheFocusBackAndPostsTheNotice)
{
    ShownEditor<TqvInplaceLookupEdit> shown({10, 10, 120, 22}, {200, 100});
    TqvInplaceLookupEdit& editor = shown.editor;
    shown.form.activateWindow();
    QApplication::processEvents();

    TqvInplacePopupControl popup(&editor);
    auto* layout = new QVBoxLayout(&popup);
    auto* list = new QListWidget(&popup);
    layout->addWidget(list);
    int closed = 0, lost = 0;
    popup.OnClosed = [&] { ++closed; };
    popup.OnFocusLost = [&] { ++lost; };
    popup.show();
    list->setFocus();
    QApplication::processEvents();
    // A scroll area inside gets a button-face corner.
    ASSERT_NE(list->cornerWidget(), nullptr);
    EXPECT_EQ(list->cornerWidget()->palette().color(QPalette::Window), ToQColor(clBtnFace));

    popup.ClosePopup();
    EXPECT_FALSE(popup.isVisible());
    EXPECT_EQ(closed, 0) << "the notice is posted, not sent";
    QApplication::processEvents();
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(lost, 0);
    EXPECT_TRUE(editor.LineEdit()->hasFocus());

    // Hidden by anything else (a click outside): the editor hears of a focus loss.
    popup.show();
    popup.hide();
    QApplication::processEvents();
    EXPECT_EQ(lost, 1);
    EXPECT_EQ(closed, 2);
}

TEST(PopupControl, TheDropDownOpensItsWindowWithItsBorder)
{
    ShownEditor<TqvInplaceLookupEdit> shown({10, 10, 120, 22});
    TqvInplaceLookupEdit& editor = shown.editor;
    editor.SetListItems({{Variant(1), "one"}, {Variant(2), "two"}});
    editor.SetPopupBorder(pbFrame3D);
    editor.DropDown();
    ASSERT_TRUE(editor.DroppedDown());
    EXPECT_EQ(editor.Popup()->PopupBorder(), pbFrame3D);
    EXPECT_GE(editor.Popup()->width(), editor.width());
    editor.CloseUp(false);
    EXPECT_FALSE(editor.DroppedDown());
    EXPECT_FALSE(editor.KeepOpen());
}

}  // namespace
