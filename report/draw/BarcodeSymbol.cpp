#include "report/draw/BarcodeSymbol.h"

#include "report/model/BarcodeView.h"

#include <zint.h>

#include <QByteArray>

#include <algorithm>
#include <cstring>
#include <list>
#include <memory>
#include <new>

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

// What the content breaks before libzint sees it; empty when nothing.
AnsiString precheck(const Key& key)
{
    if (!zintSymbology(key.Symbology)) return "unknown symbology " + std::to_string(key.Symbology);
    if (key.Content.empty()) return "no content";
    if (key.Symbology == bcEAN13 && !(allDigits(key.Content) && (key.Content.size() == 12 || key.Content.size() == 13)))
        return "EAN-13 takes 12 digits, or 13 with the check digit";
    return {};
}

// Encodes the content with the key's settings into a symbol (cleared first);
// the reason when it cannot be encoded.
AnsiString encodeInto(zint_symbol& z, const Key& key, bool vector)
{
    ZBarcode_Clear(&z);
    z.symbology = zintSymbology(key.Symbology);
    z.scale = VectorScale;
    z.show_hrt = 0;  // the view draws the text in its own font
    z.warn_level = WARN_DEFAULT;
    z.output_options = 0;
    z.eci = 0;
    z.option_1 = -1;
    z.option_2 = z.option_3 = 0;
    z.height = 0;  // an output of the previous code; 0 gives each symbology its own
    z.whitespace_width = z.whitespace_height = 0;
    const QByteArray utf8 = AnsiToQString(key.Content).toUtf8();
    z.input_mode = key.Symbology == bcGS1_128 ? (GS1_MODE | GS1PARENS_MODE) : UNICODE_MODE;
    if (isMatrix(key.Symbology) && !ascii(utf8)) z.eci = 26;
    if (key.Symbology == bcQRCode) z.option_1 = key.ErrorLevel + 1;  // 1 L .. 4 H
    if (key.QuietZone < 0) {
        z.output_options |= BARCODE_QUIET_ZONES;
    } else {
        z.output_options |= BARCODE_NO_QUIET_ZONES;
        z.whitespace_width = std::min(key.QuietZone, 100);
        if (isMatrix(key.Symbology)) z.whitespace_height = z.whitespace_width;
    }
    const auto* data = reinterpret_cast<const unsigned char*>(utf8.constData());
    const int length = static_cast<int>(utf8.size());
    const int rc = vector ? ZBarcode_Encode_and_Buffer_Vector(&z, data, length, 0) : ZBarcode_Encode(&z, data, length);
    if (rc < ZINT_ERROR && (!vector || z.vector)) return {};
    AnsiString why = z.errtxt;
    // "Error 275: Invalid check digit" -> the reason without libzint's number.
    const size_t colon = why.find(": ");
    if (why.rfind("Error ", 0) == 0 && colon != AnsiString::npos) why.erase(0, colon + 2);
    return why.empty() ? AnsiString("cannot be encoded") : why;
}

// One symbol structure for the whole process: libzint's is large to set up.
zint_symbol& scratchSymbol()
{
    static std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> z(ZBarcode_Create(), ZBarcode_Delete);
    if (!z) throw std::bad_alloc();
    return *z;
}

std::shared_ptr<TrqBarcodeSymbol> encode(const Key& key)
{
    if (AnsiString why = precheck(key); !why.empty()) return failed(std::move(why));
    zint_symbol& z = scratchSymbol();
    if (AnsiString why = encodeInto(z, key, true); !why.empty()) return failed(std::move(why));
    auto symbol = std::make_shared<TrqBarcodeSymbol>();
    const double unit = 2.0 * VectorScale;
    symbol->Width = z.vector->width / unit;
    symbol->Height = z.vector->height / unit;
    symbol->Matrix = isMatrix(key.Symbology);
    for (const zint_vector_rect* r = z.vector->rectangles; r; r = r->next)
        symbol->Bars.emplace_back(r->x / unit, r->y / unit, r->width / unit, r->height / unit);
    if (key.Text && !symbol->Matrix) symbol->Text = QString::fromUtf8(reinterpret_cast<const char*>(z.text));
    return symbol;
}

Key keyOf(const TrqBarcodeView& view, const AnsiString& content)
{
    return Key{content, view.Symbology, view.ErrorLevel, view.QuietZone, view.Flag(flBarcodeShowText)};
}
}  // namespace

std::shared_ptr<const TrqBarcodeSymbol> EncodeBarcode(const TrqBarcodeView& view, const AnsiString& content)
{
    static std::list<std::pair<Key, std::shared_ptr<const TrqBarcodeSymbol>>> cache;
    Key key = keyOf(view, content);
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

AnsiString BarcodeProblem(const TrqBarcodeView& view, const AnsiString& content)
{
    const Key key = keyOf(view, content);
    if (AnsiString why = precheck(key); !why.empty()) return why;
    return encodeInto(scratchSymbol(), key, false);
}
