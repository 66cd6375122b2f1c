// Tables written as XLSX, CSV and HTML, read back with openpyxl, Python's csv
// module and html.parser: typed cells and their formats, merged cells,
// texts that must never become formulas, Chinese text, and files that cannot
// be written.
#include "support/ReadBack.h"

#include "runtime/export/TableWriter.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

// 2024-03-01 and 2024-03-01 14:05:30 as day counts.
constexpr double March1 = 45352;
constexpr double March1Afternoon = 45352 + (14 * 3600 + 5 * 60 + 30) / 86400.0;

// One table with every kind of cell: a bold header, texts that look like
// formulas, a merged cell, numbers with two decimals, dates and a footer.
TCellStyle style(std::string format, int decimals = -1, TDateShape shape = TDateShape::DateTime)
{
    TCellStyle s;
    s.NumberFormat = std::move(format);
    s.Decimals = decimals;
    s.DateShape = shape;
    return s;
}

void writeSample(TTableWriter& w)
{
    TCellStyle heading;
    heading.Bold = true;
    heading.Align = TCellAlign::Center;
    const uint16_t bold = w.AddStyle(heading);
    const uint16_t money = w.AddStyle(style("#,##0.00", 2));
    const uint16_t day = w.AddStyle(style("yyyy-mm-dd", -1, TDateShape::Date));
    const uint16_t stamp = w.AddStyle(style("yyyy-mm-dd hh:mm:ss"));
    const double widths[] = {10, 20, 12, 12};
    w.SetColumns(widths);
    const TTableCell header[] = {TTableCell::TextCell("编码", bold), TTableCell::TextCell("名称", bold),
                                 TTableCell::TextCell("金额", bold), TTableCell::TextCell("日期", bold)};
    w.WriteRow(header, TRowKind::Header);
    const TTableCell first[] = {TTableCell::TextCell("=1+1"), TTableCell::TextCell("苹果, \"红\""),
                                TTableCell::NumberCell(1234.5, money, "1,234.50"), TTableCell::DateCell(March1, day)};
    w.WriteRow(first);
    const TTableCell second[] = {TTableCell::TextCell("-5"), TTableCell::TextCell("two\nlines <b>&"),
                                 TTableCell::NumberCell(-0.125, money), TTableCell::DateCell(March1Afternoon, stamp)};
    w.WriteRow(second);
    const TTableCell merged[] = {TTableCell::TextCell("@SUM(A1)", 0, 2), TTableCell::NumberCell(7)};
    w.WriteRow(merged);
    const TTableCell footer[] = {TTableCell::TextCell("合计", bold), {}, TTableCell::NumberCell(1234.375, money)};
    w.WriteRow(footer, TRowKind::Footer);
    w.Finish();
}

class TableWriterTest : public ::testing::Test {
protected:
    std::string path(const char* name) const { return dir_.filePath(name).toStdString(); }
    QStringList leftovers() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::NoDotAndDotDot); }
    QTemporaryDir dir_;
};

