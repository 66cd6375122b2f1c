// The prepared-report file: saving and loading again, files without a version,
// compressed pages, the old layout, damaged and truncated files, and the
// printer the file names.
#include "../stream/TemplateBytes.h"
#include "PagesTestBase.h"
#include "PreparedFixtures.h"
#include "Showcase.h"

#include "report/pages/PrintedMemos.h"
#include "report/printer/PaperTable.h"

#include <QTemporaryDir>

#include <gmock/gmock.h>

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

namespace {
std::string saved(TrqEMFPages& pages)
{
    TMemoryStream stream;
    pages.SaveToStream(&stream);
    return stream.Bytes();
}

void load(TrqEMFPages& pages, const std::string& bytes)
{
    TMemoryStream stream(bytes);
    pages.LoadFromStream(&stream);
}

// A report with three pages on different papers, margins and bins.
void threePages(TrqReport& report)
{
    TrqPage& page = *report.Pages()[0];
    fixtures::AddShowcasePage(report);
    page.ChangePaper(11, 0, 0, -1, poLandscape);
    auto memo = fixtures::Memo(10, 10, 200, 30, {Ansi(u8"第二页"), "second"});
    fixtures::AddPage(report, {memo.get()});
    page.ChangePaper(CustomPaperSize, 1500, 1000, 4, poPortrait);
    page.UseMargins = false;
    page.LeftMargin = 11;
    page.TopMargin = 12;
    page.RightMargin = 13;
    page.BottomMargin = 14;
    fixtures::AddPage(report, {});
}

// The bytes of a file in the layout of `version` (0: no version byte), with
// one page record per paper size given.
std::string handMade(int version, uint8_t compression, const std::string& printer, std::vector<uint16_t> papers,
                     const std::string& pageStream = "\x18")
{
    TemplateBytes b(24);
    if (version) b.u8(static_cast<uint8_t>(version));
    b.u8(compression).str(printer).i32(static_cast<int32_t>(papers.size()));
    for (uint16_t paper : papers) {
        size_t end = b.size();
        b.i32(0).i16(static_cast<int16_t>(paper)).i32(2100).i32(2970).u8(0);
        if (version > 23) b.i32(7);
        b.u8(1);
        if (version > 23) b.i32(1).i32(2).i32(3).i32(4);
        b.bytes(pageStream);
        b.patch32(end, static_cast<int32_t>(b.size()));
    }
    return b.str();
}
}  // namespace

TEST_F(PagesTest, SaveAndLoadGiveTheSamePagesAndStreams)
{
    TrqReport report;
    threePages(report);
    TrqEMFPages& pages = report.EMFPages();
    const std::string file = saved(pages);

    TrqReport again;
    TrqEMFPages& loaded = again.EMFPages();
    load(loaded, file);
    ASSERT_EQ(loaded.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        const TrqPreparedPage &a = pages[i], &b = loaded[i];
        EXPECT_EQ(std::tuple(a.PaperSize, a.PaperWidth, a.PaperHeight, a.Orientation, a.PaperBin, a.UseMargins),
                  std::tuple(b.PaperSize, b.PaperWidth, b.PaperHeight, b.Orientation, b.PaperBin, b.UseMargins))
            << i;
        EXPECT_EQ(std::tuple(a.LeftMargin, a.TopMargin, a.RightMargin, a.BottomMargin),
                  std::tuple(b.LeftMargin, b.TopMargin, b.RightMargin, b.BottomMargin));
        EXPECT_EQ(a.Stream->Bytes(), b.Stream->Bytes()) << i;
        EXPECT_EQ(a.PrnInfo, b.PrnInfo) << i;
    }
    EXPECT_EQ(loaded[2].PaperBin, 4);
    EXPECT_EQ(loaded[2].UseMargins, 0);
    EXPECT_EQ(loaded.LoadedVersion(), 24);
    EXPECT_EQ(loaded.LoadedPrinterName(), "Virtual printer");
    // Written again, the file is the same byte for byte.
    EXPECT_EQ(saved(loaded), file);
    // Loading applies every page's paper in turn: the printer ends on the last one.
    EXPECT_EQ(rqPrinter().PaperSize(), CustomPaperSize);
    EXPECT_EQ(rqPrinter().PaperWidth(), 1500);

    // Through files.
    QTemporaryDir dir;
    const AnsiString path = QStringToAnsi(dir.filePath("report.rqp"));
    report.SavePreparedReport(path);
    TrqReport fromFile;
    fromFile.LoadPreparedReport(path);
    EXPECT_EQ(saved(fromFile.EMFPages()), file);
    EXPECT_THROW(fromFile.LoadPreparedReport(path + ".missing"), EFOpenError);
    EXPECT_EQ(fromFile.EMFPages().Count(), 3);  // a file that cannot be opened changes nothing
}

