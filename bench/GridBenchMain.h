#pragma once
// The main() of the grid's benchmark programs: a Qt application on the
// offscreen platform with the project's fonts, then the benchmarks. What a
// program keeps across benchmarks (a loaded grid, its connection) holds
// widgets and must go while the application still exists: `release` frees it.

#include "runtime/Application.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <functional>

inline int RunGridBenchmarks(int argc, char** argv, const std::function<void()>& release = {})
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    InitRuntimeEnvironment();
    TQtApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (release) release();
    return 0;
}
