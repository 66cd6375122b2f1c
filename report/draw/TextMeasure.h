#pragma once
// Widths of ANSI text in one font on one device, as the memo layout needs them
// by the thousand: the advance of each character is asked of Qt once and kept,
// so a width is a sum. Fonts are used without kerning, which makes the width
// of a line the sum of its characters' widths (plus the character spacing after
// every character) both when it is measured and when it is drawn.

#include "runtime/AnsiString.h"

#include <QFont>
#include <QFontMetricsF>

#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>

class QPaintDevice;
struct TrqMemoFont;

class TrqTextMeasure {
public:
    TrqTextMeasure(const QFont& font, int charSpacing, QPaintDevice* device);

    const QFont& Font() const { return font_; }
    int CharSpacing() const { return spacing_; }
    // Distance from the top of a text line to its baseline.
    double Ascent() const { return metrics_.ascent(); }

    // The advance of the character of `length` bytes at text[pos], spacing included.
    double Advance(std::string_view text, size_t pos, size_t length) const;
    // The width of a text, rounded to whole pixels.
    int Width(std::string_view text) const;
    double WidthF(std::string_view text) const;

private:
    QFont font_;
    QFontMetricsF metrics_;
    int spacing_;
    mutable std::array<float, 256> single_;
    mutable std::unordered_map<uint16_t, float> double_;
};

// The Qt font of a memo font with a character height in pixels (no kerning,
// character spacing in pixels).
QFont MemoQFont(const TrqMemoFont& font, int pixelHeight, int charSpacing);

// A measurer for the font from the engine's cache of them (shared: the cache
// may drop it while the caller still measures).
std::shared_ptr<const TrqTextMeasure> TextMeasure(const QFont& font, int charSpacing, QPaintDevice* device);
