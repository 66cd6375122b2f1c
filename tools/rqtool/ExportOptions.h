#pragma once
// How prepared pages go out as a table from the command line: the options
// that prepare and rqp xlsx|csv|html share, declared and read in one place.
//
//   --page-bands   page headers and footers on every page (not once)
//   --csv-bom      a CSV starts with the UTF-8 byte-order mark

#include "RqCommand.h"

#include "report/export/ReportExport.h"

#include <vector>

std::vector<CommandLineOption> ExportOptionList();
TrqExportOptions ParseExportOptions(const CommandLine& line);
