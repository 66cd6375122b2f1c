// Reports as spreadsheets, CSV and HTML from the command line (prepare --xlsx
// --csv --html, rqp xlsx|csv|html), read back with openpyxl, Python's csv
// module and html.parser: the purchase invoice over a demo document, the
// list report of the items workload over several pages, and outputs that
// cannot be written.
#include "DemoInvoice.h"
#include "RunTool.h"

#include "support/ReadBack.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The texts of a read-back sheet's column (values as text, "" for empty cells).
QStringList column(const QJsonObject& book, int col)
{
    QStringList texts;
    for (const QJsonValue& row : book["sheets"][0]["rows"].toArray()) {
        const QJsonValue cell = row.toArray().at(col);
        texts << (cell.isObject() ? cell["v"].toVariant().toString() : QString());
    }
    return texts;
}

class ExportCommand : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return dir_.filePath(QString::fromStdString(name)).toStdString(); }
    QTemporaryDir dir_;
};

TEST_F(ExportCommand, InvoiceOverADemoDocument)
{
    const DemoInvoice invoice = MakeDemoInvoice(path("demo.sqlite"));
    ASSERT_GE(invoice.codes.size(), 2u);
    std::vector<std::string> args = invoice.args;
    args.insert(args.end(), {"--xlsx", path("invoice.xlsx"), "--csv", path("invoice.csv"), "--html", path("invoice.html")});
    ToolResult r = RunRqtool(args);
    ASSERT_EQ(r.exitCode, 0) << r.err;

    const QJsonObject book = ReadBack(path("invoice.xlsx"));
    const QStringList codes = column(book, 0);
    // The title over the whole width, the column headings once, then the lines.
    EXPECT_TRUE(codes.contains(QString("购 进 发 票"))) << codes.join('|').toStdString();
    ASSERT_EQ(codes.count(QString("商品代码")), 1);
    const int heading = static_cast<int>(codes.indexOf(QString("商品代码")));
    for (size_t i = 0; i < invoice.codes.size(); ++i) {
        const int row = heading + 1 + static_cast<int>(i);
        EXPECT_EQ(codes[row].toStdString(), invoice.codes[i]);
        // The amount (column E) is a number with two decimals and grouping.
        const QJsonObject amount = SheetCell(book, row, 4).toObject();
        EXPECT_EQ(amount["t"].toString(), "n");
        EXPECT_EQ(amount["f"].toString(), "#,##0.00");
        EXPECT_NEAR(amount["v"].toDouble(), invoice.amounts[i], 1e-6);
    }
    // The totals row: the caption spans code and name; the sums are numbers.
    const int totals = heading + 1 + static_cast<int>(invoice.codes.size());
    EXPECT_EQ(codes[totals], QString("合    计"));
    EXPECT_TRUE(book["sheets"][0]["merged"].toArray().contains(QString("A%1:B%1").arg(totals + 1)));
    const QJsonObject total = SheetCell(book, totals, 4).toObject();
    EXPECT_EQ(total["t"].toString(), "n");
    EXPECT_NEAR(total["v"].toDouble(), invoice.amount, 0.005);
    EXPECT_NEAR(SheetCell(book, totals, 5)["v"].toDouble(), invoice.tax, 0.005);
    // Text around a value stays text.
    bool sentence = false;
    for (const QJsonValue& row : book["sheets"][0]["rows"].toArray())
        for (const QJsonValue& cell : row.toArray())
            sentence = sentence || cell["v"].toString().startsWith(QString("金额合计："));
    EXPECT_TRUE(sentence);
    // The page footer once: the last page's.
    const QStringList footers = codes.filter(QRegularExpression(QString("^第 \\d+ 页 共 \\d+ 页$")));
    ASSERT_EQ(footers.size(), 1) << codes.join('|').toStdString();
    EXPECT_EQ(footers[0], codes.last());

    const QJsonArray csv = ReadBack(path("invoice.csv"))["rows"].toArray();
    ASSERT_EQ(csv.size(), codes.size());
    EXPECT_EQ(csv[heading][0].toString(), QString("商品代码"));
    char amount[32];
    std::snprintf(amount, sizeof amount, "%.2f", invoice.amounts[0]);
    EXPECT_EQ(csv[heading + 1][4].toString().toStdString(), amount);

    const QJsonObject html = ReadBack(path("invoice.html"));
    const QJsonArray rows = html["rows"].toArray();
    ASSERT_EQ(rows.size(), codes.size());
    EXPECT_EQ(rows[heading]["cells"][1]["text"].toString(), QString("商品名称"));
    // HTML shows the amount as the report printed it.
    EXPECT_TRUE(rows[heading + 1]["cells"][4]["text"].toString().contains('.'));
}

class ListExport : public ExportCommand {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        items_ = path("items.sqlite");
        const std::string generator = std::string(TEST_SOURCE_DIR) + "/../../bench/workloads/items.py";
        ASSERT_EQ(RunTool("/usr/bin/python3", {generator, std::to_string(Rows), items_}).exitCode, 0);
        // Texts that a spreadsheet would run as formulas.
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "items");
        db.setDatabaseName(QString::fromStdString(items_));
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec("UPDATE items SET code = '=1+1', name = '@SUM(A1)' WHERE id = 2");
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("items");
    }
    std::vector<std::string> prepare(std::vector<std::string> more) const
    {
        std::vector<std::string> args{"prepare", std::string(TEST_SOURCE_DIR) + "/../../bench/build/items-list.json",
                                      "--db", items_, "--query",
                                      "Q1=SELECT code, name, price, qty, amount, tax FROM items ORDER BY id",
                                      "--dataset", "items=Q1"};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }

    static constexpr int Rows = 120;  // three pages
    std::string items_;
};

