// The preview's commands: find with F3, saving and opening prepared-report
// files, printing from the preview, page setup with a rebuild, and the
// window placement kept between sessions.
#include "PreviewFixture.h"
#include "support/ReadBack.h"
#include "report/printer/RecordingPrintJob.h"
#include "report/windows/PageSetupForm.h"
#include "report/windows/PreviewPlacement.h"
#include "report/windows/PrintForm.h"
#include "report/windows/SearchForm.h"
#include "report/windows/SpeedButton.h"
#include "runtime/SysUtils.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QJsonArray>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QDoubleSpinBox>
#include <QRadioButton>
#include <QScreen>

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::ThrowsMessage;

namespace {
std::vector<std::string> allStreams(TrqEMFPages& pages)
{
    std::vector<std::string> streams;
    for (int i = 0; i < pages.Count(); ++i) {
        TMemoryStream scratch;
        const TMemoryStream& stream = pages.ReadStream(i, scratch);
        streams.emplace_back(stream.Memory(), static_cast<size_t>(stream.Size()));
    }
    return streams;
}
}  // namespace

TEST_F(PreviewTest, FindGoesFromMatchToMatchWithF3)
{
    fixtures::AddMemoPage(report, {{40, 40, 300, 20, "alpha"}, {40, 700, 300, 20, "beta"}});
    fixtures::AddMemoPage(report, {{40, 40, 300, 20, "nothing here"}});
    fixtures::AddMemoPage(report, {{40, 300, 300, 20, "ALPHA first"}, {40, 900, 300, 20, "second alpha"}});
    TrqPreviewForm& f = open(800, 600);
    answer<TrqPreviewSearchForm>([](TrqPreviewSearchForm& s) {
        EXPECT_TRUE(s.RB1->isChecked());
        s.Edit1->setText("Alpha");  // without case sensitivity any case matches
    });
    f.FindBtnClick();
    ASSERT_TRUE(f.Match());
    EXPECT_EQ(f.Match()->first, 0);
    EXPECT_EQ(f.CurrentPage, 1);
    EXPECT_EQ(f.ResumeIndex, 1);

    struct Step {
        int page;  // 0-based page of the match, -1 for none
        int top;   // the match's top, report units
    } steps[] = {{2, 300}, {2, 900}, {-1, 0}, {2, 300}};
    for (const Step& step : steps) {
        const auto before = f.Match();
        key(Qt::Key_F3);
        if (step.page < 0) {
            EXPECT_EQ(f.Match(), before) << "after the last match F3 shows nothing once";
            continue;
        }
        ASSERT_TRUE(f.Match());
        EXPECT_EQ(f.Match()->first, step.page);
        EXPECT_EQ(f.Match()->second.Top / 10, step.top / 10);
        EXPECT_EQ(f.CurrentPage, step.page + 1);
        // The match is on screen.
        const TrqRect& d = (*f.Pages())[step.page].DisplayRect;
        const int y = d.Top - f.VPosition() + int(f.Match()->second.Top * f.Zoom);
        EXPECT_GE(y, 0);
        EXPECT_LT(y, f.PBox->height());
    }
}

TEST_F(PreviewTest, FindCaseSensitivelyFromTheCurrentPage)
{
    fixtures::AddMemoPage(report, {{40, 40, 300, 20, "ALPHA"}});
    fixtures::AddMemoPage(report, {{40, 40, 300, 20, "alpha"}});
    fixtures::AddMemoPage(report, {{40, 40, 300, 20, "ALPHA"}});
    TrqPreviewForm& f = open(800, 600);
    key(Qt::Key_PageDown, Qt::ControlModifier);
    answer<TrqPreviewSearchForm>([](TrqPreviewSearchForm& s) {
        s.Edit1->setText("ALPHA");
        s.CB1->setChecked(true);
        s.RB2->setChecked(true);
    });
    f.FindBtnClick();
    ASSERT_TRUE(f.Match());
    EXPECT_EQ(f.Match()->first, 2);
    EXPECT_EQ(f.CurrentPage, 3);

    answer<TrqPreviewSearchForm>([](TrqPreviewSearchForm& s) { s.Edit1->setText("gamma"); });
    f.FindBtnClick();  // no match: nothing changes on screen
    EXPECT_EQ(f.CurrentPage, 3);
}

