// rqtool prepare: builds a report from the command line. The template (a .rqf
// file or its JSON form) is filled from queries over a database and written as
// prepared pages (.rqp), PDF, a table (XLSX, CSV, HTML), or printed as JSON in
// the form of `rqp dump`.
// The options are described with the command's declaration at the end.
#include "ExportOptions.h"
#include "Interrupt.h"
#include "ReportSetting.h"
#include "RqCommand.h"

#include "report/language/Globals.h"
#include "report/model/Report.h"
#include "report/pages/EMFPages.h"
#include "report/pages/PageRender.h"
#include "report/pages/PreparedJson.h"
#include "runtime/export/AtomicFile.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <unistd.h>

namespace {

struct PrepareOptions {
    std::string templateFile;
    std::string db;
    ReportSourceOptions sources;
    bool dump = false;
    std::string output;
    std::string pdf;
    std::string xlsx, csv, html;
    TrqExportOptions exportOptions;
};

// The command line only; what it names is checked when the report is set up.
PrepareOptions parsePrepareOptions(const CommandLine& line)
{
    PrepareOptions o;
    o.templateFile = line.Arguments()[0];
    o.db = line.Value("db");
    o.sources = ParseReportSourceOptions(line);
    o.dump = line.IsSet("dump");
    o.output = line.Value("o");
    o.pdf = line.Value("pdf");
    o.xlsx = line.Value("xlsx");
    o.csv = line.Value("csv");
    o.html = line.Value("html");
    o.exportOptions = ParseExportOptions(line);
    if (!o.sources.queries.empty() && o.db.empty()) throw RqUsageError{"--query needs --db"};
    return o;
}

int runPrepare(const PrepareOptions& o)
{
    std::optional<ReportDatabase> database;
    if (!o.db.empty()) database.emplace(o.db, QStringLiteral("rqtool"));
    ReportSetting setting(o.sources);
    TrqReport& report = setting.Report();
    LoadTemplate(report, ReadFileBytes(o.templateFile), o.templateFile);
    for (const auto& [name, value] : o.sources.vars) rqVariables().SetVariable(Utf8ToAnsi(name), value);

    const bool terminal = isatty(STDERR_FILENO);
    report.OnProgress = [terminal](int page) {
        if (terminal) std::fprintf(stderr, "\rrqtool prepare: page %d", page);
    };
    StopOnInterrupt();
    const bool built = report.PrepareReport();
    if (terminal) std::fprintf(stderr, "\n");
    if (Interrupted()) {
        // Stopped as Cancel stops a build: what was built is not written.
        std::fprintf(stderr, "rqtool prepare: interrupted\n");
        return InterruptedStatus;
    }
    if (!built) return 1;  // the engine's message went to standard error

    if (!o.output.empty())
        WriteFileAtomically(o.output, [&](const AnsiString& file) { report.SavePreparedReport(file); });
    if (!o.pdf.empty())
        WriteFileAtomically(o.pdf, [&](const AnsiString& file) { SavePdf(report.EMFPages(), file, report.Title()); });
    const std::pair<const std::string&, TTableFormat> tables[] = {
        {o.xlsx, TTableFormat::Xlsx}, {o.csv, TTableFormat::Csv}, {o.html, TTableFormat::Html}};
    for (const auto& [file, format] : tables) {
        if (file.empty()) continue;
        TrqExportOptions options = o.exportOptions;
        options.Title = report.Title().empty() ? o.templateFile : AnsiToUtf8(report.Title());
        ExportPreparedPages(report.EMFPages(), format, file, options);
    }
    if (o.dump) {
        // Through the file form, so that the JSON is the one `rqp dump` prints.
        TMemoryStream file;
        report.EMFPages().SaveToStream(&file);
        file.SetPosition(0);
        TrqReport reread;
        reread.EMFPages().LoadFromStream(&file);
        std::string json = PreparedPagesToJson(reread.EMFPages());
        std::fwrite(json.data(), 1, json.size(), stdout);
    }
    return 0;
}

int run(const CommandLine& line) { return runPrepare(parsePrepareOptions(line)); }

std::vector<CommandLineOption> prepareOptions()
{
    std::vector<CommandLineOption> options{{{"db"}, "URL", "The database, as stockin-host --db takes it."}};
    for (CommandLineOption& o : ReportSourceOptionList()) options.push_back(std::move(o));
    options.push_back({{"dump"}, "", "Print the prepared pages as JSON, as rqp dump prints them."});
    options.push_back({{"o"}, "OUT.rqp", "Write the prepared pages."});
    options.push_back({{"pdf"}, "OUT.pdf", "Write the pages as PDF."});
    options.push_back({{"xlsx"}, "OUT.xlsx", "Write the printed memos as a spreadsheet (see rqp xlsx)."});
    options.push_back({{"csv"}, "OUT.csv", "Write the printed memos as CSV (see rqp csv)."});
    options.push_back({{"html"}, "OUT.html", "Write the printed memos as an HTML table (see rqp html)."});
    for (CommandLineOption& o : ExportOptionList()) options.push_back(std::move(o));
    return options;
}

RqCommand command(
    "prepare",
    {.synopsis = "TEMPLATE [--db URL] [--query NAME=SQL]... [--master DETAIL=MASTER]... [--dataset NAME=QUERY]... "
                 "[--report-dataset NAME] [--var NAME=KIND:VALUE]... [--dump] [-o OUT.rqp] [--pdf OUT.pdf] "
                 "[--xlsx OUT.xlsx] [--csv OUT.csv] [--html OUT.html] [--page-bands] [--csv-bom]",
     .summary = "Build a report from a template and SQL data; write prepared pages, PDF, XLSX, CSV, HTML or JSON.",
     .options = prepareOptions(),
     .arguments = {{"TEMPLATE", "The template: a .rqf file or its JSON form."}},
     .details = "Progress (pages done) goes to standard error when it is a terminal. A build\n"
                "that fails prints the engine's message to standard error, exits with 1 and\n"
                "writes no output file. Scripts of the template with text after their one\n"
                "statement or with a compile error, and script assignments to properties that\n"
                "do not exist, are warned about on standard error (once each). Ctrl+C stops\n"
                "the build, even inside a script that loops for ever: no output file is\n"
                "written and the exit status is 130. An output that cannot be written is reported\n"
                "with its path and the reason, exits with 1 and leaves no file of its own.\n"},
    run);

}  // namespace
