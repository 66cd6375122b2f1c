// The printing layer: the virtual printer and its paper table, and the
// settings cycle against a recording printer (no printer exists here).
#include "report/model/Report.h"
#include "report/printer/PaperTable.h"
#include "report/printer/Printer.h"
#include "report/printer/QtPrinterPlatform.h"

#include <gtest/gtest.h>

#include <set>

namespace {
// A platform with two printers whose second one is current; it answers with
// fixed A4 measures at 600 dpi and records what is written to it.
class RecordingPrinter : public TrqPrinterPlatform {
public:
    std::vector<TrqPaperRequest>* written;
    bool readable = true;
    bool printing = false;

    explicit RecordingPrinter(std::vector<TrqPaperRequest>* log) : written(log) {}

    std::vector<AnsiString> PrinterNames() override { return {"Laser", "Office"}; }
    int CurrentIndex() override { return 1; }
    void SetCurrentIndex(int) override {}
    bool ReadSettings(TrqPrinterSettings& s) override
    {
        if (!readable) return false;
        s.Device = "Office";
        s.PaperSize = size;
        s.Orientation = orientation;
        s.DefaultSource = 7;
        s.PhysicalWidth = orientation ? 7016 : 4960;
        s.PhysicalHeight = orientation ? 4960 : 7016;
        s.PhysicalOffsetX = 100;
        s.PhysicalOffsetY = 120;
        s.PageWidth = s.PhysicalWidth - 200;
        s.PageHeight = s.PhysicalHeight - 240;
        s.PixelsX = s.PixelsY = 600;
        s.Papers = {{9, "A4"}, {1, "Letter"}};
        s.Sources = {{7, "Auto", "auto"}, {4, "Manual", "manual"}};
        return true;
    }
    void WriteSettings(const TrqPaperRequest& paper) override
    {
        written->push_back(paper);
        if (paper.PaperSize == 9 || paper.PaperSize == 256) size = paper.PaperSize;  // no Letter here
        orientation = paper.Orientation;
    }
    bool PropertiesDialog() override { return false; }
    bool Printing() override { return printing; }

    int size = 9;
    int orientation = 0;
};
}  // namespace

TEST(Printer, WithoutPrintersOnlyTheVirtualPrinter)
{
    TrqPrinter printer;
    printer.AssignPrinter(nullptr);
    ASSERT_EQ(printer.Printers(), std::vector<AnsiString>{"Virtual printer"});
    EXPECT_EQ(printer.PrinterIndex(), 0);
    EXPECT_TRUE(printer.IsVirtual());
    EXPECT_EQ(printer.PaperSize(), 9);
    EXPECT_EQ(printer.PaperWidth(), 2100);
    EXPECT_EQ(printer.PaperHeight(), 2970);
    EXPECT_EQ(printer.PaperSizes().size(), 67u);
    EXPECT_EQ(printer.PaperName(), "A4, 210 x 297 mm");
    EXPECT_EQ(printer.Bins(), std::vector<int32_t>{-1});

    PrinterPageInfo info;
    printer.FillPrinterPageInfo(info);
    EXPECT_EQ(info.PaperWidthUnits, 758);
    EXPECT_EQ(info.PaperHeightUnits, 1071);
    EXPECT_EQ(info.OffsetXUnits, 18);
    EXPECT_EQ(info.OffsetYUnits, 18);
    EXPECT_EQ(info.PrintableWidthUnits, 722);
    EXPECT_EQ(info.PrintableHeightUnits, 1035);
    EXPECT_EQ(info.PaperWidthDots, 0);  // the virtual printer has no dots
}

TEST(Printer, VirtualPaperTable)
{
    std::vector<int32_t> codes;
    std::set<int32_t> wide;
    std::set<AnsiString> names;
    for (int i = 0; i < PaperTableCount; ++i) {
        codes.push_back(PaperTable[i].Code);
        if (PaperTable[i].Width > PaperTable[i].Height) wide.insert(PaperTable[i].Code);
        names.insert(PaperTableName(i));
    }
    std::vector<int32_t> expected;
    for (int c = 1; c <= 47; ++c) expected.push_back(c);
    for (int c = 50; c <= 68; ++c) expected.push_back(c);
    expected.push_back(256);
    EXPECT_EQ(codes, expected);
    EXPECT_EQ(wide, (std::set<int32_t>{4, 35, 39, 46}));
    EXPECT_EQ(names.size(), 67u);  // a name for each, all different
    EXPECT_FALSE(names.count(""));
    struct Size {
        int32_t code, width, height;
    };
    for (Size s : {Size{1, 2159, 2794}, Size{5, 2159, 3556}, Size{8, 2970, 4200}, Size{11, 1480, 2100},
                   Size{35, 1760, 1250}, Size{66, 4200, 5940}, Size{256, 0, 0}}) {
        const TPaperInfo& p = PaperTable[PaperTableIndex(s.code)];
        EXPECT_EQ(p.Width, s.width) << s.code;
        EXPECT_EQ(p.Height, s.height) << s.code;
    }
}