TEST(PreviewFind, MatchesStartOnCharacters)
{
    const AnsiString text = Ansi(u8"中华 Tobacco");  // D6 D0 BB AA ...
    EXPECT_EQ(FindAtCharBoundary(text, Ansi(u8"华")), 2u);
    EXPECT_EQ(FindAtCharBoundary(text, "\xD0\xBB"), std::string_view::npos)
        << "the trail byte of one character and the lead byte of the next are no match";
    EXPECT_EQ(FindAtCharBoundary(text, "Tob"), 5u);
    EXPECT_EQ(FindTextItem({{"x", {}}, {text, {}}}, "TOBACCO", false, 0), 1);
    EXPECT_EQ(FindTextItem({{"x", {}}, {text, {}}}, "TOBACCO", true, 0), -1);
}

TEST_F(PreviewTest, SavingWritesRqpAndOpeningGivesTheSamePages)
{
    fixtures::AddMemoPage(report, {{40, 40, 300, 20, "One"}, {40, 80, 300, 20, Ansi(u8"入库发票").c_str()}});
    fixtures::AddMemoPage(report, {{40, 40, 300, 20, "Two"}});
    const std::vector<std::string> original = allStreams(report.EMFPages());
    TrqPreviewForm& f = open();
    const QString typed = dir.filePath("saved.txt");
    answer<QFileDialog>([&](QFileDialog& d) { d.selectFile(typed); });
    f.SaveBtnClick();
    const QString saved = dir.filePath("saved.rqp");
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_FALSE(QFile::exists(typed));
    EXPECT_EQ(f.PageCount(), 2);

    // A file that cannot be read leaves the pages shown as they are.
    const QString damaged = dir.filePath("damaged.rqp");
    {
        QFile file(damaged);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        // Version 24, a printer name, seven pages, and then the file ends.
        file.write(QByteArray::fromHex("1800" "0200616200" "07000000"));
    }
    answer<QFileDialog>([&](QFileDialog& d) { d.selectFile(damaged); });
    EXPECT_THROW(f.LoadBtnClick(), EReadError);
    EXPECT_EQ(allStreams(*f.Pages()), original);

    answer<QFileDialog>([&](QFileDialog& d) { d.selectFile(saved); });
    f.Pages()->Delete(1);  // what is shown goes when the file opens
    f.LoadBtnClick();
    EXPECT_EQ(allStreams(*f.Pages()), original);
    EXPECT_EQ(f.CurrentPage, 1);
    EXPECT_EQ(f.Label1->text(), "Page 1/2");
    EXPECT_EQ(report.EMFPages().Count(), 0);
}

TEST_F(PreviewTest, SavingAsASpreadsheetCsvOrHtmlByTheTypeChosen)
{
    fixtures::AddMemoPage(report, {{40, 40, 300, 20, Ansi(u8"入库发票").c_str()}, {40, 80, 300, 20, "=1+1"}});
    TrqPreviewForm& f = open();
    const QStringList types{"Spreadsheet (*.xlsx)", "Comma-separated values (*.csv)", "Web page (*.html)"};
    for (const QString& type : types) {
        answer<QFileDialog>([&](QFileDialog& d) {
            EXPECT_EQ(d.nameFilters().mid(1), types);
            d.selectNameFilter(type);
            d.selectFile(dir.filePath("pages.rqp"));
        });
        f.SaveBtnClick();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("pages.rqp")));
    const QJsonObject book = ReadBack(dir.filePath("pages.xlsx").toStdString());
    EXPECT_EQ(SheetCell(book, 0, 0)["v"].toString(), QString("入库发票"));
    EXPECT_EQ(SheetCell(book, 1, 0)["v"].toString(), "=1+1");
    const QJsonArray csv = ReadBack(dir.filePath("pages.csv").toStdString())["rows"].toArray();
    EXPECT_EQ(csv, (QJsonArray{QJsonArray{QString("入库发票")}, QJsonArray{"'=1+1"}}));
    const QJsonArray html = ReadBack(dir.filePath("pages.html").toStdString())["rows"].toArray();
    EXPECT_EQ(html[1]["cells"][0]["text"].toString(), "=1+1");
    EXPECT_EQ(f.PageCount(), 1);
}

