#pragma once
// Tables of cells written as a spreadsheet (XLSX), CSV or an HTML page: what
// the report engine and the grid hand to other programs. A caller registers
// the looks its cells need (styles), gives the column widths, then writes row
// after row, and Finish() publishes the file.
//
// Cells are typed: text, numbers, and date-times (days since 1899-12-30, the
// fraction the time of day), each with a style that carries its spreadsheet
// number format. A cell may cover several columns (merged in XLSX, colspan in
// HTML, followed by empty fields in CSV).
//
// Rules that are easy to break:
// - Text is UTF-8 in, UTF-8 out. Texts are never formulas: XLSX writes them
//   as strings whatever they start with, and CSV puts a single quote before a
//   text that starts with "=", "+", "-", "@", a tab or a CR (FormulaGuarded),
//   so that a spreadsheet program opening it does not run it.
// - Files are written to a temporary beside the target and renamed by
//   Finish(); a writer destroyed without Finish(), or one that fails, leaves
//   no file (EExportError names the file and the reason).
// - XLSX is written row by row in constant memory (a row once left is on
//   disk): rows go in order, and a sheet that is full (1,048,576 rows)
//   continues on a new sheet that starts with the header rows again.
// - Every row has the table's columns: CSV rows are padded to the widths'
//   count, cells beyond it are an error of the caller (EExportError).

#include "runtime/export/AtomicFile.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class TCellKind : uint8_t { Empty, Text, Number, DateTime };
enum class TCellAlign : uint8_t { General, Left, Center, Right };
// How a date-time reads in CSV: a date, a time of day, or both (a date
// alone when the value has no time of day).
enum class TDateShape : uint8_t { Date, Time, DateTime };

// How a cell looks; cells share their style by its number.
struct TCellStyle {
    // The spreadsheet number format ("#,##0.00", "yyyy-mm-dd"); empty is General.
    std::string NumberFormat;
    // Digits after the point of a number in CSV; -1: as many as the value needs.
    int Decimals = -1;
    TDateShape DateShape = TDateShape::DateTime;
    bool Bold = false;
    TCellAlign Align = TCellAlign::General;
    bool operator==(const TCellStyle&) const = default;
};

struct TTableCell {
    TCellKind Kind = TCellKind::Empty;
    // A text cell's text. For numbers and date-times the text shown for them
    // (HTML shows it; empty: the CSV form of the value).
    std::string_view Text;
    double Number = 0;
    uint16_t Style = 0;  // 0: the plain style
    uint16_t Span = 1;   // columns the cell covers

    static TTableCell TextCell(std::string_view text, uint16_t style = 0, uint16_t span = 1)
    {
        return {TCellKind::Text, text, 0, style, span};
    }
    static TTableCell NumberCell(double value, uint16_t style = 0, std::string_view shown = {}, uint16_t span = 1)
    {
        return {TCellKind::Number, shown, value, style, span};
    }
    static TTableCell DateCell(double days, uint16_t style = 0, std::string_view shown = {}, uint16_t span = 1)
    {
        return {TCellKind::DateTime, shown, days, style, span};
    }
};

// Header rows open the table (HTML: thead, and repeated on every further
// XLSX sheet), footer rows close it (HTML: tfoot).
enum class TRowKind : uint8_t { Header, Body, Footer };

enum class TTableFormat : uint8_t { Xlsx, Csv, Html };

struct TTableOptions {
    bool ByteOrderMark = false;  // CSV: start with the UTF-8 byte-order mark
    std::string Title;           // HTML: the page title (UTF-8)
};

class TTableWriter {
public:
    virtual ~TTableWriter() = default;

    // A style for cells of this table; the same look gives the same number.
    // Style 0 is the plain one. Register styles before the rows that use them.
    uint16_t AddStyle(const TCellStyle& style);
    // The columns and their widths in characters of the default font; once,
    // before the first row.
    virtual void SetColumns(std::span<const double> widths);
    virtual void WriteRow(std::span<const TTableCell> cells, TRowKind kind = TRowKind::Body) = 0;
    // Completes the file and publishes it under its name.
    virtual void Finish() = 0;

    int ColumnCount() const { return static_cast<int>(widths_.size()); }

protected:
    const TCellStyle& styleOf(uint16_t id) const { return id < styles_.size() ? styles_[id] : styles_[0]; }
    virtual void styleAdded(uint16_t /*id*/) {}

    std::vector<TCellStyle> styles_{TCellStyle{}};
    std::vector<double> widths_;
};

// A writer of the format into the file `fileName` (UTF-8 path). Raises
// EExportError when the file cannot be created.
std::unique_ptr<TTableWriter> MakeTableWriter(TTableFormat format, const std::string& fileName,
                                              const TTableOptions& options = {});
// Each format's writer (XlsxWriter.cpp, CsvWriter.cpp, HtmlWriter.cpp).
std::unique_ptr<TTableWriter> MakeXlsxWriter(const std::string& fileName);
std::unique_ptr<TTableWriter> MakeCsvWriter(const std::string& fileName, bool byteOrderMark);
std::unique_ptr<TTableWriter> MakeHtmlWriter(const std::string& fileName, const std::string& title);
// HTML into a string (for the clipboard); Finish() completes the page.
std::unique_ptr<TTableWriter> MakeHtmlStringWriter(std::string& out, const std::string& title = {});

// The format a file name's extension asks for (.xlsx, .csv, .htm/.html, in
// any case); false for any other.
bool TableFormatForFileName(std::string_view fileName, TTableFormat& format);

// The file types a user can save a table as, for file dialogs, in the order
// they are offered.
struct TTableFileType {
    TTableFormat Format;
    const char* Filter;     // "Spreadsheet (*.xlsx)"
    const char* Extension;  // ".xlsx"
};
const std::vector<TTableFileType>& TableFileTypes();
