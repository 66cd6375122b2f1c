#pragma once
// A column control that opens its protected parts to the tests and records
// the calls to the points where the editor, sorting and searching attach.

#include "grid/treelist/TreeListControl.h"

#include <string>
#include <vector>

struct TestGrid : TCustomqvTreeListControl {
    explicit TestGrid(int columns = 0, int nodes = 0)
    {
        for (int i = 0; i < columns; ++i) {
            TqvTreeListColumn* c = CreateColumn();
            c->SetCaption("C" + std::to_string(i));
        }
        for (int i = 0; i < nodes; ++i) Add();
        hooks.clear();
    }
    using TCustomqvTreeList::FocusChange;
    using TCustomqvTreeList::SetState;
    using TCustomqvTreeList::StoredFocusedColumn;
    using TCustomqvTreeListControl::DataTop;
    using TCustomqvTreeListControl::PlaceColumns;
    using TCustomqvTreeListControl::RowHeight;
    using TCustomqvTreeListControl::ComputeLayout;
    using TCustomqvTreeListControl::MaxLeftCoord;
    using TCustomqvTreeListControl::CellTextHeight;
    using TCustomqvTreeListControl::HeaderTextHeight;

    bool indicator = false;
    bool ShowIndicator() const override { return indicator; }

    std::vector<std::string> hooks;
    void CloseEditor() override { hooks.push_back("close"); }
    void CancelEditor() override { hooks.push_back("cancel"); }
    void RefreshSorting() override { hooks.push_back("sort"); }
    void FitWidths() override { hooks.push_back("fit"); }
    void EndIncrementalSearch() override { hooks.push_back("search"); }
};