TEST_F(TableWriterTest, XlsxKeepsTypesFormatsAndMergesAndNeverWritesFormulas)
{
    const std::string file = path("t.xlsx");
    writeSample(*MakeTableWriter(TTableFormat::Xlsx, file));
    const QJsonObject book = ReadBack(file);
    auto cell = [&](int r, int c) { return SheetCell(book, r, c).toObject(); };

    EXPECT_EQ(cell(0, 1)["v"].toString(), QString("名称"));
    EXPECT_TRUE(cell(0, 1)["bold"].toBool());
    EXPECT_EQ(cell(0, 1)["align"].toString(), "center");
    // Texts are strings, whatever they start with.
    EXPECT_EQ(cell(1, 0)["v"].toString(), "=1+1");
    EXPECT_EQ(cell(1, 0)["t"].toString(), "s");
    EXPECT_EQ(cell(2, 0)["v"].toString(), "-5");
    EXPECT_EQ(cell(3, 0)["v"].toString(), "@SUM(A1)");
    EXPECT_EQ(cell(1, 1)["v"].toString(), QString("苹果, \"红\""));
    EXPECT_EQ(cell(2, 1)["v"].toString(), "two\nlines <b>&");
    // Numbers are numbers with their format; dates are dates.
    EXPECT_EQ(cell(1, 2)["t"].toString(), "n");
    EXPECT_DOUBLE_EQ(cell(1, 2)["v"].toDouble(), 1234.5);
    EXPECT_EQ(cell(1, 2)["f"].toString(), "#,##0.00");
    EXPECT_DOUBLE_EQ(cell(2, 2)["v"].toDouble(), -0.125);
    EXPECT_EQ(cell(1, 3)["t"].toString(), "d");
    EXPECT_EQ(cell(1, 3)["v"].toString(), "2024-03-01T00:00:00");
    EXPECT_EQ(cell(1, 3)["f"].toString(), "yyyy-mm-dd");
    EXPECT_EQ(cell(2, 3)["v"].toString(), "2024-03-01T14:05:30");
    EXPECT_DOUBLE_EQ(cell(3, 2)["v"].toDouble(), 7);
    EXPECT_EQ(cell(4, 0)["v"].toString(), QString("合计"));
    EXPECT_TRUE(SheetCell(book, 4, 1).isNull());
    EXPECT_EQ(book["sheets"][0]["merged"].toArray(), QJsonArray{"A4:B4"});
    EXPECT_NEAR(book["sheets"][0]["widths"]["B"].toDouble(), 20, 1);
    EXPECT_EQ(leftovers(), QStringList{"t.xlsx"});
}

TEST_F(TableWriterTest, CsvIsRfc4180WithPlainNumbersAndQuotedFormulaTexts)
{
    for (bool bom : {false, true}) {
        const std::string file = path(bom ? "bom.csv" : "t.csv");
        TTableOptions options;
        options.ByteOrderMark = bom;
        writeSample(*MakeTableWriter(TTableFormat::Csv, file, options));
        const QJsonObject csv = ReadBack(file);
        EXPECT_EQ(csv["bom"].toBool(), bom);
        EXPECT_TRUE(csv["crlf"].toBool());
        const QJsonArray expected{
            QJsonArray{"编码", "名称", "金额", "日期"},
            QJsonArray{"'=1+1", "苹果, \"红\"", "1234.50", "2024-03-01"},
            QJsonArray{"'-5", "two\nlines <b>&", "-0.13", "2024-03-01 14:05:30"},
            // A merged cell is followed by empty fields; every row has all columns.
            QJsonArray{"'@SUM(A1)", "", "7", ""},
            QJsonArray{"合计", "", "1234.38", ""},
        };
        EXPECT_EQ(csv["rows"].toArray(), expected) << QJsonDocument(csv).toJson().toStdString();
    }
}

TEST_F(TableWriterTest, HtmlIsOneEscapedPageWithHeadBodyFootAndColspans)
{
    for (bool toString : {false, true}) {
        const std::string file = path("t.html");
        std::string page;
        if (toString) {
            writeSample(*MakeHtmlStringWriter(page, "Items <&>"));
            FILE* f = std::fopen(file.c_str(), "wb");
            std::fwrite(page.data(), 1, page.size(), f);
            std::fclose(f);
        } else {
            TTableOptions options;
            options.Title = "Items <&>";
            writeSample(*MakeTableWriter(TTableFormat::Html, file, options));
        }
        const QJsonObject html = ReadBack(file);
        EXPECT_EQ(html["title"].toString(), "Items <&>");
        EXPECT_EQ(html["cols"].toInt(), 4);
        const QJsonArray rows = html["rows"].toArray();
        ASSERT_EQ(rows.size(), 5);
        QStringList sections;
        for (const QJsonValue& row : rows) sections << row["section"].toString();
        EXPECT_EQ(sections, QStringList({"thead", "tbody", "tbody", "tbody", "tfoot"}));
        EXPECT_EQ(rows[0]["cells"][0]["tag"].toString(), "th");
        EXPECT_EQ(rows[1]["cells"][0]["text"].toString(), "=1+1");
        // The text shown for a number when one was given, its plain form otherwise.
        EXPECT_EQ(rows[1]["cells"][2]["text"].toString(), "1,234.50");
        EXPECT_EQ(rows[2]["cells"][2]["text"].toString(), "-0.13");
        EXPECT_EQ(rows[2]["cells"][1]["text"].toString(), "two\nlines <b>&");
        EXPECT_EQ(rows[2]["cells"][3]["text"].toString(), "2024-03-01 14:05:30");
        EXPECT_EQ(rows[3]["cells"][0]["colspan"].toInt(), 2);
        EXPECT_EQ(rows[3]["cells"].toArray().size(), 2);
    }
}

