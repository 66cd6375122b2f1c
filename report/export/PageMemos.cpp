#include "report/export/PageMemos.h"

#include "report/draw/MemoLayout.h"
#include "report/model/MemoView.h"
#include "report/pages/EMFPages.h"

namespace {
AnsiString memoText(const TStringList& lines)
{
    AnsiString text;
    for (int i = 0; i < lines.Count(); ++i) {
        if (i > 0) text += '\n';
        for (char c : lines[i])
            if (c != ParagraphMark) text += c;
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}
}  // namespace

TrqPageMemos::TrqPageMemos(TrqEMFPages& pages, int index) : page_(pages.Report())
{
    TMemoryStream scratch;
    ReadPreparedViews(pages.ReadStream(index, scratch), page_, false);
    std::string bytes;
    printed_ = ReadPrintedMemos(pages.PrintedBytes(index, bytes));
    auto next = printed_.begin();
    for (int i = 0; i < page_.Count(); ++i) {
        TrqView* view = page_.Objects(i);
        while (next != printed_.end() && next->View < i) ++next;
        if (view->ObjectKind != okMemo) continue;
        AnsiString text = memoText(view->Memo);  // prepared views hold their printed text there
        if (text.empty()) continue;
        const TrqPrintedMemo* printed = next != printed_.end() && next->View == i ? &*next : nullptr;
        memos_.push_back({static_cast<TrqMemoView*>(view), printed, std::move(text)});
    }
}
