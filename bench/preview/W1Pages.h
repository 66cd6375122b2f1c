#pragma once
// The prepared pages of a W1 list report: the "items" rows (code, name,
// price, quantity, amount, tax) six memos to a row, forty rows and a header
// to a page, on A4. Rows come from the SQLite file that
// bench/workloads/items.py makes (ITEMS_DB), or, without one, from the same
// generator written out here.

#include "runtime/AnsiString.h"

class TrqReport;

// Appends `pages` list pages to the report's prepared pages.
void AddW1Pages(TrqReport& report, int pages);
