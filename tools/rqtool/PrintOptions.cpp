#include "PrintOptions.h"

#include "report/model/Report.h"
#include "report/pages/EMFPages.h"
#include "report/print/PageList.h"
#include "report/printer/RecordingPrintJob.h"
#include "report/printer/Printer.h"
#include "runtime/Exceptions.h"
#include "runtime/SysUtils.h"

#include <QScopeGuard>

std::vector<CommandLineOption> PrintOptionList(const std::string& printerDescription)
{
    return {{{"printer"}, "NAME", printerDescription},
            {{"pages"}, "LIST", "The pages, as the print dialog takes them: \"1,3-5\" (default: all)."},
            {{"copies"}, "N", "How many copies (default 1)."},
            {{"collate"}, "", "Print whole copies one after the other."},
            {{"odd"}, "", "Only the odd pages."},
            {{"even"}, "", "Only the even pages."},
            {{"dry-run"}, "", "Send nothing; print one line per job instead (needs no printer)."}};
}

PrintOptions ParsePrintOptions(const CommandLine& line)
{
    PrintOptions o;
    o.printer = line.Value("printer");
    o.pages = line.Value("pages");
    o.copies = line.Value("copies", o.copies);
    o.collate = line.IsSet("collate");
    o.dryRun = line.IsSet("dry-run");
    if (line.IsSet("odd") && line.IsSet("even")) throw RqUsageError{"--odd and --even exclude each other"};
    o.kind = line.IsSet("odd") ? 1 : line.IsSet("even") ? 2 : 0;
    return o;
}

namespace {

void selectPrinter(const std::string& name)
{
    if (name.empty()) return;
    TrqPrinter& printer = rqPrinter();
    const int index = printer.IndexOfPrinter(Utf8ToAnsi(name));
    if (index < 0 || index == printer.VirtualPrinterIndex())
        throw Exception("Unknown printer \"" + Utf8ToAnsi(name) + "\"");
    printer.SetPrinterIndex(index);
}

}  // namespace

void CheckPrintOptions(TrqReport& report, const PrintOptions& o)
{
    selectPrinter(o.printer);
    (void)StrToInt(Utf8ToAnsi(o.copies));
    (void)TrqPageList(Utf8ToAnsi(o.pages), report.EMFPages().Count());
    if (!o.dryRun && rqPrinter().Printers().size() <= 1) throw Exception("There is no printer to print on");
}

std::vector<std::string> PrintPrepared(TrqReport& report, const PrintOptions& o)
{
    CheckPrintOptions(report, o);
    const int copies = StrToInt(Utf8ToAnsi(o.copies));
    if (!o.dryRun) {
        report.PrintPreparedReport(Utf8ToAnsi(o.pages), copies, o.collate, o.kind);
        return {};
    }
    TrqPrinter& printer = rqPrinter();
    TrqRecordingPrintJob job;
    printer.SetJobOverride(&job);
    auto restore = qScopeGuard([&] { printer.SetJobOverride(nullptr); });
    report.PrintPreparedReport(Utf8ToAnsi(o.pages), copies, o.collate, o.kind);
    return job.SubmittedLines();
}
