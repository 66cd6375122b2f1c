#include "report/windows/PrintForm.h"

#include "report/printer/Printer.h"
#include "report/texts/EngineTexts.h"
#include "report/windows/PreviewIcons.h"
#include "report/windows/PreviewPlacement.h"
#include "runtime/Application.h"
#include "runtime/ModalDialog.h"
#include "runtime/SysUtils.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {
QString text(int id) { return AnsiToQString(TrqLocale::LoadText(id)); }
}  // namespace

TrqPrintForm::TrqPrintForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      printerAtOpen_(rqPrinter().PrinterIndex())
{
    setFixedSize(485, 226);
    setWindowTitle(text(53040));

    GroupBox1 = new QGroupBox(text(53041), this);
    GroupBox1->setGeometry(4, 8, 477, 49);
    Label4 = new QLabel(text(53049), GroupBox1);
    Label4->setGeometry(8, 22, 40, 16);
    CB1 = new QComboBox(GroupBox1);
    CB1->setGeometry(52, 18, 317, 22);
    CB1->setIconSize(QSize(18, 16));
    Label4->setBuddy(CB1);
    PropButton = new QPushButton(text(53042), GroupBox1);
    PropButton->setGeometry(380, 17, 89, 25);
    TrqPrinter& printer = rqPrinter();
    const QPixmap icon = PrinterIcon();
    for (int i = 0; i < static_cast<int>(printer.Printers().size()); ++i) {
        if (i == printer.VirtualPrinterIndex()) continue;
        CB1->addItem(QIcon(icon), AnsiToQString(printer.Printers()[static_cast<size_t>(i)]), i);
    }
    CB1->setCurrentIndex(CB1->findData(printer.PrinterIndex()));
    connect(CB1, &QComboBox::activated, this, Guarded([this](int row) {
                if (row >= 0) rqPrinter().SetPrinterIndex(CB1->itemData(row).toInt());
            }));
    connect(PropButton, &QPushButton::clicked, this, Guarded([](bool) { rqPrinter().PropertiesDialog(); }));

    GroupBox2 = new QGroupBox(text(53044), this);
    GroupBox2->setGeometry(4, 68, 265, 117);
    RB1 = new QRadioButton(text(53045), GroupBox2);
    RB1->setGeometry(8, 18, 180, 17);
    RB1->setChecked(true);
    RB2 = new QRadioButton(text(53046), GroupBox2);
    RB2->setGeometry(8, 38, 180, 17);
    RB3 = new QRadioButton(text(53047), GroupBox2);
    RB3->setGeometry(8, 58, 70, 17);
    E2 = new QLineEdit(GroupBox2);
    E2->setGeometry(80, 56, 177, 21);
    E2->installEventFilter(this);
    Label2 = new QLabel(text(53048), GroupBox2);
    Label2->setGeometry(8, 80, 249, 32);
    Label2->setWordWrap(true);
    connect(RB3, &QRadioButton::clicked, this, [this] { E2->setFocus(); });

    GroupBox3 = new QGroupBox(text(53043), this);
    GroupBox3->setGeometry(280, 68, 201, 117);
    Label1 = new QLabel(text(53050), GroupBox3);
    Label1->setGeometry(8, 22, 110, 16);
    E1 = new QLineEdit(QStringLiteral("1"), GroupBox3);
    E1->setGeometry(124, 20, 45, 21);
    Label1->setBuddy(E1);
    UpButton = new QToolButton(GroupBox3);
    UpButton->setArrowType(Qt::UpArrow);
    UpButton->setGeometry(170, 20, 16, 11);
    DownButton = new QToolButton(GroupBox3);
    DownButton->setArrowType(Qt::DownArrow);
    DownButton->setGeometry(170, 31, 16, 10);
    connect(UpButton, &QToolButton::clicked, this, Guarded([this](bool) { stepCopies(1); }));
    connect(DownButton, &QToolButton::clicked, this, Guarded([this](bool) { stepCopies(-1); }));
    CollateImage = new QLabel(GroupBox3);
    CollateImage->setGeometry(8, 52, 80, 40);
    CollateCB = new QCheckBox(GroupBox3);
    CollateCB->setGeometry(110, 70, 16, 17);
    CollateCB->setChecked(true);
    Label3 = new QLabel(text(53051), GroupBox3);
    Label3->setGeometry(128, 70, 65, 17);
    Label3->setBuddy(CollateCB);
    Label3->installEventFilter(this);
    CollateImage->setPixmap(CollatePicture(true));
    connect(CollateCB, &QCheckBox::toggled, this, [this](bool on) { CollateImage->setPixmap(CollatePicture(on)); });

    Label5 = new QLabel(text(53052), this);
    Label5->setGeometry(8, 198, Label5->sizeHint().width(), 16);
    CB2 = new QComboBox(this);
    CB2->addItems({text(53053), text(53054), text(53055)});
    CB2->setCurrentIndex(0);
    CB2->setGeometry(Label5->x() + Label5->width() + 11, 195, 150, 22);
    Label5->setBuddy(CB2);

    Button1 = new QPushButton(text(55000), this);
    Button1->setGeometry(324, 194, 75, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(text(55001), this);
    Button2->setGeometry(406, 194, 75, 25);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

int TrqPrintForm::Run()
{
    const int result = ExecModal(*this);
    if (result != QDialog::Accepted) rqPrinter().SetPrinterIndex(printerAtOpen_);
    return result;
}

void TrqPrintForm::stepCopies(int delta)
{
    int copies = 1;
    if (!TryStrToInt(QStringToAnsi(E1->text().trimmed()), copies)) copies = 1;
    E1->setText(QString::number(std::max(copies + delta, 1)));
}

void TrqPrintForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CentreOnScreen(*this);
}

bool TrqPrintForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == E2 && event->type() == QEvent::FocusIn) RB3->setChecked(true);
    if (watched == Label3 && event->type() == QEvent::MouseButtonRelease) CollateCB->toggle();
    return QDialog::eventFilter(watched, event);
}
