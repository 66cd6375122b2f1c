// The preview and printing of a 2,000-page W1 list report (six columns, forty
// rows a page): opening the prepared-report file in the preview, changing the
// page (Ctrl+Page Down and the paint that follows), and printing every page to
// a PDF queue. Each is measured beside its floor in the same run:
//   open       - reading the file's bytes, and loading the pages without a window
//   page change - drawing one page's views straight into an image of the area
//   print      - writing the same pages into one PDF without the print loop
// Printing to a queue needs a scheduler: run under tests/support/with-cups
// (CUPS_SERVER and STOCKIN_TEST_PDF_QUEUE set); without one the print
// benchmark goes through the print loop and the PDF job up to the hand-over.
#include "W1Pages.h"

#include "bench/ReportBenchMain.h"
#include "report/canvas/Canvas.h"
#include "report/model/Report.h"
#include "report/pages/EMFPages.h"
#include "report/pages/PageRender.h"
#include "report/printer/CupsPrintJob.h"
#include "report/printer/PrintJob.h"
#include "report/printer/Printer.h"
#include "report/printer/QtPrinterPlatform.h"
#include "report/windows/PreviewForm.h"
#include "runtime/Application.h"
#include "runtime/Streams.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryFile>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {
constexpr int PageCount = 2000;
constexpr int AreaWidth = 1280, AreaHeight = 1024;

// The file, once made (removed when the program ends).
std::string madeFile;

const std::string& rqpFile()
{
    static const std::string file = [] {
        TrqReport report;
        AddW1Pages(report, PageCount);
        const std::string name = QDir::temp().filePath(QStringLiteral("bench-w1-2000.rqp")).toStdString();
        report.SavePreparedReport(name);
        madeFile = name;
        return name;
    }();
    return file;
}

void BM_OpenFloor_ReadBytes(benchmark::State& state)
{
    const std::string& file = rqpFile();
    int64_t bytes = 0;
    for (auto _ : state) {
        TFileStream in(file, fmOpenRead);
        TMemoryStream memory;
        memory.SetSize(in.Size());
        in.ReadBuffer(const_cast<char*>(memory.Memory()), memory.Size());
        bytes = memory.Size();
    }
    state.counters["file bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_OpenFloor_ReadBytes)->Unit(benchmark::kMillisecond);

void BM_OpenFloor_LoadPages(benchmark::State& state)
{
    const std::string& file = rqpFile();
    for (auto _ : state) {
        TrqReport report;
        report.LoadPreparedReport(file);
        benchmark::DoNotOptimize(report.EMFPages().Count());
    }
}
BENCHMARK(BM_OpenFloor_LoadPages)->Unit(benchmark::kMillisecond);

// Load, connect, lay out and paint the first screen of the window.
void BM_OpenInPreview(benchmark::State& state)
{
    const std::string& file = rqpFile();
    for (auto _ : state) {
        TrqReport report;
        report.LoadPreparedReport(file);
        TrqPreviewForm form;
        form.ShowFor(&report, false);
        form.setWindowState(Qt::WindowNoState);
        form.resize(AreaWidth, AreaHeight);
        form.show();
        form.PBox->repaint();
        benchmark::DoNotOptimize(form.PageCount());
    }
}
BENCHMARK(BM_OpenInPreview)->Unit(benchmark::kMillisecond);

void BM_PageChangeFloor_DrawPage(benchmark::State& state)
{
    TrqReport report;
    report.LoadPreparedReport(rqpFile());
    TrqEMFPages& pages = report.EMFPages();
    QImage image(AreaWidth, AreaHeight, QImage::Format_RGB32);
    int index = 0;
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        TrqCanvas canvas(painter);
        pages[index].InView = 1;
        pages.Draw(index, canvas, {10, 10, 10 + pages[index].PrnInfo.PaperWidthUnits, 10 + pages[index].PrnInfo.PaperHeightUnits});
        pages[index].InView = 0;
        pages.Draw(index, canvas, {});
        index = (index + 1) % pages.Count();
    }
}
BENCHMARK(BM_PageChangeFloor_DrawPage)->Unit(benchmark::kMillisecond);

// Ctrl+Page Down and the repaint of the page area at 100 %.
void BM_PageChangeInPreview(benchmark::State& state)
{
    TrqReport report;
    report.LoadPreparedReport(rqpFile());
    TrqPreviewForm form;
    form.ShowFor(&report, false);
    form.setWindowState(Qt::WindowNoState);
    form.resize(AreaWidth, AreaHeight);
    form.show();
    QApplication::processEvents();
    for (auto _ : state) {
        if (form.CurrentPage == form.PageCount()) form.FormKeyDown(VK_HOME, ssCtrl);
        form.FormKeyDown(VK_NEXT, ssCtrl);
        form.PBox->repaint();
    }
    state.counters["views kept"] = [&] {
        int kept = 0;
        for (int i = 0; i < form.PageCount(); ++i) kept += (*form.Pages())[i].CachedPage ? 1 : 0;
        return static_cast<double>(kept);
    }();
}
BENCHMARK(BM_PageChangeInPreview)->Unit(benchmark::kMillisecond);

void BM_PrintFloor_Pdf(benchmark::State& state)
{
    TrqReport report;
    report.LoadPreparedReport(rqpFile());
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        RenderPdf(report.EMFPages(), buffer);
        benchmark::DoNotOptimize(buffer.size());
    }
    state.SetItemsProcessed(state.iterations() * PageCount);
}
BENCHMARK(BM_PrintFloor_Pdf)->Unit(benchmark::kMillisecond)->Iterations(1);

// The whole print: the print loop, the job's PDF and (with a queue) its
// hand-over to the scheduler.
void BM_PrintToQueue(benchmark::State& state)
{
    const char* queue = std::getenv("STOCKIN_TEST_PDF_QUEUE");
    TrqPrinter& printer = rqPrinter();
    printer.AssignPrinter(CreateQtPrinterPlatform());
    QPrinter pdfPrinter(QPrinter::HighResolution);
    std::unique_ptr<TrqPrintJob> unsent;
    if (queue) {
        printer.SetPrinterIndex(printer.IndexOfPrinter(queue));
    } else {
        // No scheduler: the same job on a printer of its own, stopped before the hand-over.
        struct Unsent : TrqPrintJob {
            std::unique_ptr<TrqPrintJob> inner;
            void BeginDoc(const TrqJobSetup& s) override { inner->BeginDoc(s); }
            void BeginPage(int n) override { inner->BeginPage(n); }
            TrqCanvas& Canvas() override { return inner->Canvas(); }
            void EndDoc() override { inner->Abort(); }
            void Abort() override { inner->Abort(); }
            bool Printing() const override { return inner->Printing(); }
        };
        auto job = std::make_unique<Unsent>();
        job->inner = CreateCupsPrintJob(pdfPrinter);
        unsent = std::move(job);
        printer.SetJobOverride(unsent.get());
    }
    TrqReport report;
    report.SetShowProgress(false);
    report.LoadPreparedReport(rqpFile());
    for (auto _ : state) report.PrintPreparedReport("", 1, false, 0);
    printer.SetJobOverride(nullptr);
    state.counters["submitted"] = queue ? 1 : 0;
    state.SetItemsProcessed(state.iterations() * PageCount);
}
BENCHMARK(BM_PrintToQueue)->Unit(benchmark::kMillisecond)->Iterations(1);
}  // namespace

int main(int argc, char** argv)
{
    const int status = RunReportBenchmarks(argc, argv);
    if (!madeFile.empty()) std::remove(madeFile.c_str());
    return status;
}
