#include "TestDatabase.h"

#include "db/HostDatabase.h"
#include "runtime/db/Param.h"

#include <QSqlDatabase>

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

std::atomic<int> counter{0};

std::string shellQuote(const std::string& s)
{
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

int freePort()
{
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof addr;
    int port = 55432;
    if (fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
        port = ntohs(addr.sin_port);
    if (fd >= 0) close(fd);
    return port;
}

// One server per test program.
class PgServer {
public:
    static PgServer& Instance()
    {
        static PgServer server;
        started() = true;
        return server;
    }
    // Stops the server if one was started.
    static void StopIfStarted()
    {
        if (started()) Instance().Stop();
    }

    const std::string& SocketDir() const { return dir_; }
    int Port() const { return port_; }
    const std::string& User() const { return user_; }

    ~PgServer() { Stop(); }

    void Stop()
    {
        if (!started_) return;
        started_ = false;
        run(bin("pg_ctl") + " -D " + shellQuote(dir_ + "/data") + " -m immediate -w stop >/dev/null 2>&1");
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

private:
    PgServer()
    {
        const char* base = std::getenv("TMPDIR");
        std::string tmpl = std::string(base && *base ? base : "/tmp") + "/stockin-pg-XXXXXX";
        std::vector<char> buf(tmpl.begin(), tmpl.end());
        buf.push_back('\0');
        if (!mkdtemp(buf.data())) throw std::runtime_error("mkdtemp failed");
        dir_ = buf.data();
        root_ = geteuid() == 0;
        if (root_) {
            passwd* pw = getpwnam("postgres");
            if (!pw) throw std::runtime_error("no postgres user to run the test server");
            if (chown(dir_.c_str(), pw->pw_uid, pw->pw_gid) != 0) throw std::runtime_error("chown failed");
            user_ = "postgres";
        } else {
            passwd* pw = getpwuid(geteuid());
            user_ = pw ? pw->pw_name : "postgres";
        }
        chmod(dir_.c_str(), 0755);
        port_ = freePort();
        std::string data = dir_ + "/data";
        if (run(bin("initdb") + " -D " + shellQuote(data) + " -A trust -U " + user_ +
                " -E UTF8 --no-locale >" + shellQuote(dir_ + "/initdb.log") + " 2>&1") != 0)
            fail("initdb");
        std::string options = "-k " + dir_ + " -p " + std::to_string(port_) +
                              " -c listen_addresses='' -c fsync=off -c full_page_writes=off";
        if (run(bin("pg_ctl") + " -D " + shellQuote(data) + " -o " + shellQuote(options) + " -l " +
                shellQuote(dir_ + "/server.log") + " -w -t 60 start >/dev/null 2>&1") != 0)
            fail("pg_ctl start");
        started_ = true;
        // A crashed test program must not leave a server behind: the atexit of
        // the static instance stops it on every normal exit.
    }

    std::string bin(const char* name) const
    {
        std::string path = std::string("/usr/lib/postgresql/15/bin/") + name;
        if (root_) return "runuser -u postgres -- " + path;
        return path;
    }

    static int run(const std::string& command) { return std::system(command.c_str()); }

    [[noreturn]] void fail(const char* step)
    {
        std::string log;
        for (const char* f : {"/initdb.log", "/server.log"}) {
            std::ifstream in(dir_ + f);
            log += std::string(std::istreambuf_iterator<char>(in), {});
        }
        throw std::runtime_error(std::string(step) + " failed: " + log);
    }

    static bool& started()
    {
        static bool value = false;
        return value;
    }

    std::string dir_, user_;
    int port_ = 0;
    bool root_ = false;
    bool started_ = false;
};

class PgEnvironment : public ::testing::Environment {
public:
    void TearDown() override { PgServer::StopIfStarted(); }
};

const bool registered = [] {
    ::testing::AddGlobalTestEnvironment(new PgEnvironment);
    return true;
}();

}  // namespace

const char* EngineName(TestEngine engine)
{
    return engine == TestEngine::SQLite ? "SQLite" : "PostgreSQL";
}

TestDatabase::TestDatabase(TestEngine engine, bool schema) : engine_(engine)
{
    (void)registered;
    int n = ++counter;
    first_ = QStringLiteral("test%1a").arg(n);
    second_ = QStringLiteral("test%1b").arg(n);
    if (engine == TestEngine::SQLite) {
        dir_ = (fs::temp_directory_path() / ("stockin-test-" + std::to_string(getpid()) + "-" + std::to_string(n))).string();
        fs::create_directories(dir_);
        spec_ = dir_ + "/documents.sqlite";
    } else {
        PgServer& pg = PgServer::Instance();
        // A port other than the default is part of the socket's name.
        spec_ = "postgresql://" + pg.User() + "@localhost:" + std::to_string(pg.Port()) + "/postgres?host=" + pg.SocketDir();
    }
    HostDatabaseSpec spec = ParseDatabaseSpec(spec_);
    OpenHostDatabase(spec, first_);
    session_.AddDatabase("qdb", first_);
    if (engine == TestEngine::PostgreSQL)
        Db().ExecScript("SET client_min_messages = warning; DROP SCHEMA IF EXISTS public CASCADE; CREATE SCHEMA public;");
    else
        Db().ExecScript("PRAGMA journal_mode = WAL;");
    if (schema) CreateSchema(Db());
    RegisterHostRoutines(Db(), session_);
    SetDefaultSession(&session_);
}

TestDatabase::~TestDatabase()
{
    SetDefaultSession(nullptr);
    session_.RemoveDatabase("qdb");
    session_.RemoveDatabase("second");
    for (const QString& name : {first_, second_}) {
        {
            QSqlDatabase db = QSqlDatabase::database(name, false);
            if (db.isValid()) db.close();
        }
        if (QSqlDatabase::contains(name)) QSqlDatabase::removeDatabase(name);
    }
    if (!dir_.empty()) {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
}

std::string TestDatabase::OdbcSpec() const
{
    if (engine_ != TestEngine::PostgreSQL || !QSqlDatabase::isDriverAvailable("QODBC")) return {};
    if (!fs::exists("/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so")) return {};
    PgServer& pg = PgServer::Instance();
    return "odbc:Driver={PostgreSQL Unicode};Servername=" + pg.SocketDir() + ";Port=" + std::to_string(pg.Port()) +
           ";Database=postgres;Uid=" + pg.User();
}

TDatabase& TestDatabase::Second()
{
    if (!secondOpen_) {
        OpenHostDatabase(ParseDatabaseSpec(spec_), second_);
        session_.AddDatabase("second", second_);
        secondOpen_ = true;
        RegisterHostRoutines(session_.Database("second"), session_);
    }
    return session_.Database("second");
}

namespace {

std::vector<TBindValue> bindUtf8(const std::vector<Variant>& args)
{
    std::vector<TBindValue> values;
    for (const Variant& v : args)
        values.push_back({v.IsString() ? Variant(Utf8ToAnsi(v.StringValue())) : v, ftUnknown});
    return values;
}

}  // namespace

void TestDatabase::Exec(const std::string& utf8Sql, const std::vector<Variant>& args)
{
    Db().ExecSQL(Utf8ToAnsi(utf8Sql), bindUtf8(args));
}

std::string TestDatabase::Scalar(const std::string& utf8Sql, const std::vector<Variant>& args)
{
    auto cursor = Second().OpenCursor(Utf8ToAnsi(utf8Sql), bindUtf8(args));
    RecordBuilder row;
    row.Reset(1);
    if (!cursor->Fetch(row, {0}, {cursor->Columns()[0].DataType})) return {};
    RecordArena arena;
    return AnsiToUtf8(ReadCell(row.Commit(arena), 0).ToVariant().AsString());
}

void InsertSampleDocuments(TestDatabase& db)
{
    db.Exec("INSERT INTO XTTGSSZ0 VALUES ('C1', '一公司', 'Z2'), ('C2', '二公司', 'Z1')");
    // C3 has documents but no XTTGSSZ0 row: the header query never lists it.
    db.Exec("INSERT INTO GSTJYGL1 VALUES ('P1', '甲烟'), ('P2', '乙烟'), ('P3', '丙烟')");
    const char* header =
        "INSERT INTO XSTGJFP1 (GSDW00, DHAO00, CKRQ00, CKRYMC, YWRQ00, YWRYMC, DWDM00, DWMC00, GJBJ00, FPHAO0) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
    Variant null = Variant::Null();
    auto when = [](int y, int m, int d, int h) { return Variant::FromDateTime(EncodeDateTime(y, m, d, h, 0, 0, 0)); };
    db.Exec(header, {"C1", 101.0, when(2003, 3, 10, 10), "张三", null, null, "S1", "供货一", "ZM", "F101"});
    db.Exec(header, {"C1", 102.0, when(2003, 3, 12, 9), "张三", when(2003, 3, 13, 9), "李四", "S2", "供货二", "GJ", "F102"});
    db.Exec(header, {"C1", 103.0, when(2003, 3, 12, 9), "张三", null, null, "S1", "供货一", "ZM", "F103"});
    db.Exec(header, {"C2", 101.0, when(2003, 3, 11, 8), "王五", null, null, "S3", "供货三", "GJ", "F201"});
    db.Exec(header, {"C3", 900.0, when(2003, 3, 20, 8), "赵六", null, null, "S3", "供货三", "GJ", "F301"});
    const char* line = "INSERT INTO XSTGJFP2 VALUES (?, ?, ?, ?, ?, ?, ?, ?)";
    db.Exec(line, {"C1", 101.0, "P1", "甲烟", 12.5, 10.0, 125.0, 21.25});
    db.Exec(line, {"C1", 101.0, "P2", "乙烟", 20.0, 50.0, 1000.0, 170.0});
    db.Exec(line, {"C1", 101.0, "P3", "丙烟", 30.0, 100.0, 3000.0, 510.0});
    db.Exec(line, {"C1", 101.0, "P9", "无档案", 1.0, 1.0, 1.0, 0.17});  // no GSTJYGL1 row
    db.Exec(line, {"C1", 102.0, "P1", "甲烟", 11.0, 20.0, 220.0, 37.4});
    db.Exec(line, {"C2", 101.0, "P2", "乙烟", 21.0, 5.0, 105.0, 17.85});
}
