#include "report/printer/QtPrinterPlatform.h"

#include "report/printer/CupsPrintJob.h"
#include "report/printer/CupsSources.h"
#include "report/printer/PaperTable.h"
#include "runtime/Application.h"

#include <QPageSetupDialog>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cmath>
#include <map>

namespace {
int32_t paperCode(const QPageSize& size)
{
    int id = size.windowsId();
    return id > 0 ? id : CustomPaperSize;
}

class QtPrinterPlatform : public TrqPrinterPlatform {
public:
    QtPrinterPlatform() : printer_(QPrinter::HighResolution), job_(CreateCupsPrintJob(printer_))
    {
        const QStringList names = QPrinterInfo::availablePrinterNames();
        for (const QString& name : names) names_.push_back(QStringToAnsi(name));
        current_ = std::max<int>(0, names.indexOf(QPrinterInfo::defaultPrinterName()));
        if (!names.isEmpty()) printer_.setPrinterName(names[current_]);
    }

    void Refresh() override
    {
        const AnsiString current = names_.empty() ? AnsiString() : names_[static_cast<size_t>(current_)];
        const QStringList names = QPrinterInfo::availablePrinterNames();
        names_.clear();
        for (const QString& name : names) names_.push_back(QStringToAnsi(name));
        int index = names.indexOf(AnsiToQString(current));
        if (index < 0) index = std::max<int>(0, names.indexOf(QPrinterInfo::defaultPrinterName()));
        current_ = index;
        if (!names.isEmpty() && printer_.printerName() != names[current_]) printer_.setPrinterName(names[current_]);
        // Sources may have changed with the printers.
        sources_.clear();
    }

    std::vector<AnsiString> PrinterNames() override { return names_; }
    int CurrentIndex() override { return current_; }

    void SetCurrentIndex(int index) override
    {
        if (index < 0 || index >= static_cast<int>(names_.size())) return;
        current_ = index;
        printer_.setPrinterName(AnsiToQString(names_[static_cast<size_t>(index)]));
        source_ = -1;
    }

    bool ReadSettings(TrqPrinterSettings& s) override
    {
        if (names_.empty() || !printer_.isValid()) return false;
        QPrinterInfo info(printer_);
        if (info.isNull()) return false;
        s.Device = QStringToAnsi(printer_.printerName());
        s.Driver = QStringToAnsi(info.makeAndModel());
        s.Port = QStringToAnsi(info.location());
        QPageLayout layout = printer_.pageLayout();
        s.PaperSize = paperCode(layout.pageSize());
        s.Orientation = layout.orientation() == QPageLayout::Portrait ? 0 : 1;
        s.Sources = sources(s.Device);
        s.DefaultSource = source_;
        QRectF paper = printer_.paperRect(QPrinter::DevicePixel);
        QRectF page = printer_.pageRect(QPrinter::DevicePixel);
        s.PhysicalWidth = static_cast<int32_t>(std::lround(paper.width()));
        s.PhysicalHeight = static_cast<int32_t>(std::lround(paper.height()));
        s.PhysicalOffsetX = static_cast<int32_t>(std::lround(page.left() - paper.left()));
        s.PhysicalOffsetY = static_cast<int32_t>(std::lround(page.top() - paper.top()));
        s.PageWidth = static_cast<int32_t>(std::lround(page.width()));
        s.PageHeight = static_cast<int32_t>(std::lround(page.height()));
        s.PixelsX = s.PixelsY = printer_.resolution();
        for (const QPageSize& size : info.supportedPageSizes())
            s.Papers.emplace_back(paperCode(size), QStringToAnsi(size.name()));
        return true;
    }

    void WriteSettings(const TrqPaperRequest& paper) override
    {
        QPageSize size;
        if (paper.PaperSize == CustomPaperSize) {
            size = QPageSize(QSizeF(paper.Width / 10.0, paper.Height / 10.0), QPageSize::Millimeter, QString(),
                             QPageSize::ExactMatch);
        } else {
            size = QPageSize(QPageSize::id(paper.PaperSize));
        }
        if (size.isValid()) printer_.setPageSize(size);
        printer_.setPageOrientation(paper.Orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
        printer_.setCopyCount(1);
        // Qt has no say in a CUPS printer's sources: the source is remembered
        // here and print jobs ask for it by its keyword.
        const auto& known = sources(QStringToAnsi(printer_.printerName()));
        source_ = std::any_of(known.begin(), known.end(), [&](const TrqPaperSource& s) { return s.Code == paper.Bin; })
                      ? paper.Bin
                      : -1;
    }

    bool PropertiesDialog() override
    {
        QPageSetupDialog dialog(&printer_, Application().Handle());
        bool confirmed = false;
        Guard([&] { confirmed = dialog.exec() == QDialog::Accepted; });
        return confirmed;
    }

    bool Printing() override { return job_->Printing() || printer_.printerState() == QPrinter::Active; }
    QPrinter* Printer() override { return &printer_; }
    TrqPrintJob* PrintJob() override { return names_.empty() ? nullptr : job_.get(); }

private:
    // The printer's sources, asked for once per printer (and again after Refresh).
    const std::vector<TrqPaperSource>& sources(const AnsiString& printer)
    {
        auto it = sources_.find(printer);
        if (it == sources_.end()) it = sources_.emplace(printer, CupsPaperSources(printer)).first;
        return it->second;
    }

    QPrinter printer_;
    std::map<AnsiString, std::vector<TrqPaperSource>> sources_;
    int32_t source_ = -1;
    std::unique_ptr<TrqPrintJob> job_;
    std::vector<AnsiString> names_;
    int current_ = 0;
};
}  // namespace

std::unique_ptr<TrqPrinterPlatform> CreateQtPrinterPlatform() { return std::make_unique<QtPrinterPlatform>(); }
