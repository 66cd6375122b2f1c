#include "grid/treelist/Container.h"

#include "runtime/Application.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

TCustomqvContainer::TCustomqvContainer(TComponent* owner, QWidget* parent) : QWidget(parent), TComponent(owner)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TCustomqvContainer::~TCustomqvContainer() = default;

void TCustomqvContainer::SetName(const AnsiString& name)
{
    TComponent::SetName(name);
    setObjectName(AnsiToQString(name));
}

void TCustomqvContainer::paintEvent(QPaintEvent* event)
{
    Guard([&] {
        QPainter painter(this);
        Paint(painter, event->rect());
    });
}

void TCustomqvContainer::keyPressEvent(QKeyEvent* event)
{
    // Tab with Ctrl or Alt (plain Tab never gets here, see
    // focusNextPrevChild) is the window's too.
    if (!WantTabs() && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)) {
        event->ignore();
        return;
    }
    Guard([&] {
        KeyStroke stroke = TranslateKeyEvent(*event);
        Word key = stroke.key;
        if (key) KeyDown(key, stroke.shift);
        // The character comes as its own message, whatever the key-down did.
        char32_t character = stroke.character;
        if (character) KeyPress(character);
    });
    event->accept();
}

void TCustomqvContainer::keyReleaseEvent(QKeyEvent* event)
{
    Guard([&] {
        KeyStroke stroke = TranslateKeyEvent(*event);
        Word key = stroke.key;
        if (key) KeyUp(key, stroke.shift);
    });
    event->accept();
}

namespace {
TShiftState mouseShift(const QMouseEvent& event)
{
    return ShiftStateFromQt(event.modifiers(), event.buttons() | event.button());
}
}  // namespace

void TCustomqvContainer::mousePressEvent(QMouseEvent* event)
{
    Guard([&] {
        QPoint p = event->position().toPoint();
        MouseDown(event->button(), mouseShift(*event), p.x(), p.y());
    });
}

void TCustomqvContainer::mouseReleaseEvent(QMouseEvent* event)
{
    Guard([&] {
        QPoint p = event->position().toPoint();
        MouseUp(event->button(), mouseShift(*event), p.x(), p.y());
    });
}

void TCustomqvContainer::mouseMoveEvent(QMouseEvent* event)
{
    Guard([&] {
        QPoint p = event->position().toPoint();
        MouseMove(mouseShift(*event), p.x(), p.y());
    });
}

void TCustomqvContainer::mouseDoubleClickEvent(QMouseEvent* event)
{
    Guard([&] {
        QPoint p = event->position().toPoint();
        // The press that makes the double click also counts as a press.
        MouseDown(event->button(), mouseShift(*event) | ssDouble, p.x(), p.y());
        if (event->button() == Qt::LeftButton) DblClick(p.x(), p.y());
    });
}

void TCustomqvContainer::wheelEvent(QWheelEvent* event)
{
    Guard([&] {
        // One notch (120) scrolls the system's wheel line count.
        wheelRemainder_ += event->angleDelta().y();
        int notches = wheelRemainder_ / 120;
        wheelRemainder_ -= notches * 120;
        if (notches) MouseWheelScroll(notches * QApplication::wheelScrollLines());
        wheelRemainderX_ += event->angleDelta().x();
        int sideways = wheelRemainderX_ / 120;
        wheelRemainderX_ -= sideways * 120;
        if (sideways) MouseWheelScrollHorizontal(sideways * QApplication::wheelScrollLines());
    });
    event->accept();
}

void TCustomqvContainer::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    Guard([&] { DoEnter(); });
}

void TCustomqvContainer::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    Guard([&] { DoExit(); });
}

void TCustomqvContainer::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Guard([&] { Resize(); });
}

bool TCustomqvContainer::focusNextPrevChild(bool next)
{
    if (WantTabs()) return false;
    bool moved = false;
    Guard([&] {
        moved = FocusNextControl(next);
        if (!moved && isEnabled() && isVisible()) FocusStays();
    });
    // A container being disabled or hidden lets go of the focus (Qt asks
    // here too); a Tab leaves it where it is.
    return moved || (isEnabled() && isVisible());
}

bool TCustomqvContainer::FocusNextControl(bool forward)
{
    // Walk the window's focus chain from this control, skipping its own
    // children (the editors), to the next control that takes Tab focus.
    QWidget* w = this;
    for (int guard = 0; guard < 10000; ++guard) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == this) break;
        if (isAncestorOf(w) || w->window() != window()) continue;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window()) && w->isEnabled()) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}
