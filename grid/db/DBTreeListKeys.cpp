// The grid's key handler: after the application's OnKeyDown, the keys of the
// data (deleting, cancelling, inserting, appending and posting at the ends),
// then the keys of the editor (closing it before a move, F2, the Tab and
// Enter walks, Esc), then the tree list's moves.
#include "grid/db/DBTreeListSearch.h"
#include "grid/db/GridClipboard.h"
#include "grid/editors/InplaceEdit.h"

#include "runtime/Dialogs.h"
#include "runtime/db/DataSet.h"

#include <QApplication>

namespace DBGridText {
inline constexpr const char* DeleteRecord = "Delete record?";
inline constexpr const char* DeleteSelected = "Delete all selected records?";
inline constexpr const char* Confirm = "Confirm";
}  // namespace DBGridText

namespace {
bool isEditing(TDataSetState s) { return s == dsEdit || s == dsInsert; }
}  // namespace

void TCustomqvDBTreeListControl::HandleKeyDown(Word& key, TShiftState shift)
{
    if (HandleSearchKey(key, shift)) return;
    TqvTreeListNode* before = FocusedNode();
    bool rowMove = key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT ||
                   ((key == VK_HOME || key == VK_END) && ((shift & (ssShift | ssCtrl)) || IsRowSelect()));
    const Word vertical = key == VK_UP || key == VK_DOWN ? key : 0;
    if (vertical && walkHeaderRows(vertical == VK_DOWN)) {
        key = 0;
        return;
    }
    if (HandleNewItemRowKey(key, shift)) return;
    if (IsActive()) HandleDataKeys(key, shift);
    if (key) HandleEditKeys(key, shift);
    if (key) TCustomqvTreeListControl::HandleKeyDown(key, shift);
    if (vertical && FocusedNode() != before) enterRowAtHeaderRow(vertical == VK_DOWN);
    if (!rowMove || !IsOption(tloMultiSelect) || FocusedNode() == before) return;
    selection_->RowMoved(before, shift);
}

// ---- Several header rows (edgoVertThrough)

bool TCustomqvDBTreeListControl::isVertThrough() const
{
    return IsOption(tloVertThrough) && !IsRowSelect() && HeaderPanelRowCount() > 1 && FocusedNode() &&
           !IsNewItemRowFocused();
}

int TCustomqvDBTreeListControl::columnBelowOrAbove(int position, int row) const
{
    Layout layout = ComputeLayout();
    const ColumnPlace* from = nullptr;
    for (const ColumnPlace& p : layout.columns)
        if (p.position == position) from = &p;
    if (!from) return -1;
    // The column of the same band in that row under the middle of this one,
    // else the nearest one of the band.
    int middle = from->left + from->width / 2, best = -1, bestDistance = 0;
    for (const ColumnPlace& p : layout.columns) {
        if (p.row != row || p.column->BandIndex() != from->column->BandIndex()) continue;
        int distance = middle < p.left ? p.left - middle : middle >= p.left + p.width ? middle - (p.left + p.width - 1) : 0;
        if (best < 0 || distance < bestDistance) {
            best = p.position;
            bestDistance = distance;
        }
    }
    return best;
}

bool TCustomqvDBTreeListControl::walkHeaderRows(bool down)
{
    if (!isVertThrough()) return false;
    TqvTreeListColumn* column = NavigationColumn(FocusedColumn());
    if (!column) return false;
    int target = columnBelowOrAbove(FocusedColumn(), column->RowIndex() + (down ? 1 : -1));
    if (target < 0) return false;  // the band's last (first) header row: on to the next row
    // The focus change closes an open editor first (checked, written, OnEdited).
    SetFocusedColumn(target);
    return true;
}

void TCustomqvDBTreeListControl::enterRowAtHeaderRow(bool down)
{
    if (!isVertThrough()) return;
    // Coming down the new row is entered at its top header row, coming up at its bottom one.
    int target = columnBelowOrAbove(FocusedColumn(), down ? 0 : HeaderPanelRowCount() - 1);
    if (target >= 0 && target != FocusedColumn()) SetFocusedColumn(target);
}

// ---- Data keys

