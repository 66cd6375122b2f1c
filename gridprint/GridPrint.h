#pragma once
// Printing a dataset-bound grid as it is shown, through the report engine:
// link Stockin::GridPrint (pkg-config stockin-gridprint). The grid and the
// report engine know nothing of each other; this library joins them.
//
//   PreviewGrid   opens the report engine's preview of the grid: zoom, find,
//                 print, and save as .rqp. By default it opens with the first
//                 page while the other pages are still being built, so a grid
//                 of a million rows shows at once; with WholeReportFirst every
//                 page is built first (the progress window shows how far it
//                 got) and the pages read "Page N of M".
//   PrintGrid     builds every page and prints them after the print dialog
//                 (printer, pages, copies).
//
// What is printed, how columns wider than the paper continue and which
// columns repeat: GridReport.h and GridPrintOptions.h.

#include "gridprint/GridPrintOptions.h"

class TCustomqvDBGrid;

// Returns when the preview is closed.
void PreviewGrid(TCustomqvDBGrid& grid, const TqvGridPrintOptions& options = {});
// True when pages went to the printer; false when there is no printer, the
// dialog was cancelled or the build failed (its message has been shown).
bool PrintGrid(TCustomqvDBGrid& grid, const TqvGridPrintOptions& options = {});
