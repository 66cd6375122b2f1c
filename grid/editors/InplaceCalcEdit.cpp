#include "grid/editors/InplaceCalcEdit.h"

#include "runtime/Application.h"
#include "runtime/FormatSettings.h"
#include "runtime/SysUtils.h"

#include <QKeyEvent>
#include <QVBoxLayout>

TqvInplaceCalcEdit::TqvInplaceCalcEdit(TCustomqvContainer* container) : TqvInplaceDropDownEdit(container)
{
    SetImmediateDropDown(false);
    SetEditButtons({MakeEditButton(ebsGlyph, DropDownGlyph())});
}

void TqvInplaceCalcEdit::KeyPress(char32_t& character)
{
    bool number = (character >= U'0' && character <= U'9') || character == U'.' || character == U'-' ||
                  character == U'+' || character == U'e' || character == U'E' ||
                  character == static_cast<unsigned char>(FormatSettings().DecimalSeparator);
    if (!number) {
        character = 0;
        EditorBeep();
        return;
    }
    TqvInplaceDropDownEdit::KeyPress(character);
}

void TqvInplaceCalcEdit::FillPopup(QFrame* popup)
{
    calculator_ = new TqvPopupCalculator(popup);
    static_cast<QVBoxLayout*>(popup->layout())->addWidget(calculator_);
    calculator_->OnAccept = [this] { CloseUp(true); };
}

void TqvInplaceCalcEdit::PopupOpening()
{
    double value = 0;
    if (!TryStrToFloat(Trim(Text()), value)) value = 0;
    calculator_->Calculator().SetPrecision(precision_);
    calculator_->Calculator().SetValue(value);
    calculator_->SetBeepOnError(beepOnError_);
    calculator_->SetQuickClose(quickClose_);
    calculator_->Refresh();
    calculator_->setFocus();
}

void TqvInplaceCalcEdit::AcceptPopup()
{
    TqvCalculator& calc = calculator_->Calculator();
    calc.Key('=');
    if (calc.Error() || !CanModify()) return;
    SetText(FloatToStr(calc.Value()));
    TextChangedByUser();
    SelectAll();
}

// The calculator's own keys while it is open.
bool TqvInplaceCalcEdit::PopupKey(QKeyEvent* event)
{
    QString text = event->text();
    if (event->key() == Qt::Key_Backspace) {
        calculator_->Press(8);
        return true;
    }
    if (text.size() == 1 && QStringLiteral("0123456789.+-*/=Cc,").contains(text[0])) {
        char key = text[0] == QLatin1Char(',') ? '.' : text[0].toLatin1();
        if (key == '=' && quickClose_) {
            CloseUp(true);
            return true;
        }
        calculator_->Press(key);
        return true;
    }
    return false;
}
