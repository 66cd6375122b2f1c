#pragma once
// Summary groups of the grid: named sets of summary items that group rows
// show. A group column names its group by SummaryGroupName; the items of
// that group are computed per group node by every full load and shown in the
// group's rows, joined with the grid's SummarySeparator.
//
// Rules that are easy to break:
// - Group names are not empty and unique in their collection; a name set to
//   either raises EInvalidqvTreeListOperation ("Invalidate group name!",
//   "Invalidate group name: duplicate!") and the old name stays.
// - DefaultGroup set on one group clears it on every other group.
// - An item's field is its SummaryField, or, when that is empty, the field of
//   the column named ColumnName.

#include "grid/columns/Summaries.h"

#include <memory>
#include <vector>

class TqvDBGridSummaryGroups;

namespace SummaryGroupText {
inline constexpr const char* EmptyName = "Invalidate group name!";
inline constexpr const char* DuplicateName = "Invalidate group name: duplicate!";
}  // namespace SummaryGroupText

class TqvDBGridSummaryItem {
public:
    const AnsiString& ColumnName() const { return columnName_; }
    void SetColumnName(const AnsiString& value) { columnName_ = value; }
    const AnsiString& SummaryField() const { return summaryField_; }
    void SetSummaryField(const AnsiString& value) { summaryField_ = value; }
    const AnsiString& SummaryFormat() const { return summaryFormat_; }
    void SetSummaryFormat(const AnsiString& value) { summaryFormat_ = value; }
    TqvSummaryType SummaryType() const { return summaryType_; }
    void SetSummaryType(TqvSummaryType value) { summaryType_ = value; }
    TqvSummaryEvent OnSummary;

    // The field found when the load prepares the summaries; null when none.
    TField* Field() const { return slot_.Field(); }

private:
    friend class TCustomqvDBGrid;
    AnsiString columnName_;
    AnsiString summaryField_;
    AnsiString summaryFormat_;
    TqvSummaryType summaryType_ = cstNone;
    TqvSummarySlot slot_;  // prepared by the load; each group node sums a copy
};

class TqvDBGridSummaryGroup {
public:
    explicit TqvDBGridSummaryGroup(TqvDBGridSummaryGroups* collection) : collection_(collection) {}

    const AnsiString& Name() const { return name_; }
    void SetName(const AnsiString& name);
    bool DefaultGroup() const { return defaultGroup_; }
    void SetDefaultGroup(bool value);
    const AnsiString& BeginSummaryText() const { return beginSummaryText_; }
    void SetBeginSummaryText(const AnsiString& value) { beginSummaryText_ = value; }
    const AnsiString& EndSummaryText() const { return endSummaryText_; }
    void SetEndSummaryText(const AnsiString& value) { endSummaryText_ = value; }

    int ItemCount() const { return static_cast<int>(items_.size()); }
    TqvDBGridSummaryItem* Items(int index) const;
    TqvDBGridSummaryItem* AddItem();
    void DeleteItem(int index);

private:
    friend class TqvDBGridSummaryGroups;
    TqvDBGridSummaryGroups* collection_;
    AnsiString name_;
    bool defaultGroup_ = false;
    AnsiString beginSummaryText_;
    AnsiString endSummaryText_;
    std::vector<std::unique_ptr<TqvDBGridSummaryItem>> items_;
};

class TqvDBGridSummaryGroups {
public:
    int Count() const { return static_cast<int>(groups_.size()); }
    TqvDBGridSummaryGroup* Items(int index) const;
    // A new group, named "SummaryGroup<n>" with the first free n.
    TqvDBGridSummaryGroup* Add();
    void Delete(int index);
    void Clear() { groups_.clear(); }
    // By name, without regard to case; null when none.
    TqvDBGridSummaryGroup* Find(std::string_view name) const;
    // The group whose DefaultGroup is set, null when none.
    TqvDBGridSummaryGroup* DefaultGroup() const;

private:
    friend class TqvDBGridSummaryGroup;
    std::vector<std::unique_ptr<TqvDBGridSummaryGroup>> groups_;
};
