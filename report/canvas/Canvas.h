#pragma once
// TrqCanvas: what views draw on. It wraps a QPainter that is already active on
// its device (a window, a QImage, a printer, a PDF writer or a QPicture) and
// tells the views what kind of device it is: printers take fonts in points at
// their own resolution and draw every view; a metafile records every view; a
// screen is repainted region by region, so views outside the region may be
// left out.
//
// Views draw in device pixels with no transformation of their own; the
// painter's transformation is expected to be the identity.

#include "report/canvas/Rect.h"
#include "runtime/AnsiString.h"

#include <QRegion>

#include <cstdint>
#include <functional>

class QPaintDevice;
class QPainter;

enum TrqCanvasKind : uint8_t { ckScreen = 0, ckPrinter = 1, ckMetafile = 2 };

class TrqCanvas {
public:
    explicit TrqCanvas(QPainter& painter, TrqCanvasKind kind = ckScreen);

    QPainter& Painter() const { return painter_; }
    TrqCanvasKind Kind() const { return kind_; }
    bool IsPrinter() const { return kind_ == ckPrinter; }
    bool IsMetafile() const { return kind_ == ckMetafile; }
    // Device pixels per inch (vertical).
    int PixelsPerInch() const { return ppi_; }

    // The region being drawn: the painter's clipping when it has one, else the
    // whole device, until set otherwise.
    const QRegion& ClipRegion() const { return clip_; }
    void SetClipRegion(const QRegion& region) { clip_ = region; }
    bool Meets(const TrqRect& box) const;

    // Called for every text line a memo draws, with the box the line takes on
    // the device (used to find text on a page, and by tests).
    std::function<void(const AnsiString& text, const TrqRect& box)> OnTextOut;

private:
    QPainter& painter_;
    TrqCanvasKind kind_;
    int ppi_;
    QRegion clip_;
};

// Runs f with the engine's scratch canvas: a 96-dpi image that views draw on
// to measure themselves (automatic widths).
void WithScratchCanvas(const std::function<void(TrqCanvas&)>& f);
// The scratch canvas's device, for font measurement without drawing.
QPaintDevice* ScratchDevice();
