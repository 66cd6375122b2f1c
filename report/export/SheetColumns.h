#pragma once
// The columns of a sheet made from prepared pages: one column of the report
// (a memo position that data bands print at on every page) is one column of
// the sheet, however many pages it runs over.
//
// The columns start where memos start. Positions within a small tolerance
// count as one; each position has the width most of its memos have. Data
// bands' positions come first (most used first), then those of the other
// bands; a position that lies inside a column already taken makes no column
// of its own, so a title or a caption placed over the table does not split
// the table's columns. A memo then starts in the column nearest to its left
// edge and covers the columns that start before its right edge.
//
// Rules that are easy to break:
// - Positions are report units on the page (the same on every page).
// - Every memo gets a column; two memos of one row never share one (the
//   later moves right; at the last column it is joined to the one before).

#include <cstdint>
#include <map>
#include <vector>

struct TrqPageMemo;

inline constexpr int32_t SheetTolerance = 3;  // report units (about 0.8 mm)

class TrqSheetColumns {
public:
    // Notes a memo that will be written (its left edge, width, and whether a
    // data band printed it).
    void Note(int32_t left, int32_t width, bool dataBand);
    // Decides the columns from what was counted.
    void Decide();

    int Count() const { return static_cast<int>(lefts_.size()); }
    const std::vector<int32_t>& Lefts() const { return lefts_; }
    // Column widths in report units.
    std::vector<int32_t> Widths() const;
    // The column nearest to `left` (the lower one of two as near).
    int Nearest(int32_t left) const;
    // The last column that starts before `right` (at least `first`).
    int LastBefore(int32_t right, int first) const;

private:
    struct Position {
        int64_t count = 0, data = 0;
        std::map<int32_t, int64_t> widths;
    };
    std::map<int32_t, Position> positions_;
    std::vector<int32_t> lefts_;
    std::vector<int32_t> widths_;
};
