#include "support/ScriptedDialogs.h"

#include "runtime/Application.h"
#include "runtime/Color.h"
#include "runtime/Exceptions.h"
#include "runtime/Font.h"
#include "runtime/Keys.h"
#include "runtime/Settings.h"

#include <QEventLoop>
#include <QFont>
#include <QKeyEvent>
#include <QPalette>
#include <QTimer>
#include <gtest/gtest.h>

TEST(Application, ExceptionInASlotReachesTheHandlerOnceAndTheLoopGoesOn)
{
    std::vector<std::string> handled;
    Application().SetOnException([&](const std::exception& e) { handled.push_back(e.what()); });

    QEventLoop loop;
    bool laterRan = false;
    QTimer::singleShot(0, Guarded([] { throw EConvertError("'abc' is not a valid integer value"); }));
    QTimer::singleShot(0, Guarded([] { Abort(); }));  // silent
    // No guard here: the application's notify() is the safety net.
    QTimer::singleShot(0, [] { throw EInvalidOperation("unguarded"); });
    QTimer::singleShot(5, [&] {
        laterRan = true;
        loop.quit();
    });
    loop.exec();

    Application().SetOnException(nullptr);
    EXPECT_TRUE(laterRan);
    EXPECT_EQ(handled, (std::vector<std::string>{"'abc' is not a valid integer value", "unguarded"}));
}

TEST(Application, DefaultHandlerShowsAMessageBox)
{
    ScriptedDialogs dialogs;
    Application().SetTitle("stockin");
    Guard([] { throw EConvertError("bad"); });
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].text, "bad");
    EXPECT_EQ(dialogs.Calls()[0].caption, "stockin");
    EXPECT_EQ(dialogs.Calls()[0].flags & 0xF0, unsigned(MB_ICONERROR));
}

TEST(Dialogs, HookRecordsAndAnswers)
{
    ScriptedDialogs dialogs;
    dialogs.Answer(IDNO);
    dialogs.Answer(IDOK, "typed");
    EXPECT_EQ(MessageBox("Delete?", "Confirm", MB_YESNO | MB_ICONQUESTION), IDNO);
    AnsiString value = "default";
    EXPECT_TRUE(InputQuery("Input", "Name:", value));
    EXPECT_EQ(value, "typed");
    // Script exhausted: the default button and the default text.
    EXPECT_EQ(MessageBox("x", "y", MB_YESNOCANCEL | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(InputBox("c", "p", "keep"), "keep");
    ASSERT_EQ(dialogs.Calls().size(), 4u);
    EXPECT_EQ(dialogs.Calls()[1].kind, DialogRequest::Input);
    EXPECT_EQ(dialogs.Calls()[1].text, "Name:");
}

TEST(Keys, QtEventsTranslateOnce)
{
    struct Case {
        int qtKey;
        Qt::KeyboardModifiers mods;
        Word vk;
        TShiftState shift;
    } cases[] = {
        {Qt::Key_Return, Qt::NoModifier, VK_RETURN, 0},
        {Qt::Key_Enter, Qt::KeypadModifier, VK_RETURN, 0},
        {Qt::Key_Escape, Qt::NoModifier, VK_ESCAPE, 0},
        {Qt::Key_Insert, Qt::NoModifier, VK_INSERT, 0},
        {Qt::Key_Delete, Qt::ControlModifier, VK_DELETE, ssCtrl},
        {Qt::Key_F2, Qt::NoModifier, VK_F2, 0},
        {Qt::Key_A, Qt::ShiftModifier | Qt::AltModifier, 'A', ssShift | ssAlt},
        {Qt::Key_5, Qt::KeypadModifier, VK_NUMPAD0 + 5, 0},
        {Qt::Key_Backtab, Qt::ShiftModifier, VK_TAB, ssShift},
        {Qt::Key_PageDown, Qt::NoModifier, VK_NEXT, 0},
    };
    for (const auto& c : cases) {
        QKeyEvent event(QEvent::KeyPress, c.qtKey, c.mods);
        KeyStroke k = TranslateKeyEvent(event);
        EXPECT_EQ(k.key, c.vk) << c.qtKey;
        EXPECT_EQ(k.shift, c.shift) << c.qtKey;
    }
    EXPECT_EQ(VK_RETURN, 13);
    EXPECT_EQ(VK_ESCAPE, 27);
    EXPECT_EQ(VK_INSERT, 45);
    EXPECT_EQ(VK_DELETE, 46);
    EXPECT_EQ(VK_F2, 113);
    for (Word vk : {Word(VK_RETURN), Word(VK_F2), Word('Q'), Word(VK_DELETE), Word(VK_LEFT)})
        EXPECT_EQ(VirtualKeyFromQt(QtKeyFromVirtualKey(vk), false), vk);
}

TEST(Graphics, ColoursAndFonts)
{
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(0x00332211), QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(FromQColor(QColor(0x11, 0x22, 0x33)), 0x00332211);
    EXPECT_EQ(ToQColor(clNone).alpha(), 0);
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(1, 2, 3));
    EXPECT_EQ(ToQColor(clWindow, &palette), QColor(1, 2, 3));
    EXPECT_EQ(ColorToRGB(clWindow, &palette), 0x030201);

    TFont font(Ansi(u8"宋体"), 9, fsBold, clBlack, GB2312_CHARSET);
    EXPECT_EQ(font.Height(), -12);
    EXPECT_EQ(font.Size(), 9);
    int changes = 0;
    font.OnChange = [&] { ++changes; };
    font.SetSize(9);  // unchanged: no event
    font.SetStyle(fsBold | fsItalic);
    EXPECT_EQ(changes, 1);
    QFont q = font.ToQFont();
    EXPECT_EQ(q.family(), QStringLiteral("宋体"));
    EXPECT_EQ(q.pixelSize(), 12);
    EXPECT_TRUE(q.bold() && q.italic());
    EXPECT_EQ(font.ToQFont(600).pixelSize(), 75);  // printer resolution
    EXPECT_EQ(MulDiv(-7, 3, 2), -11);
}

TEST(Settings, ValuesPersistPerKey)
{
    std::string file = testing::TempDir() + "settings_test.ini";
    std::remove(file.c_str());
    SetSettingsFile(file);
    {
        TUserSettings s("Software\\Velotab");
        EXPECT_FALSE(s.ValueExists("Left"));
        EXPECT_EQ(s.ReadInteger("Left", -1), -1);
        s.WriteInteger("Left", 120);
        s.WriteString("Name", Ansi(u8"预览"));
        s.WriteBool("Maximized", true);
        s.Flush();
    }
    TUserSettings again("Software\\Velotab");
    EXPECT_EQ(again.ReadInteger("Left", -1), 120);
    EXPECT_EQ(again.ReadString("Name", ""), Ansi(u8"预览"));
    EXPECT_TRUE(again.ReadBool("Maximized", false));
    again.DeleteValue("Left");
    EXPECT_FALSE(again.ValueExists("Left"));
    SetSettingsFile("");
}
