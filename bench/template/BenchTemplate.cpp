// Loading and saving a template of 10,000 memos (a large multi-page form with
// captions, field brackets, fonts and frames).
#include "report/model/BandView.h"
#include "report/model/MemoView.h"
#include "report/model/Report.h"
#include "runtime/Dialogs.h"

#include <benchmark/benchmark.h>

namespace {
constexpr int MemoCount = 10000;
constexpr int MemosPerPage = 500;

void fill(TrqReport& report)
{
    report.Pages().Clear();
    for (int i = 0; i < MemoCount; ++i) {
        if (i % MemosPerPage == 0) {
            TrqPage& page = *report.Pages().Add();
            auto band = std::make_unique<TrqBandView>();
            band->Name = "MasterData" + std::to_string(report.Pages().Count());
            band->SetBandType(btMasterData);
            band->Top = 100;
            band->Height = 900;
            page.Add(std::move(band));
        }
        TrqPage& page = *report.Pages()[report.Pages().Count() - 1];
        auto memo = std::make_unique<TrqMemoView>();
        memo->Name = "Memo" + std::to_string(i + 1);
        memo->Left = 18 + (i % 6) * 120;
        memo->Top = 100 + (i % MemosPerPage) / 6 * 11;
        memo->Width = 118;
        memo->Height = 20;
        memo->FrameTyp = 15;
        memo->Memo.Add(Ansi(u8"商品名称："));
        memo->Memo.Add("[SPMC00] [SPDM00] [DJIA00]");
        memo->Font.Name = Ansi(u8"宋体");
        memo->Font.Charset = 134;
        memo->FormatCode = 0x0103022E;
        page.Add(std::move(memo));
    }
    report.Dictionary().Variables.SetVariable("SPMC00", "dm.qry_xsvgjfp0.\"SPMC00\"");
}

const std::string& templateBytes()
{
    static const std::string bytes = [] {
        TrqReport report;
        fill(report);
        TMemoryStream stream;
        report.SaveToStream(stream);
        return stream.Bytes();
    }();
    return bytes;
}

void BM_LoadTemplate(benchmark::State& state)
{
    const std::string& bytes = templateBytes();
    TrqReport report;
    for (auto _ : state) {
        TMemoryStream stream(bytes);
        report.LoadFromStream(stream);
        benchmark::DoNotOptimize(report.Pages().Count());
    }
    if (!report.LoadMessage().empty()) state.SkipWithError("template did not load");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
    state.counters["bytes"] = static_cast<double>(bytes.size());
}

void BM_SaveTemplate(benchmark::State& state)
{
    TrqReport report;
    TMemoryStream source(templateBytes());
    report.LoadFromStream(source);
    for (auto _ : state) {
        TMemoryStream stream;
        report.SaveToStream(stream);
        benchmark::DoNotOptimize(stream.Size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * templateBytes().size()));
}

BENCHMARK(BM_LoadTemplate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveTemplate)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv)
{
    SetDialogHook([](const DialogRequest&) { return DialogAnswer{}; });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
