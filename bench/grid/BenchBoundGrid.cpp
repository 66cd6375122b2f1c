// The dataset-bound grid over a million rows ("items": code, Chinese name,
// price, quantity, amount, tax), beside the floor measured in the same run:
// a bare sqlite3_step loop copying every row into a std::vector of structs.
//
//   BM_Floor               the floor: time and peak memory growth
//   BM_LoadAllWithFooters  a load-all grid on a query over the table, with
//                          sums of quantity, amount and tax, until the
//                          footers are computed: time and peak memory growth
//   BM_FirstPaint          the first paint of the loaded grid at 1000x600
//   BM_PageDownAndPaint    Page Down and the paint that follows
//   BM_WindowOpenAndPaint  a window-mode grid: open the query and paint
//   BM_DownPress           one Down key in load-all mode (10,000 of them)
//   BM_SortFloorText       the floor of sorting: std::stable_sort of the
//   BM_SortFloorNumber     million names (as std::string) / amounts (double)
//   BM_SortByText          a header click sorting the loaded grid by name,
//                          in locale order (arg 0) and in ANSI order (arg 1)
//   BM_SortByNumber        a header click sorting it by amount
//   BM_SearchFloor         the floor of a search: one pass over the million
//                          codes comparing a prefix
//   BM_LookupKeystroke     one keystroke of a lookup editor's incremental
//                          search over a snapshot of the million codes
//   BM_FirstPaintAllLooks  the first paint with grid lines, inverted select,
//   BM_ScrollAndPaintAllLooks  footers and the indicator on; and a Page Down
//                          with its paint
//   BM_EditorOpen          F2 on a price cell in the middle of the loaded
//                          grid in cell mode: the editor loaded and shown
//   BM_EditorCommit        closing that editor after a typed price: checked,
//                          written to the field (counter "written"),
//                          OnEdited (no post, so no reload)
//   BM_FilterDropDownOpen  opening a column's filter list on the loaded grid
//                          (its distinct values gathered, the list shown):
//                          name (arg 1), price (2), qty (3)
//   BM_ValueFilterTenth    a condition keeping a tenth of the rows (qty <= 50)
//                          applied with its footers and the repaint, checked
//                          by the grid (arg 0) or handed to the query (arg 1);
//                          to be set against BM_LoadAllWithFooters
//
// The data: bench/workloads/items.py 1000000 FILE (scripts/bench makes it
// when it is missing); the file is taken from $BENCH_ITEMS (default
// /tmp/items.sqlite). Memory is the growth of the
// resident set's peak over the run (VmHWM reset through clear_refs).
#include "bench/GridBenchMain.h"
#include "grid/db/DBGrid.h"
#include "grid/db/FilterDropDown.h"
#include "grid/editors/InplaceEdit.h"
#include "grid/editors/InplaceLookupEdit.h"
#include "runtime/Application.h"
#include "runtime/db/Query.h"
#include "runtime/db/Session.h"

#include "../PeakMemory.h"
#include "../workloads/ItemsSession.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QSqlDatabase>

#include <benchmark/benchmark.h>
#include <algorithm>
#include <malloc.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const kSelect = "SELECT code, name, price, qty, amount, tax FROM items ORDER BY id";

void BM_Floor(benchmark::State& state)
{
    if (!haveItems(state)) return;
    struct Row {
        std::string code, name;
        double price, qty, amount, tax;
    };
    sqlite3* db = nullptr;
    sqlite3_open(itemsFile().c_str(), &db);
    PeakMemory memory;
    double peak = 0;
    size_t count = 0;
    for (auto _ : state) {
        state.PauseTiming();
        memory.Start();
        state.ResumeTiming();
        std::vector<Row> rows;
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, kSelect, -1, &stmt, nullptr);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            Row r;
            r.code.assign(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)),
                          static_cast<size_t>(sqlite3_column_bytes(stmt, 0)));
            r.name.assign(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1)),
                          static_cast<size_t>(sqlite3_column_bytes(stmt, 1)));
            r.price = sqlite3_column_double(stmt, 2);
            r.qty = sqlite3_column_double(stmt, 3);
            r.amount = sqlite3_column_double(stmt, 4);
            r.tax = sqlite3_column_double(stmt, 5);
            rows.push_back(std::move(r));
        }
        sqlite3_finalize(stmt);
        state.PauseTiming();
        peak = memory.StopMiB();
        count = rows.size();
        rows = {};
        state.ResumeTiming();
    }
    sqlite3_close(db);
    state.counters["rows"] = static_cast<double>(count);
    state.counters["peak_MiB"] = peak;
}
BENCHMARK(BM_Floor)->Unit(benchmark::kMillisecond)->Iterations(5);

