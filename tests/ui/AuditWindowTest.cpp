// The audit window: its layout, the command states with their buttons, the
// access mode, and the keys that must not close it.
#include "AuditWindowFixture.h"

#include "runtime/controls/Panel.h"
#include "runtime/controls/StatusBar.h"
#include "skin/FlatSkin.h"

#include <QKeyEvent>

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;

class AuditWindowTest : public AuditWindowFixture {
protected:
    // The names of the enabled buttons of the five that change with the state.
    std::vector<std::string> enabledCommands() const
    {
        std::vector<std::string> names;
        for (TSpeedButton* b : {window->sb_edit, window->sb_save, window->sb_cancel, window->sb_Audit,
                                window->sb_CancelAudi})
            if (b->isEnabled()) names.push_back(b->Name());
        return names;
    }
};

TEST_P(AuditWindowTest, LayoutOfTheWindowAndItsToolbar)
{
    Open();
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window->Panel2->geometry(), QRect(0, 0, 1000, 29));
    EXPECT_EQ(window->Panel2->Color(), static_cast<TColor>(11048802));
    EXPECT_EQ(window->Panel2->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(window->dbg_xstykfp1->geometry(), QRect(0, 29, 1000, 188));
    EXPECT_EQ(window->StatusBar1->geometry(), QRect(0, 581, 1000, 19));
    EXPECT_TRUE(window->StatusBar1->Panels().empty());
    EXPECT_EQ(window->dbg_xstgjfp2->geometry(), QRect(0, 217, 1000, 364));

    struct Row {
        TSpeedButton* button;
        const char* caption;
        int left, width;
        TColor colour;
    };
    const Row rows[] = {
        {window->sb_edit, "编辑", 0, 57, clWhite},          {window->sb_save, "保存", 56, 57, clWhite},
        {window->sb_cancel, "取消", 112, 57, clWindow},     {window->sb_Audit, "审核", 168, 57, clWindow},
        {window->sb_CancelAudi, "弃审", 224, 57, clWindow}, {window->sb_print, "打印", 280, 65, clWhite},
        {window->Sb_Exit, "退出", 344, 65, clWhite},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.button->Name());
        EXPECT_EQ(r.button->parentWidget(), window->Panel2);
        EXPECT_EQ(AnsiToUtf8(r.button->Caption()), r.caption);
        EXPECT_EQ(r.button->geometry(), QRect(r.left, 1, r.width, 28));
        EXPECT_EQ(r.button->Font().Color(), r.colour);
        EXPECT_EQ(r.button->Font().Height(), -12);
        EXPECT_EQ(r.button->NumGlyphs(), 2);
        EXPECT_EQ(r.button->Glyph().size(), QSize(32, 16));
        EXPECT_EQ(r.button->focusPolicy(), Qt::NoFocus);
        EXPECT_TRUE(window->FlatSkin1->IsAttached(r.button));
    }
    EXPECT_TRUE(window->FlatSkin1->Active());

    // Tab order: the header grid, then the line grid; the first takes the focus.
    // (The header grid's own scroll bars come between them in the chain.)
    QWidget* next = window->dbg_xstykfp1->nextInFocusChain();
    while (next && window->dbg_xstykfp1->isAncestorOf(next)) next = next->nextInFocusChain();
    EXPECT_EQ(next, window->dbg_xstgjfp2);
    EXPECT_EQ(QApplication::focusWidget(), window->dbg_xstykfp1);
}

TEST_P(AuditWindowTest, AccessModeDecidesTheCommands)
{
    struct Case {
        const char* mode;
        bool readOnly;
    };
    // Only "R" in either case is read-only; a trailing blank or a longer word is not.
    const Case cases[] = {{"R", true}, {"r", true}, {"R ", false}, {"READ", false}, {"W", false}, {"", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        Params[5] = c.mode;
        Open();
        if (c.readOnly) {
            EXPECT_EQ(window->CommandState(), TCommandState::ReadOnly);
            EXPECT_THAT(enabledCommands(), ElementsAre());
            Press(window->sb_edit);
            EXPECT_THAT(enabledCommands(), ElementsAre());
        } else {
            EXPECT_EQ(window->CommandState(), TCommandState::Browse);
            EXPECT_THAT(enabledCommands(), ElementsAre("sb_edit", "sb_Audit", "sb_CancelAudi"));
            Press(window->sb_edit);  // document 103: not audited
            EXPECT_EQ(window->CommandState(), TCommandState::Editing);
            EXPECT_THAT(enabledCommands(), ElementsAre("sb_save", "sb_cancel"));
            EXPECT_FALSE(window->dbg_xstykfp1->isEnabled()) << "no other document while lines are edited";
            Press(window->sb_cancel);
            EXPECT_EQ(window->CommandState(), TCommandState::Browse);
            EXPECT_THAT(enabledCommands(), ElementsAre("sb_edit", "sb_Audit", "sb_CancelAudi"));
            EXPECT_TRUE(window->dbg_xstykfp1->isEnabled());
        }
        EXPECT_TRUE(window->sb_print->isEnabled());
        EXPECT_TRUE(window->Sb_Exit->isEnabled());
        EXPECT_TRUE(Messages().empty());
        Close();
    }
}

TEST_P(AuditWindowTest, ReadOnlyHoldsEvenWhenTheDataCannotOpen)
{
    std::vector<std::string> errors;
    Application().SetOnException([&](const std::exception& e) { errors.push_back(e.what()); });
    Params[5] = "r";
    Create();
    dm->qry_xstgjfp2->SQL().SetText("SELECT * FROM NO_SUCH_TABLE");
    Show();
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_TRUE(dm->qry_xstgjfp1->Active());
    EXPECT_FALSE(dm->qry_xstgjfp2->Active());
    EXPECT_EQ(window->CommandState(), TCommandState::ReadOnly);
    EXPECT_THAT(enabledCommands(), ElementsAre());
}

TEST_P(AuditWindowTest, RefusedCommandsOnAnEmptyListChangeNothing)
{
    Params[0] = "C9";
    Open();
    EXPECT_TRUE(dm->qry_xstgjfp1->IsEmpty());
    EXPECT_TRUE(dm->qry_xstgjfp2->IsEmpty());
    Press(window->sb_edit);
    Press(window->sb_Audit);
    Press(window->sb_CancelAudi);
    EXPECT_THAT(Messages(), ElementsAre("该记录已审核或为空，不能被编辑！", "该记录已审核或为空，不能审核！",
                                        "空记录不能被弃审！"));
    for (const DialogRequest& r : dialogs.Calls()) {
        EXPECT_EQ(AnsiToUtf8(r.caption), "系统提示");
        EXPECT_EQ(r.flags, MB_OK | MB_ICONINFORMATION);
    }
    EXPECT_EQ(window->CommandState(), TCommandState::Browse);
}

TEST_P(AuditWindowTest, EnterAndEscNeverCloseTheWindow)
{
    Open();
    for (QWidget* target : {static_cast<QWidget*>(window->dbg_xstykfp1), static_cast<QWidget*>(window->dbg_xstgjfp2),
                            static_cast<QWidget*>(window.get())}) {
        target->setFocus();
        for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(target, &press);
        }
    }
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->result(), 0);
    EXPECT_EQ(window->CommandState(), TCommandState::Browse);
    EXPECT_TRUE(Messages().empty());

    Press(window->Sb_Exit);
    EXPECT_FALSE(window->isVisible());
}

INSTANTIATE_ON_BOTH_ENGINES(AuditWindowTest);

}  // namespace
