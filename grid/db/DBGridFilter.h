#pragma once
// The grid-side filter: per-column conditions that a record must meet to
// become a node and to count in the footers. The grid's drop-down lists and
// the custom dialog fill it; the module's grids never activate it.
//
// A condition compares the column's field value (Variant comparison) with a
// value, or tests it for blanks (null or empty text). A record passes when it
// meets every condition of every column (the two conditions of one column are
// joined by And or Or). Conditions take effect at the next load.

#include "runtime/Variant.h"

#include <cstdint>
#include <vector>

class TqvDBTreeListColumn;

enum TqvFilterStatus : uint8_t { fsAuto, fsNone, fsAlways };
enum TqvFilterOperator : uint8_t {
    foEqual, foNotEqual, foGreater, foGreaterEqual, foLess, foLessEqual, foBlanks, foNonBlanks
};

struct TqvFilterCondition {
    TqvFilterOperator Operator = foEqual;
    Variant Value;
    // True when `value` meets the condition.
    bool Holds(const Variant& value, bool caseInsensitive) const;
};

// The conditions of one column: one, or two joined by And / Or.
struct TqvColumnFilter {
    TqvDBTreeListColumn* Column = nullptr;
    TqvFilterCondition First;
    bool HasSecond = false;
    bool OrJoined = false;
    TqvFilterCondition Second;
};

class TqvDBGridFilter {
public:
    bool Active() const { return active_; }
    void SetActive(bool value) { active_ = value; }
    bool AutoDataSetFilter() const { return autoDataSetFilter_; }
    void SetAutoDataSetFilter(bool value) { autoDataSetFilter_ = value; }
    bool CaseInsensitive() const { return caseInsensitive_; }
    void SetCaseInsensitive(bool value) { caseInsensitive_ = value; }
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int value) { dropDownCount_ = value; }
    int DropDownWidth() const { return dropDownWidth_; }
    void SetDropDownWidth(int value) { dropDownWidth_ = value; }
    TqvFilterStatus FilterStatus() const { return filterStatus_; }
    void SetFilterStatus(TqvFilterStatus value) { filterStatus_ = value; }
    int MaxDropDownCount() const { return maxDropDownCount_; }
    void SetMaxDropDownCount(int value) { maxDropDownCount_ = value; }

    // Sets (replaces) the conditions of a column; Clear drops all.
    void SetColumnFilter(const TqvColumnFilter& filter);
    void RemoveColumnFilter(const TqvDBTreeListColumn* column);
    void Clear() { filters_.clear(); }
    const std::vector<TqvColumnFilter>& ColumnFilters() const { return filters_; }
    // Conditions are in force: the filter is active and has some.
    bool InForce() const { return active_ && !filters_.empty(); }
    // The record the dataset reads now passes every column's conditions.
    bool RecordPasses() const;

private:
    bool active_ = false;
    bool autoDataSetFilter_ = false;
    bool caseInsensitive_ = false;
    int dropDownCount_ = 12;
    int dropDownWidth_ = 0;
    TqvFilterStatus filterStatus_ = fsAuto;
    int maxDropDownCount_ = 1000;
    std::vector<TqvColumnFilter> filters_;
};
