#pragma once
// The values a column's filter drop-down lists: the distinct display texts
// of the column over the records the grid holds that pass the other
// columns' conditions, in the order of their values (numbers and dates by
// value, texts by the bytes of the code page), blanks left out (the list
// has "(Blanks)" for them), at most `limit` of them.
//
// Each entry keeps the values that show its text (a date-time shown as a
// date, a price rounded by its display format), so that choosing it keeps
// exactly the records that show that text.
//
// Rules that are easy to break:
// - The records are read where the load left them (the dataset's stored
//   cells); the dataset is never walked again or moved, so a million rows
//   take one pass over memory. Only the `limit` smallest values are ever
//   formatted.
// - A text that depends on more than the value (OnGetText of the column or
//   the field, calculated and lookup fields, a wrapper column) is read per
//   record instead; OnGetText then gets a null node for a record the grid
//   does not show.
// - Only a load-all grid holds all its records; the others list nothing.

#include "runtime/Variant.h"

#include <vector>

class TCustomqvDBGrid;
class TqvDBTreeListColumn;

struct TqvFilterValue {
    AnsiString Text;
    std::vector<Variant> Values;
};

std::vector<TqvFilterValue> CollectFilterValues(const TCustomqvDBGrid& grid, TqvDBTreeListColumn* column, int limit);