// The grid, with its column places open to the header clicks.
struct BenchGrid : TqvDBGrid {
    using TqvDBGrid::PlaceColumns;
};

// A grid like the module's line grid, over the items.
struct ItemsGrid {
    explicit ItemsGrid(bool loadAll)
    {
        query.SetDatabaseName("qdb");
        query.SQL().SetText(kSelect);
        source.SetDataSet(&query);
        grid.SetDataSource(&source);
        grid.SetKeyField("code");
        if (loadAll) grid.SetOptionsDB(grid.OptionsDB().With(edgoLoadAllRecords));
        grid.SetOptionsView({edgoAutoWidth, edgoBandHeaderWidth, edgoRowSelect, edgoUseBitmap});
        for (const char* field : {"code", "name", "price", "qty", "amount", "tax"}) {
            auto* column = grid.CreateColumnOf<TqvDBGridCurrencyColumn>();
            column->SetFieldName(field);
            column->SetDisplayFormat(",0.00;-,0.00");
            if (field[0] == 'q' || field[0] == 'a' || field[0] == 't') column->SetSummaryFooterType(cstSum);
        }
        grid.SetShowSummaryFooter(true);
        grid.resize(1000, 600);
        image = QImage(grid.size(), QImage::Format_RGB32);
    }
    ~ItemsGrid() { query.Close(); }
    void Paint() { grid.render(&image); }

    TQuery query;
    TDataSource source;
    BenchGrid grid;
    QImage image;
};

void BM_LoadAllWithFooters(benchmark::State& state)
{
    if (!haveItems(state)) return;
    Connection connection;
    PeakMemory memory;
    double peak = 0;
    long double amount = 0;
    for (auto _ : state) {
        state.PauseTiming();
        memory.Start();
        auto items = std::make_unique<ItemsGrid>(true);
        state.ResumeTiming();
        items->query.Open();
        state.PauseTiming();
        peak = memory.StopMiB();
        amount = static_cast<TqvDBTreeListColumn*>(items->grid.Columns(4))->SummaryFooterValue();
        items.reset();
        state.ResumeTiming();
    }
    state.counters["peak_MiB"] = peak;
    state.counters["sum_amount"] = static_cast<double>(amount);
}
BENCHMARK(BM_LoadAllWithFooters)->Unit(benchmark::kMillisecond)->Iterations(5);

// A loaded grid shared by the paint and key benchmarks; main lets it go
// while the application still runs (its filter list is a window of its own).
std::unique_ptr<Connection> sharedConnection;
std::unique_ptr<ItemsGrid> sharedGrid;
ItemsGrid& loadedGrid()
{
    if (!sharedGrid) {
        sharedConnection = std::make_unique<Connection>();
        sharedGrid = std::make_unique<ItemsGrid>(true);
        sharedGrid->query.Open();
    }
    return *sharedGrid;
}

void pressKey(QWidget& w, int qtKey)
{
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
    QApplication::sendEvent(&w, &press);
}

// The top of the grid painted afresh, and a page down with its repaint.
void paintFromTop(benchmark::State& state, ItemsGrid& items)
{
    for (auto _ : state) {
        items.grid.SetTopVisibleNode(items.grid.Items(0));
        items.Paint();
    }
}
void pageDownAndPaint(benchmark::State& state, ItemsGrid& items)
{
    for (auto _ : state) {
        pressKey(items.grid, Qt::Key_PageDown);
        items.Paint();
    }
}

