// The new-item row: a row between the column headers and the data rows in
// which the user types the values of a record that does not exist yet. The
// values stay with the row until it is left (or Enter is pressed) and are
// then appended as one new record. Its zone in the layout, its painting, its
// focus, its keys and its editor live here; the editing turn itself is the
// grid's (DBTreeListEditing.cpp).
#include "grid/db/DBTreeListControl.h"
#include "grid/editors/InplaceEdit.h"
#include "runtime/db/DataSet.h"
#include "runtime/db/Field.h"

#include <QPainter>

#include <algorithm>

namespace {
bool isEditing(TDataSetState s) { return s == dsEdit || s == dsInsert; }
}  // namespace

// ---- The zone

void TCustomqvDBTreeListControl::SetShowNewItemRow(bool value)
{
    if (value == showNewItemRow_) return;
    BeginUpdate();
    showNewItemRow_ = value;
    if (!value) {
        newItem_.focused = false;
        newItem_.texts.clear();
    }
    EndUpdate();
}

QRect TCustomqvDBTreeListControl::NewItemRowRect() const
{
    if (!showNewItemRow_) return {};
    return {IndicatorWidth(), BandZoneHeight() + HeaderZoneHeight(), std::max(0, width() - IndicatorWidth()), RowHeight()};
}

int TCustomqvDBTreeListControl::DataTop() const
{
    return TCustomqvTreeListControl::DataTop() + (showNewItemRow_ ? RowHeight() : 0);
}

QRect TCustomqvDBTreeListControl::newItemCellRect(int position) const
{
    QRect row = NewItemRowRect();
    if (row.isEmpty()) return {};
    int line = RowHeight() / std::max(1, HeaderPanelRowCount());
    for (const ColumnPlace& p : PlaceColumns())
        if (p.position == position) return {p.left, row.top() + p.row * line, p.width, line};
    return {};
}

void TCustomqvDBTreeListControl::invalidateNewItemRow()
{
    QRect row = NewItemRowRect();
    if (!row.isEmpty()) update(row.adjusted(-IndicatorWidth(), 0, 0, 0));
}

// ---- Painting

TqvTreeListNode* TCustomqvDBTreeListControl::FocusMarkedNode() const
{
    return newItem_.focused ? nullptr : FocusedNode();
}

void TCustomqvDBTreeListControl::PaintAboveRows(QPainter& canvas, const QRect& updateRect, const Layout& layout)
{
    QRect row = NewItemRowRect();
    if (row.isEmpty() || !QRect(0, row.top(), width(), row.height()).intersects(updateRect)) return;
    const QPalette& pal = palette();
    const QColor back = ToQColor(Color(), &pal);
    const QColor lines = ToQColor(GridLineColor() == clNone ? clBtnShadow : GridLineColor(), &pal);
    const bool active = IsGridActive();
    const QRect scrollArea(layout.leftFixedEnd, row.top(), layout.rightFixedStart - layout.leftFixedEnd, row.height());
    canvas.save();
    canvas.fillRect(row, back);
    // The indicator cell shows the new-record mark.
    if (layout.indicator) {
        QRect cell(0, row.top(), layout.indicator, row.height());
        canvas.fillRect(cell, ToQColor(HeaderColor(), &pal));
        canvas.setPen(ToQColor(clBtnShadow, &pal));
        canvas.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
        QPointF c = QRectF(cell).center();
        canvas.setPen(ToQColor(clBtnText, &pal));
        canvas.drawLine(QPointF(c.x() - 3, c.y()), QPointF(c.x() + 3, c.y()));
        canvas.drawLine(QPointF(c.x() - 2, c.y() - 3), QPointF(c.x() + 2, c.y() + 3));
        canvas.drawLine(QPointF(c.x() - 2, c.y() + 3), QPointF(c.x() + 2, c.y() - 3));
    }
    for (const ColumnPlace& p : layout.columns) {
        QRect cell = newItemCellRect(p.position);
        if (cell.isEmpty() || !cell.intersects(updateRect)) continue;
        canvas.setClipRect(p.fixed ? row : scrollArea.intersected(row));
        // The cell being typed into stands out as the focused cell does; no
        // focus rectangle is drawn on this row.
        const bool focusedCell = newItem_.focused && p.position == newItem_.column && (active || !HideSelection());
        TColor fore = p.column->Font().Color();
        if (focusedCell) {
            canvas.fillRect(cell, ToQColor(active ? HighlightColor() : HideSelectionColor(), &pal));
            fore = active ? HighlightTextColor() : HideSelectionTextColor();
        }
        if (ShowGrid()) {
            canvas.setPen(lines);
            canvas.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
        }
        AnsiString text = NewItemRowText(p.position);
        if (text.empty()) continue;
        canvas.setFont(p.column->Font().ToQFont());
        canvas.setPen(ToQColor(fore, &pal));
        Qt::Alignment align = p.column->Alignment() == taRightJustify ? Qt::AlignRight
                              : p.column->Alignment() == taCenter     ? Qt::AlignHCenter
                                                                      : Qt::AlignLeft;
        CellTexts().Draw(canvas, cell.adjusted(2, 1, -2, 0), static_cast<int>(align | Qt::AlignTop),
                         AnsiToQString(text));
    }
    // A double line parts the row from the records below it.
    canvas.setClipRect(QRect(0, row.top(), width(), row.height()));
    canvas.setPen(lines);
    canvas.drawLine(0, row.bottom() - 1, width(), row.bottom() - 1);
    canvas.drawLine(0, row.bottom(), width(), row.bottom());
    canvas.restore();
}

