#include "report/windows/PageSetupForm.h"

#include "report/printer/Printer.h"
#include "report/texts/EngineTexts.h"
#include "report/windows/PreviewIcons.h"
#include "runtime/Application.h"
#include "runtime/ModalDialog.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {
QString text(int id) { return AnsiToQString(TrqLocale::LoadText(id)); }

QDoubleSpinBox* marginField(QWidget* parent)
{
    auto* field = new QDoubleSpinBox(parent);
    field->setDecimals(2);
    field->setRange(0, 999.99);
    field->setSingleStep(1);
    return field;
}
}  // namespace

TrqPageSetupForm::TrqPageSetupForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    TrqPrinter& printer = rqPrinter();
    printerAtOpen_ = printer.PrinterIndex();
    sizeAtOpen_ = printer.PaperSize();
    widthAtOpen_ = printer.PaperWidth();
    heightAtOpen_ = printer.PaperHeight();
    binAtOpen_ = printer.PaperBin();
    orientationAtOpen_ = printer.Orientation();
    setWindowTitle(QStringLiteral("Page Setup"));

    PrinterBox = new QGroupBox(text(53041), this);
    PrinterCB = new QComboBox(PrinterBox);
    PrinterCB->setIconSize(QSize(18, 16));
    PrinterCB->setMinimumWidth(260);
    const QPixmap icon = PrinterIcon();
    for (int i = 0; i < static_cast<int>(printer.Printers().size()); ++i) {
        if (i == printer.VirtualPrinterIndex()) continue;
        PrinterCB->addItem(QIcon(icon), AnsiToQString(printer.Printers()[static_cast<size_t>(i)]), i);
    }
    PropButton = new QPushButton(text(53042), PrinterBox);
    auto* nameLabel = new QLabel(text(53049), PrinterBox);
    nameLabel->setBuddy(PrinterCB);
    auto* printerRow = new QHBoxLayout(PrinterBox);
    printerRow->addWidget(nameLabel);
    printerRow->addWidget(PrinterCB, 1);
    printerRow->addWidget(PropButton);

    PaperBox = new QGroupBox(QStringLiteral("Paper"), this);
    PaperCB = new QComboBox(PaperBox);
    SourceCB = new QComboBox(PaperBox);
    auto* paperForm = new QFormLayout(PaperBox);
    paperForm->addRow(QStringLiteral("&Size:"), PaperCB);
    paperForm->addRow(QStringLiteral("S&ource:"), SourceCB);

    OrientationBox = new QGroupBox(QStringLiteral("Orientation"), this);
    PortraitRB = new QRadioButton(QStringLiteral("P&ortrait"), OrientationBox);
    LandscapeRB = new QRadioButton(QStringLiteral("&Landscape"), OrientationBox);
    auto* orientationColumn = new QVBoxLayout(OrientationBox);
    orientationColumn->addWidget(PortraitRB);
    orientationColumn->addWidget(LandscapeRB);

    MarginsBox = new QGroupBox(QStringLiteral("Margins (millimetres)"), this);
    LeftMargin = marginField(MarginsBox);
    TopMargin = marginField(MarginsBox);
    RightMargin = marginField(MarginsBox);
    BottomMargin = marginField(MarginsBox);
    auto* margins = new QGridLayout(MarginsBox);
    margins->addWidget(new QLabel(QStringLiteral("Left:"), MarginsBox), 0, 0);
    margins->addWidget(LeftMargin, 0, 1);
    margins->addWidget(new QLabel(QStringLiteral("Right:"), MarginsBox), 0, 2);
    margins->addWidget(RightMargin, 0, 3);
    margins->addWidget(new QLabel(QStringLiteral("Top:"), MarginsBox), 1, 0);
    margins->addWidget(TopMargin, 1, 1);
    margins->addWidget(new QLabel(QStringLiteral("Bottom:"), MarginsBox), 1, 2);
    margins->addWidget(BottomMargin, 1, 3);

    OKButton = new QPushButton(text(55000), this);
    OKButton->setDefault(true);
    CancelButton = new QPushButton(text(55001), this);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* middle = new QHBoxLayout;
    middle->addWidget(PaperBox, 1);
    middle->addWidget(OrientationBox);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* column = new QVBoxLayout(this);
    column->addWidget(PrinterBox);
    column->addLayout(middle);
    column->addWidget(MarginsBox);
    column->addLayout(buttons);

    // Reports may be laid out on the virtual printer; the dialog offers the
    // platform's printers only, so it starts on the platform's current one.
    int shown = printer.PrinterIndex();
    if (printer.IsVirtual() && printer.Platform()) shown = printer.Platform()->CurrentIndex();
    PrinterCB->setCurrentIndex(std::max(PrinterCB->findData(shown), 0));
    if (PrinterCB->count() > 0 && PrinterCB->currentData().toInt() != printer.PrinterIndex())
        printer.SetPrinterIndex(PrinterCB->currentData().toInt());
    (printer.Orientation() == 1 ? LandscapeRB : PortraitRB)->setChecked(true);
    fillPaperLists(sizeAtOpen_, binAtOpen_);

    connect(PrinterCB, &QComboBox::activated, this, Guarded([this](int row) {
                if (row >= 0) choosePrinter(PrinterCB->itemData(row).toInt());
            }));
    connect(PropButton, &QPushButton::clicked, this, Guarded([this](bool) {
                if (rqPrinter().PropertiesDialog()) {
                    rqPrinter().GetSettings();
                    (rqPrinter().Orientation() == 1 ? LandscapeRB : PortraitRB)->setChecked(true);
                    fillPaperLists(rqPrinter().PaperSize(), rqPrinter().PaperBin());
                }
            }));
}

