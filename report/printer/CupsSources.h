#pragma once
// The paper sources of a CUPS printer, as the scheduler reports them: the
// values of its "media-source" attribute (for a queue with a PPD, made from
// the PPD's InputSlot choices), in the printer's own order and numbered from
// 1, each with its keyword (what a job asks for) and its name.
//
// Rules that are easy to break:
// - Asking the scheduler is a round trip: callers keep the answer per printer.
// - A printer the scheduler does not know, or one without sources, has none.

#include "report/printer/PrinterPlatform.h"

#include <vector>

std::vector<TrqPaperSource> CupsPaperSources(const AnsiString& printerName);
