#pragma once
// Two small owners of the dataset-bound grid (TCustomqvDBTreeListControl):
// the incremental search over the focused column, and the anchor of the
// Shift and Ctrl multi-selection that keys and clicks make.
//
// Incremental search: typing while no editor opens (edgoAutoSearch)
// searches the focused column from the focused row down, wrapping, for a
// cell that starts with the typed text (case by edgoCaseInsensitive). A
// character that finds nothing is dropped with a beep. Backspace shortens
// the text, Ctrl+Enter and Shift+Enter find the next and previous match,
// Delete clears the text; Esc or a focus move ends the search, except the
// move the search makes itself.
//
// Multi-selection: Shift with a row move or a click selects from the anchor
// row to the focused one; Ctrl+click toggles a row; a plain move or click
// starts again from the focused row. A node that goes is never the anchor.

#include "grid/db/DBTreeListControl.h"

class TqvIncrementalSearch {
public:
    explicit TqvIncrementalSearch(TCustomqvDBTreeListControl& grid) : grid_(grid) {}

    bool Active() const { return active_; }
    const AnsiString& Text() const { return text_; }
    // Looks for `text` from the focused row (the next one when `skipFocused`)
    // in the direction given; focuses the match and returns true.
    bool Find(const AnsiString& text, bool skipFocused, bool forward);
    // A printable character typed while no editor opened.
    void Type(char32_t character);
    // The search's keys; true when the key belonged to the search.
    bool HandleKey(Word& key, TShiftState shift);
    void End();

private:
    TCustomqvDBTreeListControl& grid_;
    AnsiString text_;
    bool active_ = false;
    bool moving_ = false;  // the search itself moves the focus
};

class TqvSelectionAnchor {
public:
    explicit TqvSelectionAnchor(TCustomqvDBTreeListControl& grid) : grid_(grid) {}

    // Selects the rows from `from` to `to`, and only those.
    void Extend(TqvTreeListNode* from, TqvTreeListNode* to);
    // The focus moved by a row key from `before`.
    void RowMoved(TqvTreeListNode* before, TShiftState shift);
    // A left click focused a row; `before` had the focus.
    void Clicked(TqvTreeListNode* before, TShiftState shift);
    void NodeGone(TqvTreeListNode* node)
    {
        if (node == anchor_) anchor_ = nullptr;
    }

private:
    bool lost() const;
    TCustomqvDBTreeListControl& grid_;
    TqvTreeListNode* anchor_ = nullptr;  // where a Shift selection starts
};
