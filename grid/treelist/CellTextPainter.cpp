#include "grid/treelist/CellTextPainter.h"

#include <QGlyphRun>
#include <QPainter>

namespace {
// The characters of numbers as the grid formats them.
constexpr char kNumberChars[] = "0123456789 ,.-+()%:/";
}  // namespace

const TqvCellTextPainter::Glyphs& TqvCellTextPainter::glyphsOf(const QFont& font)
{
    if (last_ && font == lastFont_) return *last_;
    lastFont_ = font;
    QString key = font.key();
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return *(last_ = &*it);
    Glyphs g;
    g.raw = QRawFont::fromFont(font);
    if (g.raw.isValid())
        for (const char* c = kNumberChars; *c; ++c) {
            QChar ch = QLatin1Char(*c);
            quint32 index = 0;
            int count = 1;
            if (!g.raw.glyphIndexesForChars(&ch, 1, &index, &count) || count != 1 || (index == 0 && *c != ' '))
                continue;
            QPointF advance;
            g.raw.advancesForGlyphIndexes(&index, &advance, 1);
            auto u = static_cast<unsigned char>(*c);
            g.index[u] = index;
            g.advance[u] = advance.x();
            g.usable[u] = true;
        }
    // QHash keeps its values in place until it rehashes; the last font is
    // looked up again after every insert.
    last_ = &*fonts_.insert(key, g);
    return *last_;
}

void TqvCellTextPainter::Draw(QPainter& painter, const QRect& cell, int flags, const QString& text)
{
    if (text.isEmpty() || cell.isEmpty()) return;
    const Glyphs& g = glyphsOf(painter.font());
    bool simple = g.raw.isValid() && text.size() <= 64;
    qreal width = 0;
    for (QChar c : text) {
        if (!simple) break;
        ushort u = c.unicode();
        simple = u < 128 && g.usable[u];
        if (simple) width += g.advance[u];
    }
    if (!simple || width > cell.width()) {
        painter.drawText(cell, flags | Qt::TextSingleLine, text);
        return;
    }
    QVector<quint32> indexes(text.size());
    QVector<QPointF> positions(text.size());
    qreal x = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        ushort u = text[i].unicode();
        indexes[i] = g.index[u];
        positions[i] = QPointF(x, 0);
        x += g.advance[u];
    }
    QGlyphRun run;
    run.setRawFont(g.raw);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    qreal left = cell.left();
    if (flags & Qt::AlignRight)
        left = cell.left() + cell.width() - width;
    else if (flags & Qt::AlignHCenter)
        left = cell.left() + (cell.width() - width) / 2;
    qreal height = g.raw.ascent() + g.raw.descent();
    qreal top = cell.top();
    if (flags & Qt::AlignBottom)
        top = cell.top() + cell.height() - height;
    else if (flags & Qt::AlignVCenter)
        top = cell.top() + (cell.height() - height) / 2;
    painter.drawGlyphRun(QPointF(left, top + g.raw.ascent()), run);
}
