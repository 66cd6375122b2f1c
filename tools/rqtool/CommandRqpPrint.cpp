// rqtool rqp print FILE.rqp [--printer NAME] [--pages LIST] [--copies N]
//                           [--collate] [--odd|--even] [--dry-run]
//
// Prints a prepared report as the print dialog would: the page list, copies,
// collation and odd or even pages go to the report's print loop, which sends
// the pages to the printer (the current one, or NAME) with a new job at every
// change of paper. --dry-run needs no printer and sends nothing: it prints one
// line per job instead, "job K: PAPER ORIENTATION copies C: P P P...", with
// the paper's name as `rqtool printers` shows it and the page numbers in the
// order they would be sent. A bad page list or copy count and an unknown
// printer are reported (exit status 1) before any job starts.
#include "RqpPrint.h"

#include "report/model/Report.h"
#include "report/pages/EMFPages.h"
#include "report/print/PageList.h"
#include "report/print/RecordingPrintJob.h"
#include "report/printer/Printer.h"
#include "runtime/SysUtils.h"

#include <QFileInfo>

#include <cstdio>

namespace {
struct PrintOptions {
    std::string input, printer, pages, copies = "1";
    bool collate = false, dryRun = false;
    int kind = 0;  // 0 all pages, 1 odd, 2 even
};

// The command line after "rqp print".
PrintOptions parsePrintOptions(const RqArgs& args)
{
    PrintOptions o;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--printer" && hasValue) o.printer = args[++i];
        else if (a == "--pages" && hasValue) o.pages = args[++i];
        else if (a == "--copies" && hasValue) o.copies = args[++i];
        else if (a == "--collate") o.collate = true;
        else if (a == "--dry-run") o.dryRun = true;
        else if (a == "--odd" || a == "--even") {
            if (o.kind != 0) throw RqUsageError{"--odd and --even exclude each other"};
            o.kind = a == "--odd" ? 1 : 2;
        } else if (o.input.empty() && !a.starts_with("-")) o.input = a;
        else throw RqUsageError{"unexpected argument '" + a + "'"};
    }
    if (o.input.empty()) throw RqUsageError{"a prepared report file is needed"};
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
}  // namespace

int RunRqpPrint(const RqArgs& args)
{
    const PrintOptions o = parsePrintOptions(args);
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
