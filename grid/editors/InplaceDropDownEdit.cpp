#include "grid/editors/InplaceDropDownEdit.h"

#include "runtime/Application.h"
#include "runtime/Color.h"

#include <QFrame>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QScreen>
#include <QVBoxLayout>

TqvInplaceDropDownEdit::TqvInplaceDropDownEdit(TCustomqvContainer* container) : TqvInplaceMaskEdit(container) {}

TqvInplaceDropDownEdit::~TqvInplaceDropDownEdit() = default;

TqvInplacePopupControl* TqvInplaceDropDownEdit::Popup()
{
    if (!popup_) {
        popup_ = new TqvInplacePopupControl(this);
        popup_->installEventFilter(this);
        // Closed by a click outside: nothing is taken from the window.
        popup_->OnFocusLost = [this] {
            SetKeepOpen(false);
            if (OnCloseUp) OnCloseUp(this, false);
        };
        auto* layout = new QVBoxLayout(popup_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(2);
        FillPopup(popup_);
        // Keys in the window's own controls pass the editor's checks too.
        for (QWidget* child : popup_->findChildren<QWidget*>()) child->installEventFilter(this);
    }
    return popup_;
}

bool TqvInplaceDropDownEdit::DroppedDown() const { return popup_ && popup_->isVisible(); }

QRect TqvInplaceDropDownEdit::PlacePopup(const QRect& editor, QSize size, const QRect& screen, TqvPopupAlignment alignment)
{
    size.setWidth(std::max(size.width(), editor.width()));
    int x = editor.left();
    if (alignment == TqvPopupAlignment::Right) x = editor.right() + 1 - size.width();
    if (alignment == TqvPopupAlignment::Center) x = editor.left() + (editor.width() - size.width()) / 2;
    int y = editor.bottom() + 1;
    if (y + size.height() > screen.bottom() + 1 && editor.top() - size.height() >= screen.top())
        y = editor.top() - size.height();
    x = std::clamp(x, screen.left(), std::max(screen.left(), screen.right() + 1 - size.width()));
    y = std::clamp(y, screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()));
    return {QPoint(x, y), size};
}

void TqvInplaceDropDownEdit::DropDown()
{
    if (DroppedDown() || !HasPopup()) return;
    TqvInplacePopupControl* popup = Popup();
    popup->SetPopupBorder(popupBorder_);
    popup->SetShadow(Style().Values().Shadow);
    PopupOpening();
    if (OnDropDown) OnDropDown(this);
    QSize size = popup->sizeHint();
    if (dropDownWidth_ > 0) size.setWidth(dropDownWidth_);
    QRect editor(mapToGlobal(QPoint(0, 0)), this->size());
    if (popup->Shadow()) editor.setWidth(editor.width() + EditShadowSize);
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1 << 20, 1 << 20);
    popup->setGeometry(PlacePopup(editor, size, available, popupAlignment_));
    SetKeepOpen(true);
    popup->show();
}

void TqvInplaceDropDownEdit::CloseUp(bool accept)
{
    if (!DroppedDown()) return;
    popup_->ClosePopup();
    SetKeepOpen(false);
    if (accept) AcceptPopup();
    if (OnCloseUp) OnCloseUp(this, accept);
    if (FocusWidget()) FocusWidget()->setFocus();
}

bool TqvInplaceDropDownEdit::isToggleKey(const QKeyEvent& event) const
{
    bool alt = event.modifiers() & Qt::AltModifier;
    return (event.key() == Qt::Key_F4 && !alt) || (alt && (event.key() == Qt::Key_Down || event.key() == Qt::Key_Up));
}

bool TqvInplaceDropDownEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == LineEdit() && isToggleKey(*key) && !ReadOnly() && HasPopup()) {
            Guard([&] { DroppedDown() ? CloseUp(true) : DropDown(); });
            return true;
        }
        if (popup_ && (watched == popup_ || popup_->isAncestorOf(qobject_cast<QWidget*>(watched)))) {
            bool handled = true;
            Guard([&] {
                if (isToggleKey(*key) || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                    CloseUp(true);
                else if (key->key() == Qt::Key_Escape)
                    CloseUp(false);
                else
                    handled = PopupKey(key);
            });
            if (handled) return true;
        }
    }
    if (watched == popup_ && event->type() == QEvent::Hide) SetKeepOpen(false);
    return TqvInplaceMaskEdit::eventFilter(watched, event);
}

