#include "report/export/SheetRows.h"

#include "report/export/PageMemos.h"
#include "report/model/MemoView.h"

#include <algorithm>

namespace {
TrqSheetRow placeRow(std::vector<const TrqPageMemo*>& memos, const TrqSheetColumns& columns)
{
    std::stable_sort(memos.begin(), memos.end(),
                     [](const TrqPageMemo* a, const TrqPageMemo* b) { return a->View->Left < b->View->Left; });
    TrqSheetRow row;
    const int count = std::max(columns.Count(), 1);
    for (const TrqPageMemo* memo : memos) {
        int first = columns.Nearest(memo->View->Left);
        if (!row.empty() && first <= row.back().First) first = row.back().First + 1;
        if (first >= count) {
            row.back().Joined.push_back(memo);
            continue;
        }
        const int64_t right = int64_t(memo->View->Left) + memo->View->Width;
        const int last = columns.LastBefore(static_cast<int32_t>(std::min<int64_t>(right, INT32_MAX)), first);
        if (!row.empty()) row.back().Last = std::min(row.back().Last, first - 1);
        row.push_back({memo, first, last, {}});
    }
    return row;
}
}  // namespace

std::vector<TrqSheetRow> PageRows(std::vector<const TrqPageMemo*> memos, const TrqSheetColumns& columns)
{
    std::stable_sort(memos.begin(), memos.end(),
                     [](const TrqPageMemo* a, const TrqPageMemo* b) { return a->View->Top < b->View->Top; });
    std::vector<TrqSheetRow> rows;
    std::vector<const TrqPageMemo*> row;
    int64_t rowTop = 0;
    for (const TrqPageMemo* memo : memos) {
        if (!row.empty() && memo->View->Top - rowTop > SheetTolerance) {
            rows.push_back(placeRow(row, columns));
            row.clear();
        }
        if (row.empty()) rowTop = memo->View->Top;
        row.push_back(memo);
    }
    if (!row.empty()) rows.push_back(placeRow(row, columns));
    return rows;
}
