#pragma once
// Printing a report's prepared pages the way the preview's print button does:
// the print dialog offers the printer, the page range, the copies with
// collation and all, odd or even pages; OK prints them (report/print). A
// report whose ShowPrintDialog is off prints at once with the dialog's first
// settings: all pages, DefaultCopies, DefaultCollate.
//
// The pages printed are the report's own: a window that holds them lends them
// to the report for the call (TrqLentPages).

class QWidget;
class TrqReport;

// The platform has a printer besides the virtual one reports are laid out on.
bool HavePlatformPrinter();

// False, printing nothing, when the platform has no printer or the dialog was
// not ended with OK. `currentPage` (from 1) is what the dialog's current-page
// choice prints. A copies field that is not a whole number raises
// EConvertError before anything is printed.
bool PrintPreparedWithDialog(TrqReport& report, QWidget* parent, int currentPage);
