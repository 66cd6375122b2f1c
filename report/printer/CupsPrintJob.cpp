#include "report/printer/CupsPrintJob.h"

#include <QDir>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryFile>

#include <cups/cups.h>

#include <optional>

namespace {
class CupsPrintJob : public TrqPrintJob {
public:
    explicit CupsPrintJob(QPrinter& printer) : printer_(printer) {}
    ~CupsPrintJob() override { discard(); }

    void BeginDoc(const TrqJobSetup& setup) override
    {
        if (file_) throw EPrintJobError("A print job is already running");
        setup_ = setup;
        file_ = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/stockin-print-XXXXXX.pdf"));
        if (!file_->open()) {
            const QString reason = file_->errorString();
            file_.reset();
            throw EPrintJobError("Cannot create the print file: " + QStringToAnsi(reason));
        }
        writer_ = std::make_unique<QPdfWriter>(file_.get());
        writer_->setResolution(printer_.resolution());
        writer_->setPageLayout(printer_.pageLayout());
        writer_->setTitle(AnsiToQString(setup.Title));
        writer_->setCreator(QStringLiteral("stockin report engine"));
        firstPage_ = true;
    }

    void BeginPage(int) override
    {
        if (!writer_) throw EPrintJobError("No print job is running");
        canvas_.reset();
        if (!painter_) {
            painter_.emplace();
            if (!painter_->begin(writer_.get())) {
                painter_.reset();
                throw EPrintJobError("Cannot draw the print file");
            }
        } else if (!firstPage_) {
            writer_->newPage();
        }
        firstPage_ = false;
        canvas_ = std::make_unique<TrqCanvas>(*painter_, ckPrinter);
    }

    TrqCanvas& Canvas() override
    {
        if (!canvas_) throw EPrintJobError("No page has been begun");
        return *canvas_;
    }

    void EndDoc() override
    {
        if (!file_) return;
        const bool drawn = painter_.has_value();
        closeWriter();
        if (drawn) {
            file_->flush();
            try {
                submit();
            } catch (...) {
                discard();
                throw;
            }
        }
        discard();
    }

    void Abort() override { discard(); }
    bool Printing() const override { return file_ != nullptr; }

private:
    void closeWriter()
    {
        canvas_.reset();
        if (painter_) painter_->end();
        painter_.reset();
        writer_.reset();
    }

    void discard()
    {
        closeWriter();
        if (file_) file_->remove();
        file_.reset();
    }

    void submit()
    {
        const std::string printer = printer_.printerName().toStdString();
        const std::string fileName = QFile::encodeName(file_->fileName()).toStdString();
        const std::string title = AnsiToUtf8(setup_.Title);
        const std::string copies = std::to_string(setup_.Copies);
        const std::string media = AnsiToUtf8(CupsMediaName(printer_));
        const std::string source = AnsiToUtf8(setup_.PaperSource);
        cups_option_t* options = nullptr;
        int count = 0;
        count = cupsAddOption("copies", copies.c_str(), count, &options);
        if (!media.empty()) count = cupsAddOption("media", media.c_str(), count, &options);
        if (!source.empty()) count = cupsAddOption("media-source", source.c_str(), count, &options);
        // The pages are laid out on the job's paper already: the sheet only
        // needs turning for a landscape job, never scaling.
        count = cupsAddOption("orientation-requested", setup_.Orientation == 1 ? "4" : "3", count, &options);
        count = cupsAddOption("fit-to-page", "false", count, &options);
        const int job = cupsPrintFile(printer.c_str(), fileName.c_str(), title.c_str(), count, options);
        cupsFreeOptions(count, options);
        if (job == 0)
            throw EPrintJobError("The print job could not be handed to the printer \"" + printer +
                                 "\": " + cupsLastErrorString());
    }

    QPrinter& printer_;
    TrqJobSetup setup_;
    std::unique_ptr<QTemporaryFile> file_;
    std::unique_ptr<QPdfWriter> writer_;
    std::optional<QPainter> painter_;
    std::unique_ptr<TrqCanvas> canvas_;
    bool firstPage_ = true;
};
}  // namespace

std::unique_ptr<TrqPrintJob> CreateCupsPrintJob(QPrinter& printer) { return std::make_unique<CupsPrintJob>(printer); }

AnsiString CupsMediaName(const QPrinter& printer)
{
    const QPageSize size = printer.pageLayout().pageSize();
    if (!size.isValid()) return {};
    if (size.id() != QPageSize::Custom) return QStringToAnsi(size.key());
    const QSizeF mm = size.size(QPageSize::Millimeter);
    return "Custom." + QStringToAnsi(QString::number(mm.width())) + "x" + QStringToAnsi(QString::number(mm.height())) +
           "mm";
}
