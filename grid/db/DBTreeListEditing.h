#pragma once
// The editor slot of the dataset-bound grid (TCustomqvDBTreeListControl):
// the grid's in-place editors, one per class, made the first time a column
// of the class is edited and kept for reuse; the editing turn in progress;
// and the left click that opens the editor where it comes up (the immediate
// editor).
//
// One turn: Open lays the column's editor over a cell of a record, or of the
// new-item row (no node), prepared by the column and loaded; Close ends it,
// writing (the text checked, a changed value written to the field,
// OnEdited) or not. The grid decides when a cell may be edited and which
// keys end a turn (DBTreeListEditing.cpp, DBTreeListKeys.cpp).
//
// Rules that are easy to break:
// - A turn that fails to open leaves no editor open and the grid in its
//   normal state, and raises the error.
// - Close runs the write and OnEdited, hides the editor and only then raises
//   what they raised; a refused text keeps the editor open.
// - The new-item row's editor has no record: its text goes back to the row,
//   never into a field, and OnEdited is not raised.
// - An editor that shows a field loads it again only when the field's value
//   really changed under it (the selection being typed over stays).

#include "grid/db/DBTreeListControl.h"

#include <functional>
#include <memory>
#include <vector>

class TqvEditorSlot {
public:
    using TqvEditorState = TCustomqvDBTreeListControl::TqvEditorState;
    // Fills the editor and returns the value it was loaded with; sets the
    // field value under the editor when there is one.
    using Loader = std::function<Variant(TqvInplaceEdit* editor, Variant& fieldValue)>;

    explicit TqvEditorSlot(TCustomqvDBTreeListControl& grid);
    ~TqvEditorSlot();

    TqvInplaceEdit* EditorOfClass(const char* className);
    int EditorCount() const { return static_cast<int>(editors_.size()); }
    TqvEditorState& Turn() { return turn_; }
    const TqvEditorState& Turn() const { return turn_; }

    // Opens the column's editor over `rect` at navigation position
    // `position`, for `node` (null: the new-item row).
    void Open(TqvDBTreeListColumn* column, TqvTreeListNode* node, int position, const QRect& rect,
              const Loader& load, bool readOnly);
    // Ends the turn in progress, writing the editor's value or not; the
    // keyboard focus goes back to the grid with `focusGrid`, or when the
    // editor had it.
    void Close(bool write, bool focusGrid);
    // The field under the open editor changed in the record (null: any).
    void Refresh(TField* field);
    void NodeGone(TqvTreeListNode* node)
    {
        if (node == turn_.Node) turn_.Node = nullptr;
    }

    // ---- The immediate editor
    // Where the left button went down: a record's cell, or a cell of the
    // new-item row (no node).
    void Press(TqvTreeListNode* node, int column, bool newItemRow) { pressed_ = PressedCell{node, column, newItemRow}; }
    void ForgetPress() { pressed_ = {}; }
    // The button came up at (x, y): the editor opens when it comes up on the
    // focused cell it went down on.
    void Release(Qt::MouseButton button, TShiftState shift, int x, int y);

private:
    void prepare(TqvInplaceEdit* editor, TqvDBTreeListColumn* column);

    struct PressedCell {
        TqvTreeListNode* node = nullptr;
        int column = -1;
        bool newItemRow = false;
    };

    TCustomqvDBTreeListControl& grid_;
    TqvEditorState turn_;
    Variant fieldValue_;  // the field's value the open editor was loaded from
    PressedCell pressed_;  // where the left button went down
    // Last, so that the editors go first, while the turn is there.
    std::vector<std::unique_ptr<TqvInplaceEdit>> editors_;  // one per class, reused
};
