#pragma once
// The dataset-bound grid: the tree list bound to a dataset (see
// DBTreeListControl.h) with what the grid adds on top: grouping by columns,
// summary groups and group-row summaries, the grid-side filter, preview lines,
// sorting by columns, and the footer row. TqvDBGrid publishes it.
//
// Rules that are easy to break:
// - Group columns (GroupIndex >= 0, ordered by it) put the grid in load-all
//   mode while it is active; each record goes under the group nodes of its
//   values, made in sorted order. A group column whose field is gone is
//   dropped at the next load.
// - Group-row summaries and summary-group items are computed per group node
//   by every full load, as the footers are; their texts use the group-row
//   formats.
// - The footer row shows each column's footer text; a column's
//   OnDrawSummaryFooter may change text, alignment, font and colour, or draw
//   the cell itself.
// - The filter's buttons, list, dialog and status strip are the filtering
//   helper's (DBGridFiltering.h); keeping the layout across runs is the
//   layout store's (GridLayoutStore.h). The grid owns one of each.

#include "grid/columns/DBGridColumns.h"
#include "grid/db/DBGridFilter.h"
#include "grid/db/DBTreeListControl.h"
#include "grid/db/GridExport.h"
#include "grid/db/SummaryGroups.h"

#include <memory>
#include <unordered_map>

class TqvFilterDropDown;
class TqvGridFiltering;
class TqvGridLayoutStore;

class TCustomqvDBGrid : public TCustomqvDBTreeListControl {
public:
    explicit TCustomqvDBGrid(TComponent* owner = nullptr, QWidget* parent = nullptr);
    ~TCustomqvDBGrid() override;
    const char* ClassName() const override { return "TCustomqvDBGrid"; }

    // A new column of class C, listed in the grid (refused while
    // DefaultFields is on).
    template <class C>
    C* CreateColumnOf()
    {
        CheckColumnsByHand();
        auto* column = new C(Owner() ? Owner() : this);
        column->SetTreeList(this);
        return column;
    }
    TqvDBGridColumn* ColumnByFieldName(std::string_view fieldName) const;

    // ---- Footer row and summaries
    bool ShowSummaryFooter() const { return showSummaryFooter_; }
    void SetShowSummaryFooter(bool value);
    TqvDBGridSummaryGroups& SummaryGroups() { return summaryGroups_; }
    const AnsiString& SummarySeparator() const { return summarySeparator_; }
    void SetSummarySeparator(const AnsiString& value);
    // The text a group row shows after its value: the group's summary items
    // (and the group column's own summary), joined with SummarySeparator
    // between the group's BeginSummaryText and EndSummaryText.
    AnsiString GroupSummaryText(TqvTreeListNode* groupNode) const;
    // The value of a group row's summary of a column (its SummaryType), and
    // of the summary group's item `item`.
    long double GroupColumnSummary(TqvTreeListNode* groupNode, const TqvDBTreeListColumn* column) const;
    long double GroupItemSummary(TqvTreeListNode* groupNode, int item) const;
    // The number of records under a group node at the last load.
    int GroupRecordCount(TqvTreeListNode* groupNode) const;

    // ---- Export (GridExport.h): the shown table into a file (UTF-8 path)
    void ExportToXlsx(const std::string& fileName, const TqvGridExportOptions& options = {}) const;
    void ExportToCsv(const std::string& fileName, const TqvGridExportOptions& options = {}) const;
    void ExportToHtml(const std::string& fileName, const TqvGridExportOptions& options = {}) const;

    // ---- Grouping, sorting, filter, preview
    // The group columns in GroupIndex order.
    std::vector<TqvDBTreeListColumn*> GroupColumns() const;
    TqvDBGridFilter& Filter() { return filter_; }
    // Applies the filter's conditions as they stand now (the records load
    // again); the header lists and the dialog apply their choices themselves.
    void ApplyFilter();
    // Drops every condition and loads the records again.
    void ClearFilter();
    // Opens the filter list of a column under its header (F4 opens the
    // focused column's): nothing when the column cannot be filtered.
    void DropDownFilter(TqvDBTreeListColumn* column);
    // The filter list, null until one was first opened.
    TqvFilterDropDown* FilterDropDown() const;
    // Opens "Custom AutoFilter" for a column and applies its choice.
    void ShowCustomFilter(TqvDBTreeListColumn* column);
    // The columns the records are sorted by, first key first.
    std::vector<TqvDBTreeListColumn*> SortColumns() const;
    // Sorts by these columns in these directions, first key first; the sort
    // marks of the other columns (but group columns) are cleared.
    void SetSortOrder(const std::vector<std::pair<TqvDBTreeListColumn*, TqvTreeListColumnSort>>& keys);

    // ---- Keeping the layout (GridLayoutStore.h): with edgoStoreToIniFile or
    // edgoStoreToRegistry and a key, the layout comes back when the grid is
    // bound and is kept when it goes away.
    const AnsiString& LayoutKey() const;
    void SetLayoutKey(const AnsiString& key);
    // The INI file for edgoStoreToIniFile; empty: grids.ini in the user's
    // configuration directory.
    const AnsiString& LayoutIniFileName() const;
    void SetLayoutIniFileName(const AnsiString& name);
    // Save and restore on demand; false when no store is named, nothing is
    // stored or the store is damaged (a warning says why).
    bool SaveLayout();
    bool RestoreLayout();
    const AnsiString& PreviewFieldName() const { return previewFieldName_; }
    void SetPreviewFieldName(const AnsiString& value);
    int PreviewMaxLength() const { return previewMaxLength_; }
    void SetPreviewMaxLength(int value);

