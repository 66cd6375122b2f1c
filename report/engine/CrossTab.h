#pragma once
// TrqCrossTab: the cross-tab cells of a build (CrossTab.cpp). The views of a
// band that lie inside the vertical cross bands print across the band's row:
// the cross header's once, the cross data band's once per record of its
// dataset, the cross footer's after them; a row wider than the page goes on
// at the left margin of the next prepared page.
//
// Rules that are easy to break:
// - Every page of a row takes at least one cell, so a cell wider than the
//   page prints clipped instead of making pages for ever.
// - Afterwards the build is back on the page the row started on.
// - The columns' dataset belongs to a band whose script may replace it
//   (DATASOURCE) while the row prints: after every script the row checks that
//   it still has it, and ends otherwise.

#include <cstdint>

class TrqBand;
class TrqDataset;
class TrqReportBuilder;

// Where the views of a cross band print: the cross band and its X on the page.
struct TrqCrossCell {
    TrqBand* Cross;
    int64_t X;
};

class TrqCrossTab {
public:
    explicit TrqCrossTab(TrqReportBuilder& builder) : builder_(builder) {}
    TrqCrossTab(const TrqCrossTab&) = delete;
    TrqCrossTab& operator=(const TrqCrossTab&) = delete;

    // Prints the cells of the band's row.
    void DrawCells(TrqBand& band);
    // The band-height rule of a band with cross-tab cells: its tallest column.
    int64_t RowHeight(TrqBand& band);

private:
    struct Row;
    struct Columns;
    void printCells(TrqBand& cross, TrqBand& row, int64_t x);
    void continueRow(Row& row);
    Columns columns(TrqBand& band);
    void runBandScript(TrqBand& band);

    TrqReportBuilder& builder_;
};
