#pragma once
// Prepared pages handed to a spreadsheet: every printed memo becomes a cell
// of one table, written as XLSX, CSV or HTML (runtime/export/TableWriter.h).
//
// The table: rows by vertical position, page after page; columns by
// horizontal position, the same on every page, so that one column of the
// report is one column of the sheet (SheetColumns.h, SheetRows.h); a memo
// covering several columns is a merged cell; a memo that printed one number
// or date-time through a display format keeps it, typed, with the matching
// number format (MemoCells.h). What belongs to the pages rather than the
// data (page header and footer, column header and footer, overlay, views
// outside bands, and headers printed again after a break) appears once: the
// headers of the first page that has them, the footers of the last; with
// PageBands, everything as it is on every page.
//
// Rules that are easy to break:
// - Pages are read twice (columns first, then rows) and one page at a time,
//   so memory stays flat however long the report is.
// - Pages without printed records (files written by other programs or by
//   earlier versions) export every memo as its text, each page whole.

#include "runtime/export/TableWriter.h"

#include <string>
#include <vector>

class TrqEMFPages;

struct TrqExportOptions {
    bool PageBands = false;      // page headers and footers on every page
    bool ByteOrderMark = false;  // CSV: the UTF-8 byte-order mark first
    std::string Title;           // HTML: the page's title (UTF-8)
};

// Writes the pages into the file (UTF-8 path) in the format. Raises
// EExportError for a file that cannot be written (nothing is left behind)
// and the page's read error for a damaged page.
void ExportPreparedPages(TrqEMFPages& pages, TTableFormat format, const std::string& fileName,
                         const TrqExportOptions& options = {});
// Writes the pages as rows of `writer` (without finishing it).
void WritePreparedPages(TrqEMFPages& pages, TTableWriter& writer, const TrqExportOptions& options = {});

// The formats a user can save prepared pages as, for file dialogs.
using TrqExportFormat = TTableFileType;
inline const std::vector<TrqExportFormat>& ExportFormats() { return TableFileTypes(); }
