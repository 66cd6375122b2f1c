// rqtool rqp xlsx|csv|html FILE.rqp -o OUT [--page-bands] [--csv-bom]
// writes the printed memos of a prepared report as a table (a spreadsheet,
// CSV or one HTML page): one cell per memo, columns aligned across pages,
// numbers and dates typed, page headers and footers once.
#include "ExportOptions.h"
#include "RqCommand.h"

#include "report/model/Report.h"
#include "report/pages/EMFPages.h"

namespace {

int exportAs(const CommandLine& line, TTableFormat format, const char* command)
{
    if (!line.IsSet("o")) throw RqUsageError{std::string(command) + " needs -o OUTPUT"};
    const std::string& file = line.Arguments()[0];
    TrqExportOptions options = ParseExportOptions(line);
    options.Title = file;
    TrqReport report;
    report.LoadPreparedReport(Utf8ToAnsi(file));
    ExportPreparedPages(report.EMFPages(), format, line.Value("o"), options);
    return 0;
}

CommandLineSpec spec(const char* extension, const char* summary)
{
    std::vector<CommandLineOption> options{{{"o"}, std::string("OUT.") + extension, "The file to write."}};
    for (CommandLineOption& o : ExportOptionList()) options.push_back(std::move(o));
    return {.synopsis = std::string("FILE.rqp -o OUT.") + extension + " [--page-bands] [--csv-bom]",
            .summary = summary,
            .options = std::move(options),
            .arguments = {{"FILE.rqp", "The prepared report file."}},
            .details = "Every printed memo becomes a cell: rows by vertical position, page after page;\n"
                       "columns by horizontal position, aligned across pages; a memo spanning columns\n"
                       "is a merged cell. A memo that printed one number or date through a display\n"
                       "format keeps it as a number or date with the matching number format. Page\n"
                       "headers and footers appear once unless --page-bands. A CSV holds numbers with\n"
                       "\".\" and no grouping and dates as yyyy-mm-dd; a text starting with =, +, -, @,\n"
                       "a tab or a CR gets a single quote in front, so that it is never run as a\n"
                       "formula. The file is written beside its target and renamed into place; when it\n"
                       "cannot be written nothing is left behind and the exit status is 1.\n"};
}

RqCommand xlsxCommand("rqp xlsx", spec("xlsx", "Write a prepared report as a spreadsheet (XLSX), one cell per memo."),
                      [](const CommandLine& line) { return exportAs(line, TTableFormat::Xlsx, "xlsx"); });
RqCommand csvCommand("rqp csv", spec("csv", "Write a prepared report as CSV (RFC 4180, UTF-8), one field per memo."),
                     [](const CommandLine& line) { return exportAs(line, TTableFormat::Csv, "csv"); });
RqCommand htmlCommand("rqp html", spec("html", "Write a prepared report as one HTML page with a table of its memos."),
                      [](const CommandLine& line) { return exportAs(line, TTableFormat::Html, "html"); });

}  // namespace
