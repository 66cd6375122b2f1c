#pragma once
// What the memos of a prepared page printed, kept beside the page so that
// the pages can be handed to a spreadsheet as cells: for each memo, the kind
// of band that printed it (page headers and footers are written once, data
// bands give the columns), whether it was a header printed again after a
// page break, and, when its whole text is one value, that value with the
// display format it was printed through. The page stream itself keeps only
// the text, as the prepared form has always done.
//
// Rules that are easy to break:
// - A record names its memo by its place among all view records of the page
//   (0-based, lines and pictures counted); records are kept in that order.
// - Only numbers and date-times are kept as values (Integer, Float,
//   DateTime): a text value is the printed text itself.
// - The records of a page are bytes: each a varint of the views skipped since
//   the previous record, the band kind, a flag byte (bit 0 repeated, bits 1-2
//   the value's kind), and with a value its 8 bytes, the format code (int32)
//   and the format text (varint length, bytes); all little-endian. Damage is
//   found when the records are read (EPreparedReportError).

#include "report/model/ReportTypes.h"
#include "runtime/Variant.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TrqPrintedMemo {
    int32_t View = 0;
    uint8_t Band = btNone;
    bool Repeated = false;
    Variant Value;  // Integer, Float or DateTime; Empty when the memo's text is not one value
    int32_t FormatCode = 0;
    AnsiString FormatText;
};

// Appends a record; `previousView` is the View of the page's last record
// (-1 for none) and must be below memo.View.
void AppendPrintedMemo(std::string& bytes, int32_t previousView, const TrqPrintedMemo& memo);
// The records of a page. Raises EPreparedReportError for damaged bytes.
std::vector<TrqPrintedMemo> ReadPrintedMemos(std::string_view bytes);