    std::function<void(TComponent* Sender, QPainter* ACanvas, QRect ARect, bool& ADone)> OnCustomDrawFooter;
    std::function<void(TComponent* Sender, TqvTreeListNode* ANode, TqvTreeListColumn* AColumn, bool& AExist)>
        OnIsExistFooterCell;

protected:
    TqvTreeListColumn* CreateColumnObject(TComponent* owner) override;
    int DataBottom() const override;
    TqvEditStyleData EditStyleFallback() const override;
    void PaintBelowRows(QPainter& canvas, const QRect& updateRect) override;
    void RefreshSorting() override;
    void ColumnClicked(TqvTreeListColumn* column, TShiftState shift) override;
    void ColumnRemoving(TqvTreeListColumn* column) override;

    // The filter in the headers, the status strip and the keys (DBGridFiltering.cpp).
    TqvHeaderButton HeaderButtonOf(const TqvTreeListColumn* column) const override;
    void HeaderButtonClicked(TqvTreeListColumn* column, const QRect& cell) override;
    void MouseDown(Qt::MouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void leaveEvent(QEvent* event) override;
    void HandleDataKeys(Word& key, TShiftState shift) override;
    void LinkActiveChanged() override;

    // Looks (DBGridLook.cpp).
    int StatusHeight() const override;
    bool ShowIndicator() const override { return OptionsView().Contains(edgoIndicator); }
    TqvIndicatorGlyph IndicatorGlyphOf(const TqvTreeListNode* node) const override;
    bool IsGroupRow(const TqvTreeListNode* node) const override;
    bool HasCellButton(const TqvTreeListColumn* column, bool focusedCell) const override;
    bool CustomDrawColumnCell(QPainter& canvas, const QRect& cell, TqvTreeListNode* node, TqvTreeListColumn* column,
                              AnsiString& text) override;
    bool CustomDrawColumnHeader(QPainter& canvas, const QRect& cell, TqvTreeListColumn* column,
                                AnsiString& text) override;

    bool HasGroupColumns() const override;
    void DropLostGroupColumns() override;
    TqvTreeListNode* GroupParentOfRecord() override;
    bool RecordPassesFilter() override { return filter_.RecordPasses(); }
    bool IsSortingActive() const override;
    void SortNodes() override;
    void PrepareSummaries() override;
    void AddRecordToSummaries(TqvDBGridNode* node) override;
    void FinishSummaries(int count) override;
    void ResetSummaries() override;
    Variant NodeGroupValue(const TqvDBGridNode* node) const override;
    AnsiString NodePreviewText(const TqvDBGridNode* node) const override;
    void NodeFreed(TqvDBGridNode* node) override;
    void BeforeFullReload() override;
    void AfterFullReload() override;
    void FillNewRecordFromGroups(TqvTreeListNode* parent) override;

    // Height of the footer zone (0 without the footer row).
    int FooterHeight() const;

private:
    friend class TqvGridFiltering;
    // The status strip under the column headers (0 height: none).
    QRect statusStrip() const;
    // What a group node holds.
    struct Group {
        Variant value;
        int level = 0;  // which group column
        int count = 0;
        std::vector<TqvSummarySlot> columns;  // per column of columnSummaries_
        std::vector<TqvSummarySlot> items;    // per item of its summary group
        TqvDBGridSummaryGroup* summaryGroup = nullptr;
    };
    struct ColumnSummary {
        TqvDBTreeListColumn* column;
        TqvDBGridColumnProperties* props;
        TqvSummarySlot slot;  // prepared; each group node sums a copy
    };
    TqvDBGridSummaryGroup* summaryGroupOf(int level) const;
    const Group* groupOf(TqvTreeListNode* node) const;

    bool showSummaryFooter_ = false;
    TqvDBGridSummaryGroups summaryGroups_;
    AnsiString summarySeparator_ = ", ";
    TqvDBGridFilter filter_;
    AnsiString previewFieldName_;
    int previewMaxLength_ = 0;
    std::unordered_map<const TqvTreeListNode*, Group> groups_;
    std::vector<TqvDBTreeListColumn*> groupColumns_;  // of the load running
    std::vector<ColumnSummary> columnSummaries_;       // group-row summaries of the load
    std::vector<std::vector<Variant>> expandedGroups_; // value paths, across a reload
    std::vector<TqvTreeListColumn*> sortOrder_;        // in the order of the clicks; may hold gone columns
    std::unique_ptr<TqvGridFiltering> filtering_;
    std::unique_ptr<TqvGridLayoutStore> layoutStore_;
};

class TqvDBGrid : public TCustomqvDBGrid {
public:
    using TCustomqvDBGrid::TCustomqvDBGrid;
    const char* ClassName() const override { return "TqvDBGrid"; }
};
