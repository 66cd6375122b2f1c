#pragma once
// Print jobs on a CUPS printer. Each job is drawn into a temporary PDF on the
// job's paper (the platform printer's page layout and resolution, so that its
// dots are the printer's dots) and handed to the scheduler with libcups when
// it ends, with its copy count, title, paper and paper source. An aborted job only deletes
// its file: nothing of it reaches the printer, which a job streamed to the
// printer page by page could not promise.

#include "report/printer/PrintJob.h"

#include <memory>

class QPrinter;

std::unique_ptr<TrqPrintJob> CreateCupsPrintJob(QPrinter& printer);

// The CUPS media name of the printer's current paper ("A4", "Custom.100x150mm").
AnsiString CupsMediaName(const QPrinter& printer);
