#pragma once
// The "Custom AutoFilter" dialog: "Show rows where:" a column meets one or
// two conditions, each an operator ("equals" ... "non blanks") and a value
// (typed, or one of the column's values), joined by "&And" or "&Or". It only
// collects the choice; the grid turns it into the column's conditions. Run
// it through ExecModal, so that tests answer for the user.
//
// Rules that are easy to break:
// - The operators stand in the order of TFieldFilterOp; the second condition
//   has an empty entry first, which leaves it out.
// - The value boxes are disabled for "blanks" and "non blanks", which take
//   no value.

#include "runtime/AnsiString.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLabel;
class QRadioButton;

class TqvCustomFilterDialog : public QDialog {
public:
    // A condition as the dialog shows it: the operator (the index in the
    // order of TFieldFilterOp, -1 for none) and the value's text.
    struct Condition {
        int op = -1;
        AnsiString text;
    };

    TqvCustomFilterDialog(const AnsiString& columnCaption, const std::vector<AnsiString>& values, QWidget* parent);

    void SetConditions(const Condition& first, const Condition& second, bool orJoined);
    Condition First() const;
    // op -1 when the second condition is left out.
    Condition Second() const;
    bool OrJoined() const;

    // The controls, for tests that stand in for the user.
    QComboBox* OperatorBox(int condition) const { return condition == 0 ? op1_ : op2_; }
    QComboBox* ValueBox(int condition) const { return condition == 0 ? value1_ : value2_; }
    QRadioButton* AndButton() const { return and_; }
    QRadioButton* OrButton() const { return or_; }

private:
    void operatorsChanged();

    QLabel* column_;
    QComboBox* op1_;
    QComboBox* value1_;
    QRadioButton* and_;
    QRadioButton* or_;
    QComboBox* op2_;
    QComboBox* value2_;
};
