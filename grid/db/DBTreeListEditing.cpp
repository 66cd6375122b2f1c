// The grid's side of in-place editing: may a cell be edited, opening the
// editor of the column's class over it, the editor's questions (may the text
// change, is a character acceptable), closing with the write to the field
// and OnEdited, cancelling, typing and clicking that open the editor. The
// editors and the turn in progress are the editor slot's (DBTreeListEditing.h).
#include "grid/db/DBTreeListEditing.h"

#include "grid/db/DBTreeListSearch.h"
#include "grid/db/NewItemRow.h"
#include "grid/editors/EditorRegistry.h"
#include "grid/editors/InplaceEdit.h"
#include "runtime/db/DataSet.h"
#include "runtime/db/DBTypes.h"
#include "runtime/db/Field.h"

#include <QApplication>

#include <cstring>
#include <exception>

namespace {
bool isEditing(TDataSetState s) { return s == dsEdit || s == dsInsert; }
}  // namespace

// ---- The editor slot

TqvEditorSlot::TqvEditorSlot(TCustomqvDBTreeListControl& grid) : grid_(grid) {}

TqvEditorSlot::~TqvEditorSlot() = default;

TqvInplaceEdit* TqvEditorSlot::EditorOfClass(const char* className)
{
    for (const auto& editor : editors_)
        if (std::strcmp(editor->property("editorClass").toByteArray().constData(), className) == 0) return editor.get();
    std::unique_ptr<TqvInplaceEdit> editor = CreateInplaceEditor(className, &grid_);
    editor->setProperty("editorClass", QByteArray(className));
    editors_.push_back(std::move(editor));
    return editors_.back().get();
}

void TqvEditorSlot::prepare(TqvInplaceEdit* editor, TqvDBTreeListColumn* column)
{
    column->PrepareEditor(editor);
    TCustomqvDBTreeListControl* grid = &grid_;
    editor->OnChange = [grid, column](TqvInplaceEdit*) {
        if (grid->OnEditChange) grid->OnEditChange(column);
        if (column->OnChange) column->OnChange(column);
    };
    editor->OnValidate = [grid, column](TqvInplaceEdit*, AnsiString& error, bool& accept) {
        if (grid->OnEditValidate) grid->OnEditValidate(column, error, accept);
        if (column->OnValidate) column->OnValidate(column, error, accept);
    };
}

void TqvEditorSlot::Open(TqvDBTreeListColumn* column, TqvTreeListNode* node, int position, const QRect& rect,
                         const Loader& load, bool readOnly)
{
    TqvInplaceEdit* editor = EditorOfClass(column->EditorClassName());
    grid_.SetState(tsEditing);
    turn_.Editor = editor;
    turn_.Node = node;
    turn_.Column = position;
    try {
        prepare(editor, column);
        fieldValue_ = Variant::Null();
        turn_.LoadedValue = load(editor, fieldValue_);
        editor->SetModified(false);
        editor->SetReadOnly(readOnly);
        editor->Activate();
        editor->ShowAt(rect);
    } catch (...) {
        turn_ = {};
        grid_.SetState(tsNormal);
        editor->HideEditor();
        throw;
    }
}

void TqvEditorSlot::Close(bool write, bool focusGrid)
{
    TqvInplaceEdit* editor = turn_.Editor;
    if (grid_.State() != tsEditing || !editor) return;
    if (write) editor->ValidateText();  // a refusal keeps the editor open
    grid_.SetState(tsNormal);
    TqvTreeListNode* node = turn_.Node;
    int position = turn_.Column;
    std::exception_ptr error;
    if (write && !node && grid_.IsNewItemRowFocused()) grid_.newItemRow_->StoreValue(editor, position);
    if (write && node && position >= 0) {
        try {
            auto* column = dynamic_cast<TqvDBTreeListColumn*>(grid_.NavigationColumn(position));
            if (editor->Modified() && column && grid_.IsActive() && isEditing(grid_.DataSet()->State())) {
                column->WriteEditor(editor);
                grid_.InvalidateNode(node);
            }
            if (grid_.OnEdited) grid_.OnEdited(&grid_, node);
        } catch (...) {
            error = std::current_exception();
        }
    }
    turn_.Editor = nullptr;
    turn_.Node = nullptr;
    turn_.Column = -1;
    bool hadFocus = editor->FocusWidget()->hasFocus();
    editor->Deactivate();
    if ((focusGrid || hadFocus) && grid_.isVisible()) grid_.setFocus(Qt::OtherFocusReason);
    editor->HideEditor();
    if (node && grid_.FocusedNode() == node) grid_.InvalidateNode(node);
    if (error) std::rethrow_exception(error);
}

