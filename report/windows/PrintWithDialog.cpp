#include "report/windows/PrintWithDialog.h"

#include "report/model/Report.h"
#include "report/printer/Printer.h"
#include "report/windows/PrintForm.h"
#include "runtime/SysUtils.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>

// The virtual printer is always listed.
bool HavePlatformPrinter() { return rqPrinter().Printers().size() > 1; }

bool PrintPreparedWithDialog(TrqReport& report, QWidget* parent, int currentPage)
{
    if (!HavePlatformPrinter()) return false;
    TrqPrintForm form(parent);
    form.E1->setText(QString::number(report.DefaultCopies()));
    form.CollateCB->setChecked(report.DefaultCollate());
    if (report.ShowPrintDialog() && form.Run() != QDialog::Accepted) return false;
    const AnsiString pageList = form.RB1->isChecked()   ? AnsiString()
                                : form.RB2->isChecked() ? std::to_string(currentPage)
                                                        : QStringToAnsi(form.E2->text());
    const int copies = StrToInt(QStringToAnsi(form.E1->text().trimmed()));
    const bool collate = form.CollateCB->isChecked();
    const int kind = std::max(form.CB2->currentIndex(), 0);
    report.PrintPreparedReport(pageList, copies, collate, kind);
    return true;
}
