// Reports as tables: what the band engine notes about each memo it prints,
// how prepared pages become rows and columns, and a grouped report written as
// a spreadsheet and read back with openpyxl.
#include "report/engine/EngineTestBase.h"
#include "report/pages/PreparedFixtures.h"

#include "report/export/ReportExport.h"
#include "report/format/FormatCode.h"
#include "report/pages/PrintedMemos.h"
#include "support/ReadBack.h"

#include <QJsonArray>
#include <QTemporaryDir>

#include <map>

namespace {

// The records of every memo printed on page `index`, by the memo's name.
std::map<std::string, TrqPrintedMemo> printedByName(TrqEMFPages& pages, int index)
{
    TrqPage page(nullptr);
    TMemoryStream scratch;
    ReadPreparedViews(pages.ReadStream(index, scratch), page, false);
    std::string bytes;
    std::map<std::string, TrqPrintedMemo> byName;
    for (const TrqPrintedMemo& memo : ReadPrintedMemos(pages.PrintedBytes(index, bytes)))
        byName[page.Objects(memo.View)->Name] = memo;
    return byName;
}

// The rows a table writer is given, as texts ("" for an empty cell, "~" for
// each further column a cell covers, "#" and the first digits for a number).
class RecordingWriter : public TTableWriter {
public:
    void WriteRow(std::span<const TTableCell> cells, TRowKind) override
    {
        std::vector<std::string>& row = rows.emplace_back();
        for (const TTableCell& cell : cells) {
            row.push_back(cell.Kind == TCellKind::Number ? "#" + std::to_string(cell.Number).substr(0, 4)
                                                         : std::string(cell.Text));
            for (int i = 1; i < cell.Span; ++i) row.push_back("~");
        }
    }
    void Finish() override {}
    std::vector<std::vector<std::string>> rows;
};

class ReportExport : public EngineTest {};

TEST_F(ReportExport, AMemoKeepsTheOneNumberOrDateItPrinted)
{
    Numbers(1);
    Exec("UPDATE T SET V = 1234.5");
    Dataset("Rows", Query("Q", "SELECT * FROM T"));
    Band(btMasterData, "MasterData1", 40, 400, "Rows");
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        int32_t format;     // the memo's own format (0: none)
        VarType kept;       // the value kept; Empty: none
        int32_t shownCode;  // the format it was shown through
    };
    const int32_t money = MakeFormatCode(fcNumber, 3, 2, '.');
    const Case cases[] = {
        {"Formatted", {"[Q.\"V\"]"}, money, VarType::Float, money},
        {"Plain", {"[Q.\"N\"]"}, 0, VarType::Integer, 0},
        {"Suffix", {"[Q.\"V\" #N10.2]"}, 0, VarType::Float, MakeFormatCode(fcNumber, 1, 2, '.')},
        {"Date", {"[DATE #Dyyyy-mm-dd]"}, 0, VarType::DateTime, MakeFormatCode(fcDate, fkCustom)},
        {"Sentence", {"Total: [Q.\"V\"]"}, money, VarType::Empty, 0},
        {"Two", {"[Q.\"N\"][Q.\"N\"]"}, 0, VarType::Empty, 0},
        {"TwoLines", {"[Q.\"N\"]", "more"}, 0, VarType::Empty, 0},
        {"Text", {"[Q.\"S\"]"}, 0, VarType::Empty, 0},
        {"HiddenZero", {"[Q.\"N\" - 1]"}, 0, VarType::Empty, 0},
    };
    int top = 40;
    for (const Case& c : cases) {
        TrqMemoView& memo = Memo(c.name, 20, top, c.lines);
        memo.FormatCode = c.format;
        if (std::string(c.name) == "HiddenZero") memo.SetFlag(flHideZeros, true);
        top += 40;
    }
    ASSERT_TRUE(Prepare()) << Message();
    std::map<std::string, TrqPrintedMemo> printed = printedByName(report_->EMFPages(), 0);
    for (const Case& c : cases) {
        ASSERT_EQ(printed.count(c.name), 1u) << c.name;
        const TrqPrintedMemo& p = printed[c.name];
        EXPECT_EQ(p.Band, btMasterData) << c.name;
        EXPECT_FALSE(p.Repeated) << c.name;
        EXPECT_EQ(p.Value.Type(), c.kept) << c.name;
        if (c.kept != VarType::Empty) EXPECT_EQ(p.FormatCode, c.shownCode) << c.name;
    }
    EXPECT_EQ(printed["Formatted"].Value.AsFloat(), 1234.5);
    EXPECT_EQ(printed["Date"].FormatText, "yyyy-mm-dd");
}

