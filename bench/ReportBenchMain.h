#pragma once
// The main() of the report engine's benchmark programs: a Qt application on
// the offscreen platform with the project's fonts, reports laid out on the
// virtual printer whatever printers the machine has, then the benchmarks.

#include "report/printer/Printer.h"
#include "runtime/Application.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

inline int RunReportBenchmarks(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    InitRuntimeEnvironment();
    TQtApplication app(argc, argv);
    rqPrinter().AssignPrinter(nullptr);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