void BM_FirstPaint(benchmark::State& state)
{
    if (haveItems(state)) paintFromTop(state, loadedGrid());
}
BENCHMARK(BM_FirstPaint)->Unit(benchmark::kMillisecond);

void BM_PageDownAndPaint(benchmark::State& state)
{
    if (haveItems(state)) pageDownAndPaint(state, loadedGrid());
}
BENCHMARK(BM_PageDownAndPaint)->Unit(benchmark::kMillisecond);

void BM_DownPress(benchmark::State& state)
{
    if (!haveItems(state)) return;
    ItemsGrid& items = loadedGrid();
    items.query.First();
    for (auto _ : state) pressKey(items.grid, Qt::Key_Down);
    state.counters["recno"] = items.query.RecNo();
}
BENCHMARK(BM_DownPress)->Unit(benchmark::kMicrosecond)->Iterations(10000);

// The million names and amounts, read once.
struct SortData {
    std::vector<std::string> names;
    std::vector<double> amounts;
};
const SortData& sortData()
{
    static SortData data = [] {
        SortData d;
        sqlite3* db = nullptr;
        sqlite3_open(itemsFile().c_str(), &db);
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, "SELECT name, amount FROM items ORDER BY id", -1, &stmt, nullptr);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            d.names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)),
                                 static_cast<size_t>(sqlite3_column_bytes(stmt, 0)));
            d.amounts.push_back(sqlite3_column_double(stmt, 1));
        }
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        return d;
    }();
    return data;
}

void BM_SortFloorText(benchmark::State& state)
{
    if (!haveItems(state)) return;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::string> names = sortData().names;
        state.ResumeTiming();
        std::stable_sort(names.begin(), names.end());
        benchmark::DoNotOptimize(names.data());
    }
}
BENCHMARK(BM_SortFloorText)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SortFloorNumber(benchmark::State& state)
{
    if (!haveItems(state)) return;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<double> amounts = sortData().amounts;
        state.ResumeTiming();
        std::stable_sort(amounts.begin(), amounts.end());
        benchmark::DoNotOptimize(amounts.data());
    }
}
BENCHMARK(BM_SortFloorNumber)->Unit(benchmark::kMillisecond)->Iterations(5);

void clickHeader(BenchGrid& grid, int column)
{
    QPoint at(0, 4);
    for (const auto& p : grid.PlaceColumns())
        if (p.position == column) at.setX(p.left + p.width / 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, grid.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&grid, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, grid.mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&grid, &release);
}

// A header click: the first sorts ascending, the next descending, and so on.
void sortBy(benchmark::State& state, int column)
{
    ItemsGrid& items = loadedGrid();
    items.grid.SetOptionsBehavior(items.grid.OptionsBehavior().With(edgoAutoSort).Set(edgoAnsiSort, state.range(0) != 0));
    for (auto _ : state) clickHeader(items.grid, column);
    state.counters["sorted_by_column"] = items.grid.Columns(column)->Sorted();
}

void BM_SortByText(benchmark::State& state)
{
    if (!haveItems(state)) return;
    sortBy(state, 1);
}
BENCHMARK(BM_SortByText)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(4);

void BM_SortByNumber(benchmark::State& state)
{
    if (!haveItems(state)) return;
    sortBy(state, 4);
}
BENCHMARK(BM_SortByNumber)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(4);

const std::vector<std::string>& codes()
{
    static std::vector<std::string> data = [] {
        std::vector<std::string> d;
        sqlite3* db = nullptr;
        sqlite3_open(itemsFile().c_str(), &db);
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, "SELECT code FROM items ORDER BY id", -1, &stmt, nullptr);
        while (sqlite3_step(stmt) == SQLITE_ROW)
            d.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)),
                           static_cast<size_t>(sqlite3_column_bytes(stmt, 0)));
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        return d;
    }();
    return data;
}