TEST_F(ReportExport, AGroupedReportAsASheet)
{
    // Two groups of thirty rows; the second breaks across a page and its
    // header, which repeats on every page, prints again there.
    Numbers(60);
    Exec("UPDATE T SET G1 = (N - 1) / 30, V = N * 1.25");
    Dataset("Rows", Query("Q", "SELECT * FROM T ORDER BY N"));
    Band(btPageHeader, "PageHeader1", 20, 20);
    Memo("Heading", 20, 20, {"Number"});
    Memo("HeadingValue", 300, 20, {"Value"});
    TrqBandView& group = Band(btGroupHeader, "Group", 50, 20, "[Q.\"G1\"]");
    group.Flags |= flBandRepeatHeader;
    Memo("GroupText", 20, 50, {"Group [Q.\"G1\"]"}, 400);
    Band(btMasterData, "MasterData1", 80, 20, "Rows");
    Memo("Number", 20, 80, {"[Q.\"N\"]"});
    Memo("Value", 300, 80, {"[Q.\"V\" #N#,##0.00]"});
    Band(btGroupFooter, "GroupFooter", 110, 20);
    Memo("Sum", 300, 110, {"[SUM([Q.\"V\"]) #N#,##0.00]"});
    Band(btPageFooter, "PageFooter1", 1000, 20);
    Memo("PageNo", 20, 1000, {"Page [PAGE#]"});
    ASSERT_TRUE(Prepare()) << Message();
    ASSERT_EQ(report_->EMFPages().Count(), 2);
    std::map<std::string, TrqPrintedMemo> second = printedByName(report_->EMFPages(), 1);
    EXPECT_TRUE(second["GroupText"].Repeated);
    EXPECT_EQ(second["Heading"].Band, btPageHeader);

    QTemporaryDir dir;
    const std::string file = dir.filePath("groups.xlsx").toStdString();
    ExportPreparedPages(report_->EMFPages(), TTableFormat::Xlsx, file);
    const QJsonObject book = ReadBack(file);
    const QJsonArray rows = book["sheets"][0]["rows"].toArray();
    QStringList first;
    for (const QJsonValue& row : rows) first << row[0]["v"].toVariant().toString();
    // The heading once, each group's header once, its rows, its sum; the last page's footer.
    QStringList expected{"Number", "Group 0"};
    for (int n = 1; n <= 30; ++n) expected << QString::number(n);
    expected << "" << "Group 1";
    for (int n = 31; n <= 60; ++n) expected << QString::number(n);
    expected << "" << "Page 2";
    EXPECT_EQ(first, expected);
    // Numbers are numbers; the sum of the first group in the value column.
    const QJsonObject value = SheetCell(book, 2, 1).toObject();
    EXPECT_EQ(value["t"].toString(), "n");
    EXPECT_EQ(value["f"].toString(), "#,##0.00");
    EXPECT_DOUBLE_EQ(value["v"].toDouble(), 1.25);
    EXPECT_EQ(SheetCell(book, 1, 0)["t"].toString(), "s");
    EXPECT_DOUBLE_EQ(SheetCell(book, 32, 1)["v"].toDouble(), 1.25 * 465);
    EXPECT_EQ(SheetCell(book, 32, 1)["t"].toString(), "n");

    // Page bands on every page: each page's heading, repeated header and footer.
    RecordingWriter all;
    TrqExportOptions options;
    options.PageBands = true;
    WritePreparedPages(report_->EMFPages(), all, options);
    QStringList firstAll;
    for (const auto& row : all.rows) firstAll << QString::fromStdString(row[0]);
    EXPECT_EQ(firstAll.count("Number"), 2);
    EXPECT_EQ(firstAll.count("Group 1"), 2);
    EXPECT_EQ(firstAll.filter(QRegularExpression("^Page \\d$")).size(), 2);
}

