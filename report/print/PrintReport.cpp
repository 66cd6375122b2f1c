// Printing prepared pages: the report's PrintPreparedReport and its print
// loop. Pages go to the current printer's print job in document order; with
// collation every copy is a pass of its own, without it the job's copy count
// does the copies. Every change of paper ends the job and begins another, and
// a job begins with its first printed page, so a page list or odd/even pages
// never make an empty job or a blank sheet. A cancel aborts the running job.
#include "report/model/Report.h"
#include "report/pages/EMFPages.h"
#include "report/print/PageList.h"
#include "report/printer/PrintJob.h"
#include "report/printer/Printer.h"
#include "report/texts/EngineTexts.h"
#include "report/windows/LentPages.h"
#include "report/windows/Preview.h"
#include "report/windows/ProgressForm.h"
#include "runtime/Application.h"

#include <QScopeGuard>

#include <algorithm>
#include <optional>

namespace {
constexpr int PreparingReportText = 55203;
constexpr int PrintingPageText = 55208;
constexpr int UntitledText = 55209;
constexpr int MaxCopies = 9999;

// The progress window while it serves a print, for the page numbers.
TrqProgressForm* printProgress = nullptr;

void reportProgress(TrqReport& report, int pageNumber)
{
    if (report.OnProgress) report.OnProgress(pageNumber);
    else if (printProgress)
        printProgress->SetLabel1(TrqLocale::LoadText(PrintingPageText) + "  " + std::to_string(pageNumber));
    Application().ProcessMessages();
}

class PrintLoop {
public:
    PrintLoop(TrqReport& report, TrqEMFPages& pages, TrqPrintJob& job, const AnsiString& title, int copies, int kind)
        : report_(report), pages_(pages), job_(job), printer_(report.Printer()), kind_(kind)
    {
        setup_.Title = title;
        setup_.Copies = copies;
    }

    // Sends the page to the job; false when it was not printed.
    bool PrintPage(int index)
    {
        const int number = index + 1;
        if ((kind_ == 1 && number % 2 == 0) || (kind_ == 2 && number % 2 == 1)) return false;
        TrqPreparedPage& page = pages_[index];
        if (job_.Printing() && sameAsPrinter(page)) {
            job_.BeginPage(number);
        } else {
            if (job_.Printing()) job_.EndDoc();
            if (!sameAsPrinter(page))
                printer_.SetPrinterInfo(page.PaperSize, page.PaperWidth, page.PaperHeight, page.PaperBin,
                                        page.Orientation, true);
            beginDoc();
            job_.BeginPage(number);
        }
        printer_.FillPrinterPageInfo(page.PrnInfo);
        drawPage(index);
        reportProgress(report_, number);
        return true;
    }

    void EndDoc()
    {
        if (job_.Printing()) job_.EndDoc();
    }
    void Abort() { job_.Abort(); }

private:
    bool sameAsPrinter(const TrqPreparedPage& page) const
    {
        return printer_.IsEqual(page.PaperSize, page.PaperWidth, page.PaperHeight, page.PaperBin, page.Orientation);
    }

    void beginDoc()
    {
        // Every job gets the copies anew: applying a paper resets the printer's own count.
        setup_.PrinterName = printer_.Printers().at(static_cast<size_t>(printer_.PrinterIndex()));
        setup_.PaperName = printer_.PaperName();
        setup_.PaperSize = printer_.PaperSize();
        setup_.PaperWidth = printer_.PaperWidth();
        setup_.PaperHeight = printer_.PaperHeight();
        setup_.Orientation = printer_.Orientation();
        setup_.PaperBin = printer_.PaperBin();
        setup_.PaperSource = printer_.PaperBinKeyword();
        job_.BeginDoc(setup_);
    }