TEST_F(PreviewTest, SavingFromAnOpenPreviewKeepsTheReportsNewerPages)
{
    addPages(2, "Old");
    TrqPreviewForm& f = open();
    addPages(3, "New");  // the report has been built again meanwhile
    const std::vector<std::string> newer = allStreams(report.EMFPages());
    answer<QFileDialog>([&](QFileDialog& d) { d.selectFile(dir.filePath("old.rqp")); });
    f.SaveBtnClick();
    EXPECT_EQ(allStreams(report.EMFPages()), newer);
    EXPECT_EQ(f.PageCount(), 2);
    TrqReport reread;
    reread.LoadPreparedReport(QStringToAnsi(dir.filePath("old.rqp")));
    EXPECT_EQ(reread.EMFPages().Count(), 2);
}

namespace {
// One printer, "Office", with A4 at 600 dpi: enough for the print button.
class OnePrinter : public TrqPrinterPlatform {
public:
    std::vector<AnsiString> PrinterNames() override { return {"Office"}; }
    int CurrentIndex() override { return 0; }
    void SetCurrentIndex(int) override {}
    bool ReadSettings(TrqPrinterSettings& s) override
    {
        s.Device = "Office";
        s.PaperSize = size;
        s.Orientation = orientation;
        s.PhysicalWidth = orientation ? 7016 : 4960;
        s.PhysicalHeight = orientation ? 4960 : 7016;
        s.PhysicalOffsetX = s.PhysicalOffsetY = 100;
        s.PageWidth = s.PhysicalWidth - 200;
        s.PageHeight = s.PhysicalHeight - 200;
        s.PixelsX = s.PixelsY = 600;
        s.Papers = {{9, "A4"}, {11, "A5"}};
        return true;
    }
    void WriteSettings(const TrqPaperRequest& paper) override
    {
        size = paper.PaperSize;
        orientation = paper.Orientation;
    }
    bool PropertiesDialog() override { return false; }
    bool Printing() override { return false; }
    int size = 9, orientation = 0;
};
}  // namespace

TEST_F(PreviewTest, PrintingFromThePreviewSendsTheChosenPages)
{
    rqPrinter().AssignPrinter(std::make_unique<OnePrinter>());
    TrqRecordingPrintJob job;
    rqPrinter().SetJobOverride(&job);
    report.SetShowProgress(false);
    report.SetDefaultCopies(2);
    addPages(4);
    TrqPreviewForm& f = open();
    ASSERT_TRUE(f.PrintBtn->isEnabled());
    addPages(1, "Newer");  // a newer build of the report
    answer<TrqPrintForm>([](TrqPrintForm& p) {
        EXPECT_EQ(p.E1->text(), "2");
        EXPECT_TRUE(p.CollateCB->isChecked());
        EXPECT_EQ(p.CB1->count(), 1);  // the virtual printer is not offered
        p.RB3->setChecked(true);
        p.E2->setText("2-3");
        p.CollateCB->setChecked(false);
    });
    f.PrintBtnClick();
    ASSERT_EQ(job.Jobs().size(), 1u);
    EXPECT_THAT(job.Jobs()[0].Pages, ElementsAre(2, 3));
    EXPECT_EQ(job.Jobs()[0].Setup.Copies, 2);
    EXPECT_EQ(f.PageCount(), 4);
    EXPECT_EQ(report.EMFPages().Count(), 1);

    answer<TrqPrintForm>([](TrqPrintForm& p) { p.E1->setText("two"); });
    EXPECT_THAT([&] { f.PrintBtnClick(); }, ThrowsMessage<EConvertError>("'two' is not a valid integer value"));
    EXPECT_EQ(job.Jobs().size(), 1u);

    answer<TrqPrintForm>([](TrqPrintForm& p) { p.RB2->setChecked(true); }, QDialog::Rejected);
    f.PrintBtnClick();
    EXPECT_EQ(job.Jobs().size(), 1u);
}

