#include "report/pages/PagePacking.h"

#include "report/pages/EMFPages.h"

#include <zstd.h>

#include <memory>

namespace {
// Page streams repeat the same view records with a few fields changed: one of
// the fast levels still packs them four to six times.
constexpr int Level = -5;
// No page of a report comes near this; a larger claim is damage.
constexpr unsigned long long MaxPageBytes = 1ull << 30;
}  // namespace

std::string PackBytes(std::string_view bytes)
{
    // One context for all pages: making one costs more than packing a page.
    static const std::unique_ptr<ZSTD_CCtx, size_t (*)(ZSTD_CCtx*)> context(ZSTD_createCCtx(), ZSTD_freeCCtx);
    std::string packed(ZSTD_compressBound(bytes.size()), '\0');
    size_t size = ZSTD_compressCCtx(context.get(), packed.data(), packed.size(), bytes.data(), bytes.size(), Level);
    if (ZSTD_isError(size)) throw EPreparedReportError(ZSTD_getErrorName(size));
    packed.resize(size);
    return packed;
}

std::string UnpackBytes(std::string_view packed)
{
    if (packed.empty()) return {};
    unsigned long long size = ZSTD_getFrameContentSize(packed.data(), packed.size());
    if (size == ZSTD_CONTENTSIZE_ERROR || size == ZSTD_CONTENTSIZE_UNKNOWN || size > MaxPageBytes)
        throw EPreparedReportError("Prepared page cannot be unpacked");
    std::string bytes(static_cast<size_t>(size), '\0');
    size_t got = ZSTD_decompress(bytes.data(), bytes.size(), packed.data(), packed.size());
    if (ZSTD_isError(got) || got != size) throw EPreparedReportError("Prepared page cannot be unpacked");
    return bytes;
}
