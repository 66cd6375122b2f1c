// rqtool rqp print: prints a prepared report as the print dialog would. The
// page list, copies, collation and odd or even pages go to the report's print
// loop; --dry-run records the jobs instead of sending them. The options are
// described with the command's declaration at the end.
#include "RqCommand.h"

#include "report/model/Report.h"
#include "report/pages/EMFPages.h"
#include "report/print/PageList.h"
#include "report/printer/Printer.h"
#include "report/printer/RecordingPrintJob.h"
#include "runtime/SysUtils.h"

#include <QFileInfo>

#include <cstdio>

namespace {
struct PrintOptions {
    std::string input, printer, pages, copies = "1";
    bool collate = false, dryRun = false;
    int kind = 0;  // 0 all pages, 1 odd, 2 even
};

PrintOptions parsePrintOptions(const CommandLine& line)
{
    PrintOptions o;
    o.input = line.Arguments()[0];
    o.printer = line.Value("printer");
    o.pages = line.Value("pages");
    o.copies = line.Value("copies", o.copies);
    o.collate = line.IsSet("collate");
    o.dryRun = line.IsSet("dry-run");
    if (line.IsSet("odd") && line.IsSet("even")) throw RqUsageError{"--odd and --even exclude each other"};
    o.kind = line.IsSet("odd") ? 1 : line.IsSet("even") ? 2 : 0;
    return o;
}

void selectPrinter(const std::string& name)
{
    if (name.empty()) return;
    TrqPrinter& printer = rqPrinter();
    const int index = printer.IndexOfPrinter(Utf8ToAnsi(name));
    if (index < 0 || index == printer.VirtualPrinterIndex())
        throw Exception("Unknown printer \"" + Utf8ToAnsi(name) + "\"");
    printer.SetPrinterIndex(index);
}

int run(const CommandLine& line)
{
    const PrintOptions o = parsePrintOptions(line);
    TrqReport report;
    report.SetShowProgress(false);
    report.SetTitle(Utf8ToAnsi(QFileInfo(QString::fromStdString(o.input)).fileName().toStdString()));
    report.LoadPreparedReport(Utf8ToAnsi(o.input));
    selectPrinter(o.printer);
    const int copies = StrToInt(Utf8ToAnsi(o.copies));
    (void)TrqPageList(Utf8ToAnsi(o.pages), report.EMFPages().Count());

    TrqPrinter& printer = rqPrinter();
    if (!o.dryRun) {
        if (printer.Printers().size() <= 1) throw Exception("There is no printer to print on");
        report.PrintPreparedReport(Utf8ToAnsi(o.pages), copies, o.collate, o.kind);
        return 0;
    }
    TrqRecordingPrintJob job;
    printer.SetJobOverride(&job);
    try {
        report.PrintPreparedReport(Utf8ToAnsi(o.pages), copies, o.collate, o.kind);
    } catch (...) {
        printer.SetJobOverride(nullptr);
        throw;
    }
    printer.SetJobOverride(nullptr);
    for (const std::string& line : job.SubmittedLines()) std::printf("%s\n", line.c_str());
    return 0;
}

RqCommand command(
    "rqp print",
    {.synopsis = "FILE.rqp [--printer NAME] [--pages LIST] [--copies N] [--collate] [--odd|--even] [--dry-run]",
     .summary = "Print a prepared report as the print dialog would.",
     .options = {{{"printer"}, "NAME", "The printer (default: the current one)."},
                 {{"pages"}, "LIST", "The pages, as the print dialog takes them: \"1,3-5\" (default: all)."},
                 {{"copies"}, "N", "How many copies (default 1)."},
                 {{"collate"}, "", "Print whole copies one after the other."},
                 {{"odd"}, "", "Only the odd pages."},
                 {{"even"}, "", "Only the even pages."},
                 {{"dry-run"}, "", "Send nothing; print one line per job instead (needs no printer)."}},
     .arguments = {{"FILE.rqp", "The prepared report file."}},
     .details = "A new job starts at every change of paper. The dry run prints \"job K: PAPER\n"
                "ORIENTATION copies C: P P P...\", with the paper's name as rqtool printers shows\n"
                "it and the page numbers in the order they would be sent. A bad page list or copy\n"
                "count and an unknown printer are reported (exit status 1) before any job starts.\n"},
    run);

}  // namespace
