// The new-item row (NewItemRow.h): its zone in the layout, its painting, its
// focus, its keys and its editor; and the grid's side, which hands its
// questions to the row the grid owns.
#include "grid/db/NewItemRow.h"

#include "grid/db/DBTreeListEditing.h"
#include "grid/editors/InplaceEdit.h"
#include "runtime/db/DataSet.h"
#include "runtime/db/Field.h"

#include <QPainter>

#include <algorithm>

namespace {
bool isEditing(TDataSetState s) { return s == dsEdit || s == dsInsert; }
}  // namespace

// ---- The zone

void TqvNewItemRow::SetShown(bool value)
{
    if (value == shown_) return;
    grid_.BeginUpdate();
    shown_ = value;
    if (!value) {
        focused_ = false;
        texts_.clear();
    }
    grid_.EndUpdate();
}

QRect TqvNewItemRow::Rect() const
{
    if (!shown_) return {};
    return {grid_.IndicatorWidth(), grid_.BandZoneHeight() + grid_.HeaderZoneHeight(),
            std::max(0, grid_.width() - grid_.IndicatorWidth()), grid_.RowHeight()};
}

int TqvNewItemRow::Height() const { return shown_ ? grid_.RowHeight() : 0; }

QRect TqvNewItemRow::cellRect(int position) const
{
    QRect row = Rect();
    if (row.isEmpty()) return {};
    int line = grid_.RowHeight() / std::max(1, grid_.HeaderPanelRowCount());
    for (const TCustomqvDBTreeListControl::ColumnPlace& p : grid_.PlaceColumns())
        if (p.position == position) return {p.left, row.top() + p.row * line, p.width, line};
    return {};
}

void TqvNewItemRow::invalidate()
{
    QRect row = Rect();
    if (!row.isEmpty()) grid_.update(row.adjusted(-grid_.IndicatorWidth(), 0, 0, 0));
}

// ---- Painting

void TqvNewItemRow::Paint(QPainter& canvas, const QRect& updateRect, const TCustomqvDBTreeListControl::Layout& layout)
{
    QRect row = Rect();
    if (row.isEmpty() || !QRect(0, row.top(), grid_.width(), row.height()).intersects(updateRect)) return;
    const QPalette& pal = grid_.palette();
    const QColor back = ToQColor(grid_.Color(), &pal);
    const QColor lines = ToQColor(grid_.GridLineColor() == clNone ? clBtnShadow : grid_.GridLineColor(), &pal);
    const bool active = grid_.IsGridActive();
    const QRect scrollArea(layout.leftFixedEnd, row.top(), layout.rightFixedStart - layout.leftFixedEnd, row.height());
    canvas.save();
    canvas.fillRect(row, back);
    // The indicator cell shows the new-record mark.
    if (layout.indicator) {
        QRect cell(0, row.top(), layout.indicator, row.height());
        canvas.fillRect(cell, ToQColor(grid_.HeaderColor(), &pal));
        canvas.setPen(ToQColor(clBtnShadow, &pal));
        canvas.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
        QPointF c = QRectF(cell).center();
        canvas.setPen(ToQColor(clBtnText, &pal));
        canvas.drawLine(QPointF(c.x() - 3, c.y()), QPointF(c.x() + 3, c.y()));
        canvas.drawLine(QPointF(c.x() - 2, c.y() - 3), QPointF(c.x() + 2, c.y() + 3));
        canvas.drawLine(QPointF(c.x() - 2, c.y() + 3), QPointF(c.x() + 2, c.y() - 3));
    }
    for (const TCustomqvDBTreeListControl::ColumnPlace& p : layout.columns) {
        QRect cell = cellRect(p.position);
        if (cell.isEmpty() || !cell.intersects(updateRect)) continue;
        canvas.setClipRect(p.fixed ? row : scrollArea.intersected(row));
        // The cell being typed into stands out as the focused cell does; no
        // focus rectangle is drawn on this row.
        const bool focusedCell = focused_ && p.position == column_ && (active || !grid_.HideSelection());
        TColor fore = p.column->Font().Color();
        if (focusedCell) {
            canvas.fillRect(cell, ToQColor(active ? grid_.HighlightColor() : grid_.HideSelectionColor(), &pal));
            fore = active ? grid_.HighlightTextColor() : grid_.HideSelectionTextColor();
        }
        if (grid_.ShowGrid()) {
            canvas.setPen(lines);
            canvas.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
        }
        AnsiString text = Text(p.position);
        if (text.empty()) continue;
        canvas.setFont(p.column->Font().ToQFont());
        canvas.setPen(ToQColor(fore, &pal));
        Qt::Alignment align = p.column->Alignment() == taRightJustify ? Qt::AlignRight
                              : p.column->Alignment() == taCenter     ? Qt::AlignHCenter
                                                                      : Qt::AlignLeft;
        grid_.CellTexts().Draw(canvas, cell.adjusted(2, 1, -2, 0), static_cast<int>(align | Qt::AlignTop),
                               AnsiToQString(text));
    }
    // A double line parts the row from the records below it.
    canvas.setClipRect(QRect(0, row.top(), grid_.width(), row.height()));
    canvas.setPen(lines);
    canvas.drawLine(0, row.bottom() - 1, grid_.width(), row.bottom() - 1);
    canvas.drawLine(0, row.bottom(), grid_.width(), row.bottom());
    canvas.restore();
}

