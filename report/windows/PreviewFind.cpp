#include "report/windows/PreviewFind.h"

#include "report/canvas/Canvas.h"
#include "report/pages/EMFPages.h"

#include <QPainter>
#include <QPicture>

std::vector<TrqTextItem> PageTextItems(TrqEMFPages& pages, int index)
{
    std::vector<TrqTextItem> items;
    TrqPreparedPage& page = pages[index];
    QPicture picture;
    QPainter painter(&picture);
    TrqCanvas canvas(painter, ckMetafile);
    canvas.OnTextOut = [&items](const AnsiString& text, const TrqRect& box) { items.push_back({text, box}); };
    page.InView = 1;
    pages.Draw(index, canvas, {0, 0, page.PrnInfo.PaperWidthUnits, page.PrnInfo.PaperHeightUnits});
    painter.end();
    return items;
}

size_t FindAtCharBoundary(std::string_view text, std::string_view find)
{
    if (find.empty()) return std::string_view::npos;
    for (size_t pos = 0; pos + find.size() <= text.size(); pos += CharLengthAt(text, pos))
        if (text.compare(pos, find.size(), find) == 0) return pos;
    return std::string_view::npos;
}

int FindTextItem(const std::vector<TrqTextItem>& items, const AnsiString& find, bool caseSensitive, int from)
{
    for (int i = std::max(from, 0); i < static_cast<int>(items.size()); ++i) {
        const AnsiString& text = items[static_cast<size_t>(i)].Text;
        if (FindAtCharBoundary(caseSensitive ? text : UpperCase(text), find) != std::string_view::npos) return i;
    }
    return -1;
}
