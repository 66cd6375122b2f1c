#pragma once
// The grid's column classes, one per kind: the field-bound kind with the
// grid's own published properties added (filtering, grouping, the group-row
// summary). The plain kind is TqvDBGridColumn.
//
// Rules that are easy to break:
// - GroupIndex >= 0 makes the column a group column: the grid then loads all
//   records and groups them by the column's field (ordered by GroupIndex).
//   Changing it regroups at once.
// - The group-row summary (SummaryType, SummaryField, SummaryFormat,
//   OnSummary) is computed per group node by every full load, like the
//   footer; SummaryGroupName names the summary group whose items group rows
//   of this column show.

#include "grid/columns/DBColumnKinds.h"

// The grid's properties of a column, whatever its kind.
class TqvDBGridColumnProperties {
public:
    virtual ~TqvDBGridColumnProperties() = default;

    bool DisableFilter() const { return disableFilter_; }
    void SetDisableFilter(bool value) { disableFilter_ = value; }
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    TqvSummaryType SummaryType() const { return summaryType_; }
    void SetSummaryType(TqvSummaryType value) { summaryType_ = value; }
    const AnsiString& SummaryField() const { return summaryField_; }
    void SetSummaryField(const AnsiString& value) { summaryField_ = value; }
    const AnsiString& SummaryFormat() const { return summaryFormat_; }
    void SetSummaryFormat(const AnsiString& value) { summaryFormat_ = value; }
    bool SortBySummary() const { return sortBySummary_; }
    void SetSortBySummary(bool value) { sortBySummary_ = value; }
    const AnsiString& SummaryGroupName() const { return summaryGroupName_; }
    void SetSummaryGroupName(const AnsiString& value);
    // Lets the application replace each record's value of the group summary.
    TqvSummaryEvent OnSummary;

protected:
    friend class TCustomqvDBGrid;
    // The column these properties belong to.
    virtual TqvDBTreeListColumn& Self() = 0;

private:
    bool disableFilter_ = false;
    int groupIndex_ = -1;
    TqvSummaryType summaryType_ = cstNone;
    AnsiString summaryField_;
    AnsiString summaryFormat_;
    bool sortBySummary_ = false;
    AnsiString summaryGroupName_;
};

// A kind with the grid's properties.
template <class Kind>
class TqvDBGridColumnOf : public Kind, public TqvDBGridColumnProperties {
public:
    using Kind::Kind;

protected:
    TqvDBTreeListColumn& Self() override { return *this; }
};

#define QV_GRID_COLUMN(Name, Kind)                                         \
    class Name : public TqvDBGridColumnOf<Kind> {                          \
    public:                                                                \
        using TqvDBGridColumnOf<Kind>::TqvDBGridColumnOf;                  \
        const char* ClassName() const override { return #Name; }          \
    };

QV_GRID_COLUMN(TqvDBGridColumn, TqvDBTreeListColumn)
QV_GRID_COLUMN(TqvDBGridMaskColumn, TqvDBTreeListMaskColumn)
QV_GRID_COLUMN(TqvDBGridCurrencyColumn, TqvDBTreeListCurrencyColumn)
QV_GRID_COLUMN(TqvDBGridDateColumn, TqvDBTreeListDateColumn)
QV_GRID_COLUMN(TqvDBGridLookupColumn, TqvDBTreeListLookupColumn)
QV_GRID_COLUMN(TqvDBGridButtonColumn, TqvDBTreeListButtonColumn)
QV_GRID_COLUMN(TqvDBGridCheckColumn, TqvDBTreeListCheckColumn)
QV_GRID_COLUMN(TqvDBGridImageColumn, TqvDBTreeListImageColumn)
QV_GRID_COLUMN(TqvDBGridSpinColumn, TqvDBTreeListSpinColumn)
QV_GRID_COLUMN(TqvDBGridPickColumn, TqvDBTreeListPickColumn)
QV_GRID_COLUMN(TqvDBGridCalcColumn, TqvDBTreeListCalcColumn)
QV_GRID_COLUMN(TqvDBGridBlobColumn, TqvDBTreeListBlobColumn)
QV_GRID_COLUMN(TqvDBGridHyperLinkColumn, TqvDBTreeListHyperLinkColumn)
QV_GRID_COLUMN(TqvDBGridTimeColumn, TqvDBTreeListTimeColumn)
QV_GRID_COLUMN(TqvDBGridMemoColumn, TqvDBTreeListMemoColumn)
QV_GRID_COLUMN(TqvDBGridGraphicColumn, TqvDBTreeListGraphicColumn)
QV_GRID_COLUMN(TqvDBGridMRUColumn, TqvDBTreeListMRUColumn)
QV_GRID_COLUMN(TqvDBGridWrapperColumn, TqvDBTreeListWrapperColumn)

#undef QV_GRID_COLUMN

// The grid properties of a column, null for a column of another class.
inline TqvDBGridColumnProperties* GridPropertiesOf(TqvTreeListColumn* column)
{
    return dynamic_cast<TqvDBGridColumnProperties*>(column);
}
