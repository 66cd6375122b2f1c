#include "report/graphic/GraphicFormat.h"

namespace {
uint16_t u16(std::string_view b, size_t at)
{
    return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}
uint32_t u32(std::string_view b, size_t at) { return u16(b, at) | static_cast<uint32_t>(u16(b, at + 2)) << 16; }

bool startsWith(std::string_view b, std::string_view prefix) { return b.substr(0, prefix.size()) == prefix; }

constexpr uint32_t EmfHeaderRecord = 1;
constexpr uint32_t EmfSignature = 0x464D4520;  // " EMF"
constexpr uint32_t PlaceableKey = 0x9AC6CDD7;
}  // namespace

TrqGraphicFormat SniffGraphic(std::string_view b)
{
    using F = TrqGraphicFormat;
    if (startsWith(b, "BM") && b.size() >= 26) return F::Bmp;
    if (startsWith(b, "\x89PNG\r\n\x1a\n")) return F::Png;
    if (startsWith(b, "\xFF\xD8\xFF")) return F::Jpeg;
    if (startsWith(b, "GIF87a") || startsWith(b, "GIF89a")) return F::Gif;
    // An icon directory: reserved 0, type 1, at least one image.
    if (b.size() >= 22 && u16(b, 0) == 0 && u16(b, 2) == 1 && u16(b, 4) > 0) return F::Ico;
    if (b.size() >= 88 && u32(b, 0) == EmfHeaderRecord && u32(b, 40) == EmfSignature) return F::Emf;
    if (b.size() >= 22 + 18 && u32(b, 0) == PlaceableKey) return F::Wmf;
    // A Windows metafile without the placeable header: memory or disk type,
    // a header of nine words, version 1 or 3.
    if (b.size() >= 18 && (u16(b, 0) == 1 || u16(b, 0) == 2) && u16(b, 2) == 9 &&
        (u16(b, 4) == 0x100 || u16(b, 4) == 0x300))
        return F::Wmf;
    return F::Unknown;
}

const char* QtImageFormat(TrqGraphicFormat f)
{
    switch (f) {
    case TrqGraphicFormat::Bmp: return "bmp";
    case TrqGraphicFormat::Png: return "png";
    case TrqGraphicFormat::Jpeg: return "jpeg";
    case TrqGraphicFormat::Gif: return "gif";
    case TrqGraphicFormat::Ico: return "ico";
    default: return nullptr;
    }
}
