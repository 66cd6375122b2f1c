// The preview's commands: the zoom menu, open and save of prepared-report
// files (and saving as a spreadsheet, CSV or HTML by the file type chosen),
// printing, page setup and find.
#include "report/canvas/Canvas.h"
#include "report/export/ReportExport.h"
#include "report/printer/PaperTable.h"
#include "report/printer/Printer.h"
#include "report/texts/EngineTexts.h"
#include "report/windows/LentPages.h"
#include "report/windows/PageSetupForm.h"
#include "report/windows/PreviewForm.h"
#include "report/windows/PreviewLayout.h"
#include "report/windows/PrintWithDialog.h"
#include "report/windows/SearchForm.h"
#include "report/windows/SpeedButton.h"
#include "runtime/Application.h"
#include "runtime/ModalDialog.h"
#include "runtime/SysUtils.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QDoubleSpinBox>
#include <QRadioButton>
#include <QScrollBar>

#include <cmath>

namespace {
constexpr int ReportFileText = 55211;

QString fileFilter() { return AnsiToQString(TrqLocale::LoadText(ReportFileText)) + QStringLiteral(" (*.rqp)"); }

// The file name with its extension replaced by `extension` (or it added).
QString withExtension(const QString& fileName, const QString& extension)
{
    const QFileInfo info(fileName);
    const QString base = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
    return info.path() + QLatin1Char('/') + base + extension;
}

// The file the user chose, and for saving the index of the file type chosen:
// 0 the prepared report, then the export formats in their order.
QString chooseFile(QWidget* parent, bool save, int* type = nullptr)
{
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QStringList filters{fileFilter()};
    if (save)
        for (const TrqExportFormat& format : ExportFormats()) filters << QString::fromUtf8(format.Filter);
    dialog.setNameFilters(filters);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (ExecModal(dialog) != QDialog::Accepted) return {};
    if (type) *type = std::max<int>(static_cast<int>(filters.indexOf(dialog.selectedNameFilter())), 0);
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}
}  // namespace

void TrqPreviewForm::ZoomBtnClick()
{
    ProcMenu->popup(ZoomBtn->mapToGlobal(QPoint(0, ZoomBtn->height())));
}

void TrqPreviewForm::N3Click(int tag)
{
    if (PageCount() == 0) return;
    ContentOffsetX = 0;
    if (tag >= zmPageWidth && tag <= zmTwoPages) {
        ZoomMode = tag;
    } else {
        ZoomMode = zmPercent;
        Zoom = tag / 100.0;
    }
    checkZoomItem();
    SetHPosition(0);
    FormResize();
    LastZoom = Zoom;
    LastZoomMode = ZoomMode;
    PBox->update();
}

void TrqPreviewForm::LoadBtnClick()
{
    if (PageCount() == 0 || !report_ || building_) return;
    const QString fileName = chooseFile(this, false);
    if (fileName.isEmpty()) return;
    // The file goes into a fresh page list: a file that cannot be read leaves
    // the pages shown as they are.
    std::unique_ptr<TrqEMFPages> loaded;
    {
        TrqLentPages lent(*report_, loaded);
        report_->LoadPreparedReport(QStringToAnsi(fileName));
    }
    pages_ = std::move(loaded);
    failedPages_.clear();
    match_.reset();
    CurrentPage = 1;
    FormResize();
    paintingEnabled_ = false;
    UpdatePageLabel();
    ShowCurrentPage();
    paintingEnabled_ = true;
    PBox->update();
}

void TrqPreviewForm::SaveBtnClick()
{
    if (PageCount() == 0 || !report_ || building_) return;
    int type = 0;
    const QString fileName = chooseFile(this, true, &type);
    if (fileName.isEmpty()) return;
    if (type > 0) {
        // A table of the printed memos, in the format of the type chosen.
        const TrqExportFormat& format = ExportFormats()[static_cast<size_t>(type - 1)];
        TrqExportOptions options;
        options.Title = AnsiToUtf8(report_->Title());
        const QString target = withExtension(fileName, QString::fromUtf8(format.Extension));
        ExportPreparedPages(*pages_, format.Format, target.toStdString(), options);
        return;
    }
    TrqLentPages lent(*report_, pages_);
    report_->SavePreparedReport(QStringToAnsi(withExtension(fileName, QStringLiteral(".rqp"))));
}

