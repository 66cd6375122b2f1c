#pragma once
// Prepared pages for tests: views made in code and appended to a page's stream
// in prepared form, as the band engine appends them while it builds.

#include "report/model/LineView.h"
#include "report/model/MemoView.h"
#include "report/model/PictureView.h"
#include "report/model/Report.h"
#include "report/pages/EMFPages.h"

#include <QColor>
#include <QImage>
#include <QPainter>

#include <initializer_list>
#include <memory>
#include <vector>

namespace fixtures {
inline std::unique_ptr<TrqMemoView> Memo(int left, int top, int width, int height,
                                         std::initializer_list<AnsiString> lines, int alignment = rqtaLeft)
{
    auto memo = std::make_unique<TrqMemoView>();
    memo->Name = "Memo" + std::to_string(memo->ObjectId);
    memo->Left = left;
    memo->Top = top;
    memo->Width = width;
    memo->Height = height;
    memo->Alignment = alignment;
    for (const AnsiString& line : lines) memo->MemoResult.Add(line);
    memo->Memo.Assign(memo->MemoResult);
    return memo;
}

inline std::unique_ptr<TrqLineView> Line(int left, int top, int width, int height)
{
    auto line = std::make_unique<TrqLineView>();
    line->Left = left;
    line->Top = top;
    line->Width = width;
    line->Height = height;
    return line;
}

// A picture of a red left half and a blue right half, w x h pixels.
inline QImage TwoColourImage(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter(&image).fillRect(0, 0, w / 2, h, Qt::red);
    return image;
}

inline std::unique_ptr<TrqPictureView> Picture(int left, int top, int width, int height, const QImage& image)
{
    auto picture = std::make_unique<TrqPictureView>();
    picture->Left = left;
    picture->Top = top;
    picture->Width = width;
    picture->Height = height;
    picture->Picture.AssignImage(image);
    return picture;
}

// Adds a prepared page on the report's first template page's paper and
// appends the views to it; returns the page's index.
inline int AddPage(TrqReport& report, const std::vector<TrqView*>& views)
{
    TrqEMFPages& pages = report.EMFPages();
    pages.Add(*report.Pages()[0]);
    int index = pages.Count() - 1;
    for (TrqView* view : views) pages.AppendView(index, *view);
    return index;
}

struct MemoBox {
    int left, top, width, height;
    const char* text;
};

// A prepared page of one-line memos.
inline int AddMemoPage(TrqReport& report, std::initializer_list<MemoBox> boxes)
{
    std::vector<std::unique_ptr<TrqView>> memos;
    std::vector<TrqView*> views;
    for (const MemoBox& m : boxes) {
        memos.push_back(Memo(m.left, m.top, m.width, m.height, {m.text}));
        views.push_back(memos.back().get());
    }
    return AddPage(report, views);
}
}  // namespace fixtures