TEST_F(ListExport, OneRowPerRecordColumnsAlignedAcrossPagesPageBandsOnce)
{
    ToolResult r = RunRqtool(prepare({"-o", path("list.rqp"), "--xlsx", path("list.xlsx"), "--csv", path("list.csv")}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const QJsonObject book = ReadBack(path("list.xlsx"));
    const QJsonArray rows = book["sheets"][0]["rows"].toArray();
    // Headings, one row per record, the total, and the page footer of the last page.
    ASSERT_EQ(rows.size(), 1 + Rows + 2);
    EXPECT_EQ(column(book, 0).first(), "Code");
    EXPECT_EQ(column(book, 0).last(), "Page 3 of 3");
    for (int n = 1; n <= Rows; ++n) {
        if (n == 2) continue;
        EXPECT_EQ(SheetCell(book, n, 0)["v"].toString(), QString("C%1").arg(n, 7, 10, QChar('0'))) << n;
        EXPECT_EQ(SheetCell(book, n, 1)["v"].toString().size(), 10) << "ten Chinese characters";
        const QJsonObject price = SheetCell(book, n, 2).toObject();
        EXPECT_EQ(price["t"].toString(), "n") << n;
        EXPECT_EQ(price["f"].toString(), "0.000000") << n;
        for (int c = 3; c <= 5; ++c) EXPECT_EQ(SheetCell(book, n, c)["f"].toString(), "#,##0.00") << n;
    }
    // Texts that look like formulas are texts.
    EXPECT_EQ(SheetCell(book, 2, 0)["v"].toString(), "=1+1");
    EXPECT_EQ(SheetCell(book, 2, 0)["t"].toString(), "s");
    EXPECT_EQ(SheetCell(book, 2, 1)["v"].toString(), "@SUM(A1)");

    const QJsonArray csv = ReadBack(path("list.csv"))["rows"].toArray();
    ASSERT_EQ(csv.size(), rows.size());
    EXPECT_EQ(csv[2][0].toString(), "'=1+1");
    EXPECT_EQ(csv[2][1].toString(), "'@SUM(A1)");

    // The file's pages give the same table; with --page-bands every page has
    // its headings and its footer.
    ASSERT_EQ(RunRqtool({"rqp", "csv", path("list.rqp"), "-o", path("again.csv")}).exitCode, 0);
    EXPECT_EQ(ReadBack(path("again.csv"))["rows"], QJsonValue(csv));
    ASSERT_EQ(RunRqtool({"rqp", "csv", path("list.rqp"), "-o", path("bands.csv"), "--page-bands", "--csv-bom"})
                  .exitCode,
              0);
    const QJsonObject bands = ReadBack(path("bands.csv"));
    EXPECT_TRUE(bands["bom"].toBool());
    QStringList first;
    for (const QJsonValue& row : bands["rows"].toArray()) first << row[0].toString();
    EXPECT_EQ(first.count("Code"), 3);
    EXPECT_EQ(first.filter(QRegularExpression("^Page \\d of 3$")).size(), 3);
    EXPECT_EQ(bands["rows"].toArray().size(), 3 * 2 + Rows + 1);
}

TEST_F(ListExport, TheDumpShowsWhatMemosPrinted)
{
    ToolResult r = RunRqtool(prepare({"--dump"}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const QJsonArray objects = QJsonDocument::fromJson(QByteArray::fromStdString(r.out))["pages"][0]["objects"].toArray();
    QJsonObject heading, code, amount;
    for (const QJsonValue& o : objects) {
        if (o["name"] == "HCode") heading = o["printed"].toObject();
        if (o["name"] == "Code" && code.isEmpty()) code = o["printed"].toObject();
        if (o["name"] == "Amount" && amount.isEmpty()) amount = o["printed"].toObject();
    }
    EXPECT_EQ(heading, (QJsonObject{{"band", 2}}));
    EXPECT_EQ(code, (QJsonObject{{"band", 5}}));
    EXPECT_EQ(amount["band"], 5);
    EXPECT_EQ(amount["valueType"], "float");
    EXPECT_DOUBLE_EQ(amount["value"].toDouble(), 166656.23);
    EXPECT_EQ(amount["formatText"], "#,##0.00");
}

TEST_F(ListExport, AnOutputThatCannotBeWrittenFailsAndLeavesNoFile)
{
    QDir(dir_.path()).mkdir("sub");
    struct Case {
        std::vector<std::string> args;
        std::string target;
        const char* reason;
    };
    const std::string missing = path("missing/list.xlsx");
    const std::string directory = path("sub");
    const Case cases[] = {
        {prepare({"--xlsx", missing}), missing, "No such file or directory"},
        {prepare({"--csv", directory}), directory, "Is a directory"},
    };
    for (const Case& c : cases) {
        ToolResult r = RunRqtool(c.args);
        EXPECT_EQ(r.exitCode, 1) << r.err;
        EXPECT_NE(r.err.find("Cannot write " + c.target + ": " + c.reason), std::string::npos) << r.err;
    }
    ASSERT_EQ(RunRqtool(prepare({"-o", path("list.rqp")})).exitCode, 0);
    ToolResult r = RunRqtool({"rqp", "html", path("list.rqp"), "-o", path("missing/list.html")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Cannot write " + path("missing/list.html")), std::string::npos) << r.err;
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList({"items.sqlite", "list.rqp"}));
    EXPECT_EQ(QDir(QString::fromStdString(directory)).entryList(QDir::Files), QStringList());
    EXPECT_EQ(RunRqtool({"rqp", "xlsx", path("list.rqp")}).exitCode, 2);
}

}  // namespace
