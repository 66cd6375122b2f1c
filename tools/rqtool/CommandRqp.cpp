// rqtool rqp dump FILE.rqp                        prints a prepared report as JSON
// rqtool rqp pdf FILE.rqp -o OUT.pdf               renders every page into one PDF
// rqtool rqp png FILE.rqp --page N [--zoom Z] -o OUT.png
//                                                  renders page N (from 1) at zoom Z
//                                                  (1 = 100 %, or a percentage "150%")
// rqtool rqp print FILE.rqp [...]                  prints it (CommandRqpPrint.cpp)
#include "RqCommand.h"
#include "RqpPrint.h"

#include "report/model/Report.h"
#include "report/pages/EMFPages.h"
#include "report/pages/PageRender.h"
#include "report/pages/PreparedJson.h"

#include <cstdio>
#include <cstdlib>

namespace {
struct Options {
    std::string input, output, page, zoom;
};

Options parse(const RqArgs& args, bool pageAndZoom)
{
    Options o;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        bool hasValue = i + 1 < args.size();
        if (a == "-o" && hasValue) o.output = args[++i];
        else if (pageAndZoom && a == "--page" && hasValue) o.page = args[++i];
        else if (pageAndZoom && a == "--zoom" && hasValue) o.zoom = args[++i];
        else if (o.input.empty() && !a.starts_with("-")) o.input = a;
        else throw RqUsageError{"unexpected argument '" + a + "'"};
    }
    if (o.input.empty()) throw RqUsageError{"a prepared report file is needed"};
    return o;
}

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

void load(TrqReport& report, const std::string& fileName) { report.LoadPreparedReport(Utf8ToAnsi(fileName)); }

int run(const RqArgs& args)
{
    if (args.empty()) throw RqUsageError{"dump, pdf, png or print?"};
    const std::string& what = args[0];
    if (what == "print") return RunRqpPrint(args);
    if (what != "dump" && what != "pdf" && what != "png") throw RqUsageError{"unknown rqp command '" + what + "'"};
    Options o = parse(args, what == "png");
    if (what != "dump" && o.output.empty()) throw RqUsageError{what + " needs -o OUTPUT"};
    if (what == "png" && o.page.empty()) throw RqUsageError{"png needs --page N"};
    const double zoom = what == "png" ? parseZoom(o.zoom) : 1.0;
    const int page = what == "png" ? pageNumber(o.page) : 0;

    TrqReport report;
    load(report, o.input);
    TrqEMFPages& pages = report.EMFPages();
    if (what == "dump") {
        std::string json = PreparedPagesToJson(pages);
        std::fwrite(json.data(), 1, json.size(), stdout);
    } else if (what == "pdf") {
        SavePdf(pages, Utf8ToAnsi(o.output), Utf8ToAnsi(o.input));
    } else {
        SavePagePng(pages, page - 1, zoom, Utf8ToAnsi(o.output));
    }
    return 0;
}

RqCommand command("rqp",
                  "dump FILE.rqp | pdf FILE.rqp -o OUT.pdf | png FILE.rqp --page N [--zoom Z] -o OUT.png | "
                  "print FILE.rqp [--printer NAME] [--pages LIST] [--copies N] [--collate] [--odd|--even] [--dry-run]",
                  "print a prepared report as JSON, render it to PDF or a page of it to PNG, or print it", run);
}  // namespace
