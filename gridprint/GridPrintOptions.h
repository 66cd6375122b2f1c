#pragma once
// How a grid is printed (GridPrint.h). The defaults print the grid on the
// printer's default paper, portrait, its columns as wide as on the screen,
// continued on further pages when they are wider than the paper, and show
// the first page while the rest is still being built.

#include "report/model/ReportTypes.h"
#include "runtime/AnsiString.h"

#include <cstdint>

struct TqvGridPrintOptions {
    // Printed above the rows of the first page, and the preview's caption
    // ("Preview - " and the title). Nothing is printed when it is empty.
    AnsiString Title;
    // Columns (and fonts) shrink so that a row fits the paper's width;
    // otherwise the columns that do not fit continue on the following pages.
    bool FitToPageWidth = false;
    // The columns printed again at the left of every page a row continues on;
    // they lead on every page, the other columns follow in the grid's order.
    // -1: the column of the grid's KeyField when it is shown, else the first
    // shown column; n >= 0: the first n shown columns (0: none).
    int RepeatedColumns = -1;
    // The paper: 0 for the printer's default, else a paper code of the
    // printer layer (9 is A4); the custom code 256 takes PaperWidth and
    // PaperHeight, in tenths of a millimetre.
    int32_t PaperSize = 0;
    int32_t PaperWidth = 0;
    int32_t PaperHeight = 0;
    uint8_t Orientation = poPortrait;
    // Builds every page before the preview opens (with the progress window)
    // and numbers the pages "Page N of M"; otherwise the preview opens with
    // the first page and the footer reads "Page N".
    bool WholeReportFirst = false;
};