// The wheel belongs to the editor, not to the grid under it.
void TqvInplaceDropDownEdit::wheelEvent(QWheelEvent* event) { event->accept(); }

// ---- Buttons

void TqvInplaceDropDownEdit::SetEditButtons(std::vector<TqvEditButton> buttons)
{
    buttons_ = std::move(buttons);
    pressed_ = -1;
    UpdateShape();
    update();
}

QPixmap TqvInplaceDropDownEdit::DropDownGlyph()
{
    QPixmap glyph(7, 4);
    glyph.fill(Qt::transparent);
    QPainter p(&glyph);
    p.setPen(Qt::NoPen);
    p.setBrush(ToQColor(clBtnText));
    p.drawPolygon(QPolygon({QPoint(0, 0), QPoint(7, 0), QPoint(3, 4)}));
    return glyph;
}

void TqvInplaceDropDownEdit::UpdateShape()
{
    TqvInplaceMaskEdit::UpdateShape();
    if (buttons_.empty()) {
        buttonRects_.clear();
        return;
    }
    QRect content = ContentRect();
    QRect text;
    if (ButtonsFillEditor()) {
        buttonRects_.assign(buttons_.size(), QRect());
        for (size_t i = 0; i < buttons_.size(); ++i)
            if (buttons_[i].Visible) {
                buttonRects_[i] = content;
                break;
            }
        // Out of sight but still there to hold the keyboard focus.
        LineEdit()->setGeometry(QRect(content.topLeft(), QSize(0, 0)));
        return;
    }
    buttonRects_ = LayoutEditButtons(buttons_, content, text);
    QRect edit = LineEdit()->geometry();
    LineEdit()->setGeometry(edit.intersected(text.adjusted(1, 0, -1, 0)));
}

void TqvInplaceDropDownEdit::paintEvent(QPaintEvent* event)
{
    TqvInplaceMaskEdit::paintEvent(event);
    if (buttons_.empty()) return;
    Guard([&] {
        QPainter canvas(this);
        std::unique_ptr<TqvEditViewData> data = CreateViewData();
        FillViewData(*data);
        PaintEditButtons(canvas, buttons_, buttonRects_, data->ButtonStyle, pressed_);
    });
}

void TqvInplaceDropDownEdit::PaintViewAndButtons()
{
    Guard([&] {
        QPainter canvas(this);
        std::unique_ptr<TqvEditViewData> data = CreateViewData();
        FillViewData(*data);
        PaintView(canvas, *data);
        PaintEditButtons(canvas, buttons_, buttonRects_, data->ButtonStyle, pressed_);
    });
}

void TqvInplaceDropDownEdit::PressButton(int index)
{
    if (index < 0 || index >= static_cast<int>(buttons_.size()) || !buttons_[index].Visible) return;
    ButtonClick(index);
}

void TqvInplaceDropDownEdit::ButtonClick(int)
{
    if (ReadOnly()) return;
    DroppedDown() ? CloseUp(true) : DropDown();
}

void TqvInplaceDropDownEdit::mousePressEvent(QMouseEvent* event)
{
    int hit = event->button() == Qt::LeftButton ? EditButtonAt(buttonRects_, event->position().toPoint()) : -1;
    if (hit < 0) {
        TqvInplaceMaskEdit::mousePressEvent(event);
        return;
    }
    pressed_ = hit;
    update();
    if (!FocusWidget()->hasFocus()) FocusWidget()->setFocus(Qt::MouseFocusReason);
    Guard([&] { PressButton(hit); });
}

void TqvInplaceDropDownEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (pressed_ >= 0) {
        pressed_ = -1;
        update();
    }
    TqvInplaceMaskEdit::mouseReleaseEvent(event);
}

void TqvInplaceDropDownEdit::FitListWidth(QListWidget* list, int count) const
{
    int width = list->sizeHintForColumn(0) + 2 * list->frameWidth() + 4;
    if (count > dropDownRows_) width += list->verticalScrollBar()->sizeHint().width();
    list->setFixedWidth(std::max(width, 24));
}
