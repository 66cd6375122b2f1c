#pragma once
// The calculator the calc editor drops down: a display and the keys 0-9,
// the decimal point, + - * /, = and C. Keys can be clicked or typed. An
// operator key works out what is pending, left to right (there is no
// precedence: 2 + 3 * 4 is 20, as on a pocket calculator). The display
// shows Precision significant digits at most; a division by zero or an
// overflow shows "Error" (with a beep when BeepOnError is set) until C.

#include "runtime/AnsiString.h"

#include <QWidget>

#include <functional>

class QLineEdit;

// The arithmetic, without a window.
class TqvCalculator {
public:
    // One key: '0'-'9', '.', '+', '-', '*', '/', '=', 'C' (clear), 8 (back).
    // False when the key is not one of them or leads to an error.
    bool Key(char key);
    AnsiString Display() const;
    double Value() const { return error_ ? 0 : entry_; }
    bool Error() const { return error_; }
    void SetValue(double value);
    int Precision() const { return precision_; }
    void SetPrecision(int value) { precision_ = value < 1 ? 1 : value > 17 ? 17 : value; }

private:
    bool apply();

    double accumulator_ = 0;
    double entry_ = 0;
    AnsiString typed_;  // the digits being entered; empty when showing a result
    char pending_ = 0;
    bool error_ = false;
    int precision_ = 13;
};

class TqvPopupCalculator : public QWidget {
public:
    explicit TqvPopupCalculator(QWidget* parent = nullptr);
    TqvCalculator& Calculator() { return calc_; }
    bool BeepOnError() const { return beepOnError_; }
    void SetBeepOnError(bool value) { beepOnError_ = value; }
    // A key clicked or typed: the display follows; an error beeps.
    void Press(char key);
    void Refresh();
    QLineEdit* DisplayWidget() const { return display_; }

    // "=" with QuickClose, or Enter: the editor takes the value.
    std::function<void()> OnAccept;
    bool QuickClose() const { return quickClose_; }
    void SetQuickClose(bool value) { quickClose_ = value; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TqvCalculator calc_;
    QLineEdit* display_;
    bool beepOnError_ = true;
    bool quickClose_ = false;
};
