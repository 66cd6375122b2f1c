// Prepared pages as PDF (read back with poppler's pdftotext and pdfinfo) and
// as pictures.
#include "PagesTestBase.h"
#include "PreparedFixtures.h"
#include "Showcase.h"

#include "report/pages/PageRender.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {
QString run(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}
}  // namespace

TEST_F(PagesTest, PdfKeepsTheTextAndEachPagesPaper)
{
    TrqReport report;
    fixtures::AddShowcasePage(report);
    TrqPage& page = *report.Pages()[0];
    page.ChangePaper(11, 0, 0, -1, poLandscape);  // A5 landscape
    auto memo = fixtures::Memo(20, 20, 400, 40, {Ansi(u8"第二页 横向"), "Landscape page"});
    fixtures::AddPage(report, {memo.get()});

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral(u"报表.pdf"));
    SavePdf(report.EMFPages(), QStringToAnsi(pdf), "Showcase");

    const QString first = run("pdftotext", {"-f", "1", "-l", "1", pdf, "-"});
    for (QString text : {QStringLiteral("Left text that wraps"), QStringLiteral("Justified"),
                         QStringLiteral("DashDotDot"), QStringLiteral("Middle"), QStringLiteral("Bold italic red"),
                         QStringLiteral(u"商品名称：中华香烟"), QStringLiteral(u"金额 ￥1,234.50"),
                         QStringLiteral("ruled under every text line")})
        EXPECT_TRUE(first.contains(text)) << text.toStdString() << "\n" << first.toStdString();
    const QString second = run("pdftotext", {"-f", "2", "-l", "2", pdf, "-"});
    EXPECT_TRUE(second.contains(QStringLiteral(u"第二页 横向"))) << second.toStdString();
    EXPECT_TRUE(second.contains("Landscape page"));

    const QString info = run("pdfinfo", {"-f", "1", "-l", "2", pdf});
    EXPECT_TRUE(info.contains("Pages:           2")) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page +1 size: +59[5-6](\\.\\d+)? x 84[1-2](\\.\\d+)? pts")))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page +2 size: +59[5-6](\\.\\d+)? x 4(19|20)(\\.\\d+)? pts")))
        << info.toStdString();
    // The pages' views are released again.
    EXPECT_EQ(report.EMFPages()[0].CachedPage, nullptr);
    EXPECT_THROW(SavePdf(report.EMFPages(), QStringToAnsi(dir.filePath("none/x.pdf"))), EPageRenderError);
}

TEST_F(PagesTest, PageAsAPicture)
{
    TrqReport report;
    fixtures::AddShowcasePage(report);
    TrqEMFPages& pages = report.EMFPages();
    QImage image = RenderPageImage(pages, 0, 1.0);
    ASSERT_EQ(image.size(), QSize(758, 1071));
    // The picture's two halves, kept in proportion and centred in its view (550, 250, 100 x 100).
    EXPECT_EQ(image.pixel(575, 300) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image.pixel(625, 300) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(image.pixel(575, 260) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(image.pixel(400, 700) & 0xFFFFFF, 0xFFFFFFu);

    QImage zoomed = RenderPageImage(pages, 0, 1.5);
    EXPECT_EQ(zoomed.size(), QSize(1137, 1607));
    EXPECT_EQ(zoomed.pixel(575 * 3 / 2, 300 * 3 / 2) & 0xFFFFFF, 0xFF0000u);

    EXPECT_THROW(RenderPageImage(pages, 1, 1.0), EPageRenderError);
    EXPECT_THROW(RenderPageImage(pages, 0, 0.0), EPageRenderError);
    EXPECT_THROW(RenderPageImage(pages, 0, 1000.0), EPageRenderError);
}
