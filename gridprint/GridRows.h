#pragma once
// TqvGridRows: the rows a dataset-bound grid shows, as a report dataset that
// a printed grid's data band walks. Nothing is copied: each step looks at the
// grid as it is, so the first page of a million rows is printed after the
// rows of that page have been read.
//
//   load-all   the shown nodes in display order (after sorting and the
//              grid-side filter; group rows and the records of expanded
//              groups), read through the grid's GetCellText.
//   window and partial   the grid holds nodes only for some records; it shows
//              every record of the dataset in the dataset's order, which is
//              what is walked: each record read in place (the dataset does not
//              move), skipping records the grid's filter refuses. A column's
//              OnGetText sees no node (ANode null) for these rows.
//
// Rules that are easy to break:
// - The grid may change under a long build (the preview lets events through):
//   every step checks the end again and never keeps a node between steps.
// - Reading a record in place restores the dataset's read position.

#include "report/data/ReportDataset.h"
#include "runtime/AnsiString.h"

class TCustomqvDBGrid;
class TDataSet;
class TqvTreeListColumn;
class TqvTreeListNode;

class TqvGridRows : public TrqDataset {
public:
    explicit TqvGridRows(TCustomqvDBGrid& grid, TComponent* owner = nullptr);
    const char* ClassName() const override { return "TqvGridRows"; }

    void Open() override;
    void First() override;
    void Next() override;
    bool Eof() override;

    // The text the current row shows in the column (a group row shows its
    // value and its summaries under the first shown column).
    AnsiString CellText(TqvTreeListColumn* column) const;

private:
    // The record mode's dataset (window and partial loads), else null.
    TDataSet* records() const;
    // The first record at or after `position` that the grid shows.
    int shownRecordFrom(int position) const;
    TqvTreeListNode* node() const;

    TCustomqvDBGrid& grid_;
    bool byNodes_ = true;
    int position_ = 0;  // the dataset position of the current record (record mode)
};