TEST_F(PagesTest, FilesWithoutAVersionOrWithoutPages)
{
    TrqReport report;
    TrqEMFPages& pages = report.EMFPages();
    load(pages, handMade(24, 0, "Virtual printer", {}));
    EXPECT_EQ(pages.Count(), 0);

    // A first byte 0 is the compression flag: no bins and no margins follow.
    load(pages, handMade(0, 0, "Virtual printer", {9, 11}));
    ASSERT_EQ(pages.Count(), 2);
    EXPECT_EQ(pages.LoadedVersion(), 0);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(pages[i].PaperBin, -1);
        EXPECT_EQ(std::tuple(pages[i].LeftMargin, pages[i].TopMargin, pages[i].RightMargin, pages[i].BottomMargin),
                  std::tuple(0, 0, 0, 0));
    }
    EXPECT_EQ(pages[1].PaperSize, 11);
    EXPECT_EQ(pages[1].PrnInfo.PaperWidthUnits, TenthsMmToUnits(1480));

    load(pages, handMade(24, 0, "Virtual printer", {9}));
    EXPECT_EQ(std::tuple(pages[0].PaperBin, pages[0].LeftMargin, pages[0].BottomMargin), std::tuple(7, 1, 4));
}

TEST_F(PagesTest, CompressedPagesComeOutEmpty)
{
    TrqReport report;
    auto memo = fixtures::Memo(10, 10, 100, 20, {"text"});
    fixtures::AddPage(report, {memo.get()});
    const std::string page = report.EMFPages()[0].Stream->Bytes();
    for (uint8_t flag : {uint8_t(1), uint8_t(255)}) {
        TrqEMFPages& pages = report.EMFPages();
        load(pages, handMade(24, flag, "Virtual printer", {9, 9}, page));
        ASSERT_EQ(pages.Count(), 2) << int(flag);
        EXPECT_EQ(pages[0].Stream->Size(), 0);
        pages.BuildPageObjects(0);
        EXPECT_EQ(pages[0].CachedPage->Count(), 0);
    }
}

TEST_F(PagesTest, OldLayoutAndDamagedFilesAreRefused)
{
    TrqReport report;
    TrqEMFPages& pages = report.EMFPages();
    auto memo = fixtures::Memo(10, 10, 100, 20, {"text"});
    fixtures::AddPage(report, {memo.get()});

    // The old layout starts with the printer's name and keeps metafiles.
    EXPECT_THAT([&] { load(pages, std::string("HP LaserJet\0", 12) + std::string(40, '\0')); },
                ThrowsMessage<EPreparedReportError>(HasSubstr("old layout")))
        << "an old-layout file was read";
    EXPECT_EQ(pages.Count(), 0);

    std::string good = handMade(24, 0, "Virtual printer", {9, 9});
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"count beyond the file", [&] { std::string b = good; b[20] = '\x7F'; return b; }()},
        {"negative count", [&] { std::string b = good; b[23] = '\x80'; return b; }()},
        {"page ending before its stream", [&] { std::string b = good; b[24] = '\x05'; b[25] = 0; return b; }()},
        {"page ending past the file", [&] { std::string b = good; b[25] = '\x7F'; return b; }()},
    };
    for (const Case& c : cases) {
        fixtures::AddPage(report, {});
        EXPECT_THROW(load(pages, c.bytes), EPreparedReportError) << c.what;
        EXPECT_EQ(pages.Count(), 0) << c.what;
    }
}

TEST_F(PagesTest, EveryTruncationOfAFileIsAnError)
{
    TrqReport report;
    threePages(report);
    const std::string file = saved(report.EMFPages());
    TrqReport other;
    TrqEMFPages& pages = other.EMFPages();
    for (size_t length = 0; length < file.size(); ++length) {
        fixtures::AddPage(other, {});
        EXPECT_THROW(load(pages, file.substr(0, length)), EPreparedReportError)
            << "a file cut at " << length << " of " << file.size() << " bytes was read";
        ASSERT_EQ(pages.Count(), 0) << length;
    }
}

namespace {
// Two installed printers; the second is current.
class TwoPrinters : public TrqPrinterPlatform {
public:
    std::vector<AnsiString> PrinterNames() override { return {"Laser", "Office"}; }
    int CurrentIndex() override { return current; }
    void SetCurrentIndex(int index) override { current = index; }
    bool ReadSettings(TrqPrinterSettings& s) override
    {
        s.Device = PrinterNames()[current];
        s.PhysicalWidth = 4960, s.PhysicalHeight = 7016, s.PageWidth = 4760, s.PageHeight = 6776;
        s.PixelsX = s.PixelsY = 600;
        return true;
    }
    void WriteSettings(const TrqPaperRequest&) override {}
    bool PropertiesDialog() override { return false; }
    bool Printing() override { return false; }
    int current = 1;
};
}  // namespace

