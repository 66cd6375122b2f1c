#include "report/print/PageList.h"

#include "runtime/SysUtils.h"

#include <algorithm>

TrqPageList::TrqPageList(const AnsiString& text, int pageCount)
{
    AnsiString list;
    for (char c : text)
        if (c != ' ') list += c;
    if (list.empty()) return;
    all_ = false;
    pages_.assign(static_cast<size_t>(std::max(pageCount, 0)) + 1, false);
    if (list.back() == '-') list += std::to_string(pageCount);
    list += ',';
    AnsiString piece;
    bool range = false;
    int rangeStart = 0;
    for (char c : list) {
        if (c == ',') {
            const int number = StrToInt(piece);
            if (range) add(rangeStart, number);
            else add(number, number);
            piece.clear();
            range = false;
        } else if (c == '-') {
            rangeStart = StrToInt(piece);
            range = true;
            piece.clear();
        } else {
            piece += c;
        }
    }
}

void TrqPageList::add(int from, int to)
{
    const int last = static_cast<int>(pages_.size()) - 1;
    from = std::max(from, 1);
    to = std::min(to, last);
    for (int n = from; n <= to; ++n) pages_[static_cast<size_t>(n)] = true;
}

bool TrqPageList::Contains(int pageNumber) const
{
    if (all_) return true;
    return pageNumber >= 1 && pageNumber < static_cast<int>(pages_.size()) && pages_[static_cast<size_t>(pageNumber)];
}

std::vector<int> TrqPageList::Numbers(int pageCount) const
{
    std::vector<int> numbers;
    for (int n = 1; n <= pageCount; ++n)
        if (Contains(n)) numbers.push_back(n);
    return numbers;
}
