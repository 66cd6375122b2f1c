#include "report/windows/SearchForm.h"

#include "report/texts/EngineTexts.h"
#include "report/windows/PreviewPlacement.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
QString text(int id) { return AnsiToQString(TrqLocale::LoadText(id)); }
}  // namespace

TrqPreviewSearchForm::TrqPreviewSearchForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setFixedSize(262, 158);
    setWindowTitle(text(53000));
    Label1 = new QLabel(text(53001), this);
    Label1->setGeometry(4, 8, 253, 14);
    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(4, 24, 253, 21);
    Label1->setBuddy(Edit1);
    GroupBox1 = new QGroupBox(text(53002), this);
    GroupBox1->setGeometry(4, 52, 141, 65);
    CB1 = new QCheckBox(text(53003), GroupBox1);
    CB1->setGeometry(8, 24, 125, 17);
    GroupBox2 = new QGroupBox(text(53004), this);
    GroupBox2->setGeometry(152, 52, 105, 65);
    RB1 = new QRadioButton(text(53005), GroupBox2);
    RB1->setGeometry(8, 20, 93, 17);
    RB1->setChecked(true);
    RB2 = new QRadioButton(text(53006), GroupBox2);
    RB2->setGeometry(8, 40, 93, 17);
    Button1 = new QPushButton(text(55000), this);
    Button1->setGeometry(102, 128, 75, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(text(55001), this);
    Button2->setGeometry(182, 128, 75, 25);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TrqPreviewSearchForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CentreOnScreen(*this);
    Edit1->setFocus();
    Edit1->selectAll();
}