TEST_F(PagesTest, TheFilesPrinterIsSelectedWhenInstalled)
{
    rqPrinter().AssignPrinter(std::make_unique<TwoPrinters>());
    TrqReport report;
    report.SetUseDefaultPrinter(false);
    load(report.EMFPages(), handMade(24, 0, "Laser", {9}));
    EXPECT_EQ(rqPrinter().PrinterIndex(), 0);
    EXPECT_EQ(report.PrinterName(), "Laser");

    // A printer that is not installed leaves the current one; its name is kept.
    load(report.EMFPages(), handMade(24, 0, "Plotter", {9}));
    EXPECT_EQ(rqPrinter().PrinterIndex(), 0);
    EXPECT_EQ(report.PrinterName(), "Plotter");
    EXPECT_EQ(report.EMFPages().Count(), 1);

    // A report that keeps the default printer only remembers the name.
    TrqReport keeps;
    load(keeps.EMFPages(), handMade(24, 0, "Office", {9}));
    EXPECT_EQ(rqPrinter().PrinterIndex(), 0);
    EXPECT_EQ(keeps.PrinterName(), "Office");
}

TEST_F(PagesTest, WhatMemosPrintedSurvivesAFileAndItsDamageIsAnError)
{
    TrqReport report;
    auto amount = fixtures::Memo(10, 10, 100, 20, {"12.50"});
    auto line = fixtures::Line(0, 30, 100, 0);
    auto heading = fixtures::Memo(10, 40, 100, 20, {"Amount"});
    TrqPrintedMemo value;
    value.Band = btMasterData;
    value.Value = 12.5;
    value.FormatCode = 0x1030200 | '.';
    value.FormatText = "#,##0.00";
    TrqPrintedMemo repeated;
    repeated.Band = btMasterHeader;
    repeated.Repeated = true;
    TrqEMFPages& pages = report.EMFPages();
    fixtures::AddPage(report, {});
    pages.AppendView(0, *amount, &value);
    pages.AppendView(0, *line);
    pages.AppendView(0, *heading, &repeated);
    fixtures::AddPage(report, {heading.get()});  // a page without records

    const std::string file = saved(pages);
    TrqReport again;
    load(again.EMFPages(), file);
    std::string scratch;
    std::vector<TrqPrintedMemo> records = ReadPrintedMemos(again.EMFPages().PrintedBytes(0, scratch));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].View, 0);
    EXPECT_EQ(records[0].Band, btMasterData);
    EXPECT_EQ(records[0].Value.Type(), VarType::Float);
    EXPECT_EQ(records[0].Value.AsFloat(), 12.5);
    EXPECT_EQ(records[0].FormatCode, value.FormatCode);
    EXPECT_EQ(records[0].FormatText, "#,##0.00");
    EXPECT_EQ(records[1].View, 2) << "the line counts as a view";
    EXPECT_TRUE(records[1].Repeated);
    EXPECT_TRUE(records[1].Value.IsEmpty());
    EXPECT_TRUE(again.EMFPages().PrintedBytes(1, scratch).empty());
    // A view appended to a page read from the file comes after its views.
    again.EMFPages().AppendView(0, *amount, &value);
    records = ReadPrintedMemos(again.EMFPages().PrintedBytes(0, scratch));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[2].View, 3);

    // Pages without records are written as they always were.
    TrqReport plain;
    fixtures::AddPage(plain, {heading.get()});
    EXPECT_EQ(saved(plain.EMFPages()).find("RQPRINT1"), std::string::npos);

    const size_t tag = file.find("RQPRINT1");
    ASSERT_NE(tag, std::string::npos);
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"another page count", [&] { std::string b = file; b[tag + 8] = 3; return b; }()},
        {"records past the file", [&] { std::string b = file; b[tag + 13] = '\x7F'; return b; }()},
        {"cut inside the records", file.substr(0, file.size() - 3)},
    };
    for (const Case& c : cases) {
        EXPECT_THROW(load(again.EMFPages(), c.bytes), EPreparedReportError) << c.what;
        EXPECT_EQ(again.EMFPages().Count(), 0) << c.what;
    }
    // Records whose own bytes are damaged are refused when they are read.
    const std::string truncatedRecord("\x00\x05\x04\x01\x02", 5);  // a float with two of its eight bytes
    EXPECT_THAT([&] { ReadPrintedMemos(truncatedRecord); },
                ThrowsMessage<EPreparedReportError>(HasSubstr("printed values")));
}
