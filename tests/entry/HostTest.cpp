// The real stockin-host program.
#include "db/HostDatabase.h"
#include "runtime/db/Query.h"
#include "runtime/db/Session.h"

#include <QFileInfo>
#include <QSqlDatabase>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct HostRun {
    int code = -1;
    QString out, err;
};

HostRun runHost(const QStringList& args, const QString& home, const QString& workingDirectory = {})
{
    QProcess p;
    p.setWorkingDirectory(workingDirectory);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    env.insert("XDG_DATA_HOME", home + "/data");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("ASAN_OPTIONS", "detect_leaks=0");
    env.remove("XDG_RUNTIME_DIR");  // as under cron or a build runner
    p.setProcessEnvironment(env);
    p.start(HOST_PATH, args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

TEST(HostTest, HelpExplainsEveryOption)
{
    QTemporaryDir home;
    HostRun r = runHost({"--help"}, home.path());
    EXPECT_EQ(r.code, 0);
    for (const char* option : {"--db", "--module", "--templates", "--company", "--param1", "--auditor", "--auditor-name",
                               "--audit-date", "--access", "--param6", "--height", "--width", "--top", "--left",
                               "--open", "--screenshot", "--version"})
        EXPECT_TRUE(r.out.contains(option)) << option;
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    EXPECT_TRUE(runHost({"--version"}, home.path()).out.startsWith("stockin-host 0."));

    struct Bad {
        QStringList args;
        const char* message;
    };
    for (const Bad& bad : {Bad{{"--bogus"}, "stockin-host: unknown option --bogus"},
                           Bad{{"--db"}, "stockin-host: missing value after '--db'"},
                           Bad{{"extra"}, "stockin-host: unexpected argument 'extra'"}}) {
        HostRun r = runHost(bad.args, home.path());
        EXPECT_EQ(r.code, 2) << bad.message;
        EXPECT_TRUE(r.err.contains(bad.message)) << r.err.toStdString();
    }
}

TEST(HostTest, FirstRunCreatesTheDemoDatabaseAndOpensTheWindow)
{
    QTemporaryDir home;
    QString shot = home.path() + "/screen.png";
    HostRun r = runHost({"--screenshot", shot}, home.path());
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(shot));
    QString file = home.path() + "/data/stockin-host/stockin-demo.sqlite";
    ASSERT_TRUE(QFileInfo::exists(file));

    // The demo documents: several companies, 1 to 40 lines each, some audited,
    // names that fit their fields in GBK bytes.
    TSession session;
    OpenHostDatabase(ParseDatabaseSpec(file.toStdString()), "demo-check");
    session.AddDatabase("demo", "demo-check");
    TDatabase& db = session.Database("demo");
    auto scalar = [&](const char* sql) {
        auto cursor = db.OpenCursor(sql, {});
        RecordBuilder row;
        row.Reset(1);
        cursor->Fetch(row, {0}, {ftFloat});
        RecordArena arena;
        return ReadCell(row.Commit(arena), 0).ToVariant().AsFloat();
    };
    EXPECT_GE(scalar("SELECT COUNT(*) FROM XTTGSSZ0"), 3);
    EXPECT_GE(scalar("SELECT COUNT(*) FROM XSTGJFP1"), 200);
    EXPECT_GT(scalar("SELECT COUNT(*) FROM XSTGJFP1 WHERE YWRQ00 IS NOT NULL"), 0);
    EXPECT_GT(scalar("SELECT COUNT(*) FROM XSTGJFP1 WHERE YWRQ00 IS NULL"), 0);
    EXPECT_EQ(scalar("SELECT MAX(N) FROM (SELECT COUNT(*) N FROM XSTGJFP2 GROUP BY GSDW00, DHAO00)"), 40);
    EXPECT_EQ(scalar("SELECT MIN(N) FROM (SELECT COUNT(*) N FROM XSTGJFP2 GROUP BY GSDW00, DHAO00)"), 1);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM XSTGJFP1 A WHERE NOT EXISTS "
                     "(SELECT 1 FROM XSTGJFP2 B WHERE B.GSDW00=A.GSDW00 AND B.DHAO00=A.DHAO00)"), 0);
    TQuery names;
    names.SetDatabaseName("demo");
    names.SQL().SetText("SELECT SPMC00 FROM GSTJYGL1 UNION ALL SELECT DWMC00 FROM XSTGJFP1 UNION ALL SELECT GSJC00 FROM XTTGSSZ0");
    SetDefaultSession(&session);
    names.Open();
    size_t longest = 0;
    for (; !names.Eof(); names.Next()) longest = std::max(longest, names.Fields()[0]->AsString().size());
    names.Close();
    SetDefaultSession(nullptr);
    EXPECT_LE(longest, 50u);

    // The second run finds the database and leaves it as it is. The host runs
    // in the templates' directory, but a relative path of its command line
    // still means the directory it was started in.
    double documents = scalar("SELECT COUNT(*) FROM XSTGJFP1");
    HostRun again = runHost({"--screenshot", "again.png"}, home.path(), home.path());
    EXPECT_EQ(again.code, 0);
    EXPECT_TRUE(QFileInfo::exists(home.path() + "/again.png"));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM XSTGJFP1"), documents);

    HostRun noTemplates = runHost({"--templates", "/nonexistent/templates", "--open"}, home.path());
    EXPECT_EQ(noTemplates.code, 1);
    EXPECT_TRUE(noTemplates.err.contains("stockin-host: /nonexistent/templates:")) << noTemplates.err.toStdString();
    QSqlDatabase::removeDatabase("demo-check");
}

TEST(HostTest, UnreachableDatabaseIsAClearError)
{
    QTemporaryDir home;
    HostRun r = runHost({"--db", "/nonexistent/dir/x.sqlite", "--open"}, home.path());
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("stockin-host:"));
}

}  // namespace
