#include "grid/editors/InplaceSpinEdit.h"

#include "runtime/Application.h"
#include "runtime/SysUtils.h"

#include "grid/editors/EditButtons.h"
#include "runtime/Color.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QTimer>

#include <algorithm>

TqvInplaceSpinEdit::TqvInplaceSpinEdit(TCustomqvContainer* container) : TqvInplaceMaskEdit(container)
{
    SetText("0");
}

void TqvInplaceSpinEdit::LoadValue(const Variant& value)
{
    TqvInplaceMaskEdit::LoadValue(value);
    if (Text().empty()) SetText("0");
}

void TqvInplaceSpinEdit::Step(int steps)
{
    if (!CanModify()) return;
    double value = 0;
    if (!TryStrToFloat(Trim(Text()), value)) value = 0;
    value += steps * increment_;
    if (min_ != 0 || max_ != 0) value = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
    SetText(FloatToStr(value));
    TextChangedByUser();
}

void TqvInplaceSpinEdit::KeyPress(char32_t& character)
{
    if (!editorEnabled_ && character >= 32) {
        character = 0;  // only the steps change the value
        return;
    }
    TqvInplaceMaskEdit::KeyPress(character);
}

// Up and Down step the value instead of moving the grid's focus.
bool TqvInplaceSpinEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == LineEdit() && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        bool ctrl = key->modifiers() & Qt::ControlModifier;
        if ((key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) && ctrl == useCtrlIncrement_ &&
            !(key->modifiers() & Qt::AltModifier)) {
            Guard([&] { Step(key->key() == Qt::Key_Up ? 1 : -1); });
            return true;
        }
    }
    return TqvInplaceMaskEdit::eventFilter(watched, event);
}

// ---- Spin buttons

namespace {
constexpr int spinButtonWidth = 15;
}

QRect TqvInplaceSpinEdit::UpButton() const
{
    QRect c = ContentRect();
    if (c.width() < 2 * spinButtonWidth) return {};
    return QRect(c.right() + 1 - spinButtonWidth, c.top(), spinButtonWidth, c.height() / 2);
}

QRect TqvInplaceSpinEdit::DownButton() const
{
    QRect up = UpButton();
    if (up.isEmpty()) return {};
    QRect c = ContentRect();
    return QRect(up.left(), up.bottom() + 1, spinButtonWidth, c.bottom() - up.bottom());
}

void TqvInplaceSpinEdit::UpdateShape()
{
    TqvInplaceMaskEdit::UpdateShape();
    if (QRect up = UpButton(); !up.isEmpty()) {
        QRect edit = LineEdit()->geometry();
        edit.setRight(std::min(edit.right(), up.left() - 1));
        LineEdit()->setGeometry(edit);
    }
}

void TqvInplaceSpinEdit::paintEvent(QPaintEvent* event)
{
    TqvInplaceMaskEdit::paintEvent(event);
    if (UpButton().isEmpty()) return;
    Guard([&] {
        QPainter canvas(this);
        std::unique_ptr<TqvEditViewData> data = CreateViewData();
        FillViewData(*data);
        std::vector<TqvEditButton> buttons(2, MakeEditButton(ebsSimple));
        PaintEditButtons(canvas, buttons, {UpButton(), DownButton()}, data->ButtonStyle, held_ > 0 ? 0 : held_ < 0 ? 1 : -1);
        canvas.setPen(Qt::NoPen);
        canvas.setBrush(ToQColor(data->Enabled ? clBtnText : clBtnShadow));
        for (int i = 0; i < 2; ++i) {
            QPoint c = (i == 0 ? UpButton() : DownButton()).center();
            int dy = i == 0 ? -1 : 1;
            canvas.drawPolygon(QPolygon({QPoint(c.x() - 3, c.y() - 1 * dy), QPoint(c.x() + 3, c.y() - 1 * dy),
                                         QPoint(c.x(), c.y() + 2 * dy)}));
        }
    });
}

void TqvInplaceSpinEdit::RepeatTick()
{
    if (held_) Step(held_);
}

void TqvInplaceSpinEdit::mousePressEvent(QMouseEvent* event)
{
    QPoint at = event->position().toPoint();
    int direction = event->button() != Qt::LeftButton ? 0 : UpButton().contains(at) ? 1 : DownButton().contains(at) ? -1 : 0;
    if (!direction) {
        TqvInplaceMaskEdit::mousePressEvent(event);
        return;
    }
    if (!FocusWidget()->hasFocus()) FocusWidget()->setFocus(Qt::MouseFocusReason);
    held_ = direction;
    update();
    Guard([&] { Step(direction); });
    if (!repeat_) {
        repeat_ = new QTimer(this);
        repeat_->setInterval(RepeatInterval);
        QObject::connect(repeat_, &QTimer::timeout, this, [this] { Guard([&] { RepeatTick(); }); });
    }
    repeat_->start();
}

void TqvInplaceSpinEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (repeat_) repeat_->stop();
    if (held_) {
        held_ = 0;
        update();
    }
    TqvInplaceMaskEdit::mouseReleaseEvent(event);
}
