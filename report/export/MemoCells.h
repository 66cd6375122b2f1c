#pragma once
// A printed memo as a typed cell. A memo whose whole text was one number or
// date-time keeps that value, with the spreadsheet number format that matches
// the display format it was printed through:
//   number formats     a number: fixed-point kinds as "0.00" / "#,##0.00",
//                      the optional-decimals kinds as "0" / "General" and
//                      "#,##0" / "#,##0.##", a custom pattern translated
//   date, time         a date-time with the translated pattern (the fixed
//                      kinds through their engine texts, the long date
//                      through the locale's)
//   no format          numbers as numbers (General), date-times as dates
//   boolean, or text   the printed text
// Every other memo is its printed text. The cell's look: bold when the memo's
// font is, aligned as the memo (left, right, centre).
//
// Rules that are easy to break:
// - The printed text is what the value must agree with: a value is only kept
//   when the memo's text is that value and nothing else (the band engine
//   decides, PrintedMemos.h); this file only chooses the cell's type and format.
// - CSV writes numbers of a fixed number of decimals with those decimals, so
//   that a CSV shows the amounts the report shows.

#include "runtime/export/TableWriter.h"

#include <unordered_map>

struct TrqPageMemo;

// Memos as cells of one table; the looks they need are registered with the
// table's writer once each.
class TrqMemoCells {
public:
    explicit TrqMemoCells(TTableWriter& writer) : writer_(writer) {}
    // The memo's cell; `text` is its text in UTF-8 (kept by the caller while
    // the cell is written).
    TTableCell Cell(const TrqPageMemo& memo, std::string_view text);

private:
    struct Look {
        TCellKind kind;
        uint16_t style;
    };
    TTableWriter& writer_;
    std::unordered_map<std::string, Look> looks_;
    std::string key_;
};
