// The grid's preview over a million rows ("items": code, Chinese name, price,
// quantity, amount, tax): how long until the first page is on the screen,
// beside the floor measured in the same run: the same preview of a grid that
// holds one page of rows, which builds and shows everything it has.
//
//   BM_FirstPageFloor    a grid of the first 40 items (one page), load-all:
//                        PreviewGrid until its only page is painted
//   BM_FirstPage/0       the million items loaded into the grid (load-all):
//                        PreviewGrid until the first page is painted
//   BM_FirstPage/1       the same grid in window mode (the rows read from the
//                        query as the pages need them)
//
// The preview is answered by the modal hook: the window is shown at
// 1000 x 800, its page area painted into an image, and closed, which stops
// the build. Loading the grid is outside the timing. Counters: "pages" the
// pages built when the window opened.
//
// The data: bench/workloads/items.py 1000000 FILE (scripts/bench makes it
// when it is missing); the file is taken from $BENCH_ITEMS (default
// /tmp/items.sqlite).
#include "bench/ReportBenchMain.h"
#include "grid/db/DBGrid.h"
#include "gridprint/GridPrint.h"
#include "report/model/Report.h"
#include "report/pages/EMFPages.h"
#include "report/printer/Printer.h"
#include "report/windows/PreviewForm.h"
#include "runtime/Application.h"
#include "runtime/ModalDialog.h"
#include "runtime/db/Query.h"
#include "runtime/db/Session.h"

#include "../workloads/ItemsSession.h"

#include <QApplication>
#include <QImage>
#include <QSqlDatabase>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

// A grid like the module's line grid over the items.
struct ItemsGrid {
    ItemsGrid(const char* sql, bool loadAll)
    {
        query.SetDatabaseName("qdb");
        query.SQL().SetText(sql);
        source.SetDataSet(&query);
        grid.SetDataSource(&source);
        grid.SetKeyField("code");
        if (loadAll) grid.SetOptionsDB(grid.OptionsDB().With(edgoLoadAllRecords));
        for (const char* field : {"code", "name", "price", "qty", "amount", "tax"}) {
            auto* column = grid.CreateColumnOf<TqvDBGridCurrencyColumn>();
            column->SetFieldName(field);
            column->SetWidth(110);
            if (field[0] != 'c' && field[0] != 'n') column->SetDisplayFormat(",0.00;-,0.00");
            if (field[0] == 'q' || field[0] == 'a' || field[0] == 't') column->SetSummaryFooterType(cstSum);
        }
        grid.SetShowSummaryFooter(true);
        grid.resize(1000, 600);
        query.Open();
    }
    ~ItemsGrid() { query.Close(); }

    TQuery query;
    TDataSource source;
    TqvDBGrid grid;
};

// Previews the grid until its first page is painted; returns the pages built then.
int previewFirstPage(TqvDBGrid& grid)
{
    int built = 0;
    SetModalHook([&built](QDialog& dialog) {
        auto* form = dynamic_cast<TrqPreviewForm*>(&dialog);
        if (!form) return int(QDialog::Rejected);
        built = form->Report()->EMFPages().Count();
        form->setWindowState(Qt::WindowNoState);
        form->resize(1000, 800);
        form->show();
        QImage image(form->PBox->size(), QImage::Format_RGB32);
        form->PBox->render(&image);
        benchmark::DoNotOptimize(image.bits());
        form->hide();
        return int(QDialog::Rejected);
    });
    TqvGridPrintOptions options;
    options.Title = "Items";
    options.PaperSize = 9;
    PreviewGrid(grid, options);
    SetModalHook({});
    return built;
}

void run(benchmark::State& state, const char* sql, bool loadAll)
{
    if (!haveItems(state)) return;
    Connection connection;
    ItemsGrid items(sql, loadAll);
    int built = 0;
    for (auto _ : state) built = previewFirstPage(items.grid);
    state.counters["pages"] = built;
    if (loadAll) state.counters["rows"] = items.grid.AbsoluteCount();
}

void BM_FirstPageFloor(benchmark::State& state)
{
    run(state, "SELECT code, name, price, qty, amount, tax FROM items ORDER BY id LIMIT 40", true);
}
BENCHMARK(BM_FirstPageFloor)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_FirstPage(benchmark::State& state)
{
    run(state, "SELECT code, name, price, qty, amount, tax FROM items ORDER BY id", state.range(0) == 0);
}
BENCHMARK(BM_FirstPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) { return RunReportBenchmarks(argc, argv); }
