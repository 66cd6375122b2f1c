#include "report/draw/BarcodeSymbol.h"

#include "report/model/BarcodeView.h"

#include <zint.h>

#include <QByteArray>

#include <algorithm>
#include <cstring>
#include <list>
#include <memory>
#include <tuple>

namespace {
// libzint's vector output draws a module two units wide at scale 1.
constexpr float VectorScale = 0.5f;
constexpr size_t CacheSize = 64;

struct Key {
    AnsiString Content;
    uint8_t Symbology, ErrorLevel;
    int32_t QuietZone;
    bool Text;
    bool operator==(const Key&) const = default;
};

int zintSymbology(uint8_t s)
{
    switch (s) {
    case bcQRCode: return BARCODE_QRCODE;
    case bcCode128: return BARCODE_CODE128;
    case bcEAN13: return BARCODE_EANX;
    case bcCode39: return BARCODE_CODE39;
    case bcDataMatrix: return BARCODE_DATAMATRIX;
    case bcPDF417: return BARCODE_PDF417;
    case bcGS1_128: return BARCODE_GS1_128;
    default: return 0;
    }
}

bool isMatrix(uint8_t s) { return s == bcQRCode || s == bcDataMatrix || s == bcPDF417; }

bool allDigits(const AnsiString& s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool ascii(const QByteArray& s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::shared_ptr<TrqBarcodeSymbol> failed(AnsiString why)
{
    auto symbol = std::make_shared<TrqBarcodeSymbol>();
    symbol->Error = std::move(why);
    return symbol;
}

std::shared_ptr<TrqBarcodeSymbol> encode(const Key& key)
{
    const int symbology = zintSymbology(key.Symbology);
    if (!symbology) return failed("unknown symbology " + std::to_string(key.Symbology));
    if (key.Content.empty()) return failed("no content");
    if (key.Symbology == bcEAN13 && !(allDigits(key.Content) && (key.Content.size() == 12 || key.Content.size() == 13)))
        return failed("EAN-13 takes 12 digits, or 13 with the check digit");

    std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> z(ZBarcode_Create(), ZBarcode_Delete);
    if (!z) return failed("out of memory");
    z->symbology = symbology;
    z->scale = VectorScale;
    z->show_hrt = 0;  // the view draws the text in its own font
    z->warn_level = WARN_DEFAULT;
    const QByteArray utf8 = AnsiToQString(key.Content).toUtf8();
    if (key.Symbology == bcGS1_128) z->input_mode = GS1_MODE | GS1PARENS_MODE;
    else z->input_mode = UNICODE_MODE;
    if (isMatrix(key.Symbology) && !ascii(utf8)) z->eci = 26;
    if (key.Symbology == bcQRCode) z->option_1 = key.ErrorLevel + 1;  // 1 L .. 4 H
    if (key.QuietZone < 0) {
        z->output_options |= BARCODE_QUIET_ZONES;
    } else {
        z->output_options |= BARCODE_NO_QUIET_ZONES;
        z->whitespace_width = std::min(key.QuietZone, 100);
        if (isMatrix(key.Symbology)) z->whitespace_height = z->whitespace_width;
    }
    const int rc = ZBarcode_Encode_and_Buffer_Vector(z.get(), reinterpret_cast<const unsigned char*>(utf8.constData()),
                                                     static_cast<int>(utf8.size()), 0);
    if (rc >= ZINT_ERROR || !z->vector) {
        AnsiString why = z->errtxt;
        // "Error 275: Invalid check digit" -> the reason without libzint's number.
        const size_t colon = why.find(": ");
        if (why.rfind("Error ", 0) == 0 && colon != AnsiString::npos) why.erase(0, colon + 2);
        return failed(why.empty() ? AnsiString("cannot be encoded") : why);
    }
    auto symbol = std::make_shared<TrqBarcodeSymbol>();
    const double unit = 2.0 * VectorScale;
    symbol->Width = z->vector->width / unit;
    symbol->Height = z->vector->height / unit;
    symbol->Matrix = isMatrix(key.Symbology);
    for (const zint_vector_rect* r = z->vector->rectangles; r; r = r->next)
        symbol->Bars.emplace_back(r->x / unit, r->y / unit, r->width / unit, r->height / unit);
    if (key.Text && !symbol->Matrix)
        symbol->Text = QString::fromUtf8(reinterpret_cast<const char*>(z->text));
    return symbol;
}
}  // namespace

std::shared_ptr<const TrqBarcodeSymbol> EncodeBarcode(const TrqBarcodeView& view, const AnsiString& content)
{
    static std::list<std::pair<Key, std::shared_ptr<const TrqBarcodeSymbol>>> cache;
    Key key{content, view.Symbology, view.ErrorLevel, view.QuietZone, view.Flag(flBarcodeShowText)};
    for (auto it = cache.begin(); it != cache.end(); ++it)
        if (it->first == key) {
            cache.splice(cache.begin(), cache, it);
            return cache.front().second;
        }
    std::shared_ptr<const TrqBarcodeSymbol> symbol = encode(key);
    cache.emplace_front(std::move(key), symbol);
    if (cache.size() > CacheSize) cache.pop_back();
    return symbol;
}