void BM_SearchFloor(benchmark::State& state)
{
    if (!haveItems(state)) return;
    const auto& all = codes();
    const std::string prefix = "C12345";
    for (auto _ : state) {
        auto it = std::find_if(all.begin(), all.end(), [&](const std::string& c) { return c.compare(0, prefix.size(), prefix) == 0; });
        benchmark::DoNotOptimize(it);
    }
}
BENCHMARK(BM_SearchFloor)->Unit(benchmark::kMillisecond);

void BM_LookupKeystroke(benchmark::State& state)
{
    if (!haveItems(state)) return;
    TqvInplaceLookupEdit editor(nullptr);
    std::vector<TqvLookupItem> items;
    for (size_t i = 0; i < codes().size(); ++i) items.push_back({Variant(static_cast<int>(i)), codes()[i]});
    editor.SetListItems(std::move(items));
    const char typed[] = "C12345";
    size_t at = 0;
    for (auto _ : state) {
        if (at == sizeof typed - 1) {
            state.PauseTiming();
            editor.LoadValue(Variant::Null());  // a new search
            at = 0;
            state.ResumeTiming();
        }
        editor.TypeCharacter(static_cast<char32_t>(typed[at++]));
    }
    state.counters["key"] = static_cast<double>(editor.Key().IsNull() ? -1 : editor.Key().AsFloat());
}
BENCHMARK(BM_LookupKeystroke)->Unit(benchmark::kMillisecond);

ItemsGrid& allLooks()
{
    ItemsGrid& items = loadedGrid();
    items.grid.SetOptionsView({edgoAutoWidth, edgoBandHeaderWidth, edgoInvertSelect, edgoUseBitmap, edgoIndicator});
    items.grid.SetShowGrid(true);
    return items;
}

void BM_FirstPaintAllLooks(benchmark::State& state)
{
    if (haveItems(state)) paintFromTop(state, allLooks());
}
BENCHMARK(BM_FirstPaintAllLooks)->Unit(benchmark::kMillisecond);

void BM_ScrollAndPaintAllLooks(benchmark::State& state)
{
    if (haveItems(state)) pageDownAndPaint(state, allLooks());
}
BENCHMARK(BM_ScrollAndPaintAllLooks)->Unit(benchmark::kMillisecond);
// The loaded grid in cell mode on a price cell half-way down, for the
// editor benchmarks; row selection comes back at the end.
struct CellMode {
    explicit CellMode(ItemsGrid& items) : grid(items.grid)
    {
        grid.SetOptionsView(grid.OptionsView().Without(edgoRowSelect).With(edgoInvertSelect));
        grid.SetFocusedNode(grid.GetNodeAtAbsoluteIndex(grid.AbsoluteCount() / 2));
        grid.SetFocusedColumn(2);
    }
    ~CellMode()
    {
        grid.HideEditor();
        grid.SetOptionsView(grid.OptionsView().Without(edgoInvertSelect).With(edgoRowSelect));
    }
    TqvDBGrid& grid;
};

