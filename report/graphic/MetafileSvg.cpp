#include "report/graphic/MetafileSvg.h"

#include <emf2svg.h>
extern "C" {
#include <libwmf/api.h>
#include <libwmf/svg.h>
}

#include <cstdlib>
#include <memory>
#include <string>

namespace {
// The placeable header of a Windows metafile: key, handle, frame (left, top,
// right, bottom in the metafile's units), units per inch, reserved, checksum.
constexpr uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr size_t PlaceableSize = 22;
// libwmf places what it plays in points, from the metafile's window origin.
constexpr double PointsPerInch = 72;

int16_t s16(std::string_view b, size_t at)
{
    return static_cast<int16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}
uint32_t u32(std::string_view b, size_t at)
{
    return static_cast<uint16_t>(s16(b, at)) | static_cast<uint32_t>(static_cast<uint16_t>(s16(b, at + 2))) << 16;
}

// The libraries size their buffers and tables by what the headers claim, so
// the record structure is checked first: every record lies inside the bytes,
// no record is larger than the header says records are, and the end record
// is there. (A header claiming records of gigabytes would otherwise be
// allocated before anything is read.)
constexpr uint16_t WmfEndFunction = 0x0000;
constexpr size_t WmfHeaderBytes = 18;
constexpr uint32_t EmfEndRecord = 14;
constexpr size_t EmfRecordHeaderBytes = 8;

bool wmfRecordsSound(std::string_view b)
{
    if (b.size() >= PlaceableSize && u32(b, 0) == PlaceableKey) b.remove_prefix(PlaceableSize);
    if (b.size() < WmfHeaderBytes || s16(b, 2) != 9) return false;
    const uint64_t largest = u32(b, 12);  // in words
    if (largest < 3 || largest * 2 > b.size()) return false;
    for (size_t at = WmfHeaderBytes; at + 6 <= b.size();) {
        const uint64_t words = u32(b, at);
        if (words < 3 || words > largest || words * 2 > b.size() - at) return false;
        if (static_cast<uint16_t>(s16(b, at + 4)) == WmfEndFunction) return true;
        at += static_cast<size_t>(words * 2);
    }
    return false;
}

bool emfRecordsSound(std::string_view b)
{
    if (b.size() < 88 || u32(b, 4) < 88) return false;
    // The description lies inside the header record.
    const uint64_t descriptionChars = u32(b, 60), descriptionAt = u32(b, 64);
    if (descriptionChars > 0 && (descriptionAt < 88 || descriptionAt + 2 * descriptionChars > u32(b, 4)))
        return false;
    for (size_t at = 0; at + EmfRecordHeaderBytes <= b.size();) {
        const uint32_t size = u32(b, at + 4);
        if (size < EmfRecordHeaderBytes || size % 4 != 0 || size > b.size() - at) return false;
        if (u32(b, at) == EmfEndRecord) return true;
        at += size;
    }
    return false;
}

// The frame of a placeable metafile in libwmf's units, taking the window's
// origin to be the frame's corner (as the programs that write them do).
std::optional<wmfD_Rect> placeableFrame(std::string_view b)
{
    if (b.size() < PlaceableSize) return std::nullopt;
    if (u32(b, 0) != PlaceableKey) return std::nullopt;
    const int width = s16(b, 10) - s16(b, 6), height = s16(b, 12) - s16(b, 8);
    const int inch = static_cast<uint16_t>(s16(b, 14));
    if (width <= 0 || height <= 0 || inch <= 0) return std::nullopt;
    wmfD_Rect frame;
    frame.TL.x = frame.TL.y = 0;
    frame.BR.x = static_cast<float>(width * PointsPerInch / inch);
    frame.BR.y = static_cast<float>(height * PointsPerInch / inch);
    return frame;
}

struct WmfApi {
    wmfAPI* api = nullptr;
    bool open = false;
    ~WmfApi()
    {
        if (!api) return;
        if (open) wmf_mem_close(api);
        wmf_api_destroy(api);
    }
};
}  // namespace

std::optional<QByteArray> EmfToSvg(std::string_view bytes)
{
    if (!emfRecordsSound(bytes)) return std::nullopt;
    std::string copy(bytes);
    generatorOptions options{};
    char noNamespace[] = "";
    options.nameSpace = noNamespace;
    options.svgDelimiter = true;
    char* out = nullptr;
    size_t length = 0;
    const int ok = emf2svg(copy.data(), copy.size(), &out, &length, &options);
    std::unique_ptr<char, decltype(&std::free)> owned(out, &std::free);
    if (!ok || !out || length == 0) return std::nullopt;
    return QByteArray(out, static_cast<qsizetype>(length));
}

std::optional<QByteArray> WmfToSvg(std::string_view bytes)
{
    if (!wmfRecordsSound(bytes)) return std::nullopt;
    std::string copy(bytes);
    WmfApi w;
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&w.api, flags, &options) != wmf_E_None || !w.api) return std::nullopt;
    if (wmf_mem_open(w.api, reinterpret_cast<unsigned char*>(copy.data()), static_cast<long>(copy.size())) !=
        wmf_E_None)
        return std::nullopt;
    w.open = true;
    wmfD_Rect bbox;
    if (wmf_scan(w.api, 0, &bbox) != wmf_E_None) return std::nullopt;
    if (auto frame = placeableFrame(bytes)) bbox = *frame;
    unsigned int width = 0, height = 0;
    if (wmf_display_size(w.api, &width, &height, 96, 96) != wmf_E_None || width == 0 || height == 0)
        return std::nullopt;
    wmf_svg_t* device = WMF_SVG_GetData(w.api);
    device->out = wmf_stream_create(w.api, nullptr);
    if (!device->out) return std::nullopt;
    device->bbox = bbox;
    device->width = width;
    device->height = height;
    // Bitmaps inside the metafile go into the SVG itself, never into files.
    device->flags |= WMF_SVG_INLINE_IMAGES;
    const wmf_error_t played = wmf_play(w.api, 0, &bbox);
    char* out = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(w.api, device->out, &out, &length);
    device->out = nullptr;
    std::optional<QByteArray> svg;
    if (played == wmf_E_None && out && length > 0) svg = QByteArray(out, static_cast<qsizetype>(length));
    if (out) wmf_free(w.api, out);
    return svg;
}