namespace {
// A report whose build lays two pages out on its first template page.
class TwoPageReport : public TrqReport {
public:
    bool PrepareReport() override
    {
        EMFPages().Clear();
        for (int i = 0; i < 2; ++i) EMFPages().Add(*Pages()[0]);
        return true;
    }
};
}  // namespace

namespace {
// Two printers: "Office" with A4 and A5 and no sources of its own, and
// "Store" with A4 and two trays.
class TwoPrinters : public TrqPrinterPlatform {
public:
    std::vector<AnsiString> PrinterNames() override { return {"Office", "Store"}; }
    int CurrentIndex() override { return current; }
    void SetCurrentIndex(int index) override { current = index; }
    bool ReadSettings(TrqPrinterSettings& s) override
    {
        s.Device = current == 0 ? "Office" : "Store";
        s.PaperSize = size[current];
        s.Orientation = orientation[current];
        s.DefaultSource = bin[current];
        s.PhysicalWidth = orientation[current] ? 7016 : 4960;
        s.PhysicalHeight = orientation[current] ? 4960 : 7016;
        s.PageWidth = s.PhysicalWidth;
        s.PageHeight = s.PhysicalHeight;
        s.PixelsX = s.PixelsY = 600;
        s.Papers = {{9, "A4"}, {11, "A5"}};
        if (current == 1) s.Sources = {{1, "Upper Tray", "tray-1"}, {2, "Lower Tray", "tray-2"}};
        return true;
    }
    void WriteSettings(const TrqPaperRequest& paper) override
    {
        size[current] = paper.PaperSize;
        orientation[current] = paper.Orientation;
        bin[current] = paper.Bin;
    }
    bool PropertiesDialog() override { return false; }
    bool Printing() override { return false; }
    int current = 0;
    int size[2] = {9, 9}, orientation[2] = {0, 0}, bin[2] = {-1, -1};
};
}  // namespace

