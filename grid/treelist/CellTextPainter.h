#pragma once
// Draws the single-line texts of cells, headers and footers. A page of a grid
// paints a few hundred texts; laying each out through Qt's text engine costs
// more than everything else in a paint. Texts made only of digits and the
// signs of numbers (the bulk of a grid of amounts) are drawn as glyph runs
// from per-font tables instead; every other text, and a number that does not
// fit its cell, takes Qt's ordinary path, which clips it to the cell.
//
// The result looks the same either way: number glyphs are not kerned.

#include <QFont>
#include <QHash>
#include <QRawFont>
#include <QRect>
#include <QString>

#include <array>

class QPainter;

class TqvCellTextPainter {
public:
    // Draws `text` in `cell` with Qt alignment `flags` (horizontal and
    // vertical), in the painter's font and pen.
    void Draw(QPainter& painter, const QRect& cell, int flags, const QString& text);

private:
    struct Glyphs {
        QRawFont raw;
        std::array<quint32, 128> index{};
        std::array<qreal, 128> advance{};
        std::array<bool, 128> usable{};
    };
    const Glyphs& glyphsOf(const QFont& font);

    QHash<QString, Glyphs> fonts_;  // by QFont::key()
    // The font of the last call and its tables: a paint draws many texts in
    // one font, and a font's key is not cheap to make.
    QFont lastFont_;
    const Glyphs* last_ = nullptr;
};