class PagesAsRows : public ::testing::Test {
protected:
    void SetUp() override { rqPrinter().AssignPrinter(nullptr); }
    void TearDown() override { rqPrinter().AssignPrinter(CreateQtPrinterPlatform()); }

    // Appends a memo printed by a band of `kind` to the page.
    void memo(int page, int left, int top, int width, const char* text, int kind = btMasterData)
    {
        auto view = fixtures::Memo(left, top, width, 18, {text});
        TrqPrintedMemo printed;
        printed.Band = static_cast<uint8_t>(kind);
        report_.EMFPages().AppendView(page, *view, &printed);
    }
    std::vector<std::vector<std::string>> rows(const TrqExportOptions& options = {})
    {
        RecordingWriter writer;
        WritePreparedPages(report_.EMFPages(), writer, options);
        return writer.rows;
    }

    TrqReport report_;
};

TEST_F(PagesAsRows, ColumnsComeFromDataBandsAndHoldAcrossPages)
{
    fixtures::AddPage(report_, {});
    fixtures::AddPage(report_, {});
    // A title over the table, off the columns' edges.
    memo(0, 310, 20, 200, "Title", btReportTitle);
    // Four data columns; the second page's are a unit off.
    for (int page = 0; page < 2; ++page)
        for (int row = 0; row < 2; ++row) {
            const int top = 60 + row * 20, shift = page;
            memo(page, 0 + shift, top, 100, "a");
            memo(page, 100 + shift, top, 150, "b");
            memo(page, 250 + shift, top + 2, 150, "c");  // two units lower: the same row
            memo(page, 400 + shift, top, 100, "d");
        }
    // A caption over three columns; two memos nearest to one column; and a
    // memo beyond the last column with no room left.
    memo(1, 0, 200, 350, "Total", btReportSummary);
    memo(1, 400, 200, 100, "x", btReportSummary);
    memo(1, 420, 240, 50, "y", btReportSummary);
    memo(1, 440, 240, 50, "z", btReportSummary);
    memo(1, 460, 240, 50, "w", btReportSummary);
    const std::vector<std::vector<std::string>> expected{
        {"", "", "Title", "~"},
        {"a", "b", "c", "d"},
        {"a", "b", "c", "d"},
        {"a", "b", "c", "d"},
        {"a", "b", "c", "d"},
        {"Total", "~", "~", "x"},
        {"", "", "", "y z w"},
    };
    EXPECT_EQ(rows(), expected);
}

TEST_F(PagesAsRows, PageBandsOnceUnlessAskedAndPagesWithoutRecordsWhole)
{
    for (int page = 0; page < 3; ++page) {
        fixtures::AddPage(report_, {});
        memo(page, 0, 20, 100, "Head", btPageHeader);
        memo(page, 0, 60, 100, std::to_string(page).c_str());
        memo(page, 0, 900, 100, ("Page " + std::to_string(page + 1)).c_str(), btPageFooter);
    }
    using Rows = std::vector<std::vector<std::string>>;
    EXPECT_EQ(rows(), (Rows{{"Head"}, {"0"}, {"1"}, {"2"}, {"Page 3"}}));
    TrqExportOptions bands;
    bands.PageBands = true;
    EXPECT_EQ(rows(bands), (Rows{{"Head"}, {"0"}, {"Page 1"}, {"Head"}, {"1"}, {"Page 2"}, {"Head"}, {"2"}, {"Page 3"}}));

    // Pages from a file that keeps no records: every memo as it is.
    TrqReport old;
    for (int page = 0; page < 2; ++page) {
        auto head = fixtures::Memo(0, 20, 100, 18, {"Head"});
        auto row = fixtures::Memo(0, 60, 100, 18, {"r"});
        fixtures::AddPage(old, {head.get(), row.get()});
    }
    RecordingWriter writer;
    WritePreparedPages(old.EMFPages(), writer);
    EXPECT_EQ(writer.rows, (Rows{{"Head"}, {"r"}, {"Head"}, {"r"}}));
}

}  // namespace
