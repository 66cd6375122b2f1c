// The real stockin-host on a virtual X screen of its own, driven the way an
// auditor drives it: mouse clicks on the toolbar, keys in the dialogs. The
// test waits for windows to appear or go by their titles, and checks the
// database after every step.
#include "TestDatabase.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int kWaitMs = 60000;

// Xvfb on the first free display; it names the display once it takes
// connections.
class VirtualScreen {
public:
    VirtualScreen()
    {
        server_.setProgram(QStandardPaths::findExecutable("Xvfb"));
        server_.setArguments({"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        server_.setStandardErrorFile(QProcess::nullDevice());
        server_.start();
        QElapsedTimer clock;
        clock.start();
        QByteArray out;
        while (!out.contains('\n') && clock.elapsed() < kWaitMs && server_.state() != QProcess::NotRunning)
            if (server_.waitForReadyRead(1000)) out += server_.readAllStandardOutput();
        if (out.contains('\n')) display_ = ":" + QString::fromLatin1(out).trimmed();
    }
    ~VirtualScreen()
    {
        server_.terminate();
        if (!server_.waitForFinished(10000)) server_.kill();
    }
    const QString& Display() const { return display_; }

private:
    QProcess server_;
    QString display_;
};

class HostWindowsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_FALSE(QStandardPaths::findExecutable("Xvfb").isEmpty()) << "scripts/setup installs xvfb";
        ASSERT_FALSE(QStandardPaths::findExecutable("xdotool").isEmpty()) << "scripts/setup installs xdotool";
        screen = new VirtualScreen;
        ASSERT_FALSE(screen->Display().isEmpty()) << "Xvfb did not start";
    }
    static void TearDownTestSuite()
    {
        delete screen;
        screen = nullptr;
    }

    void SetUp() override { InsertSampleDocuments(db); }
    void TearDown() override
    {
        if (host.state() != QProcess::NotRunning) {
            host.terminate();
            if (!host.waitForFinished(10000)) host.kill();
        }
    }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", screen->Display());
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("HOME", home.path());
        env.insert("XDG_DATA_HOME", home.path() + "/data");
        env.insert("XDG_RUNTIME_DIR", home.path());
        env.insert("LC_ALL", "C");  // short date "yyyy-m-d", as --audit-date below
        env.insert("ASAN_OPTIONS", "detect_leaks=0");
        return env;
    }

    void startHost()
    {
        host.setProcessEnvironment(environment());
        host.setWorkingDirectory(QFileInfo(HOST_PATH).absolutePath());  // where the report template lies
        host.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        host.start(HOST_PATH, {"--db", QString::fromStdString(db.Spec()), "--open", "--company", "C1", "--auditor",
                               "A01", "--auditor-name", "审核员", "--audit-date", "2003-3-12 8:00:00", "--left", "0",
                               "--top", "0", "--width", "1000", "--height", "600"});
        ASSERT_TRUE(host.waitForStarted(kWaitMs));
    }

    // Runs xdotool; its standard output.
    QString xdotool(const QStringList& args)
    {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start("xdotool", args);
        if (!p.waitForFinished(kWaitMs)) {
            p.kill();
            ADD_FAILURE() << "xdotool " << args.join(' ').toStdString() << " did not finish";
        }
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }

    // The visible windows with that title.
    QStringList windowsNamed(const QString& title)
    {
        QStringList found;
        for (const QString& id : xdotool({"search", "--onlyvisible", "--name", "."}).split('\n', Qt::SkipEmptyParts))
            if (xdotool({"getwindowname", id}) == title) found << id;
        return found;
    }

    bool waitUntil(const std::function<bool()>& condition)
    {
        QElapsedTimer clock;
        clock.start();
        while (!condition()) {
            if (clock.elapsed() > kWaitMs || host.state() == QProcess::NotRunning) return false;
            QThread::msleep(50);
        }
        return true;
    }

    // Waits for a window with that title; its id.
    QString waitForWindow(const QString& title)
    {
        QStringList found;
        EXPECT_TRUE(waitUntil([&] { return !(found = windowsNamed(title)).isEmpty(); })) << title.toStdString();
        return found.value(0);
    }
    // Waits until the window with that title has the keyboard: keys typed
    // from then on reach it.
    void waitForKeyboard(const QString& title)
    {
        EXPECT_TRUE(waitUntil([&] { return xdotool({"getwindowfocus", "getwindowname"}) == title; }))
            << title.toStdString() << " never got the keyboard";
    }
    void waitUntilGone(const QString& title)
    {
        EXPECT_TRUE(waitUntil([&] { return windowsNamed(title).isEmpty(); })) << title.toStdString() << " stays";
    }

    // A click at that point of the audit window (it stands at the screen's
    // top left corner).
    void click(int left, int top)
    {
        xdotool({"mousemove", "--sync", QString::number(left), QString::number(top), "click", "1"});
    }
    // A click on the audit window's toolbar, `left` pixels from its left edge.
    void clickToolbar(int left) { click(left, 15); }
    // Keys in xdotool's names, separated by blanks ("Tab Down", "alt+o").
    void key(const QString& keys) { xdotool(QStringList{"key"} + keys.split(' ')); }

    // Answers the information box the command shows.
    void acknowledge()
    {
        waitForKeyboard("系统提示");
        key("Return");
        waitUntilGone("系统提示");
    }

    std::string auditDate(int document)
    {
        return db.Scalar("SELECT YWRQ00 FROM XSTGJFP1 WHERE GSDW00='C1' AND DHAO00=?", {Variant(double(document))});
    }
    // Price, amount and tax of document 101's lines.
    std::string prices()
    {
        std::string all;
        for (const char* code : {"P1", "P2", "P3"})
            for (const char* column : {"DJIA00", "JE0000", "SE0000"})
                all += db.Scalar(std::string("SELECT ") + column +
                                     " FROM XSTGJFP2 WHERE GSDW00='C1' AND DHAO00=101 AND SPDM00=?",
                                 {code}) +
                       (column[0] == 'S' ? " " : "/");
        return all;
    }

    static inline VirtualScreen* screen = nullptr;
    TestDatabase db{TestEngine::SQLite};
    QTemporaryDir home;
    QProcess host;
};

