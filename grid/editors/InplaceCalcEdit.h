#pragma once
// The calc editor: a number with a drop-down calculator (TqvPopupCalculator)
// that starts from the editor's number; Enter (or "=" with QuickClose)
// closes it and its result becomes the value, Esc leaves the value as it
// was. Typing into the editor accepts what a number is made of (digits, a
// sign, the decimal point, an exponent); anything else beeps.

#include "grid/editors/InplaceDropDownEdit.h"
#include "grid/editors/PopupCalculator.h"

class TqvInplaceCalcEdit : public TqvInplaceDropDownEdit {
public:
    explicit TqvInplaceCalcEdit(TCustomqvContainer* container);
    const char* ClassName() const override { return "TqvInplaceCalcEdit"; }

    bool BeepOnError() const { return beepOnError_; }
    void SetBeepOnError(bool value) { beepOnError_ = value; }
    int Precision() const { return precision_; }
    void SetPrecision(int value) { precision_ = value; }
    bool QuickClose() const { return quickClose_; }
    void SetQuickClose(bool value) { quickClose_ = value; }
    TqvPopupCalculator* Calculator() { Popup(); return calculator_; }

protected:
    void KeyPress(char32_t& character) override;
    void FillPopup(QFrame* popup) override;
    void PopupOpening() override;
    void AcceptPopup() override;
    bool PopupKey(class QKeyEvent* event) override;

private:
    TqvPopupCalculator* calculator_ = nullptr;
    bool beepOnError_ = true;
    int precision_ = 13;
    bool quickClose_ = false;
};
