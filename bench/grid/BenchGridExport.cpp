// A loaded grid of a million rows ("items": code, Chinese name, price,
// quantity, amount, tax, with footer sums) written as XLSX and CSV, beside the
// floors measured in the same run:
//
//   BM_XlsxFloor   libxlsxwriter in constant-memory mode writing the same
//                  typed cells (header, rows, footer; the same number formats)
//                  from a std::vector of structs
//   BM_GridXlsx    TqvDBGrid::ExportToXlsx of the loaded grid
//   BM_CsvFloor    the same rows formatted with snprintf and written with fwrite
//   BM_GridCsv     TqvDBGrid::ExportToCsv
//
// Memory is the growth of the resident set's peak over the export (the grid
// and the floor's vector are loaded before). The data:
// bench/workloads/items.py 1000000 FILE, taken from $BENCH_ITEMS (default
// /tmp/items.sqlite); files are written to $TMPDIR (default /tmp).
#include "../PeakMemory.h"
#include "../workloads/ItemsSession.h"
#include "bench/GridBenchMain.h"

#include "grid/db/DBGrid.h"
#include "runtime/Application.h"
#include "runtime/db/Query.h"
#include "runtime/db/Session.h"

#include <QSqlDatabase>

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <xlsxwriter.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const kSelect = "SELECT code, name, price, qty, amount, tax FROM items ORDER BY id";

std::string outFile(const char* name)
{
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir ? dir : "/tmp") + "/bench-grid-export-" + name;
}

struct Row {
    std::string code, name;
    double price, qty, amount, tax;
};

// The rows as the floors get them: read once, kept for the run.
const std::vector<Row>& floorRows()
{
    static std::vector<Row> rows = [] {
        std::vector<Row> out;
        sqlite3* db = nullptr;
        sqlite3_open(itemsFile().c_str(), &db);
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, kSelect, -1, &stmt, nullptr);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            Row r;
            r.code = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
            r.name = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1));
            r.price = sqlite3_column_double(stmt, 2);
            r.qty = sqlite3_column_double(stmt, 3);
            r.amount = sqlite3_column_double(stmt, 4);
            r.tax = sqlite3_column_double(stmt, 5);
            out.push_back(std::move(r));
        }
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        return out;
    }();
    return rows;
}

// The items file as "qdb", and a loaded grid like the module's line grid.
struct ItemsGrid {
    ItemsGrid()
    {
        query.SetDatabaseName("qdb");
        query.SQL().SetText(kSelect);
        source.SetDataSet(&query);
        grid.SetDataSource(&source);
        grid.SetKeyField("code");
        grid.SetOptionsDB(grid.OptionsDB().With(edgoLoadAllRecords));
        for (const char* field : {"code", "name"}) grid.CreateColumnOf<TqvDBGridColumn>()->SetFieldName(field);
        for (const char* field : {"price", "qty", "amount", "tax"}) {
            auto* column = grid.CreateColumnOf<TqvDBGridCurrencyColumn>();
            column->SetFieldName(field);
            column->SetDisplayFormat(field[0] == 'p' ? ",0.000000;-,0.000000" : ",0.00;-,0.00");
            if (field[0] != 'p') column->SetSummaryFooterType(cstSum);
        }
        grid.SetShowSummaryFooter(true);
        grid.resize(1000, 600);
        query.Open();
    }
    ~ItemsGrid() { query.Close(); }
    Connection connection;  // first made, last gone
    TQuery query;
    TDataSource source;
    TqvDBGrid grid;
};

// Made on first use, freed in main() while the application still exists.
std::unique_ptr<ItemsGrid> items;

ItemsGrid& itemsGrid()
{
    if (!items) items = std::make_unique<ItemsGrid>();
    return *items;
}

template <class F>
void measure(benchmark::State& state, F&& write)
{
    PeakMemory memory;
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        memory.Start();
        state.ResumeTiming();
        write();
        state.PauseTiming();
        peak = std::max(peak, memory.StopMiB());
        state.ResumeTiming();
    }
    state.counters["peak_growth_MiB"] = peak;
}

void BM_XlsxFloor(benchmark::State& state)
{
    if (!haveItems(state)) return;
    const std::vector<Row>& rows = floorRows();
    const std::string file = outFile("floor.xlsx");
    measure(state, [&] {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        lxw_workbook* book = workbook_new_opt(file.c_str(), &options);
        lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
        lxw_format* bold = workbook_add_format(book);
        format_set_bold(bold);
        lxw_format* six = workbook_add_format(book);
        format_set_num_format(six, "#,##0.000000;-#,##0.000000");
        lxw_format* two = workbook_add_format(book);
        format_set_num_format(two, "#,##0.00;-#,##0.00");
        const char* captions[] = {"code", "name", "price", "qty", "amount", "tax"};
        for (lxw_col_t c = 0; c < 6; ++c) worksheet_write_string(sheet, 0, c, captions[c], bold);
        lxw_row_t r = 1;
        double sums[3] = {0, 0, 0};
        for (const Row& row : rows) {
            worksheet_write_string(sheet, r, 0, row.code.c_str(), nullptr);
            worksheet_write_string(sheet, r, 1, row.name.c_str(), nullptr);
            worksheet_write_number(sheet, r, 2, row.price, six);
            worksheet_write_number(sheet, r, 3, row.qty, two);
            worksheet_write_number(sheet, r, 4, row.amount, two);
            worksheet_write_number(sheet, r, 5, row.tax, two);
            sums[0] += row.qty;
            sums[1] += row.amount;
            sums[2] += row.tax;
            ++r;
        }
        for (lxw_col_t c = 0; c < 3; ++c) worksheet_write_number(sheet, r, 3 + c, sums[c], bold);
        workbook_close(book);
    });
    state.counters["rows"] = static_cast<double>(rows.size());
    std::filesystem::remove(file);
}
BENCHMARK(BM_XlsxFloor)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_GridXlsx(benchmark::State& state)
{
    if (!haveItems(state)) return;
    ItemsGrid& loaded = itemsGrid();
    const std::string file = outFile("grid.xlsx");
    measure(state, [&] { loaded.grid.ExportToXlsx(file); });
    state.counters["rows"] = loaded.grid.LoadedRecordCount();
    std::filesystem::remove(file);
}
BENCHMARK(BM_GridXlsx)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_CsvFloor(benchmark::State& state)
{
    if (!haveItems(state)) return;
    const std::vector<Row>& rows = floorRows();
    const std::string file = outFile("floor.csv");
    measure(state, [&] {
        FILE* out = std::fopen(file.c_str(), "wb");
        char line[512];
        std::fputs("code,name,price,qty,amount,tax\r\n", out);
        for (const Row& row : rows) {
            const int n = std::snprintf(line, sizeof line, "%s,%s,%.6f,%.2f,%.2f,%.2f\r\n", row.code.c_str(),
                                        row.name.c_str(), row.price, row.qty, row.amount, row.tax);
            std::fwrite(line, 1, static_cast<size_t>(n), out);
        }
        std::fclose(out);
    });
    std::filesystem::remove(file);
}
BENCHMARK(BM_CsvFloor)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_GridCsv(benchmark::State& state)
{
    if (!haveItems(state)) return;
    ItemsGrid& loaded = itemsGrid();
    const std::string file = outFile("grid.csv");
    measure(state, [&] { loaded.grid.ExportToCsv(file); });
    std::filesystem::remove(file);
}
BENCHMARK(BM_GridCsv)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) { return RunGridBenchmarks(argc, argv, [] { items.reset(); }); }
