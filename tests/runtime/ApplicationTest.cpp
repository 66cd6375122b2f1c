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
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

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

// Where XDG_RUNTIME_DIR is missing or not private, the runtime gives Qt a
// directory in the temporary directory instead. Anyone can create names there,
// so a name that is not a private directory of ours is never adopted: not a
// directory others can enter, not a link (even to a directory of ours), not a
// file.
TEST(Application, RuntimeDirectoryIsAlwaysPrivateAndOurs)
{
    const std::string savedTmp = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
    const std::string savedRuntime = std::getenv("XDG_RUNTIME_DIR") ? std::getenv("XDG_RUNTIME_DIR") : "";
    auto restore = qScopeGuard([&] {
        savedTmp.empty() ? unsetenv("TMPDIR") : setenv("TMPDIR", savedTmp.c_str(), 1);
        savedRuntime.empty() ? unsetenv("XDG_RUNTIME_DIR") : setenv("XDG_RUNTIME_DIR", savedRuntime.c_str(), 1);
    });
    auto mode = [](const std::string& path) {
        struct stat st {};
        return lstat(path.c_str(), &st) == 0 ? int(st.st_mode & 07777) : -1;
    };

    enum Expect { Given, Shared, OwnDirectory };
    struct Case {
        const char* why;
        const char* given;    // XDG_RUNTIME_DIR: nullptr unset, "private" or "open" (0755)
        const char* shared;   // what lies at the shared name beforehand: nullptr, "private", "open", "link", "file"
        Expect expect;
    };
    const Case cases[] = {
        {"a private directory of ours in the environment is kept", "private", nullptr, Given},
        {"none: the shared name is made private and used", nullptr, nullptr, Shared},
        {"one others can enter is replaced", "open", nullptr, Shared},
        {"the shared name from an earlier run is used again", nullptr, "private", Shared},
        {"a shared name others can enter is left alone", nullptr, "open", OwnDirectory},
        {"a link at the shared name is not followed", nullptr, "link", OwnDirectory},
        {"a file at the shared name is left alone", nullptr, "file", OwnDirectory},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        QTemporaryDir tmp;
        ASSERT_TRUE(tmp.isValid());
        const std::string base = tmp.path().toStdString();
        const std::string given = base + "/given";
        const std::string shared = base + "/stockin-runtime-" + std::to_string(geteuid());
        const std::string target = base + "/target";
        setenv("TMPDIR", base.c_str(), 1);
        unsetenv("XDG_RUNTIME_DIR");
        if (c.given) {
            mkdir(given.c_str(), 0700);
            chmod(given.c_str(), std::string(c.given) == "open" ? 0755 : 0700);
            setenv("XDG_RUNTIME_DIR", given.c_str(), 1);
        }
        const std::string before = c.shared ? c.shared : "";
        if (before == "private" || before == "open") {
            mkdir(shared.c_str(), 0700);
            chmod(shared.c_str(), before == "open" ? 0755 : 0700);
        } else if (before == "link") {
            mkdir(target.c_str(), 0700);
            ASSERT_EQ(symlink(target.c_str(), shared.c_str()), 0);
        } else if (before == "file") {
            std::fclose(std::fopen(shared.c_str(), "w"));
        }
        const int sharedModeBefore = mode(shared);

        InitRuntimeEnvironment();

        const std::string used = std::getenv("XDG_RUNTIME_DIR") ? std::getenv("XDG_RUNTIME_DIR") : "";
        struct stat st {};
        ASSERT_EQ(lstat(used.c_str(), &st), 0) << used;
        EXPECT_TRUE(S_ISDIR(st.st_mode));
        EXPECT_EQ(st.st_uid, geteuid());
        EXPECT_EQ(st.st_mode & 07777, 0700u);
        switch (c.expect) {
        case Given: EXPECT_EQ(used, given); break;
        case Shared: EXPECT_EQ(used, shared); break;
        case OwnDirectory:
            EXPECT_EQ(used.rfind(base + "/stockin-runtime-", 0), 0u) << used;
            EXPECT_NE(used, shared);
            EXPECT_NE(used, target);
            EXPECT_EQ(mode(shared), sharedModeBefore);  // as it was
            break;
        }
    }
}
