#pragma once
// The grid-side filter: per-column conditions that a record must meet to
// become a node and to count in the footers. The grid's header drop-downs
// and the custom dialog fill it (DBGridFiltering.cpp); the module's grids
// never activate it.
//
// A column's conditions are one or two TFieldConditions joined by And or Or;
// whether a value meets them is decided by runtime/db/FieldFilter.h, the same
// rules a query uses when the grid hands the conditions to its dataset
// (AutoDataSetFilter). A record passes when it meets the conditions of every
// column. Each condition keeps the text the user chose or typed for its
// values, which the filter status strip shows.
//
// Rules that are easy to break:
// - Conditions take effect when the grid applies them (ApplyFilter, or a
//   choice in the drop-down or the dialog), not when they are set here.
// - A column filter handed to the dataset (InDataSet) is not checked again
//   here: the dataset holds only records that meet it.

#include "runtime/Variant.h"
#include "runtime/db/FieldFilter.h"

#include <cstdint>
#include <vector>

class TField;
class TqvDBTreeListColumn;

// The texts of the drop-down list, the custom dialog and the status strip.
namespace FilterText {
inline constexpr const char* All = "(All)";
inline constexpr const char* Custom = "(Custom...)";
inline constexpr const char* Blanks = "(Blanks)";
inline constexpr const char* NonBlanks = "(NonBlanks)";
inline constexpr const char* DialogCaption = "Custom AutoFilter";
inline constexpr const char* ShowRowsWhere = "Show rows where:";
inline constexpr const char* And = "&And";
inline constexpr const char* Or = "&Or";
// The dialog's operators, in the order of TFieldFilterOp.
inline constexpr const char* Operators[] = {"equals",       "does not equal",           "is greater than",
                                            "is greater than or equal to", "is less than",
                                            "is less than or equal to",    "blanks",    "non blanks"};
}  // namespace FilterText

enum TqvFilterStatus : uint8_t { fsAuto, fsNone, fsAlways };

// One condition as the user set it: the operator, the values, and the text
// shown for the values (a display text of the drop-down, or what was typed).
struct TqvFilterCondition : TFieldCondition {
    AnsiString Text;
};

// The conditions of one column: one, or two joined by And / Or.
struct TqvColumnFilter {
    TqvDBTreeListColumn* Column = nullptr;
    TqvFilterCondition First;
    bool HasSecond = false;
    bool OrJoined = false;
    TqvFilterCondition Second;
    // Set by the grid when the dataset evaluates these conditions itself.
    bool InDataSet = false;

    // The conditions for the column's field (FieldName from the column).
    TFieldFilter AsFieldFilter(bool caseInsensitive) const;
};

class TqvDBGridFilter {
public:
    bool Active() const { return active_; }
    void SetActive(bool value) { active_ = value; }
    // Conditions the dataset can evaluate are handed to it (a query filters
    // in its statement); the rest stay with the grid. The result is the same.
    bool AutoDataSetFilter() const { return autoDataSetFilter_; }
    void SetAutoDataSetFilter(bool value) { autoDataSetFilter_ = value; }
    bool CaseInsensitive() const { return caseInsensitive_; }
    void SetCaseInsensitive(bool value) { caseInsensitive_ = value; }
    // Rows the drop-down list shows at once.
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int value) { dropDownCount_ = value < 1 ? 1 : value; }
    // Width of the drop-down list; 0: as wide as its entries need, at least
    // as wide as the column.
    int DropDownWidth() const { return dropDownWidth_; }
    void SetDropDownWidth(int value) { dropDownWidth_ = value < 0 ? 0 : value; }
    TqvFilterStatus FilterStatus() const { return filterStatus_; }
    void SetFilterStatus(TqvFilterStatus value) { filterStatus_ = value; }
    // The most values the drop-down lists (the first ones in order).
    int MaxDropDownCount() const { return maxDropDownCount_; }
    void SetMaxDropDownCount(int value) { maxDropDownCount_ = value < 0 ? 0 : value; }

    // Sets (replaces) the conditions of a column; Clear drops all.
    void SetColumnFilter(const TqvColumnFilter& filter);
    void RemoveColumnFilter(const TqvDBTreeListColumn* column);
    void Clear() { filters_.clear(); }
    const std::vector<TqvColumnFilter>& ColumnFilters() const { return filters_; }
    std::vector<TqvColumnFilter>& ColumnFilters() { return filters_; }
    // The conditions of a column, null when it has none.
    const TqvColumnFilter* ColumnFilter(const TqvDBTreeListColumn* column) const;
    // Conditions are in force: the filter is active and has some.
    bool InForce() const { return active_ && !filters_.empty(); }
    // The record the dataset reads now passes every column's conditions
    // that the grid checks (all but those in the dataset, and but the
    // column `except`).
    bool RecordPasses(const TqvDBTreeListColumn* except = nullptr) const;
    // A value of the column passes the conditions of `filter`.
    bool ValuePasses(const TqvColumnFilter& filter, const Variant& value) const;
    // The criteria in force as one line: "Qty > 5 and (Name = a or Name = b)".
    AnsiString StatusText() const;

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
