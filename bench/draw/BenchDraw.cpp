// Drawing prepared pages: a page of 200 memos drawn at 100 % into an image
// (with its views kept, and made again from the page stream), the layout of
// 10,000 memo lines with word wrap, a 1,000-page PDF, and pages with a
// metafile logo as PDF beside the same pages without it.
#include "bench/ReportBenchMain.h"
#include "report/canvas/Canvas.h"
#include "report/draw/MemoLayout.h"
#include "report/model/MemoView.h"
#include "report/model/PictureView.h"
#include "report/model/Report.h"
#include "report/pages/EMFPages.h"
#include "report/pages/PageRender.h"
#include "report/printer/Printer.h"
#include "runtime/Application.h"
#include "runtime/StringList.h"
#include "support/MetafileBytes.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {
// An invoice-like memo: captions, field values, Chinese product names, frames.
std::unique_ptr<TrqMemoView> invoiceMemo(int i)
{
    auto memo = std::make_unique<TrqMemoView>();
    memo->Left = 20 + (i % 5) * 145;
    memo->Top = 20 + (i / 5) * 25;
    memo->Width = 140;
    memo->Height = 24;
    memo->FrameTyp = (i % 3 == 0) ? 15 : 2;
    memo->Alignment = i % 4;
    if (i % 2) {
        memo->Font.Name = Ansi(u8"宋体");
        memo->Font.Charset = GB2312_CHARSET;
        memo->MemoResult.Add(Ansi(u8"商品名称：中华香烟（软）") + std::to_string(i));
    } else {
        memo->MemoResult.Add("Amount " + std::to_string(i * 37) + ".50 yuan incl. tax");
    }
    memo->Memo.Assign(memo->MemoResult);
    return memo;
}

void addInvoicePage(TrqReport& report, int memos)
{
    TrqEMFPages& pages = report.EMFPages();
    pages.Add(*report.Pages()[0]);
    const int index = pages.Count() - 1;
    for (int i = 0; i < memos; ++i) pages.AppendView(index, *invoiceMemo(i));
}

void drawPage(benchmark::State& state, bool keepViews)
{
    TrqReport report;
    addInvoicePage(report, 200);
    TrqEMFPages& pages = report.EMFPages();
    QImage image(758, 1071, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        TrqCanvas canvas(painter);
        pages[0].InView = 1;
        pages.Draw(0, canvas, {0, 0, 758, 1071});
        if (!keepViews) {
            pages[0].InView = 0;
            pages.Draw(0, canvas, {});
        }
    }
    state.SetItemsProcessed(state.iterations() * 200);
}

void BM_DrawPage200Memos(benchmark::State& state) { drawPage(state, true); }
BENCHMARK(BM_DrawPage200Memos)->Unit(benchmark::kMillisecond);

void BM_DrawPage200MemosFromStream(benchmark::State& state) { drawPage(state, false); }
BENCHMARK(BM_DrawPage200MemosFromStream)->Unit(benchmark::kMillisecond);

void BM_LayoutLines10000(benchmark::State& state)
{
    TrqMemoView memo;
    memo.Width = 300;
    memo.Height = 20;
    TStringList text;
    for (int i = 0; i < 10000; ++i) {
        if (i % 3 == 0)
            text.Add(Ansi(u8"入库发票第") + std::to_string(i) + Ansi(u8"行：中华香烟五十条，单价与金额按百分之十七计税"));
        else
            text.Add("Line " + std::to_string(i) +
                     " of the purchase invoice lists cartons, cases, unit prices and the tax of each product");
    }
    size_t lines = 0;
    for (auto _ : state) {
        TrqMemoLayout layout = LayoutMemo(memo, text);
        lines = layout.Lines.size();
        benchmark::DoNotOptimize(layout.TextHeight);
    }
    state.counters["laid out lines"] = static_cast<double>(lines);
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_LayoutLines10000)->Unit(benchmark::kMillisecond);

void BM_Pdf1000Pages(benchmark::State& state)
{
    TrqReport report;
    for (int p = 0; p < 1000; ++p) addInvoicePage(report, 40);
    int64_t bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        RenderPdf(report.EMFPages(), buffer);
        bytes = buffer.size();
    }
    state.counters["PDF bytes"] = static_cast<double>(bytes);
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_Pdf1000Pages)->Unit(benchmark::kMillisecond)->Iterations(1);

// 100 invoice pages of 40 memos as PDF, each with a 300 × 150 logo at the top:
// none (the floor), an enhanced or a Windows metafile. The logo's bytes are
// on every page, as a template's logo is.
void BM_Pdf100PagesWithLogo(benchmark::State& state)
{
    constexpr int Pages = 100;
    TrqReport report;
    TrqPictureView logo;
    logo.Left = 400;
    logo.Top = 900;
    logo.Width = 300;
    logo.Height = 150;
    if (state.range(0) == 1) logo.Picture.Assign(gkMetafile, metafiles::Emf());
    if (state.range(0) == 2) logo.Picture.Assign(gkMetafile, metafiles::Wmf());
    for (int p = 0; p < Pages; ++p) {
        addInvoicePage(report, 40);
        if (state.range(0) != 0) report.EMFPages().AppendView(p, logo);
    }
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        RenderPdf(report.EMFPages(), buffer);
    }
    state.SetLabel(state.range(0) == 0 ? "no logo" : state.range(0) == 1 ? "EMF logo" : "WMF logo");
    state.counters["per page"] =
        benchmark::Counter(Pages, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Pdf100PagesWithLogo)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) { return RunReportBenchmarks(argc, argv); }