TEST_F(PreviewTest, PageSetupChoosesPrinterPaperAndSourceAndBuildsTheReportAgain)
{
    rqPrinter().AssignPrinter(std::make_unique<TwoPrinters>());
    TwoPageReport built;
    built.SetModalPreview(false);
    built.Pages()[0]->LeftMargin = 36;  // 10 mm
    built.PrepareReport();
    built.EMFPages().Delete(1);
    form = new TrqPreviewForm;
    form->ShowFor(&built, false);
    form->show();
    ASSERT_EQ(form->PageCount(), 1);

    // Cancel, after trying the other printer, leaves printer and report as they were.
    answer<TrqPageSetupForm>(
        [](TrqPageSetupForm& d) {
            d.PrinterCB->setCurrentIndex(1);
            emit d.PrinterCB->activated(1);
            EXPECT_EQ(rqPrinter().PrinterIndex(), 1);
        },
        QDialog::Rejected);
    form->PageSetupBtnClick();
    EXPECT_EQ(rqPrinter().PrinterIndex(), 0);
    EXPECT_EQ(form->PageCount(), 1);

    answer<TrqPageSetupForm>([](TrqPageSetupForm& d) {
        EXPECT_EQ(d.PrinterCB->count(), 2);  // the virtual printer is not offered
        EXPECT_EQ(d.MarginHundredths(*d.LeftMargin), 36 * 500 / 18);
        EXPECT_EQ(d.SourceCB->count(), 1);  // only the default source on "Office"
        d.PaperCB->setCurrentIndex(d.PaperCB->findData(11));
        d.PrinterCB->setCurrentIndex(1);
        emit d.PrinterCB->activated(1);
        // The lists are the chosen printer's; the paper picked stays picked.
        ASSERT_EQ(d.SourceCB->count(), 3);
        EXPECT_EQ(d.SourceCB->itemText(2), "Lower Tray");
        EXPECT_EQ(d.SelectedPaperSize(), 11);
        d.SourceCB->setCurrentIndex(2);
        d.LandscapeRB->setChecked(true);
        d.LeftMargin->setValue(10);
        d.TopMargin->setValue(20);
    });
    form->PageSetupBtnClick();
    EXPECT_EQ(rqPrinter().Printers()[static_cast<size_t>(rqPrinter().PrinterIndex())], "Store");
    EXPECT_EQ(rqPrinter().PaperBinKeyword(), "tray-2");
    const TrqPage& page = *built.Pages()[0];
    EXPECT_EQ(page.Size, 11);
    EXPECT_EQ(page.Orientation, poLandscape);
    EXPECT_EQ(page.PaperBin, 2);
    EXPECT_EQ(page.LeftMargin, 1000 * 18 / 500);
    EXPECT_EQ(page.TopMargin, 2000 * 18 / 500);
    ASSERT_EQ(form->PageCount(), 2);
    EXPECT_EQ((*form->Pages())[0].PaperSize, 11);
    EXPECT_EQ((*form->Pages())[0].PaperBin, 2);
    EXPECT_EQ(form->CurrentPage, 1);
    EXPECT_EQ(form->Label1->text(), "Page 1/2");
    delete form.data();
}

TEST_F(PreviewTest, PlacementFallsBackWhereTheStoredValuesCannotBeUsed)
{
    const QRect current(30, 40, 500, 400);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct Case {
        std::vector<std::pair<std::string, std::string>> values;
        bool maximized;
        QRect bounds;
        const char* why;
    } cases[] = {
        {{}, true, current, "nothing stored: maximized, where the window is"},
        {{{"Maximized", "0"}, {"XPosition", "10"}, {"YPosition", "20"}, {"Width", "300"}, {"Height", "200"}},
         false, QRect(10, 20, 300, 200), "stored bounds on the screen"},
        {{{"Maximized", "yes"}, {"XPosition", "ten"}, {"Width", "300"}}, true, current, "not numbers"},
        {{{"Width", "0"}, {"Height", "200"}}, true, current, "no size"},
        {{{"XPosition", "-90000"}, {"Width", "300"}}, true, current, "far beyond any screen"},
        {{{"XPosition", std::to_string(screen.right() + 10)}}, true, current, "right of the screen"},
    };
    for (const Case& c : cases) {
        QFile::remove(dir.filePath("settings.ini"));
        {
            TUserSettings settings("Software\\Velotab\\Form\\TrqPreviewForm");
            for (const auto& [name, value] : c.values) settings.WriteString(name, value);
            settings.Flush();
        }
        const TrqWindowPlacement placement = ReadWindowPlacement("TrqPreviewForm", current);
        EXPECT_EQ(placement.Maximized, c.maximized) << c.why;
        EXPECT_EQ(placement.Bounds, c.bounds) << c.why;
    }
    WriteWindowPlacement("TrqPreviewForm", QRect(5, 6, 700, 500), false);
    TUserSettings settings("Software\\Velotab\\Form\\TrqPreviewForm");
    EXPECT_EQ(settings.ReadString("Width", {}), "700");
    EXPECT_EQ(settings.ReadString("Maximized", {}), "0");
}