void TqvEditorSlot::Refresh(TField* field)
{
    TqvInplaceEdit* editor = turn_.Editor;
    // The new-item row's editor shows no record.
    if (grid_.State() != tsEditing || !editor || editor->Modified() || !turn_.Node) return;
    auto* column = dynamic_cast<TqvDBTreeListColumn*>(grid_.NavigationColumn(turn_.Column));
    if (!column || !column->Field() || (field && field != column->Field())) return;
    // Only a value that really changed is loaded again: reloading the same
    // value would lose the selection the user is typing over.
    Variant now;
    TqvDBGridNode* node = grid_.DBNode(turn_.Node);
    bool read = grid_.ReadNodeRecord(node, [&] { now = column->Field()->Value(); });
    if (!read || now == fieldValue_) return;
    Variant loaded;
    grid_.ReadNodeRecord(node, [&] { loaded = column->LoadEditor(editor); });
    fieldValue_ = now;
    turn_.LoadedValue = loaded;
    editor->SetModified(false);
    editor->Activate();
    editor->SelectAllText();
}

void TqvEditorSlot::Release(Qt::MouseButton button, TShiftState shift, int x, int y)
{
    auto pressed = pressed_;
    pressed_ = {};
    if (button != Qt::LeftButton || (shift & (ssShift | ssCtrl)) || !(pressed.node || pressed.newItemRow)) return;
    if (!grid_.IsOption(tloImmediateEditor) || grid_.IsRowSelect() || grid_.State() != tsNormal) return;
    if (pressed.newItemRow) {
        QRect row = grid_.NewItemRowRect();
        if (!grid_.IsNewItemRowFocused() || !row.contains(x, y) || grid_.ColumnAt(x, y - row.top()) != pressed.column ||
            pressed.column != grid_.NewItemRowColumn())
            return;
    } else {
        TqvTreeListNode* node = grid_.NodeAtY(y);
        if (node != pressed.node || node != grid_.FocusedNode()) return;
        int position = grid_.ColumnAt(x, y - grid_.NodeRect(node).top());
        if (position < 0 || position != pressed.column || position != grid_.FocusedColumn()) return;
    }
    grid_.ShowEditor();
    if (TqvInplaceEdit* editor = turn_.Editor) {
        editor->SetOpeningClick();
        editor->PassClick(editor->mapFrom(&grid_, QPoint(x, y)));
    }
}

// ---- May the cell be edited

bool TCustomqvDBTreeListControl::IsGridReadOnly() const
{
    if (!IsActive()) return true;
    if (DataSet()->IsEmpty() && !sets_.DB.Contains(edgoCanInsert)) return true;
    return LoadMode() != TqvDBLoadMode::Window && !keyFieldObject_;
}

bool TCustomqvDBTreeListControl::IsEditReadOnly() const { return IsGridReadOnly(); }

bool TCustomqvDBTreeListControl::CanEditFocusedCell()
{
    if (!IsOption(tloEditing) || IsRowSelect()) return false;
    if (!FocusedNode() || State() != tsNormal || ShownColumnCount() <= 0) return false;
    TqvTreeListColumn* column = NavigationColumn(FocusedColumn());
    if (!column) return false;
    bool allow = true;
    if (OnEditing) OnEditing(this, FocusedNode(), allow);
    if (column->DisableEditor()) allow = false;
    if (allow && LoadMode() != TqvDBLoadMode::Window && !sets_.DB.Contains(edgoCanNavigation)) allow = false;
    return allow;
}

QRect TCustomqvDBTreeListControl::EditorRect() const
{
    QRect cell = CellRect(FocusedNode(), FocusedColumn());
    QRect visible = cell & QRect(0, DataTop(), ClientWidth(), DataBottom() - DataTop());
    // A cell the editor cannot cover whole (a zero-width column, a grid
    // lower than a row) is not edited at all.
    if (visible.width() <= 0 || visible.height() < cell.height()) return {};
    return visible;
}

// ---- The editors

