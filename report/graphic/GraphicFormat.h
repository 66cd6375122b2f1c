#pragma once
// What a picture's bytes are, told by their first bytes alone: a raster format
// Qt reads (BMP, PNG, JPEG, GIF), an icon, or a metafile (enhanced or Windows).
// Pictures from templates, files and database fields are read by what they
// are, never by what the template or the file name claims.

#include <cstdint>
#include <string_view>

enum class TrqGraphicFormat : uint8_t { Unknown, Bmp, Png, Jpeg, Gif, Ico, Emf, Wmf };

TrqGraphicFormat SniffGraphic(std::string_view bytes);

inline bool IsMetafileFormat(TrqGraphicFormat f) { return f == TrqGraphicFormat::Emf || f == TrqGraphicFormat::Wmf; }
// The Qt image format name of a raster or icon format; null for the others.
const char* QtImageFormat(TrqGraphicFormat f);
