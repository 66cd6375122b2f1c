// How the kinds that show more than text paint a cell: with the class-level
// painting of their editors, so a cell looks the same with and without its
// editor. The text kinds do not come here (they keep the grid's text path).
#include "grid/columns/DBColumnKinds.h"
#include "grid/editors/EditorRegistry.h"

#include <QPainter>

#include <algorithm>

bool TqvDBTreeListCheckColumn::PaintContent(QPainter& canvas, const TqvCellPaint& cell) const
{
    bool null = false;
    TqvCheckBoxState state = TqvInplaceCheckEdit::StateOfText(cell.Text ? *cell.Text : AnsiString(), ValueChecked(),
                                                              ValueUnchecked(), ValueGrayed(), null);
    TqvInplaceCheckEdit::PaintCheckBox(canvas, cell.Content, BoxAlignment(), state, null, ShowNullFieldStyle(),
                                       !ReadOnly());
    return true;
}

bool TqvDBTreeListImageColumn::PaintContent(QPainter& canvas, const TqvCellPaint& cell) const
{
    int index = cell.Text ? TqvInplaceImageEdit::IndexOf(*cell.Text, Values()) : -1;
    AnsiString description =
        index >= 0 && static_cast<size_t>(index) < Descriptions().size() ? Descriptions()[index] : AnsiString();
    TqvInplaceImageEdit::PaintImageCell(canvas, cell.Content, TqvInplaceImageEdit::PictureOf(index, ImageIndexes(), Images()),
                                        description, ShowDescription(), cell.Alignment, cell.TextColor);
    return true;
}

bool TqvDBTreeListHyperLinkColumn::PaintContent(QPainter& canvas, const TqvCellPaint& cell) const
{
    if (!cell.Text || cell.Text->empty()) return true;
    QFont font = cell.Font;
    font.setUnderline(true);
    canvas.save();
    canvas.setFont(font);
    // A selected cell keeps the selection's text colour so it stays readable.
    canvas.setPen(cell.Selected ? cell.TextColor : ToQColor(EditFontColor()));
    int align = cell.Alignment == taRightJustify ? Qt::AlignRight : cell.Alignment == taCenter ? Qt::AlignHCenter : Qt::AlignLeft;
    QString text = canvas.fontMetrics().elidedText(AnsiToQString(*cell.Text), Qt::ElideRight, cell.Content.width());
    canvas.drawText(cell.Content, align | Qt::AlignVCenter, text);
    canvas.restore();
    return true;
}

bool TqvDBTreeListMemoColumn::PaintContent(QPainter& canvas, const TqvCellPaint& cell) const
{
    if (!cell.Text) return false;
    // One line of text fits in an ordinary row: a memo shows its first line
    // rather than its line ends as boxes.
    if (cell.Text->find_first_of("\r\n") == AnsiString::npos) return false;
    int align = cell.Alignment == taRightJustify ? Qt::AlignRight : cell.Alignment == taCenter ? Qt::AlignHCenter : Qt::AlignLeft;
    QString text = AnsiToQString(TqvInplaceMemoEdit::FirstLine(*cell.Text)) + QStringLiteral(" …");
    canvas.save();
    canvas.setFont(cell.Font);
    canvas.setPen(cell.TextColor);
    canvas.drawText(cell.Content, align | Qt::AlignVCenter, canvas.fontMetrics().elidedText(text, Qt::ElideRight, cell.Content.width()));
    canvas.restore();
    return true;
}

bool TqvDBTreeListBlobColumn::PaintContent(QPainter& canvas, const TqvCellPaint& cell) const
{
    bool filled = cell.Text && !cell.Text->empty();
    if (BlobPaintStyle() == bpsText) {
        if (!filled) return true;
        canvas.save();
        canvas.setFont(cell.Font);
        canvas.setPen(cell.TextColor);
        QString line = AnsiToQString(TqvInplaceMemoEdit::FirstLine(*cell.Text));
        canvas.drawText(cell.Content, Qt::AlignLeft | Qt::AlignVCenter,
                        canvas.fontMetrics().elidedText(line, Qt::ElideRight, cell.Content.width()));
        canvas.restore();
        return true;
    }
    TqvInplaceBlobEdit::PaintBlobIcon(canvas, cell.Content, filled);
    return true;
}

const QPixmap& TqvDBTreeListGraphicColumn::picture(const AnsiString& bytes) const
{
    for (size_t i = 0; i < pictures_.size(); ++i)
        if (pictures_[i].first == bytes) {
            if (i) std::rotate(pictures_.begin(), pictures_.begin() + static_cast<ptrdiff_t>(i), pictures_.begin() + static_cast<ptrdiff_t>(i) + 1);
            return pictures_.front().second;
        }
    QPixmap decoded;
    decoded.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<uint>(bytes.size()));
    // A screenful of rows: decoding again while scrolling would be slow.
    constexpr size_t kept = 64;
    if (pictures_.size() >= kept) pictures_.pop_back();
    pictures_.insert(pictures_.begin(), {bytes, std::move(decoded)});
    return pictures_.front().second;
}

bool TqvDBTreeListGraphicColumn::PaintContent(QPainter& canvas, const TqvCellPaint& cell) const
{
    if (!cell.Text || cell.Text->empty()) return true;
    TqvInplaceGraphicEdit::PaintGraphic(canvas, cell.Content, picture(*cell.Text), Center(), Stretch());
    return true;
}
