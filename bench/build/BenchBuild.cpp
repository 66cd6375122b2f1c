// Building a list report from the "items" workload (bench/workloads/items.py
// N): an A4 list whose page header has six captions, whose master data band
// prints code, name, price (6 decimals), quantity, amount and tax (2
// decimals, thousands separators), with "Page [PAGE#] of [TOTALPAGES]" in
// the page footer and the sums of amount and tax in the summary
// (items-list.json).
//
//   BM_Floor     reading the rows with sqlite3_step and formatting the six
//                values with snprintf: what no report can beat
//   BM_OnePass   the build in one pass
//   BM_TwoPass   the whole two-pass build (TOTALPAGES known)
//   BM_OnePassStretched  one pass with the name memo narrowed and stretched:
//                every name wraps to two lines and every row grows to them
//   BM_OnePassCode128  one pass with a Code 128 of the item code on every row
//                (beside the code's text): within 1.5x of BM_OnePass (1.35x
//                when written: 164 against 122 ms for 10,000 rows)
//   BM_Pdf       the prepared pages as PDF (ms_per_page)
//   BM_PdfCodes  the same with a QR code and a Code 128 in every page header:
//                at most 8 ms per page (3.2 against 2.6 when written)
//   BM_Xlsx      the prepared pages as a spreadsheet (one cell per memo,
//   BM_Csv       typed numbers) and as CSV, into a file: beside BM_Pdf of
//                the same rows, with the growth of the memory peak (peak_MiB)
// Counters: pages, bytes_per_page (memory the prepared pages hold).
//
// The data files are made once in $TMPDIR/stockin-bench-items with the
// generator (ITEMS_PY overrides where it is).
#include "bench/PeakMemory.h"
#include "db/HostDatabase.h"
#include "report/data/DBDataSet.h"
#include "report/export/ReportExport.h"
#include "report/model/BarcodeView.h"
#include "report/model/Page.h"
#include "report/model/Report.h"
#include "report/model/View.h"
#include "report/pages/EMFPages.h"
#include "report/pages/PageRender.h"
#include "report/printer/Printer.h"
#include "report/stream/TemplateJson.h"
#include "runtime/Application.h"
#include "runtime/FormatSettings.h"
#include "runtime/db/Query.h"
#include "runtime/db/Session.h"

#include <QBuffer>
#include <QSqlDatabase>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::string itemsFile(int rows)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "stockin-bench-items";
    std::filesystem::create_directories(dir);
    const std::string file = (dir / ("items-" + std::to_string(rows) + ".sqlite")).string();
    if (std::filesystem::exists(file)) return file;
    const char* generator = std::getenv("ITEMS_PY") ? std::getenv("ITEMS_PY") : ITEMS_GENERATOR;
    const std::string command = "python3 '" + std::string(generator) + "' " + std::to_string(rows) + " '" + file +
                                "' > /dev/null";
    if (std::system(command.c_str()) != 0 || !std::filesystem::exists(file)) {
        std::fprintf(stderr, "cannot make %s with %s (set ITEMS_PY)\n", file.c_str(), generator);
        std::exit(1);
    }
    return file;
}

const char* const kSelect = "SELECT code, name, price, qty, amount, tax FROM items ORDER BY id";

// The report of the workload over its file, as rqtool prepare sets it up.
struct ItemsReport {
    enum Codes { NoCodes, RowCode128, HeaderCodes };
    explicit ItemsReport(int rows, bool twoPass, bool stretched = false, Codes codes = NoCodes)
    {
        const QString connection = QString::fromStdString("items" + std::to_string(rows));
        if (!QSqlDatabase::contains(connection)) OpenHostDatabase(ParseDatabaseSpec(itemsFile(rows)), connection);
        session.AddDatabase("qdb", connection);
        SetDefaultSession(&session);
        auto* query = new TQuery(&form);
        query->SetName("Q1");
        query->SetDatabaseName("qdb");
        query->SQL().SetText(kSelect);
        auto* items = new TrqDBDataSet(&form);
        items->SetName("items");
        items->SetDataSet(query);
        items->SetCloseDataSource(true);  // every build reads the rows again
        report = new TrqReport(&form);
        std::ifstream in(ITEMS_TEMPLATE);
        TemplateFromJson(*report, std::string(std::istreambuf_iterator<char>(in), {}));
        report->SetTwoPass(twoPass);
        report->SetShowProgress(false);
        if (stretched) {
            TrqView* name = report->FindObject("Name");
            name->Width = 90;
            name->Flags = flStretched | flWordWrap;
            report->FindObject("MasterData1")->Flags |= flStretched;
        }
        TrqPage& page = *report->Pages()[0];
        if (codes == RowCode128) {
            // Beside the code's text, in the row's height.
            report->FindObject("Name")->Width = 150;
            addCode(page, "RowCode", bcCode128, "[Q1.\"code\"]", 260, 60, 100, 20);
        } else if (codes == HeaderCodes) {
            report->FindObject("PageHeader1")->Height = 100;
            for (int i = 0; i < page.Count(); ++i)
                if (page.Objects(i)->Top >= 60 && page.Objects(i)->Top < 1000) page.Objects(i)->Top += 80;
            addCode(page, "PageQR", bcQRCode, "Items list, page [PAGE#] of [TOTALPAGES]", 20, 44, 60, 60);
            addCode(page, "PageCode", bcCode128, "ITEMS-[PAGE#]", 400, 44, 300, 50);
        }
    }
    ~ItemsReport() { SetDefaultSession(nullptr); }

