// One million amounts through the grid's and the reports' number formatting,
// beside the C library's fixed-point printing of the same values.
#include "report/format/FormatCode.h"
#include "report/format/FormatValue.h"

#include "runtime/NumberFormat.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr size_t Count = 1000000;

const std::vector<double>& amounts()
{
    static const std::vector<double> values = [] {
        std::mt19937_64 random(5);
        std::uniform_real_distribution<double> amount(-2e6, 2e7);
        std::vector<double> v(Count);
        for (double& x : v) x = static_cast<double>(static_cast<long long>(amount(random) * 1000)) / 1000;
        return v;
    }();
    return values;
}

// Runs `format` over every amount; it returns the length of its text, which is
// summed so that nothing is optimised away.
template <class Format>
void overAmounts(benchmark::State& state, Format format)
{
    const auto& values = amounts();
    for (auto _ : state) {
        size_t bytes = 0;
        for (double v : values) bytes += format(v);
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * Count));
}

void BM_FormatFloatGrouped(benchmark::State& state)
{
    const TFormatSettings settings = FormatSettings();
    overAmounts(state, [&](double v) { return FormatFloat("#,##0.00", v, settings).size(); });
}

void BM_SnprintfFixed(benchmark::State& state)
{
    char buf[64];
    overAmounts(state, [&](double v) { return static_cast<size_t>(std::snprintf(buf, sizeof buf, "%.2f", v)); });
}

// The line grid's amount column and footer.
void BM_FormatFloatSections(benchmark::State& state)
{
    const TFormatSettings settings = FormatSettings();
    overAmounts(state, [&](double v) { return FormatFloat(",0.00;-,0.00", v, settings).size(); });
}

// A memo bracket such as [Amount #N10.2]: fixed-point through the display format.
void BM_FormatValueFixed(benchmark::State& state)
{
    const int32_t code = MakeFormatCode(fcNumber, 1, 2, '.');
    overAmounts(state, [&](double v) { return FormatValue(Variant(v), code, "").size(); });
}

}  // namespace

BENCHMARK(BM_FormatFloatGrouped)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SnprintfFixed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatFloatSections)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatValueFixed)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
