#include "grid/editors/InplaceDropDownEdit.h"

#include "runtime/Application.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>

TqvInplaceDropDownEdit::TqvInplaceDropDownEdit(TCustomqvContainer* container) : TqvInplaceMaskEdit(container) {}

TqvInplaceDropDownEdit::~TqvInplaceDropDownEdit() = default;

QFrame* TqvInplaceDropDownEdit::Popup()
{
    if (!popup_) {
        popup_ = new QFrame(this, Qt::Popup);
        popup_->setFrameShape(QFrame::Box);
        popup_->installEventFilter(this);
        auto* layout = new QVBoxLayout(popup_);
        layout->setContentsMargins(1, 1, 1, 1);
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
    if (DroppedDown()) return;
    QFrame* popup = Popup();
    PopupOpening();
    if (OnDropDown) OnDropDown(this);
    QSize size = popup->sizeHint();
    if (dropDownWidth_ > 0) size.setWidth(dropDownWidth_);
    QRect editor(mapToGlobal(QPoint(0, 0)), this->size());
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1 << 20, 1 << 20);
    popup->setGeometry(PlacePopup(editor, size, available, popupAlignment_));
    SetKeepOpen(true);
    popup->show();
}

void TqvInplaceDropDownEdit::CloseUp(bool accept)
{
    if (!DroppedDown()) return;
    popup_->hide();
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
        if (watched == LineEdit() && isToggleKey(*key) && !ReadOnly()) {
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