// ---- Focus

bool TCustomqvDBTreeListControl::CanUseNewItemRow() const
{
    if (!showNewItemRow_ || !IsActive() || !IsOption(tloEditing) || IsRowSelect()) return false;
    if (!sets_.DB.Contains(edgoCanInsert) || IsGridReadOnly() || link_->ReadOnly()) return false;
    return DataSet()->CanModify() && ShownColumnCount() > 0;
}

void TCustomqvDBTreeListControl::settleRecord()
{
    TDataSet* ds = DataSet();
    if (!isEditing(ds->State())) return;
    if (ds->State() == dsInsert && !ds->Modified() && !link_->Modified())
        ds->Cancel();
    else
        ds->Post();
}

bool TCustomqvDBTreeListControl::FocusNewItemRow(int column)
{
    if (!CanUseNewItemRow()) return false;
    CloseEditor();
    EndIncrementalSearch();
    if (!newItem_.focused) settleRecord();
    newItem_.focused = true;
    newItem_.column = std::clamp(column, 0, ShownColumnCount() - 1);
    MakeColumnVisible(newItem_.column);
    update();
    return true;
}

AnsiString TCustomqvDBTreeListControl::NewItemRowText(int position) const
{
    auto found = newItem_.texts.find(NavigationColumn(position));
    return found == newItem_.texts.end() ? AnsiString() : found->second;
}

void TCustomqvDBTreeListControl::CancelNewItemRow()
{
    newItem_.texts.clear();
    invalidateNewItemRow();
}

void TCustomqvDBTreeListControl::leaveNewItemRow()
{
    if (!newItem_.focused) return;
    CloseEditor();
    PostNewItemRow();  // a failure keeps the focus on the row
    newItem_.focused = false;
    update();
}

void TCustomqvDBTreeListControl::PostNewItemRow()
{
    if (newItem_.texts.empty() || !IsActive()) return;
    TDataSet* ds = DataSet();
    settleRecord();
    ds->Append();
    try {
        // Each typed text goes through its column's editor, as it would from
        // a cell of a record: the same conversions, the same field errors.
        for (TqvTreeListColumn* c : NavigationOrder()) {
            auto found = newItem_.texts.find(c);
            auto* column = dynamic_cast<TqvDBTreeListColumn*>(c);
            if (found == newItem_.texts.end() || !column || !column->Field()) continue;
            TqvInplaceEdit* editor = EditorOfClass(column->EditorClassName());
            column->PrepareEditor(editor);
            editor->SetText(found->second);
            editor->SetModified(true);
            column->WriteEditor(editor);
        }
        ds->Post();
    } catch (...) {
        if (isEditing(ds->State())) ds->Cancel();
        invalidateNewItemRow();
        throw;
    }
    newItem_.texts.clear();
    invalidateNewItemRow();
}

// ---- Editing a cell of the row

