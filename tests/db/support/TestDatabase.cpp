#include "TestDatabase.h"

#include "PgServer.h"

#include "db/HostDatabase.h"
#include "runtime/db/Param.h"

#include <QSqlDatabase>

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::atomic<int> counter{0};

class PgEnvironment : public ::testing::Environment {
public:
    void TearDown() override { ThrowawayPostgres::StopIfStarted(); }
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
        spec_ = ThrowawayPostgres::Instance().Url();
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
    ThrowawayPostgres& pg = ThrowawayPostgres::Instance();
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
