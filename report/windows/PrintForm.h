#pragma once
// TrqPrintForm: the print dialog. It offers the platform's printers (not the
// virtual one), the page range (all, the current page, a page list), the
// number of copies with collation, and all, odd or even pages. The preview
// reads it after OK; Run puts back the printer that was current when the
// dialog opened unless the dialog ends with OK.

#include "runtime/AnsiString.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

class TrqPrintForm : public QDialog {
public:
    explicit TrqPrintForm(QWidget* parent = nullptr);

    QGroupBox* GroupBox1;
    QLabel* Label4;
    QComboBox* CB1;  // printers
    QPushButton* PropButton;
    QGroupBox* GroupBox2;
    QRadioButton* RB1;  // all pages
    QRadioButton* RB2;  // the current page
    QRadioButton* RB3;  // the pages of E2
    QLineEdit* E2;
    QLabel* Label2;
    QGroupBox* GroupBox3;
    QLabel* Label1;
    QLineEdit* E1;  // copies
    QToolButton* UpButton;
    QToolButton* DownButton;
    QCheckBox* CollateCB;
    QLabel* Label3;
    QLabel* CollateImage;
    QLabel* Label5;
    QComboBox* CB2;  // all, odd or even pages
    QPushButton* Button1;
    QPushButton* Button2;

    // Shows the dialog modally; any ending but OK selects the printer again
    // that was current when it opened.
    int Run();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void stepCopies(int delta);
    int printerAtOpen_;
};
