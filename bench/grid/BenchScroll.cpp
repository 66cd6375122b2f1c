// Scrolling the dataset-bound grid over the million "items" rows, beside the
// floor measured in the same run:
//
//   BM_StepFloor/N          the floor of a long jump: a bare sqlite3_step
//                           loop over the first N rows of the same statement
//   BM_WheelStepAndPaint/M  one wheel notch down and the paint that follows,
//                           in load-all (0), partial (1) and window mode (2)
//   BM_ThumbSizing          the count that sizes the window-mode thumb on a
//                           freshly opened query (what the bar asks at open)
//   BM_ThumbToMiddle        window mode: the thumb dragged from the top to
//                           the middle, the rows fetched and painted
//
// The data: bench/workloads/items.py 1000000 FILE, taken from $BENCH_ITEMS
// (default /tmp/items.sqlite).
#include "bench/GridBenchMain.h"
#include "grid/db/DBGrid.h"
#include "runtime/Application.h"
#include "runtime/db/Query.h"
#include "runtime/db/Session.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QWheelEvent>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

const char* const kSelect = "SELECT code, name, price, qty, amount, tax FROM items ORDER BY id";
constexpr int kMiddle = 500000;

std::string itemsFile()
{
    const char* file = std::getenv("BENCH_ITEMS");
    return file ? file : "/tmp/items.sqlite";
}

bool haveItems(benchmark::State& state)
{
    if (std::filesystem::exists(itemsFile())) return true;
    state.SkipWithError(("no " + itemsFile() + ": make it with bench/workloads/items.py 1000000 FILE").c_str());
    return false;
}

// The items file as "qdb" of the process's session, for the whole run.
void connect()
{
    static TSession session;
    if (QSqlDatabase::contains("items")) return;
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "items");
    db.setDatabaseName(QString::fromStdString(itemsFile()));
    db.open();
    session.AddDatabase("qdb", "items");
    SetDefaultSession(&session);
}

// A grid like the module's header grid over the items, in one load mode.
struct ScrollGrid {
    explicit ScrollGrid(TqvDBLoadMode mode)
    {
        connect();
        query.SetDatabaseName("qdb");
        query.SQL().SetText(kSelect);
        source.SetDataSet(&query);
        grid.SetDataSource(&source);
        grid.SetKeyField("code");
        if (mode == TqvDBLoadMode::LoadAll) grid.SetOptionsDB(grid.OptionsDB().With(edgoLoadAllRecords));
        if (mode == TqvDBLoadMode::Partial) grid.SetOptionsDB(grid.OptionsDB().With(edgoPartialLoad));
        grid.SetOptionsView({edgoAutoWidth, edgoBandHeaderWidth, edgoRowSelect, edgoUseBitmap});
        for (const char* field : {"code", "name", "price", "qty", "amount", "tax"}) {
            auto* column = grid.CreateColumnOf<TqvDBGridCurrencyColumn>();
            column->SetFieldName(field);
        }
        grid.resize(1000, 600);
        image = QImage(grid.size(), QImage::Format_RGB32);
    }
    ~ScrollGrid() { query.Close(); }
    void Paint() { grid.render(&image); }
    void Wheel(int notches)
    {
        QPointF at(500, 300);
        QWheelEvent event(at, grid.mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&grid, &event);
    }

    TQuery query;
    TDataSource source;
    TqvDBGrid grid;
    QImage image;
};

void BM_StepFloor(benchmark::State& state)
{
    if (!haveItems(state)) return;
    sqlite3* db = nullptr;
    sqlite3_open(itemsFile().c_str(), &db);
    const int rows = static_cast<int>(state.range(0));
    double sum = 0;
    for (auto _ : state) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, kSelect, -1, &stmt, nullptr);
        for (int i = 0; i < rows && sqlite3_step(stmt) == SQLITE_ROW; ++i) {
            // Touch every column, as a fetch does.
            sum += sqlite3_column_bytes(stmt, 0) + sqlite3_column_bytes(stmt, 1) + sqlite3_column_double(stmt, 2) +
                   sqlite3_column_double(stmt, 3) + sqlite3_column_double(stmt, 4) + sqlite3_column_double(stmt, 5);
        }
        sqlite3_finalize(stmt);
    }
    benchmark::DoNotOptimize(sum);
    sqlite3_close(db);
}
BENCHMARK(BM_StepFloor)->Arg(kMiddle)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_WheelStepAndPaint(benchmark::State& state)
{
    if (!haveItems(state)) return;
    const TqvDBLoadMode modes[] = {TqvDBLoadMode::LoadAll, TqvDBLoadMode::Partial, TqvDBLoadMode::Window};
    const TqvDBLoadMode mode = modes[state.range(0)];
    ScrollGrid items(mode);
    items.query.Open();
    items.Paint();
    int steps = 0;
    for (auto _ : state) {
        // Down to the end and back up, a notch at a time.
        items.Wheel(steps++ % 2000 < 1000 ? -1 : 1);
        items.Paint();
    }
    state.counters["recno"] = items.query.RecNo();
    state.counters["top"] = items.grid.VerticalScrollBar()->value();
}
BENCHMARK(BM_WheelStepAndPaint)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(2000);

void BM_ThumbSizing(benchmark::State& state)
{
    if (!haveItems(state)) return;
    connect();
    int count = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TQuery query;
        query.SetDatabaseName("qdb");
        query.SQL().SetText(kSelect);
        query.Open();
        state.ResumeTiming();
        count = query.CountRecords();
        state.PauseTiming();
        query.Close();
        state.ResumeTiming();
    }
    state.counters["records"] = count;
}
BENCHMARK(BM_ThumbSizing)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_ThumbToMiddle(benchmark::State& state)
{
    if (!haveItems(state)) return;
    int top = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto items = std::make_unique<ScrollGrid>(TqvDBLoadMode::Window);
        items->query.Open();
        items->Paint();
        QScrollBar* bar = items->grid.VerticalScrollBar();
        state.ResumeTiming();
        bar->setSliderDown(true);
        bar->setSliderPosition(kMiddle);
        bar->setSliderDown(false);
        items->Paint();
        state.PauseTiming();
        top = bar->value();
        items.reset();
        state.ResumeTiming();
    }
    state.counters["top"] = top;
}
BENCHMARK(BM_ThumbToMiddle)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) { return RunGridBenchmarks(argc, argv); }
