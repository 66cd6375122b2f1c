// A grid written as XLSX, CSV and HTML, read back with openpyxl, Python's csv
// module and html.parser: the shown columns in their order (a hidden one
// left out), the rows as sorted, numbers and dates typed by the columns'
// display formats, the footer row, Chinese text, a text that looks like a
// formula, the selected rows only, a window-mode grid, and a file that
// cannot be written.
#include "DBGridFixture.h"
#include "support/ReadBack.h"

#include "grid/db/GridExport.h"
#include "runtime/db/FieldKinds.h"

#include <QDir>
#include <QJsonArray>
#include <QTemporaryDir>

#include <gmock/gmock.h>

namespace {

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

constexpr double March1 = 45352;  // 2024-03-01

class GridExport : public DBGridFixture {
public:
    GridExport()
    {
        db.Exec("CREATE TABLE T (ID INTEGER, CODE VARCHAR(20), NAME VARCHAR(40), PRICE FLOAT, NOTE VARCHAR(10), "
                "DAY DATE)");
        const struct {
            int id;
            const char* code;
            const char* name;
            double price;
        } rows[] = {{1, "A1", "苹果", 1234.5}, {2, "=1+1", "钢铁", -2}, {3, "C3", "螺丝", 10.125}};
        for (const auto& r : rows)
            db.Exec("INSERT INTO T VALUES (?, ?, ?, ?, ?, ?)",
                    {Variant(r.id), Variant(AnsiString(r.code)), Variant(AnsiString(r.name)), Variant(r.price),
                     Variant(AnsiString("x")), Variant::FromDateTime(March1 + r.id - 1)});
        query.SQL().SetText("SELECT ID, CODE, NAME, PRICE, NOTE, DAY FROM T ORDER BY ID");
        MakeGrid();
        grid->SetKeyField("ID");
        grid->SetOptionsDB(grid->OptionsDB().With(edgoLoadAllRecords));
        AddColumn("CODE")->SetCaption(Utf8ToAnsi("代码"));
        AddColumn("NAME");
        auto* price = AddColumn<TqvDBGridCurrencyColumn>("PRICE");
        price->SetDisplayFormat(",0.00;-,0.00");
        price->SetSummaryFooterType(cstSum);
        AddColumn("NOTE")->SetVisible(false);
        AddColumn("DAY");
        auto* id = AddColumn("ID");
        id->SetSummaryFooterType(cstCount);
        id->SetSummaryFooterFormat(Utf8ToAnsi("合计："));
        grid->SetShowSummaryFooter(true);
        grid->ShowRows(6);
        query.Open();
        static_cast<TDateField*>(query.FieldByName("DAY"))->SetDisplayFormat("yyyy-mm-dd");
        sortByPriceDescending();
    }

    // Two clicks on the price header: the rows by price, highest first.
    void sortByPriceDescending()
    {
        QPoint at;
        for (const auto& p : grid->PlaceColumns())
            if (p.position == 2) at = {p.left + p.width / 2, grid->DataTop() / 2};
        for (int i = 0; i < 2; ++i)
            for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                QMouseEvent e(type, at, grid->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
                QApplication::sendEvent(grid.get(), &e);
            }
        ASSERT_EQ(grid->ColumnTexts(0), (std::vector<std::string>{"A1", "C3", "=1+1"}));
    }
    std::string path(const char* name) const { return QDir(dir.path()).filePath(name).toStdString(); }