// ---- Focus

bool TqvNewItemRow::CanUse() const
{
    if (!shown_ || !grid_.IsActive() || !grid_.IsOption(tloEditing) || grid_.IsRowSelect()) return false;
    if (!grid_.sets_.DB.Contains(edgoCanInsert) || grid_.IsGridReadOnly() || grid_.link_->ReadOnly()) return false;
    return grid_.DataSet()->CanModify() && grid_.ShownColumnCount() > 0;
}

bool TqvNewItemRow::Focus(int column)
{
    if (!CanUse()) return false;
    grid_.CloseEditor();
    grid_.EndIncrementalSearch();
    if (!focused_) settleRecord();
    focused_ = true;
    column_ = std::clamp(column, 0, grid_.ShownColumnCount() - 1);
    grid_.MakeColumnVisible(column_);
    grid_.update();
    return true;
}

AnsiString TqvNewItemRow::Text(int position) const
{
    auto found = texts_.find(grid_.NavigationColumn(position));
    return found == texts_.end() ? AnsiString() : found->second;
}

void TqvNewItemRow::Cancel()
{
    texts_.clear();
    invalidate();
}

void TqvNewItemRow::Leave()
{
    if (!focused_) return;
    grid_.CloseEditor();
    Post();  // a failure keeps the focus on the row
    focused_ = false;
    grid_.update();
}

void TqvNewItemRow::Post()
{
    if (texts_.empty() || !grid_.IsActive()) return;
    TDataSet* ds = grid_.DataSet();
    settleRecord();
    ds->Append();
    try {
        // Each typed text goes through its column's editor, as it would from
        // a cell of a record: the same conversions, the same field errors.
        for (TqvTreeListColumn* c : grid_.NavigationOrder()) {
            auto found = texts_.find(c);
            auto* column = dynamic_cast<TqvDBTreeListColumn*>(c);
            if (found == texts_.end() || !column || !column->Field()) continue;
            TqvInplaceEdit* editor = grid_.EditorOfClass(column->EditorClassName());
            column->PrepareEditor(editor);
            editor->SetText(found->second);
            editor->SetModified(true);
            column->WriteEditor(editor);
        }
        ds->Post();
    } catch (...) {
        if (isEditing(ds->State())) ds->Cancel();
        invalidate();
        throw;
    }
    texts_.clear();
    invalidate();
}

void TqvNewItemRow::settleRecord()
{
    TDataSet* ds = grid_.DataSet();
    if (!isEditing(ds->State())) return;
    if (ds->State() == dsInsert && !ds->Modified() && !grid_.link_->Modified())
        ds->Cancel();
    else
        ds->Post();
}

// ---- Editing a cell of the row

void TqvNewItemRow::ShowEditor()
{
    if (!CanUse() || grid_.State() != tsNormal || grid_.IsLayoutLocked()) return;
    auto* column = dynamic_cast<TqvDBTreeListColumn*>(grid_.NavigationColumn(column_));
    if (!column || column->DisableEditor()) return;
    grid_.MakeColumnVisible(column_);
    QRect rect = cellRect(column_);
    if (rect.width() <= 0 || rect.height() <= 0) return;
    bool readOnly = column->ReadOnly() || !column->Field() || !column->Field()->CanModify();
    grid_.editors_->Open(column, nullptr, column_, rect,
                         [this](TqvInplaceEdit* editor, Variant&) {
                             AnsiString typed = Text(column_);
                             editor->LoadValue(Variant::Null());
                             if (!typed.empty()) editor->SetText(typed);
                             return Variant(typed);
                         },
                         readOnly);
}

void TqvNewItemRow::StoreValue(TqvInplaceEdit* editor, int position)
{
    const TqvTreeListColumn* column = grid_.NavigationColumn(position);
    if (!column || !editor->Modified()) return;
    AnsiString text = editor->Text();
    if (text.empty())
        texts_.erase(column);
    else
        texts_[column] = text;
    invalidate();
}

