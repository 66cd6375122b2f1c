#include "grid/editors/InplaceSpinEdit.h"

#include "runtime/Application.h"
#include "runtime/SysUtils.h"

#include <QKeyEvent>
#include <QLineEdit>

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
