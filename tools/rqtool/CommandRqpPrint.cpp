// rqtool rqp print: prints a prepared report as the print dialog would. The
// page list, copies, collation and odd or even pages go to the report's print
// loop; --dry-run records the jobs instead of sending them. The options are
// described with the command's declaration at the end.
#include "PrintOptions.h"
#include "RqCommand.h"

#include "report/model/Report.h"
#include "runtime/AnsiString.h"

#include <QFileInfo>

#include <cstdio>

namespace {

int run(const CommandLine& line)
{
    const std::string input = line.Arguments()[0];
    const PrintOptions o = ParsePrintOptions(line);
    TrqReport report;
    report.SetShowProgress(false);
    report.SetTitle(Utf8ToAnsi(QFileInfo(QString::fromStdString(input)).fileName().toStdString()));
    report.LoadPreparedReport(Utf8ToAnsi(input));
    for (const std::string& job : PrintPrepared(report, o)) std::printf("%s\n", job.c_str());
    return 0;
}

RqCommand command(
    "rqp print",
    {.synopsis = "FILE.rqp [--printer NAME] [--pages LIST] [--copies N] [--collate] [--odd|--even] [--dry-run]",
     .summary = "Print a prepared report as the print dialog would.",
     .options = PrintOptionList("The printer (default: the current one)."),
     .arguments = {{"FILE.rqp", "The prepared report file."}},
     .details = "A new job starts at every change of paper. The dry run prints \"job K: PAPER\n"
                "ORIENTATION copies C: P P P...\", with the paper's name as rqtool printers shows\n"
                "it and the page numbers in the order they would be sent. A bad page list or copy\n"
                "count and an unknown printer are reported (exit status 1) before any job starts.\n"},
    run);

}  // namespace
