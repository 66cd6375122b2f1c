#pragma once
// The graphic of a picture view: a bitmap, an icon or a metafile, kept as the
// bytes it was read from so that it is written back byte for byte. What the
// bytes are is told by their content, never by the kind a template or a blob
// type claims: a "bitmap" may be BMP, PNG, JPEG or GIF. The bytes are decoded
// when the picture is first drawn, and only once (report/graphic/Graphic.h).

#include "runtime/AnsiString.h"
#include "runtime/Exceptions.h"

#include <cstdint>
#include <memory>
#include <string>

class QImage;
class TrqGraphic;

DECLARE_EXCEPTION(EInvalidGraphic, Exception)

enum TrqGraphicKind : uint8_t { gkNone = 0, gkBitmap = 1, gkMetafile = 2, gkIcon = 3 };

class TrqPicture {
public:
    TrqGraphicKind Kind() const { return kind_; }
    bool IsEmpty() const { return kind_ == gkNone; }
    // The file image of the graphic (empty for none).
    const std::string& Data() const { return data_; }

    void Clear();
    // Takes the file image of a graphic of that kind, as templates and prepared
    // pages store it. A bitmap or icon whose bytes are no picture raises
    // EInvalidGraphic "Bitmap image is not valid" (or "Icon image is not
    // valid") and the picture stays as it was. A metafile is taken as it is: one
    // that cannot be decoded draws as a crossed box.
    void Assign(TrqGraphicKind kind, std::string data);
    // Takes a picture by what its bytes are (files, database fields): an icon,
    // a metafile, or a bitmap in any raster format that can be read. Bytes that
    // are none of these empty the picture and give false.
    bool AssignContent(std::string data);
    // Loads a picture file by its content, as AssignContent. Raises EFOpenError
    // when the file cannot be opened.
    bool LoadFromFile(const std::string& fileName);
    // A bitmap made from a Qt image (stored as BMP).
    void AssignImage(const QImage& image);
    // The decoded bitmap or icon; a null image for a metafile or none.
    QImage Image() const;
    // The decoded graphic (null for none), decoded on first use.
    std::shared_ptr<const TrqGraphic> Graphic() const;

    bool operator==(const TrqPicture& other) const { return kind_ == other.kind_ && data_ == other.data_; }

private:
    TrqGraphicKind kind_ = gkNone;
    std::string data_;
    mutable std::shared_ptr<const TrqGraphic> graphic_;
};
