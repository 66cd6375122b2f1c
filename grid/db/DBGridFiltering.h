#pragma once
// The grid-side filter as the user meets it (the grid owns one): the filter
// buttons in the column headers, the drop-down list of a column's values,
// the "Custom AutoFilter" dialog, the status strip with the criteria in
// force and its clear button, and applying the conditions.
//
// The filter is offered while Filter.Active holds on a load-all grid (the
// other modes do not hold every record, so they could neither list a
// column's values nor keep records out). A header shows its button
//   fsAlways        on every column that may be filtered,
//   fsAuto, fsNone  on the column under the mouse and on filtered columns;
// a filtered column's button is drawn pressed in, with a blue arrow. The
// status strip follows FilterStatus (fsAlways, or fsAuto with criteria in
// force). F4 outside editing opens the focused column's list.
//
// Rules that are easy to break:
// - Applying hands every column's conditions that a query dataset can evaluate
//   to it (AutoDataSetFilter; the dataset opens again) and checks the rest
//   while loading. Both give the same records. The grid only takes back
//   conditions it handed over itself; a dataset keeps them until the grid
//   applies its filter again, also after the grid is gone.
// - A change that cannot be applied (the dataset refuses to open again, a
//   post fails) puts the conditions back as they were and raises the error.
// - After applying, a dataset standing on a record that the filter keeps
//   out moves to the first record shown, so that commands never act on a
//   hidden record.

#include "grid/db/FilterValues.h"
#include "grid/treelist/TreeListControl.h"

#include <functional>
#include <vector>

class QPainter;
class TCustomqvDBGrid;
class TqvDBGridFilter;
class TqvDBTreeListColumn;
class TqvFilterDropDown;

class TqvGridFiltering {
public:
    explicit TqvGridFiltering(TCustomqvDBGrid& grid);
    ~TqvGridFiltering();
    TqvGridFiltering(const TqvGridFiltering&) = delete;
    TqvGridFiltering& operator=(const TqvGridFiltering&) = delete;

    // The filter is offered: Filter.Active on a load-all grid that is active.
    bool Offered() const;
    // The column may be filtered: offered, bound to a field, not DisableFilter.
    bool CanFilter(const TqvTreeListColumn* column) const;
    TCustomqvTreeListControl::TqvHeaderButton ButtonOf(const TqvTreeListColumn* column) const;
    // The column under the mouse (null: none).
    void SetHotColumn(TqvTreeListColumn* column);
    // A column leaves the grid: the open list and the hot header forget it.
    void ColumnRemoving(const TqvTreeListColumn* column);

    // Opens the column's list under its header.
    void DropDown(TqvDBTreeListColumn* column);
    TqvFilterDropDown* DropDownWindow() const { return dropDown_; }
    // The entries of the open list ("(All)", ... then the values).
    static constexpr int kFirstValueEntry = 4;
    // Takes an entry of the column's list: (All) drops the column's
    // conditions, (Custom...) opens the dialog, the others filter by them.
    void Choose(TqvDBTreeListColumn* column, int entry);
    // The "Custom AutoFilter" dialog for a column; its choice is applied.
    void Custom(TqvDBTreeListColumn* column);
    // Changes the conditions and applies them.
    void Change(const std::function<void(TqvDBGridFilter&)>& change);
    // Applies the conditions as they stand.
    void Apply();

    // The status strip: the criteria, and left of them a button that clears them.
    static QRect ClearButtonRect(const QRect& strip);
    void PaintStrip(QPainter& canvas, const QRect& strip) const;

private:
    int currentEntry(const TqvDBTreeListColumn* column) const;
    std::vector<TqvFilterValue> valuesOf(TqvDBTreeListColumn* column) const;
    void focusShownRecord();

    TCustomqvDBGrid& grid_;
    TqvFilterDropDown* dropDown_ = nullptr;  // a child of the grid in Qt's tree
    TqvDBTreeListColumn* dropDownColumn_ = nullptr;
    std::vector<TqvFilterValue> values_;  // of the open list
    TqvTreeListColumn* hot_ = nullptr;
    bool handed_ = false;  // the dataset holds conditions the grid handed to it
};