TEST_F(TableWriterTest, AFileThatCannotBeWrittenFailsWithItsPathAndLeavesNothing)
{
    QDir(dir_.path()).mkdir("sub");
    struct Case {
        std::string target;
        const char* reason;
    };
    const Case cases[] = {
        {path("missing/t.xlsx"), "No such file or directory"},
        {path("sub"), "Is a directory"},
        {"", "no file name"},
    };
    for (const Case& c : cases)
        for (TTableFormat format : {TTableFormat::Xlsx, TTableFormat::Csv, TTableFormat::Html})
            EXPECT_THAT([&] { MakeTableWriter(format, c.target); },
                        ThrowsMessage<EExportError>(HasSubstr("Cannot write " + c.target + ": " + c.reason)));
    EXPECT_EQ(leftovers(), QStringList());
}

TEST_F(TableWriterTest, AnAbandonedOrFailedWriteLeavesTheTargetAsItWas)
{
    for (TTableFormat format : {TTableFormat::Xlsx, TTableFormat::Csv, TTableFormat::Html}) {
        const std::string file = path("old.txt");
        {
            FILE* f = std::fopen(file.c_str(), "wb");
            std::fputs("old", f);
            std::fclose(f);
        }
        {
            auto writer = MakeTableWriter(format, file);
            const double widths[] = {5};
            writer->SetColumns(widths);
            const TTableCell row[] = {TTableCell::TextCell("new")};
            writer->WriteRow(row);
            // Destroyed without Finish: the target keeps its content.
        }
        if (format == TTableFormat::Csv) {
            // A row wider than the table is the caller's error; nothing is published.
            auto writer = MakeTableWriter(format, file);
            const double widths[] = {5};
            writer->SetColumns(widths);
            const TTableCell row[] = {TTableCell::TextCell("a"), TTableCell::TextCell("b")};
            EXPECT_THAT([&] { writer->WriteRow(row); }, ThrowsMessage<EExportError>(HasSubstr(file)));
        }
        QFile old(QString::fromStdString(file));
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), "old");
        EXPECT_EQ(leftovers(), QStringList{"old.txt"});
    }
}

TEST_F(TableWriterTest, APublishedFileHasTheUsualPermissions)
{
    const std::string file = path("t.csv");
    const mode_t mask = ::umask(022);
    auto writer = MakeTableWriter(TTableFormat::Csv, file);
    writer->Finish();
    ::umask(mask);
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST_F(TableWriterTest, AFullSheetContinuesOnANewOneThatRepeatsTheHeader)
{
    const std::string file = path("big.xlsx");
    {
        auto w = MakeTableWriter(TTableFormat::Xlsx, file);
        const TTableCell header[] = {TTableCell::TextCell("n")};
        w->WriteRow(header, TRowKind::Header);
        for (int i = 1; i <= 1048576; ++i) {
            const TTableCell row[] = {TTableCell::NumberCell(i)};
            w->WriteRow(row);
        }
        w->Finish();
    }
    const QJsonObject heads = ReadBackSheetHeads(file, 2);
    const QJsonArray sheets = heads["sheets"].toArray();
    ASSERT_EQ(sheets.size(), 2);
    EXPECT_EQ(sheets[0]["maxRow"].toInt(), 1048576);
    EXPECT_EQ(sheets[1]["maxRow"].toInt(), 2);
    EXPECT_EQ(sheets[1]["rows"], QJsonArray({QJsonArray{"n"}, QJsonArray{1048576}}));
}

}  // namespace
