#pragma once
// Grid rows copied to the clipboard for other programs: the plain text (a
// line per row, the cells separated by tabs, lines by CR LF) and, beside it,
// an HTML table of the same cells, so that a spreadsheet pastes cells.
//
// Rules that are easy to break:
// - The plain text is the grid's own copy text, unchanged: the selected rows
//   in the order they were selected (the focused row when none is), the
//   columns in navigation order, each cell the text it paints. The HTML
//   table holds exactly the same texts; "with headers" puts the captions
//   first in both.
// - Texts are code-page text in the grid and UTF-8 on the clipboard.

#include "runtime/AnsiString.h"

class QMimeData;
class TCustomqvDBTreeListControl;

// The copy text of the selected rows (the focused one when none is), with
// the column captions as its first line when `withHeaders`.
AnsiString GridRowsText(const TCustomqvDBTreeListControl& grid, bool withHeaders = false);
// The clipboard's content for those rows: text/plain and text/html.
QMimeData* GridRowsMimeData(const TCustomqvDBTreeListControl& grid, bool withHeaders);
// Puts the rows on the clipboard.
void CopyGridRows(const TCustomqvDBTreeListControl& grid, bool withHeaders = false);
