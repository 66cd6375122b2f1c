// rqtool printers: the printers the report engine sees, each with its current
// paper and that paper's geometry. One line per printer, fields separated by
// tabs: current mark (* or blank), name, paper code, paper name, paper size in
// tenths of a millimetre, orientation, page size in report units, printable
// offset and printable size in report units, and the paper sources: code,
// keyword (what a print job asks for; none for the default source) and name.
#include "RqCommand.h"

#include "report/printer/Printer.h"

#include <cstdio>

namespace {
// -1 "Default source", 1 tray-1 "Upper Tray", ...
std::string sources(const TrqPrinter& printer)
{
    std::string out;
    for (size_t i = 0; i < printer.Bins().size(); ++i) {
        if (i > 0) out += ", ";
        out += std::to_string(printer.Bins()[i]);
        const AnsiString& keyword = i < printer.BinKeywords().size() ? printer.BinKeywords()[i] : AnsiString();
        if (!keyword.empty()) out += " " + AnsiToUtf8(keyword);
        out += " \"" + AnsiToUtf8(printer.BinNames()[i]) + "\"";
    }
    return out;
}

int run(const CommandLine&)
{
    TrqPrinter& printer = rqPrinter();
    const int current = printer.PrinterIndex();
    const int count = static_cast<int>(printer.Printers().size());
    for (int i = 0; i < count; ++i) {
        printer.SetPrinterIndex(i);
        PrinterPageInfo info;
        printer.FillPrinterPageInfo(info);
        std::printf("%s\t%s\t%d\t%s\t%dx%d\t%s\t%dx%d\t%d,%d\t%dx%d\t%s\n", i == current ? "*" : " ",
                    AnsiToUtf8(printer.Printers()[static_cast<size_t>(i)]).c_str(), printer.PaperSize(),
                    AnsiToUtf8(printer.PaperName()).c_str(), printer.PaperWidth(), printer.PaperHeight(),
                    printer.Orientation() == 0 ? "portrait" : "landscape", info.PaperWidthUnits,
                    info.PaperHeightUnits, info.OffsetXUnits, info.OffsetYUnits, info.PrintableWidthUnits,
                    info.PrintableHeightUnits, sources(printer).c_str());
    }
    printer.SetPrinterIndex(current);
    return 0;
}

RqCommand command("printers",
                  {.summary = "List the printers with their current paper and its geometry.",
                   .details = "One line per printer, fields separated by tabs: current mark (* or blank), name,\n"
                              "paper code, paper name, paper size in tenths of a millimetre, orientation, page\n"
                              "size in report units, printable offset and printable size in report units,\n"
                              "and the paper sources: code, keyword (what a print job asks for; none for the\n"
                              "default source) and name in quotes, separated by commas, the default source (-1)\n"
                              "first.\n"},
                  run);
}  // namespace
