#include "grid/editors/InplaceButtonEdit.h"

#include "runtime/Application.h"

#include <QKeyEvent>
#include <QLineEdit>

bool IsShortCut(Word shortCut, Word key, TShiftState shift)
{
    if (!shortCut || (shortCut & 0xFF) != key) return false;
    bool wantShift = shortCut & scShift, wantCtrl = shortCut & scCtrl, wantAlt = shortCut & scAlt;
    return wantShift == bool(shift & ssShift) && wantCtrl == bool(shift & ssCtrl) && wantAlt == bool(shift & ssAlt);
}

TqvInplaceButtonEdit::TqvInplaceButtonEdit(TCustomqvContainer* container) : TqvInplaceDropDownEdit(container)
{
    SetEditButtons({TqvEditButton{}});
}

void TqvInplaceButtonEdit::SetButtonOnly(bool value)
{
    buttonOnly_ = value;
    UpdateShape();
    update();
}

void TqvInplaceButtonEdit::SetHideEditCursor(bool value)
{
    hideEditCursor_ = value;
    ReadOnlyChanged();
}

void TqvInplaceButtonEdit::ReadOnlyChanged()
{
    // A read-only line shows no caret: that is how the caret is hidden.
    LineEdit()->setReadOnly(ReadOnly() || hideEditCursor_ || buttonOnly_);
}

int TqvInplaceButtonEdit::DefaultButton() const
{
    int first = -1;
    for (size_t i = 0; i < EditButtons().size(); ++i) {
        if (!EditButtons()[i].Visible) continue;
        if (EditButtons()[i].Default) return static_cast<int>(i);
        if (first < 0) first = static_cast<int>(i);
    }
    return first;
}

void TqvInplaceButtonEdit::ButtonClick(int index)
{
    if (OnButtonClick) OnButtonClick(this, index);
}

void TqvInplaceButtonEdit::KeyPress(char32_t& character)
{
    if (hideEditCursor_ || buttonOnly_) {
        character = 0;
        return;
    }
    TqvInplaceDropDownEdit::KeyPress(character);
}

// The click key is the editor's before the grid sees Enter.
bool TqvInplaceButtonEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == LineEdit() && event->type() == QEvent::KeyPress) {
        KeyStroke stroke = TranslateKeyEvent(*static_cast<QKeyEvent*>(event));
        if (IsShortCut(clickKey_, stroke.key, stroke.shift)) {
            Guard([&] { PressButton(DefaultButton()); });
            return true;
        }
    }
    return TqvInplaceDropDownEdit::eventFilter(watched, event);
}
