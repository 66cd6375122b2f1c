#include "report/draw/TextMeasure.h"

#include "report/model/MemoView.h"

#include <QPaintDevice>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <tuple>

namespace {
constexpr float Unknown = -1.0f;
// Qt cannot raster a font of any size, nor space its characters by any
// amount; a damaged file may ask for either.
constexpr int MaxPixelHeight = 4000;
constexpr int MaxSpacing = 1000;
// Widths are held where int arithmetic on them cannot overflow.
constexpr double MaxWidth = 1 << 28;
}  // namespace

TrqTextMeasure::TrqTextMeasure(const QFont& font, int charSpacing, QPaintDevice* device)
    : font_(font), metrics_(font, device), spacing_(std::clamp(charSpacing, -MaxSpacing, MaxSpacing))
{
    single_.fill(Unknown);
}

double TrqTextMeasure::Advance(std::string_view text, size_t pos, size_t length) const
{
    auto b = static_cast<unsigned char>(text[pos]);
    if (length == 1) {
        float& w = single_[b];
        if (w == Unknown) w = static_cast<float>(metrics_.horizontalAdvance(AnsiToQString(text.substr(pos, 1))));
        return w + spacing_;
    }
    uint16_t code = static_cast<uint16_t>(b << 8 | static_cast<unsigned char>(text[pos + 1]));
    auto it = double_.find(code);
    if (it == double_.end())
        it = double_
                 .emplace(code, static_cast<float>(metrics_.horizontalAdvance(AnsiToQString(text.substr(pos, 2)))))
                 .first;
    return it->second + spacing_;
}

double TrqTextMeasure::WidthF(std::string_view text) const
{
    double width = 0;
    for (size_t i = 0; i < text.size();) {
        size_t length = CharLengthAt(text, i);
        width += Advance(text, i, length);
        i += length;
    }
    return width;
}

int TrqTextMeasure::Width(std::string_view text) const
{
    return static_cast<int>(std::lround(std::clamp(WidthF(text), -MaxWidth, MaxWidth)));
}

QFont MemoQFont(const TrqMemoFont& font, int pixelHeight, int charSpacing)
{
    // Face names repeat on every memo; each is converted once.
    static std::map<AnsiString, QString> families;
    static std::string codePage;
    if (codePage != AnsiCodePage()) {
        families.clear();
        codePage = AnsiCodePage();
    }
    auto it = families.find(font.Name);
    if (it == families.end()) {
        if (families.size() > 256) families.clear();
        it = families.emplace(font.Name, AnsiToQString(font.Name)).first;
    }
    QFont q(it->second);
    q.setPixelSize(static_cast<int>(std::clamp<int64_t>(std::llabs(int64_t(pixelHeight)), 1, MaxPixelHeight)));
    q.setBold(font.Style & rqfsBold);
    q.setItalic(font.Style & rqfsItalic);
    q.setUnderline(font.Style & rqfsUnderline);
    q.setStrikeOut(font.Style & rqfsStrikeOut);
    q.setKerning(false);
    if (charSpacing != 0) q.setLetterSpacing(QFont::AbsoluteSpacing, std::clamp(charSpacing, -MaxSpacing, MaxSpacing));
    return q;
}

std::shared_ptr<const TrqTextMeasure> TextMeasure(const QFont& font, int charSpacing, QPaintDevice* device)
{
    using Key = std::tuple<QString, int, int, int, int>;
    // Kept until the process ends: fonts must not be freed after the application object.
    static auto& cache = *new std::map<Key, std::shared_ptr<const TrqTextMeasure>>;
    // Advances are kept by the bytes of a character, which mean other
    // characters in another code page.
    static std::string codePage;
    if (codePage != AnsiCodePage()) {
        cache.clear();
        codePage = AnsiCodePage();
    }
    int styles = (font.bold() ? 1 : 0) | (font.italic() ? 2 : 0) | (font.underline() ? 4 : 0) |
                 (font.strikeOut() ? 8 : 0);
    Key key{font.family(), font.pixelSize(), styles, charSpacing, device ? device->logicalDpiY() : 0};
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    // Zoomed previews make new sizes without end; the cache starts again when it is full.
    if (cache.size() >= 128) cache.clear();
    return cache.emplace(key, std::make_shared<TrqTextMeasure>(font, charSpacing, device)).first->second;
}
