#pragma once
// TrqGraphic: a picture decoded from its bytes, ready to draw. Rasters and
// icons become a QImage; metafiles become SVG drawn by Qt's SVG renderer, so
// they stay lines, shapes and text on every device (a PDF keeps them as
// vectors).
//
// Rules that are easy to break:
// - Bytes are decoded once: DecodeGraphic keeps the last graphics it made,
//   keyed by their bytes, because prepared pages make their views anew every
//   time a page is drawn (a logo on every page is decoded once, not per page).
// - A graphic that could not be decoded is still a graphic (IsValid false), so
//   that a failure is remembered too and its bytes are not tried again.
// - Safe to draw from more than one thread; one graphic draws on one painter at
//   a time.

#include "report/graphic/GraphicFormat.h"

#include <QImage>
#include <QSizeF>

#include <memory>
#include <mutex>
#include <string>

class QPainter;
class QRectF;
class QSvgRenderer;

class TrqGraphic {
public:
    // Decodes the bytes by what they are (SniffGraphic), uncached.
    explicit TrqGraphic(std::string_view bytes);
    ~TrqGraphic();
    TrqGraphic(const TrqGraphic&) = delete;
    TrqGraphic& operator=(const TrqGraphic&) = delete;

    TrqGraphicFormat Format() const { return format_; }
    bool IsValid() const { return valid_; }
    bool IsVector() const { return svg_ != nullptr; }
    // Its own size in pixels of 96 per inch.
    QSizeF Size() const { return size_; }
    // The decoded raster or icon (null for a metafile).
    const QImage& Image() const { return image_; }

    // Draws the graphic stretched into `target` (device pixels). With `opaque`
    // a raster with transparency is first laid on white (printers take plain
    // bitmaps). Nothing happens for a graphic that is not valid.
    void Draw(QPainter& painter, const QRectF& target, bool opaque) const;

private:
    TrqGraphicFormat format_ = TrqGraphicFormat::Unknown;
    bool valid_ = false;
    QSizeF size_;
    QImage image_;
    std::unique_ptr<QSvgRenderer> svg_;
    mutable std::mutex drawing_;
};

// The graphic of these bytes, from the cache of recently drawn graphics or
// decoded now; null for no bytes.
std::shared_ptr<const TrqGraphic> DecodeGraphic(const std::string& bytes);
// Only the header: true when the bytes are a raster or icon Qt can read, with
// a size (used to refuse damaged pictures in templates without decoding them).
bool IsReadableImage(std::string_view bytes);
