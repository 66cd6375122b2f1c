#pragma once
// A dataset-bound grid handed to other programs as a table: a spreadsheet
// (XLSX), CSV or an HTML page (runtime/export/TableWriter.h).
//
// The table is what the grid shows: a header row with the captions of the
// visible columns in their shown order, the rows in their shown order (as
// sorted and filtered; a group row as one cell across the table), and the
// footer row when the grid shows one. Cells are typed by the column:
//   number fields   numbers, with the spreadsheet format made from the
//                   display format the column paints with (a currency
//                   column's DisplayFormat, else the field's DisplayFormat;
//                   none: General, or the locale's currency decimals for a
//                   currency field); CSV gives the decimals the format fixes
//   date-time       date-times with the field's DisplayFormat, else the
//   fields          locale's short date, long time, or both
//   anything else   the text the cell paints
// A column whose text comes from an OnGetText handler (of the column or the
// field), a lookup, and the kinds that paint no value (check boxes, images,
// memos, blobs, pictures, wrappers) give their painted text. A footer is a
// number in its footer format when the format has digit placeholders (a
// literal like "MIN=" is kept in the spreadsheet's format; CSV holds the
// number alone), else its text; a date footer is its text.
//
// Rules that are easy to break:
// - In window and partial modes the grid holds nodes only for some rows:
//   every record of the dataset is read in place, in the dataset's order
//   (the dataset does not move), and OnGetText handlers get a null node.
// - The file appears whole or not at all (EExportError names the file and
//   the reason); the grid and its dataset are left as they were.

#include "runtime/export/TableWriter.h"

#include <string>

class TCustomqvDBTreeListControl;

struct TqvGridExportOptions {
    // Only the selected rows (the focused row when none is selected).
    bool SelectedOnly = false;
    // The footer row, when the grid shows one.
    bool Footer = true;
    // CSV: the UTF-8 byte-order mark first.
    bool ByteOrderMark = false;
    // HTML: the page title (UTF-8).
    std::string Title;
};

// Writes the grid into the file (UTF-8 path) in the format.
void ExportGrid(const TCustomqvDBTreeListControl& grid, TTableFormat format, const std::string& fileName,
                const TqvGridExportOptions& options = {});
// Writes the grid's table as rows of `writer` (without finishing it);
// `shownTexts` gives numbers and date-times the text the grid paints (HTML).
void WriteGridTable(const TCustomqvDBTreeListControl& grid, TTableWriter& writer,
                    const TqvGridExportOptions& options, bool shownTexts);