TqvInplaceEdit* TCustomqvDBTreeListControl::InplaceEditor() const { return editors_->Turn().Editor; }

TqvInplaceEdit* TCustomqvDBTreeListControl::EditorOfClass(const char* className)
{
    return editors_->EditorOfClass(className);
}

int TCustomqvDBTreeListControl::EditorCount() const { return editors_->EditorCount(); }

TqvTreeListNode* TCustomqvDBTreeListControl::EditorNode() const { return editors_->Turn().Node; }

int TCustomqvDBTreeListControl::EditorColumn() const { return editors_->Turn().Column; }

const Variant& TCustomqvDBTreeListControl::EditorLoadedValue() const { return editors_->Turn().LoadedValue; }

TCustomqvDBTreeListControl::TqvEditorState& TCustomqvDBTreeListControl::EditorState() { return editors_->Turn(); }

std::unique_ptr<TqvEditStyle> TCustomqvDBTreeListControl::CreateEditStyle(TqvInplaceEdit* editor)
{
    return std::make_unique<TqvTreeListEditStyle>(editor, [this] { return EditStyleFallback(); });
}

TqvEditStyleData TCustomqvDBTreeListControl::EditStyleFallback() const
{
    // Editors over drawn grid lines need no border of their own.
    TqvEditStyleData v;
    v.BorderColor = clWindowFrame;
    v.BorderStyle = ShowGrid() ? xbsNone : xbsSingle;
    v.ButtonStyle = bts3D;
    v.ButtonTransparence = ebtNone;
    v.Edges = AllEdges;
    v.HotTrack = false;
    v.Shadow = false;
    return v;
}

// ---- Opening

void TCustomqvDBTreeListControl::ShowEditor()
{
    if (IsNewItemRowFocused()) {
        newItemRow_->ShowEditor();
        return;
    }
    if (!CanEditFocusedCell()) return;
    if (IsLayoutLocked() || !IsActive()) return;
    TqvDBGridNode* node = DBNode(FocusedNode());
    if (!node || node->IsGroupNode()) return;
    auto* column = dynamic_cast<TqvDBTreeListColumn*>(NavigationColumn(FocusedColumn()));
    if (!column) return;
    MakeColumnVisible(FocusedColumn());
    MakeNodeVisible(node);
    QRect rect = EditorRect();
    // Editing starts only where an editor can be shown: keys must never go
    // to an editor nobody sees.
    if (rect.isEmpty()) return;
    editors_->Open(column, node, FocusedColumn(), rect,
                   [&](TqvInplaceEdit* editor, Variant& fieldValue) {
                       Variant loaded = Variant(AnsiString());
                       auto load = [&] {
                           loaded = column->LoadEditor(editor);
                           if (column->Field()) fieldValue = column->Field()->Value();
                       };
                       if (!ReadNodeRecord(node, load)) load();
                       return loaded;
                   },
                   IsEditReadOnly() || column->ReadOnly());
}

// ---- The editor's questions

bool TCustomqvDBTreeListControl::CanEditModify()
{
    const TqvEditorState& turn = editors_->Turn();
    TqvInplaceEdit* editor = turn.Editor;
    if (State() != tsEditing || !editor || editor->ReadOnly()) return false;
    if (!IsActive() || link_->ReadOnly()) return false;
    auto* column = dynamic_cast<TqvDBTreeListColumn*>(NavigationColumn(turn.Column));
    TField* field = column ? column->Field() : nullptr;
    if (!field || column->ReadOnly() || !field->CanModify()) return false;
    if (IsBlobFieldType(field->DataType()) && !field->OnGetText) return false;
    // The new-item row has no record yet: its text waits in the row.
    if (!turn.Node && IsNewItemRowFocused()) return CanUseNewItemRow();
    // A record already being inserted stays so; anything else goes into edit.
    if (!isEditing(DataSet()->State()) && !link_->Edit()) return false;
    link_->SetModified(true);
    return true;
}

bool TCustomqvDBTreeListControl::IsAcceptedKey(char32_t character)
{
    auto* column = dynamic_cast<TqvDBTreeListColumn*>(NavigationColumn(editors_->Turn().Column));
    return !column || column->IsValidChar(character);
}

