#pragma once
// TqvGridReport: a report made from a dataset-bound grid as it is shown: the
// title, the column captions in a header row that every page repeats, the
// shown rows in their order with the cells' display texts and alignments,
// the footer row after the last row, and "Page N" ("Page N of M" when the
// whole report is built first) at the foot of every page. PreviewGrid and
// PrintGrid (GridPrint.h) make one; integrators may use it directly, e.g. to
// save the prepared pages (TrqReport::SavePreparedReport).
//
// The report's template is made in code when the object is made: one page,
// a band per row kind, one memo per repeated column and one for the other
// columns, which the report engine prints once per column across the row
// (its cross-tab cells), continuing a row that is wider than the paper on the
// next page with the repeated columns again. The texts come from the grid
// while the report is built (TqvGridRows walks the rows); the captions,
// footers, widths, fonts and alignments are those of the moment the object
// is made.
//
// Rules that are easy to break:
// - Cell texts are never evaluated as expressions: a text with brackets
//   prints as it is (the cell memos are TextOnly and get their text through
//   OnBeforePrint).
// - A build reloads the template afterwards, so the report's views are other
//   objects after each build: the report finds its cells by name when a
//   build begins and forgets them when it ends.
// - The grid must outlive the object, and must not be destroyed while the
//   report is built or shown.

#include "gridprint/GridPrintOptions.h"

#include <memory>
#include <vector>

class TCustomqvDBGrid;
class TComponent;
class TqvGridRows;
class TqvTreeListColumn;
class TrqReport;

class TqvGridReport {
public:
    explicit TqvGridReport(TCustomqvDBGrid& grid, const TqvGridPrintOptions& options = {});
    ~TqvGridReport();
    TqvGridReport(const TqvGridReport&) = delete;
    TqvGridReport& operator=(const TqvGridReport&) = delete;

    TrqReport& Report() { return *report_; }
    // The shown columns as printed, repeated ones first.
    int ColumnCount() const;
    TqvTreeListColumn* Column(int index) const;
    int RepeatedColumnCount() const { return repeated_; }

private:
    struct Printed;
    struct Cells;
    void collectColumns(const TqvGridPrintOptions& options);
    void makeTemplate(const TqvGridPrintOptions& options);
    void connectEvents();

    TCustomqvDBGrid& grid_;
    std::unique_ptr<TComponent> owner_;  // owns the report and the rows
    TrqReport* report_ = nullptr;
    TqvGridRows* rows_ = nullptr;
    std::vector<Printed> columns_;
    int repeated_ = 0;
    double scale_ = 1.0;
    std::unique_ptr<Cells> cells_;  // while a build runs
};
