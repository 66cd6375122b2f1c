#pragma once
// How prepared pages go to a printer from the command line: the options that
// rqp print and queue submit share, declared and read in one place, and the
// print run itself.
//
//   --printer NAME   --pages LIST   --copies N   --collate   --odd | --even
//   --dry-run        send nothing; one line per job instead
//
// Rules that are easy to break:
// - Values are checked before anything is sent: a bad page list or copy count
//   and an unknown printer raise, and no job starts.
// - The printer is engine-wide (rqPrinter): selecting one here changes it for
//   the rest of the process.

#include "RqCommand.h"

#include <string>
#include <vector>

class TrqReport;

struct PrintOptions {
    std::string printer, pages, copies = "1";
    bool collate = false, dryRun = false;
    int kind = 0;  // 0 all pages, 1 odd, 2 even
};

// The declarations, for a command's CommandLineSpec; printerDescription
// says what --printer means for the command.
std::vector<CommandLineOption> PrintOptionList(const std::string& printerDescription);
// Reads them (without checking the printer); raises RqUsageError for --odd
// with --even.
PrintOptions ParsePrintOptions(const CommandLine& line);

// Selects the printer and checks the page list and copy count against the
// report's prepared pages; raises for an unknown printer, a bad page list or
// copy count, and (unless it is a dry run) when there is no printer at all.
void CheckPrintOptions(TrqReport& report, const PrintOptions& options);

// Checks as above, then prints the report's prepared pages. A dry run returns the lines
// "job K: PAPER ORIENTATION copies C: P P P..." of the jobs it would send; a
// real run returns nothing.
std::vector<std::string> PrintPrepared(TrqReport& report, const PrintOptions& options);
