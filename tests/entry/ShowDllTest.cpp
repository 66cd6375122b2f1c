// showdll through dlopen, as the host calls it.
#include "TestDatabase.h"

#include "entry/ShowDll.h"
#include "runtime/Application.h"
#include "runtime/Component.h"
#include "runtime/db/Query.h"

#include <QApplication>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <functional>
#include <optional>

using ::testing::ThrowsMessage;

namespace {

struct Seen {
    QRect geometry;
    bool frameless = false;
    bool hostBlocked = false;  // an application-modal window owned by the host's
    bool headersOpen = false;
    const void* dataModule = nullptr;
};

class ShowDllTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        handle = dlopen(MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr) << dlerror();
        showdll = reinterpret_cast<ShowDllFunction>(dlsym(handle, "showdll"));
        ASSERT_NE(showdll, nullptr);
    }
    static void TearDownTestSuite()
    {
        if (handle) dlclose(handle);
        handle = nullptr;
    }

    void SetUp() override
    {
        InsertSampleDocuments(db);
        host.setWindowTitle("host");
        host.setGeometry(10, 10, 300, 200);
        host.show();
        host.activateWindow();
        QApplication::setActiveWindow(&host);
        Application().SetHandle(nullptr);
    }

    // Calls showdll; while its window is up, records what it shows and closes it.
    std::optional<Seen> call(std::vector<const char*> strings, int highIndex)
    {
        std::optional<Seen> seen;
        QTimer timer;
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w) return;
            Seen s;
            s.geometry = w->geometry();
            s.frameless = w->windowFlags().testFlag(Qt::FramelessWindowHint);
            s.hostBlocked = w->parentWidget() == &host && w->windowModality() == Qt::ApplicationModal;
            TComponent* dm = FindGlobalComponent("dm");
            auto* headers = dm ? dynamic_cast<TQuery*>(dm->FindComponent("qry_xstgjfp1")) : nullptr;
            s.headersOpen = headers && headers->Active();
            s.dataModule = dm;
            seen = s;
            w->close();
        });
        timer.start();
        showdll(0, &host, &db.Session(), 0, strings.data(), highIndex);
        return seen;
    }

    static std::vector<const char*> strings(const char* height)
    {
        return {"C1", "x", "A01", "\xC9\xF3\xBA\xCB", "2003-3-11 9:00:00", "", "any", "thing", height, "1000", "100", "50"};
    }

    void expectHostBack()
    {
        EXPECT_TRUE(host.isEnabled());
        EXPECT_EQ(QApplication::activeWindow(), &host);
        EXPECT_EQ(FindGlobalComponent("dm"), nullptr);
        EXPECT_EQ(FindGlobalComponent("fm_main"), nullptr);
        EXPECT_EQ(Application().Handle(), nullptr);
    }

    static inline void* handle = nullptr;
    static inline ShowDllFunction showdll = nullptr;
    TestDatabase db{TestEngine::SQLite};
    QWidget host;
};

TEST_F(ShowDllTest, BorderlessWindowAtTheHostsGeometryWithFreshData)
{
    std::optional<Seen> first = call(strings("600"), 11);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->geometry, QRect(50, 100, 1000, 600));
    EXPECT_TRUE(first->frameless);
    EXPECT_TRUE(first->hostBlocked);
    EXPECT_TRUE(first->headersOpen);
    expectHostBack();

    std::optional<Seen> second = call(strings("600"), 11);
    ASSERT_TRUE(second);
    EXPECT_TRUE(second->headersOpen);
    expectHostBack();
}

TEST_F(ShowDllTest, HeightOfLettersFailsCleanlyAndTheNextCallWorks)
{
    EXPECT_THAT([&] { call(strings("abc"), 11); }, ThrowsMessage<std::exception>("'abc' is not a valid integer value"))
        << "showdll must fail";
    expectHostBack();
    std::optional<Seen> next = call(strings("600"), 11);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->geometry.size(), QSize(1000, 600));
    expectHostBack();
}

TEST_F(ShowDllTest, FewerThanTwelveStringsReadAsEmpty)
{
    // Only four strings: the geometry entries are empty texts, never read
    // from past the array.
    std::vector<const char*> four = {"C1", nullptr, "A01", "name"};
    EXPECT_THAT([&] { showdll(0, &host, &db.Session(), 0, four.data(), 3); },
                ThrowsMessage<std::exception>("'' is not a valid integer value"))
        << "showdll must fail";
    expectHostBack();
}

}  // namespace
