// The editor framework: style values and where they come from, the view
// data that paints cells like editors, and the grid's editor list (one
// editor per class, reused), opening and closing over real SQLite data.
#include "EditingFixture.h"

#include "grid/editors/EditorRegistry.h"
#include "grid/editors/HintWindow.h"

#include <gtest/gtest.h>

#include <QLineEdit>

namespace {

TEST(EditStyle, OwnValuesThenControllerThenFallback)
{
    TqvInplaceTextEdit editor(nullptr);
    TqvEditStyle& style = editor.Style();
    // The module-wide defaults.
    EXPECT_EQ(style.BorderStyle(), xbs3D);
    EXPECT_EQ(style.BorderColor(), clWindowFrame);
    EXPECT_EQ(style.Edges(), AllEdges);

    int told = 0;
    {
        TqvEditStyleController controller;
        controller.OnStyleChanged = [&](TComponent*, TqvInplaceEdit* e) {
            EXPECT_EQ(e, &editor);
            ++told;
        };
        controller.SetBorderStyle(xbsFlat);
        editor.SetStyleController(&controller);
        EXPECT_EQ(style.BorderStyle(), xbsFlat);  // the controller's
        controller.SetHotTrack(true);
        EXPECT_EQ(told, 1);
        // Locked updates tell the editors once, at the end.
        controller.BeginUpdate();
        controller.SetShadow(true);
        controller.SetBorderColor(clRed);
        EXPECT_EQ(told, 1);
        controller.EndUpdate();
        EXPECT_EQ(told, 2);

        style.SetBorderStyle(xbsSingle);  // the style's own value wins
        EXPECT_EQ(style.BorderStyle(), xbsSingle);
        EXPECT_TRUE(style.AssignedValues().Contains(svBorderStyle));
        EXPECT_EQ(style.BorderColor(), clRed);
        style.SetAssignedValues({});  // forgets its own values
        EXPECT_EQ(style.BorderStyle(), xbsFlat);
    }
    // The controller went away: back to the module's defaults.
    EXPECT_EQ(editor.StyleController(), nullptr);
    EXPECT_EQ(style.BorderStyle(), xbs3D);
    EXPECT_FALSE(style.Shadow());
}

TEST(EditViewData, HotTrackingAndButtonStyles)
{
    struct Case {
        TqvEditBorderStyle border;
        bool hotTrack, mouseOver;
        TqvEditBorderStyle shown;
        int width;
        TqvEditButtonViewStyle button;  // btsDefault resolved
    };
    const Case cases[] = {
        {xbsSingle, true, true, xbsThick, 2, bts3D},   // hot tracking thickens a single border
        {xbsSingle, true, false, xbsSingle, 1, btsHotFlat},
        {xbsSingle, false, true, xbsSingle, 1, btsHotFlat},
        {xbsNone, true, true, xbsFlat, 2, btsFlat},
        {xbsFlat, true, true, xbs3D, 2, bts3D},
        {xbsNone, false, false, xbsNone, 0, btsSimple},
    };
    for (const Case& c : cases) {
        TqvEditBorderStyle shown = c.hotTrack && c.mouseOver ? HotTrackedBorder(c.border) : c.border;
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(EditBorderWidth(shown), c.width);
        EXPECT_EQ(ResolvedButtonStyle(btsDefault, shown), c.button);
    }
    // The content lies inside the border's edges and the shadow.
    TqvEditViewData data;
    data.BorderStyle = xbsSingle;
    data.Edges = {edgLeft, edgBottom};
    data.Shadow = true;
    EXPECT_EQ(EditContentRect(QRect(0, 0, 100, 20), data), QRect(1, 0, 97, 17));
}

TEST(HintWindow, ShowsItsTextInsideTheScreen)
{
    TqvContainerHintWindow hint;
    hint.ActivateHint(QPoint(100000, 100000), "Invalid input", TFont());
    EXPECT_TRUE(hint.isVisible());
    EXPECT_EQ(hint.HintText(), "Invalid input");
    EXPECT_LT(hint.geometry().right(), 100000);  // moved back inside the screen
    EXPECT_EQ(hint.width(), hint.CalcHintRect(10000).width());
    EXPECT_FALSE(hint.focusPolicy() & Qt::TabFocus);
}

class Framework : public EditingFixture {};

TEST_F(Framework, OneEditorPerClassReusedAndStyledByTheGrid)
{
    Open();
    focusCell(0, 0);
    press(Qt::Key_F2);
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(grid->State(), tsEditing);
    EXPECT_STREQ(editor()->ClassName(), "TqvInplaceTreeListTextEdit");
    EXPECT_EQ(editorText(), "P1");
    EXPECT_TRUE(editor()->isVisible());
    EXPECT_TRUE(editor()->FocusWidget()->hasFocus());
    // The grid shows its lines: its editors draw no border.
    EXPECT_EQ(editor()->Style().BorderStyle(), xbsNone);
    TqvInplaceEdit* first = editor();

    press(Qt::Key_Right);  // caret move inside the editor: it stays open
    press(Qt::Key_Escape);
    EXPECT_EQ(editor(), nullptr);
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(grid->State(), tsNormal);
    EXPECT_TRUE(grid->hasFocus());

    grid->SetFocusedColumn(1);  // another plain column: the same editor
    press(Qt::Key_F2);
    EXPECT_EQ(editor(), first);
    EXPECT_EQ(editorText(), AnsiToUtf8(Ansi(u8"甲烟")));
    press(Qt::Key_Escape);
    grid->SetFocusedColumn(2);  // a currency column: an editor of its own
    press(Qt::Key_F2);
    ASSERT_NE(editor(), nullptr);
    EXPECT_NE(editor(), first);
    EXPECT_EQ(grid->EditorCount(), 2);
    press(Qt::Key_Escape);

    // Without grid lines the editors get a single border.
    grid->SetShowGrid(false);
    EXPECT_EQ(first->Style().BorderStyle(), xbsSingle);
    EXPECT_TRUE(errors.empty());
}

TEST_F(Framework, NoEditingWhereNoEditorCanBeShown)
{
    Open();
    focusCell(0, 1);
    name->SetWidth(0);  // a zero-width column
    press(Qt::Key_F2);
    EXPECT_EQ(grid->State(), tsNormal);
    EXPECT_EQ(editor(), nullptr);
    name->SetWidth(80);
    // A grid lower than one row: nothing either, and keys still work.
    grid->resize(grid->width(), grid->DataTop() + 3);
    press(Qt::Key_F2);
    EXPECT_EQ(grid->State(), tsNormal);
    press(Qt::Key_Down);
    EXPECT_EQ(grid->FocusedAbsoluteIndex(), 1);
    EXPECT_TRUE(errors.empty());
}

TEST(EditorRegistry, UnknownClassesEditAsText)
{
    auto editor = CreateInplaceEditor("NoSuchEdit", nullptr);
    EXPECT_NE(dynamic_cast<TqvInplaceTextEdit*>(editor.get()), nullptr);
    EXPECT_TRUE(IsInplaceEditorRegistered("TqvInplaceTreeListTextEdit"));
}

}  // namespace