void TrqPageSetupForm::choosePrinter(int printerIndex)
{
    const int32_t size = SelectedPaperSize(), bin = SelectedPaperBin();
    rqPrinter().SetPrinterIndex(printerIndex);
    fillPaperLists(size, bin);
}

void TrqPageSetupForm::fillPaperLists(int32_t wantedSize, int32_t wantedBin)
{
    const TrqPrinter& printer = rqPrinter();
    PaperCB->clear();
    for (size_t i = 0; i < printer.PaperSizes().size() && i < printer.PaperNames().size(); ++i)
        PaperCB->addItem(AnsiToQString(printer.PaperNames()[i]), printer.PaperSizes()[i]);
    // A paper the printer does not list (a custom size) is still offered.
    if (PaperCB->findData(printer.PaperSize()) < 0)
        PaperCB->addItem(AnsiToQString(printer.PaperName()), printer.PaperSize());
    int paper = PaperCB->findData(wantedSize);
    PaperCB->setCurrentIndex(paper >= 0 ? paper : PaperCB->findData(printer.PaperSize()));

    SourceCB->clear();
    for (size_t i = 0; i < printer.Bins().size() && i < printer.BinNames().size(); ++i)
        SourceCB->addItem(AnsiToQString(printer.BinNames()[i]), printer.Bins()[i]);
    int source = SourceCB->findData(wantedBin);
    if (source < 0) source = SourceCB->findData(printer.PaperBin());
    SourceCB->setCurrentIndex(std::max(source, 0));
}

void TrqPageSetupForm::SetMargins(int left, int top, int right, int bottom)
{
    LeftMargin->setValue(left / 100.0);
    TopMargin->setValue(top / 100.0);
    RightMargin->setValue(right / 100.0);
    BottomMargin->setValue(bottom / 100.0);
}

int TrqPageSetupForm::MarginHundredths(const QDoubleSpinBox& field) const
{
    return static_cast<int>(std::lround(field.value() * 100));
}

int32_t TrqPageSetupForm::SelectedPaperSize() const
{
    return PaperCB->currentIndex() >= 0 ? PaperCB->currentData().toInt() : rqPrinter().PaperSize();
}

int32_t TrqPageSetupForm::SelectedPaperBin() const
{
    return SourceCB->currentIndex() >= 0 ? SourceCB->currentData().toInt() : -1;
}

int32_t TrqPageSetupForm::SelectedOrientation() const { return LandscapeRB->isChecked() ? 1 : 0; }

int TrqPageSetupForm::Run()
{
    const int result = ExecModal(*this);
    if (result != QDialog::Accepted) {
        TrqPrinter& printer = rqPrinter();
        printer.SetPrinterIndex(printerAtOpen_);
        printer.SetPrinterInfo(sizeAtOpen_, widthAtOpen_, heightAtOpen_, binAtOpen_, orientationAtOpen_, false);
    }
    return result;
}
