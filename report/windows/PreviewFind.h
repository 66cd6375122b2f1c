#pragma once
// Finding text in prepared pages: the text lines a page draws, in drawing
// order, each with the box it covers on the paper (report units), and the
// match of a search text within them. Positions count bytes of the ANSI code
// page, but a match only ever starts on a character: a search text never
// matches the trail byte of one double-byte character joined to the lead byte
// of the next.

#include "report/canvas/Rect.h"
#include "runtime/AnsiString.h"

#include <string_view>
#include <vector>

class TrqEMFPages;

struct TrqTextItem {
    AnsiString Text;
    TrqRect Box;  // report units from the paper's top-left corner
};

// Draws the page at scale 1 onto a recording canvas and returns its text
// lines. The page's views stay made (its InView is 1) for the preview to show.
std::vector<TrqTextItem> PageTextItems(TrqEMFPages& pages, int index);

// The byte position of `find` in `text` at a character boundary, or npos.
size_t FindAtCharBoundary(std::string_view text, std::string_view find);

// The first item at or after `from` whose text contains `find`, or -1. Without
// caseSensitive the item texts are compared upper-cased (ASCII letters only),
// and `find` is expected upper-cased already.
int FindTextItem(const std::vector<TrqTextItem>& items, const AnsiString& find, bool caseSensitive, int from);
