// rqtool rqp dump FILE.rqp                        prints a prepared report as JSON
// rqtool rqp pdf FILE.rqp -o OUT.pdf               renders every page into one PDF
// rqtool rqp png FILE.rqp --page N [--zoom Z] -o OUT.png
//                                                  renders page N (from 1) at zoom Z
//                                                  (1 = 100 %, or a percentage "150%")
// rqtool rqp print FILE.rqp [...]                  prints it (CommandRqpPrint.cpp)
#include "RqCommand.h"

#include "report/model/Report.h"
#include "report/pages/EMFPages.h"
#include "report/pages/PageRender.h"
#include "report/pages/PreparedJson.h"

#include <cstdio>
#include <cstdlib>

namespace {

// A whole number or a decimal; false for anything else.
bool parseNumber(const std::string& text, double& value)
{
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end && *end == 0;
}

double parseZoom(std::string text)
{
    if (text.empty()) return 1.0;
    bool percent = text.back() == '%';
    if (percent) text.pop_back();
    double zoom = 0;
    if (!parseNumber(text, zoom) || !(zoom > 0)) throw RqUsageError{"the zoom must be a positive number"};
    return percent ? zoom / 100 : zoom;
}

int pageNumber(const std::string& text)
{
    double n = 0;
    if (!parseNumber(text, n) || n < 1 || n != static_cast<int>(n))
        throw RqUsageError{"--page needs a page number from 1"};
    return static_cast<int>(n);
}

std::string outputFile(const CommandLine& line, const char* command)
{
    if (!line.IsSet("o")) throw RqUsageError{std::string(command) + " needs -o OUTPUT"};
    return line.Value("o");
}

void load(TrqReport& report, const std::string& fileName) { report.LoadPreparedReport(Utf8ToAnsi(fileName)); }

const CommandLineArgument kPreparedFile{"FILE.rqp", "The prepared report file."};

int dump(const CommandLine& line)
{
    TrqReport report;
    load(report, line.Arguments()[0]);
    std::string json = PreparedPagesToJson(report.EMFPages());
    std::fwrite(json.data(), 1, json.size(), stdout);
    return 0;
}

int pdf(const CommandLine& line)
{
    const std::string output = outputFile(line, "pdf");
    TrqReport report;
    load(report, line.Arguments()[0]);
    SavePdf(report.EMFPages(), Utf8ToAnsi(output), Utf8ToAnsi(line.Arguments()[0]));
    return 0;
}

int png(const CommandLine& line)
{
    const std::string output = outputFile(line, "png");
    if (!line.IsSet("page")) throw RqUsageError{"png needs --page N"};
    const int page = pageNumber(line.Value("page"));
    const double zoom = parseZoom(line.Value("zoom"));
    TrqReport report;
    load(report, line.Arguments()[0]);
    SavePagePng(report.EMFPages(), page - 1, zoom, Utf8ToAnsi(output));
    return 0;
}

RqCommand dumpCommand("rqp dump",
                      {.synopsis = "FILE.rqp",
                       .summary = "Print a prepared report as JSON.",
                       .arguments = {kPreparedFile}},
                      dump);

RqCommand pdfCommand("rqp pdf",
                     {.synopsis = "FILE.rqp -o OUT.pdf",
                      .summary = "Render every page of a prepared report into one PDF, each page with its own "
                                 "paper; text stays text.",
                      .options = {{{"o"}, "OUT.pdf", "The PDF file to write."}},
                      .arguments = {kPreparedFile}},
                     pdf);

RqCommand pngCommand("rqp png",
                     {.synopsis = "FILE.rqp --page N [--zoom Z] -o OUT.png",
                      .summary = "Render one page of a prepared report into a PNG picture.",
                      .options = {{{"page"}, "N", "The page, from 1."},
                                  {{"zoom"}, "Z", "Screen pixels per report unit: 1 = 100 % (the default), or a "
                                                  "percentage such as 150%."},
                                  {{"o"}, "OUT.png", "The picture file to write."}},
                      .arguments = {kPreparedFile}},
                     png);

}  // namespace
