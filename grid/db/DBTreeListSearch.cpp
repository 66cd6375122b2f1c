// The incremental search and the multi-selection anchor
// (DBTreeListSearch.h), and the grid's side of both.
#include "grid/db/DBTreeListSearch.h"

#include "grid/editors/InplaceEdit.h"

#include <QScopedValueRollback>

#include <algorithm>

namespace {
bool startsWith(const AnsiString& text, const AnsiString& prefix, bool caseInsensitive)
{
    if (text.size() < prefix.size()) return false;
    std::string_view head(text.data(), prefix.size());
    return caseInsensitive ? SameText(head, prefix) : head == prefix;
}

// Where the last character of a text starts (a double-byte one is dropped whole).
size_t lastCharStart(const AnsiString& text)
{
    size_t last = 0;
    for (size_t i = 0; i < text.size(); i += CharLengthAt(text, i)) last = i;
    return last;
}
}  // namespace

// ---- Incremental search

bool TqvIncrementalSearch::Find(const AnsiString& text, bool skipFocused, bool forward)
{
    int count = grid_.AbsoluteCount();
    TqvTreeListColumn* column = grid_.NavigationColumn(grid_.FocusedColumn());
    if (count == 0 || !column || text.empty()) return false;
    bool caseInsensitive = grid_.IsOption(tloCaseInsensitive);
    int start = std::max(0, grid_.FocusedAbsoluteIndex());
    for (int step = skipFocused ? 1 : 0; step < count + (skipFocused ? 1 : 0); ++step) {
        int index = ((start + (forward ? step : -step)) % count + count) % count;
        TqvTreeListNode* node = grid_.GetNodeAtAbsoluteIndex(index);
        if (!startsWith(grid_.GetCellText(node, column), text, caseInsensitive)) continue;
        QScopedValueRollback<bool> moving(moving_, true);
        if (node != grid_.FocusedNode()) grid_.FocusChange(node, grid_.FocusedColumn(), true);
        return grid_.FocusedNode() == node;
    }
    return false;
}

void TqvIncrementalSearch::Type(char32_t character)
{
    QString typed = QString::fromUcs4(&character, 1);
    AnsiString text = text_ + QStringToAnsi(typed);
    if (AnsiToQString(text.substr(text_.size())) == typed && Find(text, false, true)) {
        text_ = text;
        active_ = true;
    } else {
        EditorBeep();  // a character that finds nothing is not kept
    }
}

void TqvIncrementalSearch::End()
{
    if (moving_) return;
    active_ = false;
    text_.clear();
}

bool TqvIncrementalSearch::HandleKey(Word& key, TShiftState shift)
{
    if (!active_) return false;
    switch (key) {
    case VK_BACK:
        // Shorter text: the match is looked for again from the focused row.
        text_.resize(lastCharStart(text_));
        if (text_.empty())
            grid_.EndIncrementalSearch();
        else
            Find(text_, false, true);
        break;
    case VK_ESCAPE: grid_.EndIncrementalSearch(); break;
    case VK_DELETE:
        text_.clear();
        break;
    case VK_RETURN:
        if (!(shift & (ssShift | ssCtrl))) return false;
        if (!Find(text_, true, !(shift & ssShift))) EditorBeep();
        break;
    default: return false;
    }
    key = 0;
    return true;
}

// ---- Multi-selection

bool TqvSelectionAnchor::lost() const { return !anchor_ || grid_.GetAbsoluteIndex(anchor_) < 0; }

void TqvSelectionAnchor::Extend(TqvTreeListNode* from, TqvTreeListNode* to)
{
    int a = grid_.GetAbsoluteIndex(from), b = grid_.GetAbsoluteIndex(to);
    if (a < 0 || b < 0) return;
    if (a > b) std::swap(a, b);
    grid_.BeginSelection();
    grid_.ClearSelection();
    for (int i = a; i <= b; ++i) grid_.SelectNode(grid_.GetNodeAtAbsoluteIndex(i), true);
    grid_.EndSelection();
}

void TqvSelectionAnchor::RowMoved(TqvTreeListNode* before, TShiftState shift)
{
    if (shift & ssShift) {
        if (lost()) anchor_ = before;
        Extend(anchor_, grid_.FocusedNode());
    } else {
        anchor_ = grid_.FocusedNode();
        grid_.ClearSelection();
    }
}

void TqvSelectionAnchor::Clicked(TqvTreeListNode* before, TShiftState shift)
{
    TqvTreeListNode* node = grid_.FocusedNode();
    if (shift & ssShift) {
        if (lost()) anchor_ = before ? before : node;
        Extend(anchor_, node);
    } else if (shift & ssCtrl) {
        grid_.SelectNode(node, !grid_.IsNodeSelected(node));
        anchor_ = node;
    } else if (!(shift & ssDouble)) {
        grid_.ClearSelection();
        anchor_ = node;
    }
}

// ---- The grid's side

bool TCustomqvDBTreeListControl::IsSearching() const { return search_->Active(); }

const AnsiString& TCustomqvDBTreeListControl::SearchText() const { return search_->Text(); }

bool TCustomqvDBTreeListControl::SearchFor(const AnsiString& text, bool skipFocused, bool forward)
{
    return search_->Find(text, skipFocused, forward);
}

void TCustomqvDBTreeListControl::EndIncrementalSearch() { search_->End(); }

bool TCustomqvDBTreeListControl::HandleSearchKey(Word& key, TShiftState shift) { return search_->HandleKey(key, shift); }

void TCustomqvDBTreeListControl::ExtendSelection(TqvTreeListNode* from, TqvTreeListNode* to)
{
    selection_->Extend(from, to);
}