TEST(Printer, VirtualPaperChangesAndEquality)
{
    TrqPrinter printer;
    printer.AssignPrinter(nullptr);
    printer.SetPrinterInfo(9, 0, 0, -1, 1, false);
    EXPECT_EQ(printer.PaperWidth(), 2970);
    EXPECT_EQ(printer.PaperHeight(), 2100);
    EXPECT_TRUE(printer.IsEqual(9, 1, 1, -1, 1));
    // Stored templates write the default source as 0xFFFF; like any code the
    // printer lacks, it is the default source and asks for no new job.
    EXPECT_TRUE(printer.IsEqual(9, 1, 1, 0xFFFF, 1));
    EXPECT_FALSE(printer.IsEqual(9, 2970, 2100, -1, 0));

    printer.SetPrinterInfo(256, 1000, 500, -1, 0, false);
    EXPECT_EQ(printer.PaperWidth(), 1000);
    EXPECT_EQ(printer.PaperHeight(), 500);
    EXPECT_TRUE(printer.IsEqual(256, 1001, 499, 3, 0));
    EXPECT_FALSE(printer.IsEqual(256, 1002, 500, -1, 0));
    EXPECT_FALSE(printer.IsEqual(256, 1000, 500, -1, 1));

    printer.SetPrinterInfo(1234, 800, 900, -1, 0, false);  // a code the table lacks keeps its size
    EXPECT_EQ(printer.PaperSize(), 1234);
    EXPECT_EQ(printer.PaperWidth(), 800);
    EXPECT_EQ(printer.PaperHeight(), 900);
}

TEST(Printer, PlatformPrinterSettingsCycle)
{
    std::vector<TrqPaperRequest> written;
    auto platform = std::make_unique<RecordingPrinter>(&written);
    RecordingPrinter* device = platform.get();
    TrqPrinter printer;
    printer.AssignPrinter(std::move(platform));

    EXPECT_EQ(printer.Printers(), (std::vector<AnsiString>{"Laser", "Office", "Virtual printer"}));
    EXPECT_EQ(printer.PrinterIndex(), 1);
    EXPECT_EQ(printer.VirtualPrinterIndex(), 2);
    EXPECT_EQ(printer.PaperWidth(), 2100);  // 4960 dots at 600 dpi
    EXPECT_EQ(printer.PaperHeight(), 2970);
    EXPECT_EQ(printer.PaperSizes(), (std::vector<int32_t>{9, 1}));
    EXPECT_EQ(printer.Bins(), (std::vector<int32_t>{-1, 7, 4}));
    EXPECT_EQ(printer.BinNames()[0], "Default source");
    EXPECT_EQ(printer.PaperBin(), 7);

    PrinterPageInfo info;
    printer.FillPrinterPageInfo(info);
    EXPECT_EQ(info.PaperWidthDots, 4960);
    EXPECT_EQ(info.PaperWidthUnits, 757);
    EXPECT_EQ(info.OffsetXUnits, 15);
    EXPECT_EQ(info.OffsetYUnits, 18);
    EXPECT_EQ(info.PrintableWidthUnits, 727);
    EXPECT_EQ(info.PrintableHeightUnits, 1035);

    // The driver takes landscape but not Letter (it keeps A4): the fields show what it accepted.
    printer.SetPrinterInfo(1, 2159, 2794, -1, 1, false);
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].PaperSize, 1);
    EXPECT_EQ(written[0].Orientation, 1);
    EXPECT_EQ(printer.PaperSize(), 9);
    EXPECT_EQ(printer.Orientation(), 1);
    EXPECT_EQ(printer.PaperWidth(), 2970);

    // A source the printer has is asked for; one it does not have (a template
    // made for another printer) is its default source and no other paper.
    printer.SetPrinterInfo(9, 0, 0, 4, 1, false);
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[1].Bin, 4);
    printer.SetPrinterInfo(9, 0, 0, 99, 1, true);
    ASSERT_EQ(written.size(), 3u);
    EXPECT_EQ(written[2].Bin, -1);
    EXPECT_TRUE(printer.IsEqual(9, 0, 0, 99, 1));
    EXPECT_FALSE(printer.IsEqual(9, 0, 0, 4, 1));
    EXPECT_EQ(printer.PaperBinKeyword(), "auto");  // what the driver reports in use
    EXPECT_EQ(printer.BinKeywords(), (std::vector<AnsiString>{"", "auto", "manual"}));
    written.resize(1);

    // Equal paper, and any paper while a job prints, change nothing.
    printer.SetPrinterInfo(9, 0, 0, -1, 1, false);
    device->printing = true;
    printer.SetPrinterInfo(9, 0, 0, -1, 0, true);
    EXPECT_EQ(written.size(), 1u);
    device->printing = false;

    // A printer whose settings cannot be read gives way to the virtual printer.
    device->readable = false;
    printer.SetPrinterIndex(0);
    EXPECT_TRUE(printer.IsVirtual());
    EXPECT_EQ(printer.PaperSizes().size(), 67u);
}

TEST(Printer, PageTakesWhatThePrinterMadeOfItsPaper)
{
    std::vector<TrqPaperRequest> written;
    rqPrinter().AssignPrinter(std::make_unique<RecordingPrinter>(&written));
    {
        TrqReport report;
        TrqPage& page = *report.Pages()[0];
        written.clear();
        page.ChangePaper(1, 2159, 2794, 7, poPortrait);  // Letter is refused: a custom size instead
        ASSERT_EQ(written.size(), 2u);
        EXPECT_EQ(written[0].PaperSize, 1);
        EXPECT_EQ(written[1].PaperSize, 256);
        EXPECT_EQ(written[1].Width, 2159);
        EXPECT_EQ(written[1].Bin, -1);
        EXPECT_EQ(page.Size, 256);
        EXPECT_EQ(page.PaperWidth, 2100);  // what the driver reports
        EXPECT_EQ(page.PrnInfo.PaperWidthDots, 4960);
    }
    rqPrinter().AssignPrinter(CreateQtPrinterPlatform());
}
