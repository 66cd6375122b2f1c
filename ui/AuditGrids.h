#pragma once
// The audit window's two grids, set up as the window shows them: the
// document headers (window mode: only the rows in view are read) and the
// current document's lines (every line loaded, keyed by product code, with
// the footer row that counts the lines and sums quantity, amount and tax).
//
// Rules that are easy to break:
// - The commands address the line grid's columns by index (LineColumn): the
//   order of the columns is part of how Enter walks and when a price change
//   recomputes amount and tax.
// - The line grid starts in row selection; only the line commands switch it
//   to cell editing (edgoInvertSelect in place of edgoRowSelect) and back.
// - The header grid always stays in row selection.
// - Both grids have the grid's context menu (copy, copy with headers,
//   export); the toolbar does not change for it.

class TqvDBGrid;
class Tdm;

// Indexes of the line grid's columns.
enum LineColumn : int { lcCode = 0, lcName, lcPrice, lcQuantity, lcAmount, lcTax };

// Columns, options, fonts and colours of dbg_xstykfp1, bound to the header
// query's data source of `data` (left unbound when there is none).
void ConfigureHeaderGrid(TqvDBGrid& grid, Tdm* data);
// The same for dbg_xstgjfp2 over the line query.
void ConfigureLineGrid(TqvDBGrid& grid, Tdm* data);

// Row selection (browse) or cell editing (lines being edited).
void SetLineGridCellMode(TqvDBGrid& grid, bool cells);
