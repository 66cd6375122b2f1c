// Workloads of the tree-list core: a million root nodes, the absolute-index
// cache over them, lookups of random nodes, and expanding and collapsing a
// node with a hundred thousand children.
#include "bench/GridBenchMain.h"
#include "grid/treelist/AbsoluteIndexCache.h"
#include "grid/treelist/TreeList.h"
#include "runtime/Application.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace {

void addRoots(TCustomqvTreeList& tree, int count)
{
    tree.BeginUpdate();
    for (int i = 0; i < count; ++i) tree.Add();
    tree.EndUpdate();
}

// Adding root nodes to a new tree list, in one update (whose end builds the
// cache) or one by one outside updates (the cache follows each node).
void addToNewTree(benchmark::State& state, bool inOneUpdate)
{
    int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto tree = std::make_unique<TCustomqvTreeList>();
        state.ResumeTiming();
        if (inOneUpdate) {
            addRoots(*tree, count);
        } else {
            for (int i = 0; i < count; ++i) tree->Add();
        }
        benchmark::DoNotOptimize(tree->AbsoluteCount());
        state.PauseTiming();
        tree.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_AddRootNodes(benchmark::State& state) { addToNewTree(state, true); }
BENCHMARK(BM_AddRootNodes)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_AddRootNodesOneByOne(benchmark::State& state) { addToNewTree(state, false); }
BENCHMARK(BM_AddRootNodesOneByOne)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_BuildCache(benchmark::State& state)
{
    TCustomqvTreeList tree;
    addRoots(tree, static_cast<int>(state.range(0)));
    std::vector<TqvTreeListNode*> roots;
    for (int i = 0; i < tree.Count(); ++i) roots.push_back(tree.Items(i));
    TqvAbsoluteIndexCache cache;
    for (auto _ : state) {
        cache.Build(roots);
        benchmark::DoNotOptimize(cache.Count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BuildCache)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// The absolute index of random nodes; the complexity fit shows the
// logarithmic growth.
void BM_LookupAbsoluteIndex(benchmark::State& state)
{
    TCustomqvTreeList tree;
    addRoots(tree, static_cast<int>(state.range(0)));
    std::mt19937 rng(7);
    std::vector<TqvTreeListNode*> probes;
    for (int i = 0; i < 4096; ++i)
        probes.push_back(tree.Items(std::uniform_int_distribution<int>(0, tree.Count() - 1)(rng)));
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tree.GetAbsoluteIndex(probes[i++ & 4095]));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LookupAbsoluteIndex)->RangeMultiplier(10)->Range(1'000, 1'000'000)->Complexity(benchmark::oLogN);

// Expanding and then collapsing a node with 100,000 children (each rebuilds
// the cache), among a thousand other root nodes.
void BM_ExpandCollapse100k(benchmark::State& state)
{
    TCustomqvTreeList tree;
    tree.BeginUpdate();
    for (int i = 0; i < 500; ++i) tree.Add();
    TqvTreeListNode* parent = tree.Add();
    for (int i = 0; i < 100'000; ++i) parent->AddChild();
    for (int i = 0; i < 500; ++i) tree.Add();
    tree.EndUpdate();
    for (auto _ : state) {
        parent->Expand(false);
        parent->Collapse(false);
    }
    benchmark::DoNotOptimize(tree.AbsoluteCount());
}
BENCHMARK(BM_ExpandCollapse100k)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunGridBenchmarks(argc, argv); }
