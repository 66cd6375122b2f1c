#pragma once
// The memos of a prepared page as export sees them: each memo read from the
// page's stream, with what it printed (its band, a repeated header, its one
// value) when the page keeps that, and its text as one piece.
//
// Rules that are easy to break:
// - Lines, pictures and add-ins are no cells: only memos are listed.
// - A memo without text (an empty box drawn for its frame) is left out.
// - The text is the memo's lines joined by "\n", without the mark a memo
//   split between pages carries (ParagraphMark) and without trailing empty
//   lines; it stays in the code page.

#include "report/model/Page.h"
#include "report/pages/PrintedMemos.h"

#include <vector>

class TrqEMFPages;
class TrqMemoView;

struct TrqPageMemo {
    TrqMemoView* View = nullptr;
    const TrqPrintedMemo* Printed = nullptr;  // null when the page keeps no record of it
    AnsiString Text;
};

// One page's memos in stream order. Holds the views it reads.
class TrqPageMemos {
public:
    // Raises the page's read error for a damaged stream or damaged records.
    TrqPageMemos(TrqEMFPages& pages, int index);
    const std::vector<TrqPageMemo>& Memos() const { return memos_; }

private:
    TrqPage page_;
    std::vector<TrqPrintedMemo> printed_;
    std::vector<TrqPageMemo> memos_;
};
