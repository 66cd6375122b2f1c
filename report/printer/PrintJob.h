#pragma once
// TrqPrintJob: one print job on the current printer, as the print loop drives
// it. A job is begun on a paper with its copy count and title, receives its
// pages one after the other on its canvas, and is either ended (it goes to the
// printer) or aborted (nothing of it reaches the printer). The print loop
// begins a new job at every change of paper.
//
// Rules that are easy to break:
// - Collation, page ranges and odd/even pages are the print loop's business: a
//   job receives exactly the sheets to print, and only its copy count.
// - While a job is begun the printing layer keeps its paper (Printing()).
// - The canvas is valid from BeginPage to the next BeginPage, EndDoc or Abort.

#include "report/canvas/Canvas.h"
#include "runtime/AnsiString.h"
#include "runtime/Exceptions.h"

#include <cstdint>

// A job that cannot be written or handed to the printer.
DECLARE_EXCEPTION(EPrintJobError, Exception)

// What a job is begun with: the printing layer's current printer and paper.
struct TrqJobSetup {
    AnsiString Title;
    int Copies = 1;
    AnsiString PrinterName;
    AnsiString PaperName;  // as the printer's paper list names it
    int32_t PaperSize = 9;
    int32_t PaperWidth = 0, PaperHeight = 0;  // tenths of a millimetre
    int32_t Orientation = 0;
    int32_t PaperBin = -1;
    AnsiString PaperSource;  // the source's keyword; empty for the printer's default
};

class TrqPrintJob {
public:
    virtual ~TrqPrintJob() = default;

    virtual void BeginDoc(const TrqJobSetup& setup) = 0;
    // Starts the next sheet (the first one of the job starts with the job);
    // pageNumber is the prepared page's number, from 1.
    virtual void BeginPage(int pageNumber) = 0;
    virtual TrqCanvas& Canvas() = 0;
    virtual void EndDoc() = 0;
    virtual void Abort() = 0;
    virtual bool Printing() const = 0;
};
