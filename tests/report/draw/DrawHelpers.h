#pragma once
// Draws one view on a fresh 96-dpi image in build mode and keeps what it drew:
// the pixels and every text line with its box.

#include "report/canvas/Canvas.h"
#include "report/draw/DrawState.h"
#include "report/model/MemoView.h"

#include <QImage>
#include <QPainter>

#include <vector>

struct DrawnText {
    AnsiString text;
    TrqRect box;
};

struct Drawn {
    QImage image;
    std::vector<DrawnText> texts;

    QRgb at(int x, int y) const { return image.pixel(x, y) & 0xFFFFFF; }
};

inline constexpr QRgb White = 0xFFFFFF, Black = 0x000000, Grey = 0x808080;

inline QImage blankImage(int width, int height, QRgb fill)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(fill);
    return image;
}

// Draws at the view's own scale and offsets (1 and 0 unless a test sets them);
// the image starts grey so that a missing fill shows.
inline Drawn drawView(TrqView& view, int width = 300, int height = 200, bool buildMode = true)
{
    Drawn d{blankImage(width, height, Grey), {}};
    rqDrawState().BuildMode = buildMode;
    {
        QPainter painter(&d.image);
        TrqCanvas canvas(painter);
        canvas.OnTextOut = [&](const AnsiString& text, const TrqRect& box) { d.texts.push_back({text, box}); };
        view.Draw(canvas);
    }
    rqDrawState().BuildMode = false;
    return d;
}

inline TrqMemoView& framed(TrqMemoView& memo, uint16_t sides = rqftLeft | rqftTop | rqftRight | rqftBottom)
{
    memo.FrameTyp = sides;
    return memo;
}