    // Where the page goes in printer dots, from the printable area's corner.
    static TrqRect target(const TrqPreparedPage& page)
    {
        const PrinterPageInfo& info = page.PrnInfo;
        if (page.UseMargins)
            return {-info.OffsetXDots, -info.OffsetYDots, info.PaperWidthDots - info.OffsetXDots,
                    info.PaperHeightDots - info.OffsetYDots};
        const double kx = info.PrintableWidthUnits > 0 ? double(info.PrintableWidthDots) / info.PrintableWidthUnits : 0;
        const double ky =
            info.PrintableHeightUnits > 0 ? double(info.PrintableHeightDots) / info.PrintableHeightUnits : 0;
        return {RoundToInt(page.LeftMargin * kx), RoundToInt(page.TopMargin * ky),
                info.PrintableWidthDots - RoundToInt(page.RightMargin * kx),
                info.PrintableHeightDots - RoundToInt(page.BottomMargin * ky)};
    }

    void drawPage(int index)
    {
        TrqPreparedPage& page = pages_[index];
        const TrqRect rect = target(page);
        TrqCanvas& canvas = job_.Canvas();
        // A page is drawn with its views made for the moment and released afterwards.
        auto release = qScopeGuard([&] {
            page.InView = 0;
            pages_.Draw(index, canvas, {});
        });
        if (rect.IsEmpty()) return;  // a printer that measures no paper (a dry run on the virtual printer)
        page.InView = 1;
        pages_.Draw(index, canvas, rect);
    }

    TrqReport& report_;
    TrqEMFPages& pages_;
    TrqPrintJob& job_;
    TrqPrinter& printer_;
    int kind_;
    TrqJobSetup setup_;
};
}  // namespace

void TrqReport::PrintPreparedReport(const AnsiString& pages, int copies, bool collate, int kind)
{
    Terminated = false;
    // Pages that an embedded preview shows are printed from there.
    std::optional<TrqLentPages> lent;
    if (Preview() && EMFPages().Count() == 0 && Preview()->Connected() == this)
        lent.emplace(*this, Preview()->PagesHolder());
    // A page list that cannot be read fails before anything is shown or printed.
    (void)TrqPageList(pages, EMFPages().Count());

    if (OnProgress || !ShowProgress()) {
        auto overObject = std::move(OnMouseOverObject);
        OnMouseOverObject = nullptr;
        auto restore = qScopeGuard([&] { OnMouseOverObject = std::move(overObject); });
        DoPrintReport(pages, copies, collate, kind);
        return;
    }
    TrqProgressForm& form = rqProgressForm();
    AnsiString caption = TrqLocale::LoadText(PreparingReportText);
    if (!Title().empty()) caption += " - " + Title();
    form.SetCaption(caption);
    form.SetLabel1(TrqLocale::LoadText(PrintingPageText));
    form.OnStart = [&](TrqProgressForm& f) {
        printProgress = &f;
        auto done = qScopeGuard([] { printProgress = nullptr; });
        DoPrintReport(pages, copies, collate, kind);
        f.SetModalResult(mrOk);
    };
    auto clear = qScopeGuard([&] { form.OnStart = nullptr; });
    form.Show(this);
}

void TrqReport::DoPrintReport(const AnsiString& pageText, int copies, bool collate, int kind)
{
    TrqPrinter& printer = Printer();
    // Printers installed meanwhile, and the platform's current one.
    printer.Refresh();
    TrqEMFPages& pages = EMFPages();
    const TrqPageList list(pageText, pages.Count());
    copies = std::clamp(copies, 1, MaxCopies);
    TrqPrintJob* job = printer.Job();
    if (!job || pages.Count() == 0) return;

    TrqPreparedPage& first = pages[0];
    printer.SetPrinterInfo(first.PaperSize, first.PaperWidth, first.PaperHeight, first.PaperBin, first.Orientation,
                           true);
    printer.FillPrinterPageInfo(first.PrnInfo);
    const AnsiString title = Title().empty() ? TrqLocale::LoadText(UntitledText) : Title();
    if (OnPrintReport) OnPrintReport();

    PrintLoop loop(*this, pages, *job, title, collate ? 1 : copies, kind);
    try {
        const int passes = collate ? copies : 1;
        for (int pass = 0; pass < passes; ++pass) {
            for (int i = 0; i < pages.Count(); ++i) {
                if (!list.Contains(i + 1)) continue;
                if (!loop.PrintPage(i)) continue;
                if (Terminated) {
                    loop.Abort();
                    return;
                }
            }
        }
        loop.EndDoc();
    } catch (...) {
        loop.Abort();
        throw;
    }
}