void BM_EditorOpen(benchmark::State& state)
{
    if (!haveItems(state)) return;
    ItemsGrid& items = loadedGrid();
    CellMode mode(items);
    for (auto _ : state) {
        pressKey(items.grid, Qt::Key_F2);
        state.PauseTiming();
        if (!items.grid.InplaceEditor()) state.SkipWithError("no editor");
        items.grid.HideEditor();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EditorOpen)->Unit(benchmark::kMicrosecond)->Iterations(200);

void BM_EditorCommit(benchmark::State& state)
{
    if (!haveItems(state)) return;
    ItemsGrid& items = loadedGrid();
    CellMode mode(items);
    items.query.SetCachedUpdates(true);  // so that the typed price reaches the field
    int edited = 0;
    items.grid.OnEdited = [&](TComponent*, TqvTreeListNode*) { ++edited; };
    for (auto _ : state) {
        state.PauseTiming();
        pressKey(items.grid, Qt::Key_F2);
        TqvInplaceEdit* editor = items.grid.InplaceEditor();
        if (!editor) {
            state.SkipWithError("no editor");
            break;
        }
        QKeyEvent digit(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
        QApplication::sendEvent(editor->FocusWidget(), &digit);
        state.ResumeTiming();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(editor->FocusWidget(), &enter);
    }
    state.counters["edited"] = edited;
    // The field holds the typed value: the commit wrote it.
    state.counters["written"] = items.query.FieldByName("price")->AsFloat() == 7;
    items.grid.OnEdited = nullptr;
    items.query.Cancel();
    items.query.SetCachedUpdates(false);
}
BENCHMARK(BM_EditorCommit)->Unit(benchmark::kMicrosecond)->Iterations(200);

// The editor over a cell of the new-item row above the loaded million rows:
// opening it must cost what opening it on a record costs.
void BM_NewItemRowEditorOpen(benchmark::State& state)
{
    if (!haveItems(state)) return;
    ItemsGrid& items = loadedGrid();
    CellMode mode(items);
    items.query.SetCachedUpdates(true);  // a dataset that takes new records
    items.grid.SetShowNewItemRow(true);
    if (!items.grid.FocusNewItemRow(2)) state.SkipWithError("the new-item row takes no focus");
    for (auto _ : state) {
        pressKey(items.grid, Qt::Key_F2);
        state.PauseTiming();
        if (!items.grid.InplaceEditor()) state.SkipWithError("no editor");
        items.grid.HideEditor();
        state.ResumeTiming();
    }
    items.grid.SetShowNewItemRow(false);
    items.query.SetCachedUpdates(false);
}
BENCHMARK(BM_NewItemRowEditorOpen)->Unit(benchmark::kMicrosecond)->Iterations(200);

void BM_WindowOpenAndPaint(benchmark::State& state)
{
    if (!haveItems(state)) return;
    Connection connection;
    for (auto _ : state) {
        state.PauseTiming();
        auto items = std::make_unique<ItemsGrid>(false);
        state.ResumeTiming();
        items->query.Open();
        items->Paint();
        state.PauseTiming();
        items.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WindowOpenAndPaint)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_FilterDropDownOpen(benchmark::State& state)
{
    if (!haveItems(state)) return;
    ItemsGrid& items = loadedGrid();
    items.grid.Filter().SetActive(true);
    auto* column = static_cast<TqvDBTreeListColumn*>(items.grid.Columns(static_cast<int>(state.range(0))));
    int entries = 0;
    for (auto _ : state) {
        items.grid.DropDownFilter(column);
        state.PauseTiming();
        entries = items.grid.FilterDropDown()->List()->count();
        items.grid.FilterDropDown()->hide();
        state.ResumeTiming();
    }
    state.counters["entries"] = entries;
}
BENCHMARK(BM_FilterDropDownOpen)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ValueFilterTenth(benchmark::State& state)
{
    if (!haveItems(state)) return;
    ItemsGrid& items = loadedGrid();
    TqvDBGridFilter& filter = items.grid.Filter();
    filter.SetActive(true);
    filter.SetAutoDataSetFilter(state.range(0) == 1);
    TqvColumnFilter condition;
    condition.Column = static_cast<TqvDBTreeListColumn*>(items.grid.Columns(3));
    condition.First.Op = TFieldFilterOp::LessEqual;
    condition.First.Values = {Variant(50.0)};
    condition.First.Text = "50";
    int shown = 0;
    for (auto _ : state) {
        filter.SetColumnFilter(condition);
        items.grid.ApplyFilter();
        items.Paint();
        state.PauseTiming();
        shown = items.grid.Count();
        items.grid.ClearFilter();
        state.ResumeTiming();
    }
    filter.SetAutoDataSetFilter(false);
    state.counters["rows"] = shown;
}
BENCHMARK(BM_ValueFilterTenth)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv)
{
    return RunGridBenchmarks(argc, argv, [] {
        sharedGrid.reset();
        sharedConnection.reset();
    });
}
