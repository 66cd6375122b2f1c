#include "grid/editors/InplaceBlobEdit.h"

#include "runtime/Application.h"
#include "runtime/Color.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSizeGrip>
#include <QVBoxLayout>

TqvInplaceBlobEdit::TqvInplaceBlobEdit(TCustomqvContainer* container) : TqvInplaceDropDownEdit(container)
{
    SetImmediateDropDown(false);
    SetEditButtons({MakeEditButton(ebsGlyph, DropDownGlyph())});
}

void TqvInplaceBlobEdit::UpdateShape()
{
    TqvInplaceDropDownEdit::UpdateShape();
    // The value is shown as an icon or a line, and edited in the popup.
    LineEdit()->setGeometry(QRect(ContentRect().topLeft(), QSize(0, 0)));
}

void TqvInplaceBlobEdit::PaintBlobIcon(QPainter& canvas, const QRect& rect, bool filled)
{
    QRect page(0, 0, 10, 12);
    page.moveCenter(rect.center());
    canvas.save();
    canvas.setPen(ToQColor(clBtnShadow));
    canvas.setBrush(ToQColor(clWindow));
    canvas.drawRect(page.adjusted(0, 0, -1, -1));
    if (filled) {
        canvas.setPen(ToQColor(clWindowText));
        for (int y = page.top() + 3; y < page.bottom() - 1; y += 2) canvas.drawLine(page.left() + 2, y, page.right() - 3, y);
    }
    canvas.restore();
}

void TqvInplaceBlobEdit::PaintView(QPainter& canvas, const TqvEditViewData& data) const
{
    QRect inner = PaintEditFrame(canvas, data);
    QRect text;
    LayoutEditButtons(EditButtons(), inner, text);
    if (paintStyle_ == bpsText) {
        canvas.setFont(data.Font.ToQFont());
        canvas.setPen(ToQColor(data.TextColor));
        canvas.drawText(text.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                        AnsiToQString(TqvInplaceMemoEdit::FirstLine(data.Text)));
    } else {
        PaintBlobIcon(canvas, text, !data.Text.empty());
    }
}

void TqvInplaceBlobEdit::paintEvent(QPaintEvent*) { PaintViewAndButtons(); }

void TqvInplaceBlobEdit::DoActivate()
{
    TqvInplaceDropDownEdit::DoActivate();
    if (immediatePopup_ && !ReadOnly()) DropDown();
}

void TqvInplaceBlobEdit::PassClick(const QPoint&)
{
    if (!ReadOnly()) DropDown();
}

void TqvInplaceBlobEdit::FillPopup(QFrame* popup)
{
    memo_ = new QPlainTextEdit(popup);
    memo_->setFrameShape(QFrame::NoFrame);
    auto* layout = static_cast<QVBoxLayout*>(popup->layout());
    layout->addWidget(memo_);
    auto* grip = new QSizeGrip(popup);
    grip->setObjectName("sizeGrip");
    layout->addWidget(grip, 0, Qt::AlignBottom | Qt::AlignRight);
}

void TqvInplaceBlobEdit::PopupOpening()
{
    QString text = AnsiToQString(Text());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    memo_->setPlainText(text);
    memo_->setReadOnly(ReadOnly());
    memo_->setLineWrapMode(wordWrap_ ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    bool h = scrollBars_ == sbsHorizontal || scrollBars_ == sbsBoth, v = scrollBars_ == sbsVertical || scrollBars_ == sbsBoth;
    memo_->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    memo_->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    Popup()->findChild<QSizeGrip*>("sizeGrip")->setVisible(sizeable_);
    QSize size = Popup()->SizeFor({popupWidth_, popupHeight_});
    Popup()->setMinimumSize(sizeable_ ? QSize(60, 40) : size);
    Popup()->setMaximumSize(sizeable_ ? QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX) : size);
    SetDropDownWidth(size.width());
    memo_->setFixedHeight(std::max(20, popupHeight_ - (sizeable_ ? 16 : 0)));
    memo_->setMinimumHeight(20);
    memo_->setMaximumHeight(QWIDGETSIZE_MAX);
    memo_->setFocus();
}

void TqvInplaceBlobEdit::AcceptPopup()
{
    if (!memo_ || memo_->isReadOnly() || !CanModify()) return;
    QString text = memo_->toPlainText();
    AnsiString old = Text();
    if (old.find("\r\n") != AnsiString::npos) text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    AnsiString value = QStringToAnsi(text);
    if (memoMaxLength_ > 0 && static_cast<int>(value.size()) > memoMaxLength_) {
        // Cut on a character boundary, never inside a double-byte character.
        QString cut = text;
        while (!cut.isEmpty() && static_cast<int>(QStringToAnsi(cut).size()) > memoMaxLength_) cut.chop(1);
        value = QStringToAnsi(cut);
    }
    if (value == old) return;
    SetText(value);
    TextChangedByUser();
    update();
}

bool TqvInplaceBlobEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (memo_ && watched == memo_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        // A new line in the memo; Ctrl+Enter accepts.
        if (enter && wantReturns_ && !(key->modifiers() & Qt::ControlModifier)) return false;
        if (enter && (key->modifiers() & Qt::ControlModifier)) {
            Guard([&] { CloseUp(true); });
            return true;
        }
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Up || key->key() == Qt::Key_Down ||
            key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown)
            return false;
        if (key->key() != Qt::Key_Escape && !key->text().isEmpty() && !(key->modifiers() & Qt::AltModifier)) {
            bool allowed = false;
            Guard([&] { allowed = CanModify(); });
            if (!allowed) return true;
            return false;  // the memo types it
        }
    }
    return TqvInplaceDropDownEdit::eventFilter(watched, event);
}
