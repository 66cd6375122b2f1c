#pragma once
// The new-item row of the dataset-bound grid: with ShowNewItemRow a row
// between the column headers and the data rows takes the values of a record
// to come. The grid owns one; its zone, painting, focus, keys and the editor
// over one of its cells are here, the editing turn itself is the grid's
// (DBTreeListEditing.cpp).
//
// Rules that are easy to break:
// - The row takes the focus with the mouse, with Up from the first row and
//   with Up in an empty grid, and only when a record can be added (CanUse).
// - Its cells are edited with the columns' editors; the typed values stay
//   with the row (no record exists yet, OnEditing and OnEdited are not raised
//   for it) until the row is left or Enter is pressed: then they are appended
//   as a new record (Append, each text written through its column's editor,
//   Post). A failing post cancels the append, keeps the row focused with its
//   values and raises the error.
// - Esc closes an open editor (its text restored), then drops the typed
//   values. No focus rectangle, no Ctrl+Delete, no incremental search and no
//   multi-selection on the row.

#include "grid/db/DBTreeListControl.h"

#include <map>

class TqvNewItemRow {
public:
    explicit TqvNewItemRow(TCustomqvDBTreeListControl& grid) : grid_(grid) {}

    bool Shown() const { return shown_; }
    void SetShown(bool value);
    // The row is shown, the grid edits cells and may add records.
    bool CanUse() const;
    bool Focused() const { return focused_; }
    // The focused cell (a navigation position).
    int Column() const { return column_; }
    // Takes the focus at a column: an open editor is closed and the record
    // being edited is posted (an untouched insert dropped) first. False when
    // the row cannot take the focus.
    bool Focus(int column);
    // Leaves the row: its values are appended (a failure keeps the focus
    // there and raises).
    void Leave();
    // The text typed into a cell (empty when none).
    AnsiString Text(int position) const;
    bool HasValues() const { return !texts_.empty(); }
    void Post();
    void Cancel();

    // The row's place on screen (empty when it is not shown), and the height
    // it takes from the data rows.
    QRect Rect() const;
    int Height() const;
    void Paint(QPainter& canvas, const QRect& updateRect, const TCustomqvDBTreeListControl::Layout& layout);

    // Opens the editor over the focused cell.
    void ShowEditor();
    // The editor over the cell at `position` closes: a changed text stays
    // with the row (an emptied one goes).
    void StoreValue(TqvInplaceEdit* editor, int position);
    // The keys while the row has the focus (all of them stop there), and Up
    // into it; true when the key was taken.
    bool HandleKey(Word& key, TShiftState shift);

private:
    QRect cellRect(int position) const;
    void invalidate();
    // A record in edit or insert state is posted (an untouched insert dropped).
    void settleRecord();

    TCustomqvDBTreeListControl& grid_;
    bool shown_ = false;
    bool focused_ = false;
    int column_ = 0;
    std::map<const TqvTreeListColumn*, AnsiString> texts_;  // typed, by column
};
