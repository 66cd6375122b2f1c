// Prepared pages as PDF (read back with poppler's pdftotext and pdfinfo) and
// as pictures.
#include "PagesTestBase.h"
#include "PreparedFixtures.h"
#include "Showcase.h"

#include "report/pages/PageRender.h"
#include "support/MetafileBytes.h"

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

namespace {
// A prepared page with the metafile as a 400 × 200 logo at (100, 100) on
// each of `pages` pages, and a memo beside it.
void addLogoPages(TrqReport& report, TrqGraphicKind kind, const std::string& bytes, int pages = 1)
{
    auto logo = std::make_unique<TrqPictureView>();
    logo->Name = "Logo";
    logo->Left = logo->Top = 100;
    logo->Width = 400;
    logo->Height = 200;
    logo->Picture.Assign(kind, bytes);
    auto memo = fixtures::Memo(100, 400, 300, 30, {"Under the logo"});
    for (int i = 0; i < pages; ++i) fixtures::AddPage(report, {logo.get(), memo.get()});
}

bool colourAt(const QImage& image, QPoint p, QRgb colour) { return (image.pixel(p) & 0xFFFFFF) == colour; }
}  // namespace

TEST_F(PagesTest, MetafileLogosAppearOnPagesAndStayVectorsInPdf)
{
    for (const auto& [name, bytes] : {std::pair{"EMF", metafiles::Emf()}, std::pair{"WMF", metafiles::Wmf()}}) {
        SCOPED_TRACE(name);
        TrqReport report;
        addLogoPages(report, gkMetafile, bytes);
        // The 200 × 100 drawing stretched into the 400 × 200 view: the red box's
        // middle at (100 + 2 × 100, 100 + 2 × 35).
        const QImage page = RenderPageImage(report.EMFPages(), 0, 1.0);
        EXPECT_TRUE(colourAt(page, {300, 170}, 0xFF0000));
        EXPECT_TRUE(colourAt(page, {300, 290}, 0xFFFFFF));

        QTemporaryDir dir;
        const QString pdf = dir.filePath("logo.pdf");
        SavePdf(report.EMFPages(), QStringToAnsi(pdf));
        // No picture in the PDF: the logo is lines and shapes (its word drawn
        // as outlines), and the page's own text stays text.
        const QStringList images = run("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts);
        EXPECT_EQ(images.size(), 2) << images.join('\n').toStdString();  // the list's two heading lines
        EXPECT_TRUE(run("pdftotext", {pdf, "-"}).contains("Under the logo"));
        // Drawn by poppler at the report's resolution, the box and the word are
        // where the page picture has them.
        const QString prefix = dir.filePath("page");
        run("pdftoppm", {"-r", QString::number(ReportUnitsPerInch), "-png", "-singlefile", pdf, prefix});
        const QImage drawn(prefix + ".png");
        ASSERT_FALSE(drawn.isNull());
        EXPECT_TRUE(colourAt(drawn, {300, 170}, 0xFF0000));
        int green = 0;
        for (int y = 220; y < 280; ++y)
            for (int x = 130; x < 280; ++x) {
                const QColor c(drawn.pixel(x, y));
                green += c.green() > 80 && c.red() < 80 && c.blue() < 80;
            }
        EXPECT_GT(green, 50) << "the word of the logo";
    }
}

TEST_F(PagesTest, AMetafileThatCannotBeReadIsACrossedBoxAndOneWarning)
{
    TrqReport report;
    std::string damaged = metafiles::Emf();
    damaged.resize(120);
    addLogoPages(report, gkMetafile, damaged, 3);
    testing::internal::CaptureStderr();
    QTemporaryDir dir;
    SavePdf(report.EMFPages(), QStringToAnsi(dir.filePath("three.pdf")));
    const QImage page = RenderPageImage(report.EMFPages(), 1, 1.0);
    const std::string warnings = testing::internal::GetCapturedStderr();
    EXPECT_EQ(warnings, "Logo: the metafile cannot be read; a crossed box stands in its place\n");
    // The box's edges and its diagonals, thin, and nothing inside besides.
    auto dark = [&](int x, int y) { return qGray(page.pixel(x, y)) < 200; };
    for (auto [x, y] : {std::pair{100, 200}, {499, 200}, {300, 100}, {300, 299}, {300, 200}, {150, 125}, {150, 275}})
        EXPECT_TRUE(dark(x, y) || dark(x - 1, y) || dark(x, y - 1) || dark(x + 1, y) || dark(x, y + 1))
            << x << "," << y;
    EXPECT_FALSE(dark(300, 150));
    EXPECT_FALSE(dark(200, 130));
}