void TCustomqvDBTreeListControl::showNewItemEditor()
{
    if (!CanUseNewItemRow() || State() != tsNormal || IsLayoutLocked()) return;
    auto* column = dynamic_cast<TqvDBTreeListColumn*>(NavigationColumn(newItem_.column));
    if (!column || column->DisableEditor()) return;
    MakeColumnVisible(newItem_.column);
    QRect rect = newItemCellRect(newItem_.column);
    if (rect.width() <= 0 || rect.height() <= 0) return;
    TqvInplaceEdit* editor = EditorOfClass(column->EditorClassName());
    SetState(tsEditing);
    editor_.Editor = editor;
    editor_.Node = nullptr;
    editor_.Column = newItem_.column;
    try {
        prepareEditor(editor, column);
        AnsiString typed = NewItemRowText(newItem_.column);
        editor->LoadValue(Variant::Null());
        if (!typed.empty()) editor->SetText(typed);
        editor_.LoadedValue = Variant(typed);
        editorFieldValue_ = Variant::Null();
        editor->SetModified(false);
        editor->SetReadOnly(column->ReadOnly() || !column->Field() || !column->Field()->CanModify());
        editor->Activate();
        editor->ShowAt(rect);
    } catch (...) {
        editor_ = {};
        SetState(tsNormal);
        editor->HideEditor();
        throw;
    }
}

void TCustomqvDBTreeListControl::storeNewItemValue(TqvInplaceEdit* editor)
{
    const TqvTreeListColumn* column = NavigationColumn(editor_.Column);
    if (!column || !editor->Modified()) return;
    AnsiString text = editor->Text();
    if (text.empty())
        newItem_.texts.erase(column);
    else
        newItem_.texts[column] = text;
    invalidateNewItemRow();
}

// ---- Keys

bool TCustomqvDBTreeListControl::HandleNewItemRowKey(Word& key, TShiftState shift)
{
    // The row went out of use under the focus (options, a closed dataset):
    // the keys are the records' again.
    if (newItem_.focused && !CanUseNewItemRow()) {
        CancelEditor();
        newItem_.focused = false;
        update();
    }
    if (!newItem_.focused) {
        // Up from the first record (or in an empty grid) enters the row.
        if (key != VK_UP || (shift & (ssShift | ssCtrl)) || !CanUseNewItemRow()) return false;
        bool first = IsEmpty() || (FocusedAbsoluteIndex() == 0 && (LoadMode() != TqvDBLoadMode::Window ||
                                                                   DataSet()->CurrentPosition() <= 0));
        if (!first) return false;
        int column = FocusedColumn();
        if (!FocusNewItemRow(column)) return false;
        key = 0;
        return true;
    }
    const bool editing = State() == tsEditing && editor_.Editor;
    const int count = ShownColumnCount();
    switch (key) {
    case VK_ESCAPE:
        // The editor has restored its text already: it closes without a
        // change. Without an editor the typed values go.
        if (editing)
            HideEditor();
        else
            CancelNewItemRow();
        break;
    case VK_RETURN:
        if (editing) HideEditor();
        PostNewItemRow();
        update();
        break;
    case VK_DOWN:
    case VK_NEXT:
        if (!(shift & ssCtrl)) {
            leaveNewItemRow();
            if (IsEmpty()) break;
            if (LoadMode() == TqvDBLoadMode::Window)
                DataSet()->First();
            else
                SetFocusedAbsoluteIndex(0);
        }
        break;
    case VK_TAB:
        if (shift & ssAlt) break;
        if (editing) HideEditor();
        for (int i = newItem_.column + (shift & ssShift ? -1 : 1); i >= 0 && i < count; i += shift & ssShift ? -1 : 1)
            if (NavigationColumn(i)->TabStop()) {
                FocusNewItemRow(i);
                break;
            }
        break;
    case VK_LEFT:
    case VK_RIGHT:
        if (!editing) FocusNewItemRow(newItem_.column + (key == VK_LEFT ? -1 : 1));
        break;
    case VK_HOME:
    case VK_END:
        if (!editing) FocusNewItemRow(key == VK_HOME ? 0 : count - 1);
        break;
    case VK_F2:
        if (!editing) showNewItemEditor();
        break;
    default: return true;  // no deleting, inserting or searching on this row
    }
    key = 0;
    return true;
}