// ---- Keys

bool TqvNewItemRow::HandleKey(Word& key, TShiftState shift)
{
    // The row went out of use under the focus (options, a closed dataset):
    // the keys are the records' again.
    if (focused_ && !CanUse()) {
        grid_.CancelEditor();
        focused_ = false;
        grid_.update();
    }
    if (!focused_) {
        // Up from the first record (or in an empty grid) enters the row.
        if (key != VK_UP || (shift & (ssShift | ssCtrl)) || !CanUse()) return false;
        bool first = grid_.IsEmpty() || (grid_.FocusedAbsoluteIndex() == 0 &&
                                         (grid_.LoadMode() != TqvDBLoadMode::Window ||
                                          grid_.DataSet()->CurrentPosition() <= 0));
        if (!first) return false;
        if (!Focus(grid_.FocusedColumn())) return false;
        key = 0;
        return true;
    }
    const bool editing = grid_.State() == tsEditing && grid_.InplaceEditor();
    const int count = grid_.ShownColumnCount();
    switch (key) {
    case VK_ESCAPE:
        // The editor has restored its text already: it closes without a
        // change. Without an editor the typed values go.
        if (editing)
            grid_.HideEditor();
        else
            Cancel();
        break;
    case VK_RETURN:
        if (editing) grid_.HideEditor();
        Post();
        grid_.update();
        break;
    case VK_DOWN:
    case VK_NEXT:
        if (!(shift & ssCtrl)) {
            Leave();
            if (grid_.IsEmpty()) break;
            if (grid_.LoadMode() == TqvDBLoadMode::Window)
                grid_.DataSet()->First();
            else
                grid_.SetFocusedAbsoluteIndex(0);
        }
        break;
    case VK_TAB:
        if (shift & ssAlt) break;
        if (editing) grid_.HideEditor();
        for (int i = column_ + (shift & ssShift ? -1 : 1); i >= 0 && i < count; i += shift & ssShift ? -1 : 1)
            if (grid_.NavigationColumn(i)->TabStop()) {
                Focus(i);
                break;
            }
        break;
    case VK_LEFT:
    case VK_RIGHT:
        if (!editing) Focus(column_ + (key == VK_LEFT ? -1 : 1));
        break;
    case VK_HOME:
    case VK_END:
        if (!editing) Focus(key == VK_HOME ? 0 : count - 1);
        break;
    case VK_F2:
        if (!editing) ShowEditor();
        break;
    default: return true;  // no deleting, inserting or searching on this row
    }
    key = 0;
    return true;
}

// ---- The grid's side

bool TCustomqvDBTreeListControl::ShowNewItemRow() const { return newItemRow_->Shown(); }

void TCustomqvDBTreeListControl::SetShowNewItemRow(bool value) { newItemRow_->SetShown(value); }

bool TCustomqvDBTreeListControl::CanUseNewItemRow() const { return newItemRow_->CanUse(); }

bool TCustomqvDBTreeListControl::IsNewItemRowFocused() const { return newItemRow_->Focused(); }

int TCustomqvDBTreeListControl::NewItemRowColumn() const { return newItemRow_->Column(); }

bool TCustomqvDBTreeListControl::FocusNewItemRow(int column) { return newItemRow_->Focus(column); }

AnsiString TCustomqvDBTreeListControl::NewItemRowText(int position) const { return newItemRow_->Text(position); }

bool TCustomqvDBTreeListControl::HasNewItemValues() const { return newItemRow_->HasValues(); }

void TCustomqvDBTreeListControl::PostNewItemRow() { newItemRow_->Post(); }

void TCustomqvDBTreeListControl::CancelNewItemRow() { newItemRow_->Cancel(); }

QRect TCustomqvDBTreeListControl::NewItemRowRect() const { return newItemRow_->Rect(); }

int TCustomqvDBTreeListControl::DataTop() const { return TCustomqvTreeListControl::DataTop() + newItemRow_->Height(); }

void TCustomqvDBTreeListControl::PaintAboveRows(QPainter& canvas, const QRect& updateRect, const Layout& layout)
{
    newItemRow_->Paint(canvas, updateRect, layout);
}

TqvTreeListNode* TCustomqvDBTreeListControl::FocusMarkedNode() const
{
    return newItemRow_->Focused() ? nullptr : FocusedNode();
}

bool TCustomqvDBTreeListControl::HandleNewItemRowKey(Word& key, TShiftState shift)
{
    return newItemRow_->HandleKey(key, shift);
}
