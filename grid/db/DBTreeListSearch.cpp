// Incremental search over the focused column, and the multi-selection that
// Shift and Ctrl make with keys and clicks.
#include "grid/db/DBTreeListControl.h"
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

bool TCustomqvDBTreeListControl::SearchFor(const AnsiString& text, bool skipFocused, bool forward)
{
    int count = AbsoluteCount();
    TqvTreeListColumn* column = NavigationColumn(FocusedColumn());
    if (count == 0 || !column || text.empty()) return false;
    bool caseInsensitive = IsOption(tloCaseInsensitive);
    int start = std::max(0, FocusedAbsoluteIndex());
    for (int step = skipFocused ? 1 : 0; step < count + (skipFocused ? 1 : 0); ++step) {
        int index = ((start + (forward ? step : -step)) % count + count) % count;
        TqvTreeListNode* node = GetNodeAtAbsoluteIndex(index);
        if (!startsWith(GetCellText(node, column), text, caseInsensitive)) continue;
        QScopedValueRollback<bool> moving(searchMoving_, true);
        if (node != FocusedNode()) FocusChange(node, FocusedColumn(), true);
        return FocusedNode() == node;
    }
    return false;
}

void TCustomqvDBTreeListControl::EndIncrementalSearch()
{
    if (searchMoving_) return;
    searching_ = false;
    searchText_.clear();
}

bool TCustomqvDBTreeListControl::HandleSearchKey(Word& key, TShiftState shift)
{
    if (!searching_) return false;
    switch (key) {
    case VK_BACK:
        // Shorter text: the match is looked for again from the focused row.
        searchText_.resize(lastCharStart(searchText_));
        if (searchText_.empty())
            EndIncrementalSearch();
        else
            SearchFor(searchText_, false, true);
        break;
    case VK_ESCAPE: EndIncrementalSearch(); break;
    case VK_DELETE:
        searchText_.clear();
        break;
    case VK_RETURN:
        if (!(shift & (ssShift | ssCtrl))) return false;
        if (!SearchFor(searchText_, true, !(shift & ssShift))) EditorBeep();
        break;
    default: return false;
    }
    key = 0;
    return true;
}

void TCustomqvDBTreeListControl::ExtendSelection(TqvTreeListNode* from, TqvTreeListNode* to)
{
    int a = GetAbsoluteIndex(from), b = GetAbsoluteIndex(to);
    if (a < 0 || b < 0) return;
    if (a > b) std::swap(a, b);
    BeginSelection();
    ClearSelection();
    for (int i = a; i <= b; ++i) SelectNode(GetNodeAtAbsoluteIndex(i), true);
    EndSelection();
}
