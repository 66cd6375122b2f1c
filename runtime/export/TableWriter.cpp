#include "runtime/export/TableWriter.h"

#include <algorithm>
#include <cctype>

uint16_t TTableWriter::AddStyle(const TCellStyle& style)
{
    auto found = std::find(styles_.begin(), styles_.end(), style);
    if (found != styles_.end()) return static_cast<uint16_t>(found - styles_.begin());
    if (styles_.size() >= 0xFFFF) throw EExportError("Too many cell styles in one table");
    styles_.push_back(style);
    const auto id = static_cast<uint16_t>(styles_.size() - 1);
    styleAdded(id);
    return id;
}

void TTableWriter::SetColumns(std::span<const double> widths) { widths_.assign(widths.begin(), widths.end()); }

std::unique_ptr<TTableWriter> MakeTableWriter(TTableFormat format, const std::string& fileName,
                                              const TTableOptions& options)
{
    switch (format) {
    case TTableFormat::Xlsx: return MakeXlsxWriter(fileName);
    case TTableFormat::Csv: return MakeCsvWriter(fileName, options.ByteOrderMark);
    case TTableFormat::Html: return MakeHtmlWriter(fileName, options.Title);
    }
    throw EExportError("Unknown table format");
}

bool TableFormatForFileName(std::string_view fileName, TTableFormat& format)
{
    const size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || fileName.find('/', dot) != std::string_view::npos) return false;
    std::string extension(fileName.substr(dot + 1));
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == "xlsx") format = TTableFormat::Xlsx;
    else if (extension == "csv") format = TTableFormat::Csv;
    else if (extension == "html" || extension == "htm") format = TTableFormat::Html;
    else return false;
    return true;
}

const std::vector<TTableFileType>& TableFileTypes()
{
    static const std::vector<TTableFileType> types{
        {TTableFormat::Xlsx, "Spreadsheet (*.xlsx)", ".xlsx"},
        {TTableFormat::Csv, "Comma-separated values (*.csv)", ".csv"},
        {TTableFormat::Html, "Web page (*.html)", ".html"},
    };
    return types;
}
