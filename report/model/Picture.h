#pragma once
// The graphic of a picture view: a bitmap, an icon or a metafile, kept as the
// file image it was read from (or made from) so that it is written back byte
// for byte. Bitmaps and icons are decoded with Qt's image formats when they
// are drawn; a metafile has no reader on this platform and is only carried.

#include "runtime/AnsiString.h"
#include "runtime/Exceptions.h"

#include <cstdint>
#include <string>

class QImage;

DECLARE_EXCEPTION(EInvalidGraphic, Exception)

enum TrqGraphicKind : uint8_t { gkNone = 0, gkBitmap = 1, gkMetafile = 2, gkIcon = 3 };

class TrqPicture {
public:
    TrqGraphicKind Kind() const { return kind_; }
    bool IsEmpty() const { return kind_ == gkNone; }
    // The file image of the graphic (empty for none).
    const std::string& Data() const { return data_; }

    void Clear();
    // Takes the file image of a graphic of that kind. A bitmap or icon whose
    // header Qt cannot read raises EInvalidGraphic "Bitmap image is not valid"
    // (or "Icon image is not valid"); the picture then stays as it was.
    void Assign(TrqGraphicKind kind, std::string data);
    // Loads a picture file: .ico as an icon, .wmf and .emf as a metafile,
    // any other image Qt reads as a bitmap (stored as a BMP file image).
    // Raises EInvalidGraphic when the file is not a picture, EFOpenError when it
    // cannot be opened.
    void LoadFromFile(const std::string& fileName);
    // A bitmap made from a Qt image.
    void AssignImage(const QImage& image);
    // The decoded bitmap or icon; a null image for a metafile or none.
    QImage Image() const;

    bool operator==(const TrqPicture&) const = default;

private:
    TrqGraphicKind kind_ = gkNone;
    std::string data_;
};
