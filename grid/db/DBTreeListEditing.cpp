// The grid's side of in-place editing: may a cell be edited, opening the
// editor of the column's class over it, the editor's questions (may the text
// change, is a character acceptable), closing with the write to the field
// and OnEdited, cancelling, typing and clicking that open the editor.
#include "grid/db/DBTreeListControl.h"
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
    QRect visible = cell & QRect(0, DataTop(), width(), DataBottom() - DataTop());
    // A cell the editor cannot cover whole (a zero-width column, a grid
    // lower than a row) is not edited at all.
    if (visible.width() <= 0 || visible.height() < cell.height()) return {};
    return visible;
}

// ---- The editors

TqvInplaceEdit* TCustomqvDBTreeListControl::EditorOfClass(const char* className)
{
    for (const auto& editor : editors_)
        if (std::strcmp(editor->property("editorClass").toByteArray().constData(), className) == 0) return editor.get();
    std::unique_ptr<TqvInplaceEdit> editor = CreateInplaceEditor(className, this);
    editor->setProperty("editorClass", QByteArray(className));
    editors_.push_back(std::move(editor));
    return editors_.back().get();
}

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

void TCustomqvDBTreeListControl::prepareEditor(TqvInplaceEdit* editor, TqvDBTreeListColumn* column)
{
    column->PrepareEditor(editor);
    editor->OnChange = [this, column](TqvInplaceEdit*) {
        if (OnEditChange) OnEditChange(column);
        if (column->OnChange) column->OnChange(column);
    };
    editor->OnValidate = [this, column](TqvInplaceEdit*, AnsiString& error, bool& accept) {
        if (OnEditValidate) OnEditValidate(column, error, accept);
        if (column->OnValidate) column->OnValidate(column, error, accept);
    };
}

// ---- Opening

