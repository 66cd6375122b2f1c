#pragma once
// TrqPreviewSearchForm: the preview's find dialog. It asks for the text, case
// sensitivity and whether to start on the first page or the current one. A
// new one is made for every search; the preview reads it after OK.

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TrqPreviewSearchForm : public QDialog {
public:
    explicit TrqPreviewSearchForm(QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* Edit1;
    QGroupBox* GroupBox1;
    QCheckBox* CB1;  // case sensitive
    QGroupBox* GroupBox2;
    QRadioButton* RB1;  // from the first page
    QRadioButton* RB2;  // from the current page
    QPushButton* Button1;
    QPushButton* Button2;

protected:
    void showEvent(QShowEvent* event) override;
};