void TCustomqvDBTreeListControl::DeleteWithConfirmation()
{
    TDataSet* ds = DataSet();
    if (ds->IsEmpty() || !ds->CanModify()) return;
    bool selection = SelectedCount() > 0;
    if (sets_.DB.Contains(edgoConfirmDelete) &&
        MessageBox(selection ? DBGridText::DeleteSelected : DBGridText::DeleteRecord, DBGridText::Confirm,
                   MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    CloseEditor();
    if (selection)
        DeleteSelection();
    else
        DeleteNodeRecord(FocusedNode());
}

void TCustomqvDBTreeListControl::HandleDataKeys(Word& key, TShiftState shift)
{
    TDataSet* ds = DataSet();
    bool ctrl = shift & ssCtrl, shiftKey = shift & ssShift;
    TqvDBGridNode* focused = DBNode(FocusedNode());
    if (key == VK_DELETE && ctrl) {
        if (!IsNewItemRowFocused() && sets_.DB.Contains(edgoCanDelete) && sets_.DB.Contains(edgoCanNavigation) && !IsGridReadOnly() &&
            focused && !focused->IsGroupNode())
            DeleteWithConfirmation();
        key = 0;
        return;
    }
    if (key == VK_ESCAPE && State() != tsEditing) {
        DataLinkCancel();
        return;
    }
    bool modifiable = ds->CanModify();
    bool untouchedInsert = ds->State() == dsInsert && !ds->Modified() && !link_->Modified();
    bool canInsert = sets_.DB.Contains(edgoCanInsert) && sets_.DB.Contains(edgoCanNavigation);
    switch (LoadMode()) {
    case TqvDBLoadMode::Window:
        if ((key == VK_HOME || key == VK_END) && !shiftKey && (ctrl || IsRowSelect())) {
            if (!ctrl) ClearSelection();
            if (key == VK_HOME)
                ds->First();
            else
                ds->Last();
            key = 0;
            return;
        }
        if (!IsOption(tloEditing) || IsRowSelect() || !modifiable) break;
        if (key == VK_UP && untouchedInsert && ds->RecNo() == ds->RecordCount()) {
            CloseEditor();
            ds->Cancel();
            key = 0;
        } else if (key == VK_DOWN && untouchedInsert) {
            CloseEditor();
            if (ds->RecNo() != ds->RecordCount()) ds->Cancel();
            key = 0;
        } else if (key == VK_DOWN && sets_.DB.Contains(edgoCanAppend) && canInsert) {
            CloseEditor();
            ds->Next();
            if (ds->Eof()) ds->Append();
            key = 0;
        } else if (key == VK_INSERT && !ctrl && canInsert) {
            CloseEditor();
            ClearSelection();
            ds->Insert();
            key = 0;
        }
        break;
    case TqvDBLoadMode::LoadAll:
    case TqvDBLoadMode::Partial: {
        if ((key == VK_LEFT || key == VK_RIGHT) && !IsRowSelect() && focused && focused->IsGroupNode()) {
            key == VK_LEFT ? CollapseNode(focused) : ExpandNode(focused);
            key = 0;
            return;
        }
        if (key == VK_INSERT && !ctrl && !IsRowSelect() && modifiable && canInsert) {
            CloseEditor();
            ClearSelection();
            ds->Insert();
            ShowEditor();
            key = 0;
            return;
        }
        int index = FocusedAbsoluteIndex();
        if (key == VK_UP && isEditing(ds->State())) {
            if (untouchedInsert) {
                CloseEditor();
                ds->Cancel();
                SetFocusedAbsoluteIndex(AbsoluteCount() - 1);
                key = 0;
            } else if (index == 0) {
                CloseEditor();
                ds->Post();
            }
        } else if (key == VK_DOWN && index == AbsoluteCount() - 1) {
            if (untouchedInsert) {
                key = 0;  // no second insert
            } else if (sets_.DB.Contains(edgoCanAppend) && modifiable && canInsert) {
                CloseEditor();
                ds->Append();
                key = 0;
            } else if (isEditing(ds->State())) {
                CloseEditor();
                ds->Post();
            }
        }
        break;
    }
    }
    if (key && IsRowSelect() && (key == VK_LEFT || key == VK_RIGHT) && focused && !focused->IsGroupNode()) {
        // A row has no cells to walk: the keys scroll the grid sideways.
        SetLeftCoord(LeftCoord() + (key == VK_LEFT ? -RowHeight() : RowHeight()));
        key = 0;
    }
}

// ---- Editor keys

bool TCustomqvDBTreeListControl::MoveToNextTabStop(bool forward, bool wrap)
{
    std::vector<TqvTreeListColumn*> order = NavigationOrder();
    int count = static_cast<int>(order.size());
    if (count == 0 || !FocusedNode()) return false;
    int column = FocusedColumn();
    for (int i = column + (forward ? 1 : -1); i >= 0 && i < count; i += forward ? 1 : -1)
        if (order[static_cast<size_t>(i)]->TabStop()) {
            SetFocusedColumn(i);
            return true;
        }
    if (!wrap) return false;
    int row = FocusedAbsoluteIndex() + (forward ? 1 : -1);
    if (row < 0 || row >= AbsoluteCount()) return false;
    for (int i = forward ? 0 : count - 1; i >= 0 && i < count; i += forward ? 1 : -1)
        if (order[static_cast<size_t>(i)]->TabStop()) {
            FocusChange(GetNodeAtAbsoluteIndex(row), i, true);
            return true;
        }
    return false;
}

AnsiString TCustomqvDBTreeListControl::SelectionText() const { return GridRowsText(*this); }

void TCustomqvDBTreeListControl::HandleEditKeys(Word& key, TShiftState shift)
{
    if (IsEscapeOnlyState(State()) || IsEmpty()) return;
    bool editing = State() == tsEditing && InplaceEditor();
    // Insert is one of the data keys (a new record), handled before these.
    if (editing && key != VK_INSERT && IsEditorCheckedKey(key))
        HideEditor();  // checked, written, OnEdited; a refusal stops the key
    switch (key) {
    case VK_TAB:
        if (shift & ssAlt) break;
        if (IsRowSelect()) {
            ClearSelection();
            MoveFocusBy(shift & ssShift ? -1 : 1);
        } else {
            MoveToNextTabStop(!(shift & ssShift), IsOption(tloTabThrough));
        }
        key = 0;
        break;
    case VK_RETURN:
        if (IsOption(tloEnterThrough) && IsOption(tloEnterShowEditor) && !editing) {
            MoveToNextTabStop(!(shift & ssShift), true);
            ShowEditor();
            key = 0;
        }
        break;
    case VK_ESCAPE:
        ClearSelection();
        EndIncrementalSearch();
        key = 0;
        break;
    case VK_INSERT:
        if ((shift & ssCtrl) && !editing) {
            CopyGridRows(*this);
            key = 0;
        }
        break;
    case 'C':
        if ((shift & ssCtrl) && !editing && IsOption(tloAutoCopySelectedToClipboard)) {
            CopyGridRows(*this);
            key = 0;
        }
        break;
    case VK_F2:
        if (!editing) ShowEditor();
        key = 0;
        break;
    default: break;
    }
}
