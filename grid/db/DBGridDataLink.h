#pragma once
// The link between a dataset-bound grid and its data source. It passes every
// dataset event on to the grid and keeps two things of the grid's own: the
// Modified flag (a cell value was changed and not yet written or discarded)
// and the map from the grid's columns to the dataset's fields.
//
// The link belongs to the grid and is freed with it; it is a visual link
// (its window is the grid's rows in window mode, one record otherwise).

#include "runtime/db/DataSource.h"

#include <vector>

class TCustomqvDBTreeListControl;

class TqvDBTreeListControlDataLink : public TDataLink {
public:
    explicit TqvDBTreeListControlDataLink(TCustomqvDBTreeListControl* grid) : grid_(grid) {}

    TCustomqvDBTreeListControl* Grid() const { return grid_; }
    bool Modified() const { return modified_; }
    void SetModified(bool value) { modified_ = value; }
    // Field index (in the dataset's field list) of the column at `column`,
    // -1 when the column has no field.
    int FieldIndex(int column) const;
    void RebuildFieldMap();

protected:
    void ActiveChanged() override;
    void EditingChanged() override;
    void DataSetChanged() override;
    void DataSetScrolled(int distance) override;
    void RecordChanged(TField* field) override;
    void UpdateData() override;
    void LayoutChanged() override;
    void FocusControl(TField** field) override;

private:
    TCustomqvDBTreeListControl* grid_;
    bool modified_ = false;
    std::vector<int> fieldMap_;
};

// The grid's own link.
class TqvGridDataLink : public TqvDBTreeListControlDataLink {
public:
    using TqvDBTreeListControlDataLink::TqvDBTreeListControlDataLink;
};