void TCustomqvDBTreeListControl::EditorKeyDownNotify(Word& key, TShiftState shift)
{
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TCustomqvDBTreeListControl::EditorMoveCol(bool left)
{
    int column = (IsNewItemRowFocused() ? NewItemRowColumn() : FocusedColumn()) + (left ? -1 : 1);
    if (column < 0 || column >= ShownColumnCount()) return;
    if (IsNewItemRowFocused())
        FocusNewItemRow(column);
    else
        SetFocusedColumn(column);
}

void TCustomqvDBTreeListControl::EditorFocusLost(QWidget* next)
{
    // Focus moving inside the grid is the grid's own affair (a click on a
    // row closes the editor through the focus change).
    if (next && (next == this || isAncestorOf(next))) return;
    editors_->Close(true, false);
    leaveGrid();
}

void TCustomqvDBTreeListControl::FocusStays()
{
    if (State() == tsEditing) HideEditor();
}

// ---- Closing

void TCustomqvDBTreeListControl::HideEditor() { editors_->Close(true, true); }

void TCustomqvDBTreeListControl::CloseEditor() { editors_->Close(true, false); }

void TCustomqvDBTreeListControl::CloseEditorSilently() { editors_->Close(true, false); }

void TCustomqvDBTreeListControl::CancelEditor() { editors_->Close(false, false); }

void TCustomqvDBTreeListControl::RefreshEditor(TField* field) { editors_->Refresh(field); }

// ---- Typing and clicking

void TCustomqvDBTreeListControl::HandleKeyPress(char32_t& character)
{
    if (State() == tsNormal && !InplaceEditor()) {
        bool opens = character >= 32 || character == 8 || character == 22 || character == 24 ||
                     (character == 13 && IsOption(tloEnterShowEditor));
        if (opens && character != 127) {
            ShowEditor();
            if (TqvInplaceEdit* editor = InplaceEditor()) {
                switch (character) {
                case 13: break;
                case 8: editor->DeleteSelection(); break;
                case 22: editor->PasteFromClipboard(); break;
                case 24: editor->CutToClipboard(); break;
                default: editor->TypeCharacter(character); break;
                }
                character = 0;
                return;
            }
        }
    }
    if (State() == tsNormal && !InplaceEditor() && character >= 32 && character != 127 &&
        IsOption(tloAutoSearch) && !IsNewItemRowFocused()) {
        search_->Type(character);
        character = 0;
        return;
    }
    TCustomqvTreeListControl::HandleKeyPress(character);
}

void TCustomqvDBTreeListControl::MouseDown(Qt::MouseButton button, TShiftState shift, int x, int y)
{
    editors_->ForgetPress();
    // A press that ends the middle-button anchor does nothing else.
    if (State() == tsMouseScrolling) {
        TCustomqvTreeListControl::MouseDown(button, shift, x, y);
        return;
    }
    if (button == Qt::LeftButton || button == Qt::RightButton) {
        if (NewItemRowRect().contains(x, y)) {
            // The new-item row takes the focus; it is never selected.
            setFocus(Qt::MouseFocusReason);
            int position = ColumnAt(x, y - NewItemRowRect().top());
            if (FocusNewItemRow(position >= 0 ? position : NewItemRowColumn()) && button == Qt::LeftButton &&
                !(shift & (ssShift | ssCtrl | ssDouble)))
                editors_->Press(nullptr, NewItemRowColumn(), true);
            return;
        }
        // A click on a record leaves the new-item row first: its values are
        // appended (a failure keeps the focus there).
        if (IsNewItemRowFocused() && y >= DataTop()) {
            setFocus(Qt::MouseFocusReason);
            newItemRow_->Leave();
        }
    }
    TqvTreeListNode* before = FocusedNode();
    TCustomqvTreeListControl::MouseDown(button, shift, x, y);
    if (button == Qt::LeftButton && IsOption(tloMultiSelect) && NodeAtY(y) && NodeAtY(y) == FocusedNode())
        selection_->Clicked(before, shift);
    if (button != Qt::LeftButton || (shift & (ssShift | ssCtrl | ssDouble))) return;
    TqvTreeListNode* node = NodeAtY(y);
    if (!node) return;
    editors_->Press(node, ColumnAt(x, y - NodeRect(node).top()), false);
}

void TCustomqvDBTreeListControl::MouseUp(Qt::MouseButton button, TShiftState shift, int x, int y)
{
    TCustomqvTreeListControl::MouseUp(button, shift, x, y);
    editors_->Release(button, shift, x, y);
}
