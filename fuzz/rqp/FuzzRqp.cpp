// The prepared-report loader on arbitrary bytes: it either reads the file or
// refuses it with EPreparedReportError and no pages. What it read is drawn
// (every page, views made from the page streams), dumped as JSON, exported
// as a table, and written and read again, which must give the same bytes.
#include "report/canvas/Canvas.h"
#include "report/model/Picture.h"
#include "report/export/ReportExport.h"
#include "report/model/Report.h"
#include "report/pages/EMFPages.h"
#include "report/pages/PreparedJson.h"
#include "report/printer/Printer.h"
#include "runtime/Application.h"
#include "runtime/Dialogs.h"

#include <QImage>
#include <QPainter>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    InitRuntimeEnvironment();
    static int qtArgc = 1;
    new TQtApplication(qtArgc, *argv);  // lives for the whole run
    SetDialogHook([](const DialogRequest&) { return DialogAnswer{}; });
    rqPrinter().AssignPrinter(nullptr);
    return 0;
}

namespace {
void drawAll(TrqEMFPages& pages)
{
    QImage image(190, 270, QImage::Format_RGB32);
    QPainter painter(&image);
    TrqCanvas canvas(painter);
    for (int i = 0; i < pages.Count(); ++i) {
        pages[i].InView = 1;
        try {
            pages.Draw(i, canvas, {0, 0, 190, 270});
        } catch (const EReadError&) {
        } catch (const EInvalidGraphic&) {
        }
        pages[i].InView = 0;
        pages.Draw(i, canvas, {});
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TrqReport report;
    TrqEMFPages& pages = report.EMFPages();
    TMemoryStream input(std::string(reinterpret_cast<const char*>(data), size));
    try {
        pages.LoadFromStream(&input);
    } catch (const EPreparedReportError&) {
        if (pages.Count() != 0) std::abort();  // a refused file leaves no pages
        return 0;
    }
    drawAll(pages);
    try {
        PreparedPagesToJson(pages);
    } catch (const EReadError&) {
    } catch (const EInvalidGraphic&) {
    }
    try {
        std::string html;
        std::unique_ptr<TTableWriter> table = MakeHtmlStringWriter(html);
        WritePreparedPages(pages, *table);
        table->Finish();
    } catch (const EReadError&) {
    } catch (const EInvalidGraphic&) {
    }
    TMemoryStream written;
    pages.SaveToStream(&written);
    TrqReport again;
    written.SetPosition(0);
    again.EMFPages().LoadFromStream(&written);  // what we wrote must read back
    TMemoryStream rewritten;
    again.EMFPages().SaveToStream(&rewritten);
    if (rewritten.Bytes() != written.Bytes()) std::abort();
    return 0;
}
