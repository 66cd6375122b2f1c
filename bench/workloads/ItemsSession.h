#pragma once
// The "items" workload of the benchmarks (items.py) as database alias "qdb":
// where the file is ($BENCH_ITEMS, default /tmp/items.sqlite), a benchmark
// skipped with a hint when it is missing, and a session of its own that is
// the default session while it lives.

#include "runtime/db/Session.h"

#include <QSqlDatabase>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

inline std::string itemsFile()
{
    const char* file = std::getenv("BENCH_ITEMS");
    return file ? file : "/tmp/items.sqlite";
}

inline bool haveItems(benchmark::State& state)
{
    if (std::filesystem::exists(itemsFile())) return true;
    state.SkipWithError(("no " + itemsFile() + ": make it with bench/workloads/items.py 1000000 FILE").c_str());
    return false;
}

// The items file as "qdb" of a session of its own.
struct Connection {
    Connection()
    {
        if (!QSqlDatabase::contains("items")) {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "items");
            db.setDatabaseName(QString::fromStdString(itemsFile()));
            db.open();
        }
        session.AddDatabase("qdb", "items");
        SetDefaultSession(&session);
    }
    ~Connection() { SetDefaultSession(nullptr); }
    TSession session;
};
