#include "report/pages/PageRender.h"

#include "report/canvas/Canvas.h"
#include "report/pages/EMFPages.h"

#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace {
constexpr int PdfResolution = 600;
// PDF pages may be at most 200 inches on a side.
constexpr double MaxPdfMillimetres = 5080;
// The largest picture of a page that is made (four bytes a pixel).
constexpr double MaxImagePixels = 64.0 * 1024 * 1024;

QPageLayout pdfLayout(const TrqPreparedPage& page)
{
    const PrinterPageInfo& info = page.PrnInfo;
    double width = info.PaperWidthUnits * 25.4 / ReportUnitsPerInch;
    double height = info.PaperHeightUnits * 25.4 / ReportUnitsPerInch;
    if (width <= 0 || height <= 0) width = 210, height = 297;
    width = std::clamp(width, 1.0, MaxPdfMillimetres);
    height = std::clamp(height, 1.0, MaxPdfMillimetres);
    bool landscape = width > height || (width == height && page.Orientation == poLandscape);
    QPageSize size(QSizeF(std::min(width, height), std::max(width, height)), QPageSize::Millimeter, QString(),
                   QPageSize::ExactMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

// Draws one page with its views made for the moment and released afterwards.
void drawPage(TrqEMFPages& pages, int index, TrqCanvas& canvas, const TrqRect& rect)
{
    TrqPreparedPage& page = pages[index];
    const uint8_t inView = page.InView;
    page.InView = 1;
    try {
        pages.Draw(index, canvas, rect);
    } catch (...) {
        page.InView = 0;
        pages.Draw(index, canvas, {});
        page.InView = inView;
        throw;
    }
    page.InView = 0;
    pages.Draw(index, canvas, {});
    page.InView = inView;
}
}  // namespace

TrqRect PageContentRect(const TrqPreparedPage& page, double kx, double ky)
{
    const PrinterPageInfo& info = page.PrnInfo;
    if (page.UseMargins) return {0, 0, RoundToInt(info.PaperWidthUnits * kx), RoundToInt(info.PaperHeightUnits * ky)};
    const int32_t left = RoundToInt((double(info.OffsetXUnits) + page.LeftMargin) * kx);
    const int32_t top = RoundToInt((double(info.OffsetYUnits) + page.TopMargin) * ky);
    return {left, top,
            left + RoundToInt((double(info.PrintableWidthUnits) - page.LeftMargin - page.RightMargin) * kx),
            top + RoundToInt((double(info.PrintableHeightUnits) - page.TopMargin - page.BottomMargin) * ky)};
}

void RenderPdf(TrqEMFPages& pages, QIODevice& device, const AnsiString& title)
{
    QPdfWriter writer(&device);
    writer.setResolution(PdfResolution);
    writer.setCreator(QStringLiteral("rqtool"));
    writer.setTitle(AnsiToQString(title));
    if (pages.Count() > 0) writer.setPageLayout(pdfLayout(pages[0]));
    QPainter painter;
    if (!painter.begin(&writer)) throw EPageRenderError("Cannot write the PDF");
    const double k = PdfResolution / ReportUnitsPerInch;
    for (int i = 0; i < pages.Count(); ++i) {
        if (i > 0) {
            writer.setPageLayout(pdfLayout(pages[i]));
            writer.newPage();
        }
        TrqCanvas canvas(painter, ckPrinter);
        drawPage(pages, i, canvas, PageContentRect(pages[i], k, k));
    }
    painter.end();
}

void SavePdf(TrqEMFPages& pages, const AnsiString& fileName, const AnsiString& title)
{
    QFile file(QString::fromStdString(SystemFileName(fileName)));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EPageRenderError("Cannot create file \"" + fileName + "\". " + QStringToAnsi(file.errorString()));
    RenderPdf(pages, file, title);
    if (!file.flush()) throw EPageRenderError("Cannot write file \"" + fileName + "\"");
}

QImage RenderPageImage(TrqEMFPages& pages, int index, double zoom)
{
    if (index < 0 || index >= pages.Count())
        throw EPageRenderError(Format("Page %d does not exist (the report has %d)", index + 1, pages.Count()));
    if (!(zoom > 0) || !std::isfinite(zoom)) throw EPageRenderError("The zoom must be a positive number");
    TrqPreparedPage& page = pages[index];
    const double width = std::round(page.PrnInfo.PaperWidthUnits * zoom);
    const double height = std::round(page.PrnInfo.PaperHeightUnits * zoom);
    if (width < 1 || height < 1 || width * height > MaxImagePixels)
        throw EPageRenderError(Format("Page %d is too large to make a picture of at this zoom", index + 1));
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    const int dotsPerMeter = 3780;  // 96 pixels per inch
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    TrqCanvas canvas(painter, ckScreen);
    drawPage(pages, index, canvas, PageContentRect(page, zoom, zoom));
    return image;
}

void SavePagePng(TrqEMFPages& pages, int index, double zoom, const AnsiString& fileName)
{
    QImage image = RenderPageImage(pages, index, zoom);
    if (!image.save(QString::fromStdString(SystemFileName(fileName)), "PNG"))
        throw EPageRenderError("Cannot write file \"" + fileName + "\"");
}
