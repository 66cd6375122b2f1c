#pragma once
// The rows of a sheet made from one prepared page: memos whose tops lie
// within a small tolerance of a row's first top share that row; rows follow
// each other down the page. In a row, memos go by their left edge into the
// sheet's columns (SheetColumns.h): each covers the columns from the one
// nearest its left edge up to the last that starts before its right edge,
// and never into the next memo's column.

#include "report/export/SheetColumns.h"

#include <vector>

struct TrqPageMemo;

struct TrqPlacedMemo {
    const TrqPageMemo* Memo = nullptr;
    int First = 0, Last = 0;  // the columns it covers
    // Memos of the same row that found no column of their own (more memos
    // than columns to their right): their text follows this memo's.
    std::vector<const TrqPageMemo*> Joined;
};

using TrqSheetRow = std::vector<TrqPlacedMemo>;

std::vector<TrqSheetRow> PageRows(std::vector<const TrqPageMemo*> memos, const TrqSheetColumns& columns);
