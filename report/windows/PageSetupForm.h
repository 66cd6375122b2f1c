#pragma once
// TrqPageSetupForm: the preview's page-setup dialog. It offers the platform's
// printers (not the virtual one) and, for the one chosen, its papers and paper
// sources as the printing layer lists them, the orientation and the margins in
// millimetres. The preview reads it after OK and applies it to the report.
//
// Rules that are easy to break:
// - Choosing a printer makes it the printing layer's current printer at once,
//   so that the paper and source lists are that printer's; Run puts back the
//   printer and paper that were current when the dialog opened unless the
//   dialog ends with OK.
// - A paper or source picked for one printer stays picked on the next when that
//   printer has it too (by code); otherwise the printer's current one is shown.
// - The dialog never changes the current paper itself: the caller applies the
//   choice (SelectedPaper...) after OK.

#include "runtime/AnsiString.h"

#include <QDialog>

#include <cstdint>

class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

class TrqPageSetupForm : public QDialog {
public:
    explicit TrqPageSetupForm(QWidget* parent = nullptr);

    QGroupBox* PrinterBox;
    QComboBox* PrinterCB;  // platform printers; item data: index in the printer list
    QPushButton* PropButton;
    QGroupBox* PaperBox;
    QComboBox* PaperCB;   // item data: paper code
    QComboBox* SourceCB;  // item data: source code (-1 the default)
    QGroupBox* OrientationBox;
    QRadioButton* PortraitRB;
    QRadioButton* LandscapeRB;
    QGroupBox* MarginsBox;
    QDoubleSpinBox* LeftMargin;  // millimetres
    QDoubleSpinBox* TopMargin;
    QDoubleSpinBox* RightMargin;
    QDoubleSpinBox* BottomMargin;
    QPushButton* OKButton;
    QPushButton* CancelButton;

    // Presets the margin fields, in hundredths of a millimetre.
    void SetMargins(int left, int top, int right, int bottom);
    // The margin fields in hundredths of a millimetre (left, top, right, bottom).
    int MarginHundredths(const QDoubleSpinBox& field) const;

    int32_t SelectedPaperSize() const;
    int32_t SelectedPaperBin() const;
    int32_t SelectedOrientation() const;

    // Shows the dialog modally; any ending but OK puts back the printer and
    // paper that were current when it opened.
    int Run();

private:
    void choosePrinter(int printerIndex);
    void fillPaperLists(int32_t wantedSize, int32_t wantedBin);

    int printerAtOpen_;
    int32_t sizeAtOpen_, widthAtOpen_, heightAtOpen_, binAtOpen_, orientationAtOpen_;
};