void TCustomqvDBTreeListControl::ShowEditor()
{
    if (IsNewItemRowFocused()) {
        showNewItemEditor();
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
    TqvInplaceEdit* editor = EditorOfClass(column->EditorClassName());
    SetState(tsEditing);
    editor_.Editor = editor;
    editor_.Node = node;
    editor_.Column = FocusedColumn();
    try {
        prepareEditor(editor, column);
        Variant loaded = Variant(AnsiString());
        editorFieldValue_ = Variant::Null();
        auto load = [&] {
            loaded = column->LoadEditor(editor);
            if (column->Field()) editorFieldValue_ = column->Field()->Value();
        };
        if (!ReadNodeRecord(node, load)) load();
        editor_.LoadedValue = loaded;
        editor->SetModified(false);
        editor->SetReadOnly(IsEditReadOnly() || column->ReadOnly());
        editor->Activate();
        editor->ShowAt(rect);
    } catch (...) {
        editor_.Editor = nullptr;
        editor_.Node = nullptr;
        editor_.Column = -1;
        SetState(tsNormal);
        editor->HideEditor();
        throw;
    }
}

// ---- The editor's questions

bool TCustomqvDBTreeListControl::CanEditModify()
{
    TqvInplaceEdit* editor = editor_.Editor;
    if (State() != tsEditing || !editor || editor->ReadOnly()) return false;
    if (!IsActive() || link_->ReadOnly()) return false;
    auto* column = dynamic_cast<TqvDBTreeListColumn*>(NavigationColumn(editor_.Column));
    TField* field = column ? column->Field() : nullptr;
    if (!field || column->ReadOnly() || !field->CanModify()) return false;
    if (IsBlobFieldType(field->DataType()) && !field->OnGetText) return false;
    // The new-item row has no record yet: its text waits in the row.
    if (!editor_.Node && IsNewItemRowFocused()) return CanUseNewItemRow();
    // A record already being inserted stays so; anything else goes into edit.
    if (!isEditing(DataSet()->State()) && !link_->Edit()) return false;
    link_->SetModified(true);
    return true;
}

bool TCustomqvDBTreeListControl::IsAcceptedKey(char32_t character)
{
    auto* column = dynamic_cast<TqvDBTreeListColumn*>(NavigationColumn(editor_.Column));
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
    closeEditor(true, false);
    leaveGrid();
}

// ---- Closing

void TCustomqvDBTreeListControl::closeEditor(bool write, bool focusGrid)
{
    TqvInplaceEdit* editor = editor_.Editor;
    if (State() != tsEditing || !editor) return;
    if (write) editor->ValidateText();  // a refusal keeps the editor open
    SetState(tsNormal);
    TqvTreeListNode* node = editor_.Node;
    int position = editor_.Column;
    std::exception_ptr error;
    if (write && !node && IsNewItemRowFocused()) storeNewItemValue(editor);
    if (write && node && position >= 0) {
        try {
            auto* column = dynamic_cast<TqvDBTreeListColumn*>(NavigationColumn(position));
            if (editor->Modified() && column && IsActive() && isEditing(DataSet()->State())) {
                column->WriteEditor(editor);
                InvalidateNode(node);
            }
            if (OnEdited) OnEdited(this, node);
        } catch (...) {
            error = std::current_exception();
        }
    }
    editor_.Editor = nullptr;
    editor_.Node = nullptr;
    editor_.Column = -1;
    bool hadFocus = editor->FocusWidget()->hasFocus();
    editor->Deactivate();
    if ((focusGrid || hadFocus) && isVisible()) setFocus(Qt::OtherFocusReason);
    editor->HideEditor();
    if (node && FocusedNode() == node) InvalidateNode(node);
    if (error) std::rethrow_exception(error);
}

void TCustomqvDBTreeListControl::HideEditor() { closeEditor(true, true); }

void TCustomqvDBTreeListControl::CloseEditor() { closeEditor(true, false); }

void TCustomqvDBTreeListControl::CloseEditorSilently() { closeEditor(true, false); }

void TCustomqvDBTreeListControl::CancelEditor() { closeEditor(false, false); }

void TCustomqvDBTreeListControl::RefreshEditor(TField* field)
{
    TqvInplaceEdit* editor = editor_.Editor;
    // The new-item row's editor shows no record.
    if (State() != tsEditing || !editor || editor->Modified() || !editor_.Node) return;
    auto* column = dynamic_cast<TqvDBTreeListColumn*>(NavigationColumn(editor_.Column));
    if (!column || !column->Field() || (field && field != column->Field())) return;
    // Only a value that really changed is loaded again: reloading the same
    // value would lose the selection the user is typing over.
    Variant now;
    bool read = ReadNodeRecord(DBNode(editor_.Node), [&] { now = column->Field()->Value(); });
    if (!read || now == editorFieldValue_) return;
    Variant loaded;
    ReadNodeRecord(DBNode(editor_.Node), [&] { loaded = column->LoadEditor(editor); });
    editorFieldValue_ = now;
    editor_.LoadedValue = loaded;
    editor->SetModified(false);
    editor->Activate();
    editor->SelectAllText();
}

// ---- Typing and clicking

void TCustomqvDBTreeListControl::HandleKeyPress(char32_t& character)
{
    if (State() == tsNormal && !editor_.Editor) {
        bool opens = character >= 32 || character == 8 || character == 22 || character == 24 ||
                     (character == 13 && IsOption(tloEnterShowEditor));
        if (opens && character != 127) {
            ShowEditor();
            if (TqvInplaceEdit* editor = editor_.Editor) {
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
    if (State() == tsNormal && !editor_.Editor && character >= 32 && character != 127 &&
        IsOption(tloAutoSearch) && !IsNewItemRowFocused()) {
        QString typed = QString::fromUcs4(&character, 1);
        AnsiString text = searchText_ + QStringToAnsi(typed);
        if (AnsiToQString(text.substr(searchText_.size())) == typed && SearchFor(text, false, true)) {
            searchText_ = text;
            searching_ = true;
        } else {
            EditorBeep();  // a character that finds nothing is not kept
        }
        character = 0;
        return;
    }
    TCustomqvTreeListControl::HandleKeyPress(character);
}

void TCustomqvDBTreeListControl::MouseDown(Qt::MouseButton button, TShiftState shift, int x, int y)
{
    pressed_ = {};
    if (button == Qt::LeftButton || button == Qt::RightButton) {
        if (NewItemRowRect().contains(x, y)) {
            // The new-item row takes the focus; it is never selected.
            setFocus(Qt::MouseFocusReason);
            int position = ColumnAt(x, y - NewItemRowRect().top());
            if (FocusNewItemRow(position >= 0 ? position : NewItemRowColumn()) && button == Qt::LeftButton &&
                !(shift & (ssShift | ssCtrl | ssDouble)))
                pressed_ = {nullptr, NewItemRowColumn(), x, y, true};
            return;
        }
        // A click on a record leaves the new-item row first: its values are
        // appended (a failure keeps the focus there).
        if (IsNewItemRowFocused() && y >= DataTop()) {
            setFocus(Qt::MouseFocusReason);
            leaveNewItemRow();
        }
    }
    TqvTreeListNode* before = FocusedNode();
    TCustomqvTreeListControl::MouseDown(button, shift, x, y);
    if (button == Qt::LeftButton && IsOption(tloMultiSelect) && NodeAtY(y) && NodeAtY(y) == FocusedNode()) {
        TqvTreeListNode* node = FocusedNode();
        if (shift & ssShift) {
            if (!anchor_ || GetAbsoluteIndex(anchor_) < 0) anchor_ = before ? before : node;
            ExtendSelection(anchor_, node);
        } else if (shift & ssCtrl) {
            SelectNode(node, !IsNodeSelected(node));
            anchor_ = node;
        } else if (!(shift & ssDouble)) {
            ClearSelection();
            anchor_ = node;
        }
    }
    if (button != Qt::LeftButton || (shift & (ssShift | ssCtrl | ssDouble))) return;
    TqvTreeListNode* node = NodeAtY(y);
    if (!node) return;
    pressed_ = {node, ColumnAt(x, y - NodeRect(node).top()), x, y};
}

void TCustomqvDBTreeListControl::MouseUp(Qt::MouseButton button, TShiftState shift, int x, int y)
{
    TCustomqvTreeListControl::MouseUp(button, shift, x, y);
    auto pressed = pressed_;
    pressed_ = {};
    if (button != Qt::LeftButton || (shift & (ssShift | ssCtrl)) || !(pressed.node || pressed.newItemRow)) return;
    if (!IsOption(tloImmediateEditor) || IsRowSelect() || State() != tsNormal) return;
    if (pressed.newItemRow) {
        QRect row = NewItemRowRect();
        if (!IsNewItemRowFocused() || !row.contains(x, y) || ColumnAt(x, y - row.top()) != pressed.column ||
            pressed.column != NewItemRowColumn())
            return;
        ShowEditor();
        if (TqvInplaceEdit* editor = editor_.Editor) {
            editor->SetOpeningClick();
            editor->PassClick(editor->mapFrom(this, QPoint(x, y)));
        }
        return;
    }
    TqvTreeListNode* node = NodeAtY(y);
    if (node != pressed.node || node != FocusedNode()) return;
    int position = ColumnAt(x, y - NodeRect(node).top());
    if (position < 0 || position != pressed.column || position != FocusedColumn()) return;
    ShowEditor();
    if (TqvInplaceEdit* editor = editor_.Editor) {
        editor->SetOpeningClick();
        editor->PassClick(editor->mapFrom(this, QPoint(x, y)));
    }
}
