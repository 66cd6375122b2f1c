#include "ExportOptions.h"

std::vector<CommandLineOption> ExportOptionList()
{
    return {{{"page-bands"}, "", "Write page headers and footers on every page, not once."},
            {{"csv-bom"}, "", "Start a CSV file with the UTF-8 byte-order mark (for spreadsheet programs that need it)."}};
}

TrqExportOptions ParseExportOptions(const CommandLine& line)
{
    TrqExportOptions o;
    o.PageBands = line.IsSet("page-bands");
    o.ByteOrderMark = line.IsSet("csv-bom");
    return o;
}