    static void addCode(TrqPage& page, const char* name, uint8_t symbology, const char* content, int left, int top,
                        int width, int height)
    {
        auto code = std::make_unique<TrqBarcodeView>();
        code->Name = name;
        code->Symbology = symbology;
        code->Memo.Add(content);
        code->Left = left;
        code->Top = top;
        code->Width = width;
        code->Height = height;
        code->SetFlag(flBarcodeShowText, false);
        page.Add(std::move(code));
    }

    TSession session;
    TComponent form;
    TrqReport* report = nullptr;
};

void BM_Floor(benchmark::State& state)
{
    const std::string file = itemsFile(static_cast<int>(state.range(0)));
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    char text[6][64];
    for (auto _ : state) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, kSelect, -1, &stmt, nullptr);
        size_t bytes = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            bytes += std::snprintf(text[0], sizeof text[0], "%s", sqlite3_column_text(stmt, 0));
            bytes += std::snprintf(text[1], sizeof text[1], "%s", sqlite3_column_text(stmt, 1));
            bytes += std::snprintf(text[2], sizeof text[2], "%.6f", sqlite3_column_double(stmt, 2));
            bytes += std::snprintf(text[3], sizeof text[3], "%.2f", sqlite3_column_double(stmt, 3));
            bytes += std::snprintf(text[4], sizeof text[4], "%.2f", sqlite3_column_double(stmt, 4));
            bytes += std::snprintf(text[5], sizeof text[5], "%.2f", sqlite3_column_double(stmt, 5));
            benchmark::DoNotOptimize(text);
        }
        sqlite3_finalize(stmt);
        benchmark::DoNotOptimize(bytes);
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void build(benchmark::State& state, bool twoPass, bool stretched = false,
           ItemsReport::Codes codes = ItemsReport::NoCodes)
{
    ItemsReport items(static_cast<int>(state.range(0)), twoPass, stretched, codes);
    for (auto _ : state)
        if (!items.report->PrepareReport()) state.SkipWithError("the build failed");
    TrqEMFPages& pages = items.report->EMFPages();
    state.counters["pages"] = pages.Count();
    state.counters["bytes_per_page"] = pages.Count() ? double(pages.MemoryUsed()) / pages.Count() : 0;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_OnePass(benchmark::State& state) { build(state, false); }
void BM_TwoPass(benchmark::State& state) { build(state, true); }
void BM_OnePassStretched(benchmark::State& state) { build(state, false, true); }
void BM_OnePassCode128(benchmark::State& state) { build(state, false, false, ItemsReport::RowCode128); }

void pdf(benchmark::State& state, ItemsReport::Codes codes)
{
    ItemsReport items(static_cast<int>(state.range(0)), true, false, codes);
    if (!items.report->PrepareReport()) state.SkipWithError("the build failed");
    TrqEMFPages& pages = items.report->EMFPages();
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        RenderPdf(pages, buffer);
        benchmark::DoNotOptimize(buffer.size());
    }
    state.counters["pages"] = pages.Count();
    state.counters["ms_per_page"] = benchmark::Counter(
        pages.Count() / 1000.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The pages of the report written as a table to a file, with the growth of
// the memory peak while it is written.
void exportTable(benchmark::State& state, TTableFormat format, const char* extension)
{
    ItemsReport items(static_cast<int>(state.range(0)), true);
    if (!items.report->PrepareReport()) state.SkipWithError("the build failed");
    TrqEMFPages& pages = items.report->EMFPages();
    const std::string file =
        (std::filesystem::temp_directory_path() / (std::string("stockin-bench-w1") + extension)).string();
    PeakMemory memory;
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        memory.Start();
        state.ResumeTiming();
        ExportPreparedPages(pages, format, file);
        state.PauseTiming();
        peak = std::max(peak, memory.StopMiB());
        state.ResumeTiming();
    }
    state.counters["pages"] = pages.Count();
    state.counters["peak_MiB"] = peak;
    state.counters["file_MiB"] = std::filesystem::file_size(file) / 1048576.0;
    std::filesystem::remove(file);
}

void BM_Xlsx(benchmark::State& state) { exportTable(state, TTableFormat::Xlsx, ".xlsx"); }
void BM_Csv(benchmark::State& state) { exportTable(state, TTableFormat::Csv, ".csv"); }

void BM_Pdf(benchmark::State& state) { pdf(state, ItemsReport::NoCodes); }
void BM_PdfCodes(benchmark::State& state) { pdf(state, ItemsReport::HeaderCodes); }

}  // namespace

BENCHMARK(BM_Floor)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OnePass)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwoPass)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OnePassStretched)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OnePassCode128)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pdf)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_PdfCodes)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Xlsx)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Csv)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);

int main(int argc, char** argv)
{
    InitRuntimeEnvironment();
    TQtApplication app(argc, argv);
    LoadFormatSettingsFromLocale();
    rqPrinter().AssignPrinter(nullptr);  // the virtual printer: the same pages everywhere
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
