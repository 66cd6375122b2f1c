// Reading a large result through TQuery beside a bare sqlite3 loop over the
// same columns, and the time until a query's first row is available.
//
// The table has the shape of the document lines: three short texts, a Chinese
// product name (converted to GBK on the way in, as the module reads it) and
// five numbers. It is written once per run into a temporary file.
#include "db/HostDatabase.h"
#include "runtime/db/FieldKinds.h"
#include "runtime/db/Query.h"
#include "runtime/db/Session.h"

#include <QCoreApplication>
#include <QSqlDatabase>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

const char* const kNames[] = {"中华(硬)", "玉溪(软)", "云烟(紫)", "芙蓉王(硬)", "黄鹤楼(软蓝)", "红塔山(经典)", "利群(新版)"};
const char* const kSelect = "SELECT GSDW00, DHAO00, SPDM00, SPMC00, DJIA00, SL0000, JE0000, SE0000 FROM LINES";

std::string tableFile(int rows)
{
    static std::string dir = (std::filesystem::temp_directory_path() / ("stockin-bench-" + std::to_string(getpid()))).string();
    std::filesystem::create_directories(dir);
    std::string file = dir + "/lines" + std::to_string(rows) + ".sqlite";
    if (std::filesystem::exists(file)) return file;
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_exec(db,
                 "CREATE TABLE LINES (GSDW00 VARCHAR(12), DHAO00 DOUBLE, SPDM00 VARCHAR(8), SPMC00 VARCHAR(30),"
                 " DJIA00 DOUBLE, SL0000 DOUBLE, JE0000 DOUBLE, SE0000 DOUBLE); BEGIN",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt* ins = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO LINES VALUES (?,?,?,?,?,?,?,?)", -1, &ins, nullptr);
    for (int i = 0; i < rows; ++i) {
        std::string code = std::to_string(6901028 + i % 40 * 7);
        double price = 80 + (i % 8200) / 10.0, quantity = 50.0 * (1 + i % 40);
        sqlite3_bind_text(ins, 1, "110101", -1, SQLITE_STATIC);
        sqlite3_bind_double(ins, 2, 2024000001.0 + i / 20);
        sqlite3_bind_text(ins, 3, code.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(ins, 4, kNames[i % 7], -1, SQLITE_STATIC);
        sqlite3_bind_double(ins, 5, price);
        sqlite3_bind_double(ins, 6, quantity);
        sqlite3_bind_double(ins, 7, price * quantity);
        sqlite3_bind_double(ins, 8, price * quantity / 100 * 17);
        sqlite3_step(ins);
        sqlite3_reset(ins);
    }
    sqlite3_finalize(ins);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return file;
}

// A session with the table's file as "qdb".
struct Connection {
    explicit Connection(int rows)
    {
        name = QString::fromStdString("bench" + std::to_string(rows));
        if (!QSqlDatabase::contains(name)) OpenHostDatabase(ParseDatabaseSpec(tableFile(rows)), name);
        session.AddDatabase("qdb", name);
        SetDefaultSession(&session);
    }
    ~Connection() { SetDefaultSession(nullptr); }
    QString name;
    TSession session;
};

void openLines(TQuery& q)
{
    q.SetDatabaseName("qdb");
    q.SQL().SetText(kSelect);
    q.Open();
}

void BM_QueryWalk(benchmark::State& state)
{
    int rows = static_cast<int>(state.range(0));
    Connection c(rows);
    for (auto _ : state) {
        TQuery q;
        openLines(q);
        std::vector<TField*> texts, numbers;
        for (TField* f : q.Fields()) (f->DataType() == ftString ? texts : numbers).push_back(f);
        size_t bytes = 0;
        double sum = 0;
        for (; !q.Eof(); q.Next()) {
            for (TField* f : texts) bytes += f->AsString().size();
            for (TField* f : numbers) sum += f->AsFloat();
        }
        benchmark::DoNotOptimize(bytes);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

void BM_BareSqliteWalk(benchmark::State& state)
{
    int rows = static_cast<int>(state.range(0));
    std::string file = tableFile(rows);
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    for (auto _ : state) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, kSelect, -1, &stmt, nullptr);
        size_t bytes = 0;
        double sum = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int c : {0, 2, 3}) {
                benchmark::DoNotOptimize(sqlite3_column_text(stmt, c));
                bytes += static_cast<size_t>(sqlite3_column_bytes(stmt, c));
            }
            for (int c : {1, 4, 5, 6, 7}) sum += sqlite3_column_double(stmt, c);
        }
        sqlite3_finalize(stmt);
        benchmark::DoNotOptimize(bytes);
        benchmark::DoNotOptimize(sum);
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * rows);
}

// Open and read the first row's fields: what a window waits for before it can
// paint.
void BM_QueryOpen(benchmark::State& state)
{
    int rows = static_cast<int>(state.range(0));
    Connection c(rows);
    for (auto _ : state) {
        TQuery q;
        openLines(q);
        benchmark::DoNotOptimize(q.FieldByName("SPMC00")->AsString());
    }
}

}  // namespace

BENCHMARK(BM_QueryWalk)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BareSqliteWalk)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_QueryOpen)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::temp_directory_path() / ("stockin-bench-" + std::to_string(getpid())), ec);
    return 0;
}
