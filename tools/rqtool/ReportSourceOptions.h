#pragma once
// What a report is built from, on the command line: the options that prepare
// and queue submit share, declared and read in one place.
//
//   --query NAME=SQL          a query of the report's form, or FORM.NAME on a
//                             data module FORM (made on demand)
//   --master DETAIL=MASTER    DETAIL's :parameters come from MASTER's record
//   --dataset NAME=QUERY      a report dataset over a query
//   --report-dataset NAME     the report's own dataset
//   --var NAME=KIND:VALUE     a global variable set before the build
//
// Texts stay UTF-8 here; ReportSetting converts them for the engine.

#include "RqCommand.h"

#include "runtime/Variant.h"

#include <string>
#include <utility>
#include <vector>

struct ReportSourceOptions {
    using Pairs = std::vector<std::pair<std::string, std::string>>;
    Pairs queries;   // NAME or FORM.NAME, SQL
    Pairs masters;   // DETAIL, MASTER
    Pairs datasets;  // NAME, QUERY
    std::string reportDataset;
    std::vector<std::pair<std::string, Variant>> vars;
};

// The declarations of the options above, for a command's CommandLineSpec.
std::vector<CommandLineOption> ReportSourceOptionList();
// Reads them; raises RqUsageError for a value of the wrong form.
ReportSourceOptions ParseReportSourceOptions(const CommandLine& line);