    QTemporaryDir dir;
};

QJsonArray values(const QJsonArray& row)
{
    QJsonArray out;
    for (const QJsonValue& cell : row) out.append(cell.isNull() ? QJsonValue() : cell["v"]);
    return out;
}

TEST_F(GridExport, SpreadsheetHoldsTheShownColumnsAndRowsWithTypedCellsAndTheFooter)
{
    const std::string file = path("grid.xlsx");
    grid->ExportToXlsx(file);
    const QJsonObject book = ReadBack(file);
    const QJsonArray rows = book["sheets"][0]["rows"].toArray();
    ASSERT_EQ(rows.size(), 5);
    // The hidden NOTE column is left out; captions as shown.
    EXPECT_EQ(values(rows[0].toArray()), (QJsonArray{"代码", "NAME", "PRICE", "DAY", "ID"}));
    EXPECT_EQ(values(rows[1].toArray()), (QJsonArray{"A1", "苹果", 1234.5, "2024-03-01T00:00:00", 1}));
    EXPECT_EQ(values(rows[2].toArray()), (QJsonArray{"C3", "螺丝", 10.125, "2024-03-03T00:00:00", 3}));
    EXPECT_EQ(values(rows[3].toArray()), (QJsonArray{"=1+1", "钢铁", -2, "2024-03-02T00:00:00", 2}));
    // A text that looks like a formula stays a string.
    EXPECT_EQ(SheetCell(book, 3, 0)["t"], "s");
    EXPECT_EQ(SheetCell(book, 1, 2)["t"], "n");
    EXPECT_EQ(SheetCell(book, 1, 2)["f"], "#,##0.00;-#,##0.00");
    EXPECT_EQ(SheetCell(book, 1, 3)["t"], "d");
    EXPECT_EQ(SheetCell(book, 1, 3)["f"], "yyyy-mm-dd");
    EXPECT_EQ(SheetCell(book, 1, 4)["f"], "0");
    EXPECT_TRUE(SheetCell(book, 0, 0)["bold"].toBool());
    // Footer: the sum as a number in its format; a format without digits is its text.
    EXPECT_EQ(values(rows[4].toArray()), (QJsonArray{QJsonValue(), QJsonValue(), 1242.625, QJsonValue(), "合计："}));
    EXPECT_EQ(SheetCell(book, 4, 2)["f"], "0.00;-0.00");
}

TEST_F(GridExport, CsvAndHtmlShowTheSameTable)
{
    const std::string csvFile = path("grid.csv"), htmlFile = path("grid.html");
    TqvGridExportOptions options;
    options.ByteOrderMark = true;
    options.Title = "商品";
    grid->ExportToCsv(csvFile, options);
    grid->ExportToHtml(htmlFile, options);

    const QJsonObject csv = ReadBack(csvFile);
    EXPECT_TRUE(csv["bom"].toBool());
    EXPECT_TRUE(csv["crlf"].toBool());
    // Numbers with the decimals of the display format, plain; dates ISO; the
    // formula-like text behind a single quote.
    EXPECT_EQ(csv["rows"], (QJsonArray{QJsonArray{"代码", "NAME", "PRICE", "DAY", "ID"},
                                       QJsonArray{"A1", "苹果", "1234.50", "2024-03-01", "1"},
                                       QJsonArray{"C3", "螺丝", "10.13", "2024-03-03", "3"},
                                       QJsonArray{"'=1+1", "钢铁", "-2.00", "2024-03-02", "2"},
                                       QJsonArray{"", "", "1242.63", "", "合计："}}));

    const QJsonObject html = ReadBack(htmlFile);
    EXPECT_EQ(html["title"], "商品");
    const QJsonArray rows = html["rows"].toArray();
    ASSERT_EQ(rows.size(), 5);
    auto texts = [&](int row) {
        QJsonArray out;
        for (const QJsonValue& cell : rows[row]["cells"].toArray()) out.append(cell["text"]);
        return out;
    };
    EXPECT_EQ(rows[0]["section"], "thead");
    EXPECT_EQ(texts(0), (QJsonArray{"代码", "NAME", "PRICE", "DAY", "ID"}));
    // The page shows what the grid paints.
    EXPECT_EQ(texts(1), (QJsonArray{"A1", "苹果", "1,234.50", "2024-03-01", "1"}));
    EXPECT_EQ(texts(3), (QJsonArray{"=1+1", "钢铁", "-2.00", "2024-03-02", "2"}));
    EXPECT_EQ(rows[4]["section"], "tfoot");
    EXPECT_EQ(texts(4), (QJsonArray{"", "", "1242.63", "", "合计："}));
}

TEST_F(GridExport, OptionsTakeTheSelectedRowsAndLeaveOutTheFooter)
{
    grid->SetOptionsBehavior(grid->OptionsBehavior().With(edgoMultiSelect));
    grid->SelectNode(grid->Items(2), true);
    grid->SelectNode(grid->Items(0), true);
    TqvGridExportOptions options;
    options.SelectedOnly = true;
    options.Footer = false;
    const std::string file = path("selected.csv");
    grid->ExportToCsv(file, options);
    // Shown order, whatever the order of selection.
    EXPECT_EQ(ReadBack(file)["rows"], (QJsonArray{QJsonArray{"代码", "NAME", "PRICE", "DAY", "ID"},
                                                  QJsonArray{"A1", "苹果", "1234.50", "2024-03-01", "1"},
                                                  QJsonArray{"'=1+1", "钢铁", "-2.00", "2024-03-02", "2"}}));
}

TEST_F(GridExport, AWindowModeGridWritesEveryRecordAndLeavesTheDataSetWhereItWas)
{
    // One row in view: the window holds one node, the file every record.
    grid.reset();
    MakeGrid();
    AddColumn("CODE");
    grid->ShowRows(1);
    query.Locate("ID", Variant(2));
    const std::string file = path("window.csv");
    TqvGridExportOptions options;
    options.Footer = false;
    grid->ExportToCsv(file, options);
    const QJsonArray rows = ReadBack(file)["rows"].toArray();
    EXPECT_EQ(rows, (QJsonArray{QJsonArray{"CODE"}, QJsonArray{"A1"}, QJsonArray{"'=1+1"}, QJsonArray{"C3"}}));
    EXPECT_EQ(query.FieldByName("ID")->AsInteger(), 2);
}

TEST_F(GridExport, AFileThatCannotBeWrittenFailsWithItsPathAndLeavesNothing)
{
    const std::string file = path("missing/grid.xlsx");
    for (auto write : {&TCustomqvDBGrid::ExportToXlsx, &TCustomqvDBGrid::ExportToCsv, &TCustomqvDBGrid::ExportToHtml})
        EXPECT_THAT([&] { (grid.get()->*write)(file, {}); },
                    ThrowsMessage<EExportError>(HasSubstr("Cannot write " + file + ": No such file or directory")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

}  // namespace