// Toolbar buttons by their middle.
constexpr int kEdit = 28, kSave = 86, kCancel = 140, kAudit = 196, kRevoke = 252, kPrint = 312, kExit = 376;

TEST_F(HostWindowsTest, AuditorsRound)
{
    const std::string storedPrices = prices();
    startHost();
    waitForWindow("Fm_main");
    EXPECT_EQ(auditDate(103), "");
    EXPECT_EQ(prices(), storedPrices);

    // Edit two prices of document 101 (the third in the list) and save. A
    // click on a price cell opens its editor; the auditor selects the old
    // price and types over it. Enter writes the first and recomputes its
    // line; the second is still in its editor when save is pressed.
    constexpr int kPriceColumn = 335, kFirstLine = 245, kLineHeight = 19;
    click(50, 91);
    clickToolbar(kEdit);
    click(kPriceColumn, kFirstLine);
    key("ctrl+a");
    xdotool({"type", "13"});
    key("Return");
    click(kPriceColumn, kFirstLine + 2 * kLineHeight);
    key("ctrl+a");
    xdotool({"type", "31"});
    clickToolbar(kSave);
    acknowledge();
    EXPECT_EQ(prices(), "13/130/22.1 20/1000/170 31/3100/527 ");  // P2 untouched
    EXPECT_EQ(auditDate(101), "");
    const std::string savedPrices = prices();
    click(50, 56);  // back to the first document

    // Edit and cancel on the first document (103): nothing is written.
    clickToolbar(kEdit);
    clickToolbar(kCancel);

    // Audit it. The dialog offers the default audit date, 12 March 08:00, on
    // the document's own day (09:00). The auditor steps the day back: that
    // is before the document, so the picker goes back to the document's date
    // and time, and OK audits with those.
    clickToolbar(kAudit);
    waitForKeyboard("请选择审核日期");
    key("Tab Tab Tab Tab Down");  // OK, Cancel, then the picker's year, month, day

    acknowledge();
    EXPECT_EQ(auditDate(103), "");
    waitForKeyboard("请选择审核日期");
    key("alt+o");
    acknowledge();
    waitUntilGone("请选择审核日期");
    EXPECT_EQ(auditDate(103), "2003-3-12 9:00:00");
    EXPECT_EQ(db.Scalar("SELECT YWRYMC FROM XSTGJFP1 WHERE GSDW00='C1' AND DHAO00=103"), "审核员");
    EXPECT_EQ(prices(), savedPrices);

    // Revoke: the list was read again and stands on 103.
    clickToolbar(kRevoke);
    acknowledge();
    EXPECT_EQ(auditDate(103), "");

    // Print: the purchase invoice in the preview, which Esc closes.
    clickToolbar(kPrint);
    waitForKeyboard("Preview");
    key("Escape");
    waitUntilGone("Preview");
    EXPECT_EQ(auditDate(103), "");
    EXPECT_EQ(prices(), savedPrices);

    // Exit, and open the window a second time from the host.
    clickToolbar(kExit);
    waitUntilGone("Fm_main");
    QStringList hostWindows = windowsNamed("stockin-host");
    ASSERT_FALSE(hostWindows.isEmpty());
    xdotool({"windowfocus", "--sync", hostWindows.front()});
    key("ctrl+o");
    waitForWindow("Fm_main");
    clickToolbar(kExit);
    waitUntilGone("Fm_main");
    EXPECT_EQ(prices(), savedPrices);
    EXPECT_EQ(host.state(), QProcess::Running);
}

}  // namespace
