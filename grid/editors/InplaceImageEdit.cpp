#include "grid/editors/InplaceImageEdit.h"

#include "runtime/Application.h"
#include "runtime/Color.h"
#include "runtime/SysUtils.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QVBoxLayout>

TqvInplaceImageEdit::TqvInplaceImageEdit(TCustomqvContainer* container) : TqvInplaceDropDownEdit(container)
{
    SetImmediateDropDown(false);
    SetEditButtons({MakeEditButton(ebsGlyph, DropDownGlyph())});
}

int TqvInplaceImageEdit::IndexOf(const AnsiString& value, const std::vector<AnsiString>& values)
{
    for (size_t i = 0; i < values.size(); ++i)
        if (values[i] == value) return static_cast<int>(i);
    return -1;
}

int TqvInplaceImageEdit::ItemIndex() const { return IndexOf(Text(), values_); }

const QPixmap* TqvInplaceImageEdit::PictureOf(int index, const std::vector<AnsiString>& imageIndexes,
                                              const std::vector<QPixmap>& images)
{
    if (index < 0) return nullptr;
    int image = index;
    if (static_cast<size_t>(index) < imageIndexes.size() && !TryStrToInt(Trim(imageIndexes[index]), image)) return nullptr;
    if (image < 0 || static_cast<size_t>(image) >= images.size() || images[image].isNull()) return nullptr;
    return &images[static_cast<size_t>(image)];
}

AnsiString TqvInplaceImageEdit::descriptionOf(int index) const
{
    return index >= 0 && static_cast<size_t>(index) < descriptions_.size() ? descriptions_[index] : AnsiString();
}

void TqvInplaceImageEdit::ChooseItem(int index)
{
    if (index < 0 || static_cast<size_t>(index) >= values_.size() || !CanModify()) return;
    SetText(values_[index]);
    TextChangedByUser();
    update();
}

void TqvInplaceImageEdit::PaintImageCell(QPainter& canvas, const QRect& rect, const QPixmap* picture,
                                         const AnsiString& description, bool showDescription, TAlignment alignment,
                                         const QColor& textColor)
{
    QString text = showDescription ? AnsiToQString(description) : QString();
    int pw = picture ? picture->width() + (text.isEmpty() ? 0 : 3) : 0;
    int tw = text.isEmpty() ? 0 : canvas.fontMetrics().horizontalAdvance(text);
    int x = alignment == taRightJustify ? rect.right() + 1 - pw - tw
            : alignment == taCenter    ? rect.left() + (rect.width() - pw - tw) / 2
                                       : rect.left();
    x = std::max(x, rect.left());
    canvas.save();
    canvas.setClipRect(rect);
    if (picture) canvas.drawPixmap(x, rect.top() + (rect.height() - picture->height()) / 2, *picture);
    if (!text.isEmpty()) {
        canvas.setPen(textColor);
        canvas.drawText(QRect(x + pw, rect.top(), rect.right() - x - pw + 1, rect.height()),
                        Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    canvas.restore();
}

void TqvInplaceImageEdit::PaintView(QPainter& canvas, const TqvEditViewData& data) const
{
    QRect inner = PaintEditFrame(canvas, data);
    int index = IndexOf(data.Text, values_);
    canvas.setFont(data.Font.ToQFont());
    PaintImageCell(canvas, inner.adjusted(2, 0, -2, 0), PictureOf(index, imageIndexes_, images_), descriptionOf(index),
                   showDescription_, data.Alignment, ToQColor(data.TextColor));
}

void TqvInplaceImageEdit::UpdateShape()
{
    TqvInplaceDropDownEdit::UpdateShape();
    // The value is drawn, not typed: the line only holds it and the focus.
    LineEdit()->setGeometry(QRect(ContentRect().topLeft(), QSize(0, 0)));
}

void TqvInplaceImageEdit::paintEvent(QPaintEvent*) { PaintViewAndButtons(); }

void TqvInplaceImageEdit::PassClick(const QPoint&)
{
    if (!ReadOnly()) DropDown();
}

void TqvInplaceImageEdit::KeyPress(char32_t& character)
{
    QString typed = QString::fromUcs4(&character, 1).toUpper();
    character = 0;
    int n = static_cast<int>(values_.size());
    for (int step = 1; step <= n; ++step) {
        int i = (ItemIndex() + step + n) % n;
        if (AnsiToQString(descriptionOf(i)).toUpper().startsWith(typed)) {
            ChooseItem(i);
            return;
        }
    }
    EditorBeep();
}

void TqvInplaceImageEdit::FillPopup(QFrame* popup)
{
    list_ = new QListWidget(popup);
    static_cast<QVBoxLayout*>(popup->layout())->addWidget(list_);
    QObject::connect(list_, &QListWidget::itemClicked, popup, [this](QListWidgetItem*) {
        Guard([&] { CloseUp(true); });
    });
}

void TqvInplaceImageEdit::PopupOpening()
{
    list_->clear();
    for (size_t i = 0; i < values_.size(); ++i) {
        auto* item = new QListWidgetItem(AnsiToQString(descriptionOf(static_cast<int>(i))), list_);
        if (const QPixmap* picture = PictureOf(static_cast<int>(i), imageIndexes_, images_)) item->setIcon(*picture);
    }
    list_->setCurrentRow(ItemIndex());
    int rowHeight = std::max(1, list_->sizeHintForRow(0));
    list_->setFixedHeight(rowHeight * std::min<int>(DropDownRows(), std::max<size_t>(1, values_.size())) + 4);
    FitListWidth(list_, static_cast<int>(values_.size()));
}

void TqvInplaceImageEdit::AcceptPopup() { ChooseItem(list_ ? list_->currentRow() : -1); }