void TrqPreviewForm::PrintBtnClick()
{
    if (PageCount() == 0 || !report_ || building_ || !havePrinter()) return;
    bool printed = false;
    {
        TrqLentPages lent(*report_, pages_);
        printed = PrintPreparedWithDialog(*report_, this, CurrentPage);
    }
    if (printed) ResetView(false);
}

void TrqPreviewForm::PageSetupBtnClick()
{
    if (PageCount() == 0 || !report_ || building_ || !havePrinter()) return;
    TrqPrinter& printer = rqPrinter();
    TrqPageSetupForm form(this);
    // Margins in hundredths of a millimetre, from the first page's report units.
    const TrqPreparedPage& first = (*pages_)[0];
    auto hundredths = [](int32_t units) { return units * 500 / 18; };
    form.SetMargins(hundredths(first.LeftMargin), hundredths(first.TopMargin), hundredths(first.RightMargin),
                    hundredths(first.BottomMargin));
    if (form.Run() != QDialog::Accepted) return;

    // The printer chosen in the dialog is current already; its paper, source
    // and orientation become the current ones.
    const int32_t size = form.SelectedPaperSize();
    const bool custom = size == CustomPaperSize;
    printer.SetPrinterInfo(size, custom ? printer.PaperWidth() : 0, custom ? printer.PaperHeight() : 0,
                           form.SelectedPaperBin(), form.SelectedOrientation(), true);
    auto units = [&form](const QDoubleSpinBox& field) { return form.MarginHundredths(field) * 18 / 500; };
    for (int i = 0; i < report_->Pages().Count(); ++i) {
        TrqPage& page = *report_->Pages()[i];
        if (page.Type != ptReport) continue;
        page.LeftMargin = units(*form.LeftMargin);
        page.TopMargin = units(*form.TopMargin);
        page.RightMargin = units(*form.RightMargin);
        page.BottomMargin = units(*form.BottomMargin);
        page.ChangePaper(printer.PaperSize(), 0, 0, printer.PaperBin(), static_cast<uint8_t>(printer.Orientation()));
    }
    report_->PrepareReport();
    pages_.reset();
    Connect(report_);
    ResetView(true);
}

void TrqPreviewForm::FindBtnClick()
{
    if (PageCount() == 0) return;
    TrqPreviewSearchForm form(this);
    if (ExecModal(form) != QDialog::Accepted) return;
    FindText = QStringToAnsi(form.Edit1->text());
    CaseSensitive = form.CB1->isChecked();
    if (!CaseSensitive) FindText = UpperCase(FindText);
    if (form.RB1->isChecked()) {
        ResumePage = 0;
        ResumeIndex = 0;
    } else if (CurrentPage != ResumePage + 1) {
        ResumePage = CurrentPage - 1;
        ResumeIndex = 0;
    }
    FindNext();
}

void TrqPreviewForm::FindNext()
{
    if (PageCount() == 0 || FindText.empty()) return;
    TrqEMFPages& pages = *Pages();
    paintingEnabled_ = false;
    while (ResumePage < PageCount()) {
        const std::vector<TrqTextItem> items = PageTextItems(pages, ResumePage);
        const int found = FindTextItem(items, FindText, CaseSensitive, ResumeIndex);
        if (found < 0) {
            pages[ResumePage].InView = 0;
            WithScratchCanvas([&](TrqCanvas& canvas) { pages.Draw(ResumePage, canvas, {}); });
            ResumeIndex = 0;
            ++ResumePage;
            continue;
        }
        const TrqRect box = items[static_cast<size_t>(found)].Box;
        CurrentPage = ResumePage + 1;
        UpdatePageLabel();
        const TrqRect& page = pages[ResumePage].DisplayRect;
        const int areaWidth = PBox->width(), areaHeight = PBox->height();
        const int h = RoundToInt((box.Bottom - box.Top) * Zoom), y = RoundToInt(Zoom * box.Top) + 10;
        SetVPosition(areaHeight - h < y ? page.Top + y + h - areaHeight - 10 : page.Top - 10);
        const int w = RoundToInt(Zoom * (box.Right - box.Left)), x = RoundToInt(Zoom * box.Left) + 10;
        SetHPosition(areaWidth - w < x ? page.Left + x + w - areaWidth - 10 : page.Left - 10);
        ResumeIndex = found + 1;
        match_ = std::make_pair(ResumePage, box);
        Application().ProcessMessages();
        paintingEnabled_ = true;
        PBox->update();
        return;
    }
    // No match: nothing on screen changes.
    paintingEnabled_ = true;
}
