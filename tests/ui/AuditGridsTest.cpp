// The audit module's two grids, configured by the window's own set-up, over
// the data module and the demo documents: the header grid in
// window mode, the line grid in load-all mode keyed by product code with its
// count and sum footers.
#include "../grid/DBGridFixture.h"

#include "data/Params.h"
#include "data/Tdm.h"
#include "db/DemoData.h"
#include "grid/db/DBGrid.h"
#include "grid/db/GridContextMenu.h"
#include "support/ReadBack.h"
#include "ui/AuditGrids.h"

#include <QImage>
#include <QJsonArray>
#include <QScrollBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

using Grid = TestDBGrid;

class AuditGrids : public ::testing::Test {
public:
    AuditGrids()
    {
        GenerateDemoData(db.Db(), DemoDataOptions{12, 20240101});
        Params = {kDemoCompany, "", "A01", Ansi(u8"审核员"), "2024-3-11 9:00:00", "", "", "", "600", "1000", "100", "50"};
        ConfigureHeaderGrid(header, &dm);
        ConfigureLineGrid(lines, &dm);
        header.resize(1000, 188);
        lines.resize(1000, 400);
        dm.qry_xstgjfp1->Open();
        dm.qry_xstgjfp2->Open();
    }
    ~AuditGrids() override
    {
        dm.qry_xstgjfp2->Close();
        dm.qry_xstgjfp1->Close();
    }

    // The current document's number, and an SQL value over its lines.
    std::string document() const { return dm.qry_xstgjfp1DHAO00->AsString(); }
    double sql(const std::string& aggregate)
    {
        return std::stod(db.Scalar("SELECT " + aggregate + " FROM XSTGJFP2 A, GSTJYGL1 B WHERE A.SPDM00=B.SPDM00 AND "
                                   "A.GSDW00='" + std::string(kDemoCompany) + "' AND A.DHAO00=" + document()));
    }
    std::string footer(int index) const
    {
        return AnsiToUtf8(static_cast<TqvDBTreeListColumn*>(lines.Columns(index))->SummaryFooterText());
    }
    static std::string twoDecimals(double v)
    {
        char text[64];
        std::snprintf(text, sizeof text, "%.2f", v);
        return text;
    }

    TestDatabase db{TestEngine::SQLite};
    Tdm dm;
    Grid header;
    Grid lines;
};

TEST_F(AuditGrids, TheLineGridShowsTheDocumentsLinesWithTheirTotals)
{
    EXPECT_EQ(lines.objectName(), QStringLiteral("dbg_xstgjfp2"));
    EXPECT_EQ(lines.LoadMode(), TqvDBLoadMode::LoadAll);
    EXPECT_EQ(header.LoadMode(), TqvDBLoadMode::Window);
    for (int document = 0; document < 4; ++document, dm.qry_xstgjfp1->Next()) {
        SCOPED_TRACE("document " + this->document());
        ASSERT_EQ(lines.Count(), static_cast<int>(sql("COUNT(*)")));
        // The lines in product-code order, as the query reads them.
        dm.qry_xstgjfp2->First();
        for (int i = 0; i < lines.Count(); ++i, dm.qry_xstgjfp2->Next())
            EXPECT_EQ(lines.GetCellText(lines.Items(i), lines.Columns(0)), dm.qry_xstgjfp2SPDM00->AsString());
        dm.qry_xstgjfp2->First();
        EXPECT_EQ(footer(2), "合计：");
        EXPECT_EQ(footer(3), " " + twoDecimals(sql("SUM(A.SL0000)")));
        EXPECT_EQ(footer(4), twoDecimals(sql("SUM(A.JE0000)")));
        EXPECT_EQ(footer(5), twoDecimals(sql("SUM(A.SE0000)")));
        EXPECT_DOUBLE_EQ(static_cast<double>(static_cast<TqvDBTreeListColumn*>(lines.Columns(2))->SummaryFooterValue()),
                         sql("COUNT(*)"));
    }
}

TEST_F(AuditGrids, FootersEqualTheDatabasesAggregates)
{
    auto* amount = static_cast<TqvDBTreeListColumn*>(lines.Columns(4));
    struct Kind {
        TqvSummaryType type;
        const char* aggregate;
    } kinds[] = {{cstSum, "SUM(A.JE0000)"},   {cstMin, "MIN(A.JE0000)"}, {cstMax, "MAX(A.JE0000)"},
                 {cstCount, "COUNT(*)"},      {cstAvg, "AVG(A.JE0000)"}};
    for (int document = 0; document < 3; ++document, dm.qry_xstgjfp1->Next())
        for (const Kind& k : kinds) {
            amount->SetSummaryFooterType(k.type);
            lines.FullRefresh();
            double want = sql(k.aggregate);
            EXPECT_NEAR(static_cast<double>(amount->SummaryFooterValue()), want, 1e-9 * std::max(1.0, want))
                << k.aggregate << " of document " << this->document();
        }
}

TEST_F(AuditGrids, ClicksAndKeysMoveTheLinesAndTheLinesMoveTheFocus)
{
    ASSERT_GE(lines.Count(), 5);
    click(lines, lines.CellPoint(3, 1));
    EXPECT_EQ(dm.qry_xstgjfp2->RecNo(), 4);
    EXPECT_EQ(lines.FocusedColumn(), 0);  // row selection
    key(lines, Qt::Key_Down);
    EXPECT_EQ(dm.qry_xstgjfp2->RecNo(), 5);
    dm.qry_xstgjfp2->Prior();
    EXPECT_EQ(lines.FocusedAbsoluteIndex(), 3);
    AnsiString second = lines.GetCellText(lines.Items(1), lines.Columns(0));
    ASSERT_TRUE(dm.qry_xstgjfp2->Locate("SPDM00", Variant(second)));
    EXPECT_EQ(lines.FocusedAbsoluteIndex(), 1);
}

TEST_F(AuditGrids, MovingTheHeaderReloadsTheLines)
{
    std::string first = document();
    long double total = static_cast<TqvDBTreeListColumn*>(lines.Columns(4))->SummaryFooterValue();
    key(header, Qt::Key_Down);
    ASSERT_NE(document(), first);
    EXPECT_EQ(lines.Count(), static_cast<int>(sql("COUNT(*)")));
    EXPECT_EQ(footer(4), twoDecimals(sql("SUM(A.JE0000)")));
    EXPECT_NE(static_cast<TqvDBTreeListColumn*>(lines.Columns(4))->SummaryFooterValue(), total);
    // The header grid holds the visible headers only.
    EXPECT_EQ(header.Count(), header.VisibleRowCount());
    EXPECT_LT(header.Count(), dm.qry_xstgjfp1->RecordCount());
}

TEST_F(AuditGrids, PostingAnEditedLineChangesTheTotals)
{
    auto* amount = static_cast<TqvDBTreeListColumn*>(lines.Columns(4));
    long double before = amount->SummaryFooterValue();
    dm.qry_xstgjfp2->Edit();
    double old = dm.qry_xstgjfp2JE0000->AsFloat();
    dm.qry_xstgjfp2JE0000->SetAsFloat(old + 100);
    EXPECT_EQ(amount->SummaryFooterValue(), before);  // not before the post
    dm.qry_xstgjfp2->Post();
    EXPECT_NEAR(static_cast<double>(amount->SummaryFooterValue() - before), 100, 1e-6);
    EXPECT_EQ(lines.FocusedAbsoluteIndex(), 0);
}

TEST_F(AuditGrids, AnEmptyDocumentShowsZerosAndTheCaption)
{
    db.Exec("INSERT INTO XSTGJFP1 (GSDW00, DHAO00, CKRQ00) VALUES (?, 2099000001, '2099-01-01 08:00:00')",
            {kDemoCompany});
    dm.qry_xstgjfp1->Close();
    dm.qry_xstgjfp1->Open();  // the newest document comes first
    dm.qry_xstgjfp2->Open();
    ASSERT_EQ(document(), "2099000001");
    EXPECT_EQ(lines.Count(), 0);
    for (int i = 2; i < 6; ++i)
        EXPECT_EQ(static_cast<TqvDBTreeListColumn*>(lines.Columns(i))->SummaryFooterValue(), 0.0L) << i;
    EXPECT_EQ(footer(2), "合计：");
    EXPECT_EQ(footer(3), " 0.00");
    EXPECT_EQ(footer(4), "0.00");
}

// The grid painted well enough to see: rows with their texts, and the footer.
TEST_F(AuditGrids, AGrabShowsRowsAndTheFooter)
{
    lines.show();
    QImage image = lines.grab().toImage();
    if (const char* dir = getenv("GRID_GRAB_DIR")) image.save(QString::fromUtf8(dir) + "/line-grid.png");
    auto inkIn = [&](QRect zone) {
        QRgb background = image.pixel(zone.right() - 1, zone.top() + 1);
        int ink = 0;
        for (int y = zone.top(); y <= zone.bottom(); ++y)
            for (int x = zone.left(); x <= zone.right(); ++x) ink += image.pixel(x, y) != background;
        return ink;
    };
    // The footer's cell under the amount column, and the text of a second row.
    int footerTop = lines.DataBottom();
    QRect amountFooter;
    QRect secondRow;
    for (const auto& p : lines.PlaceColumns())
        if (p.position == 4) {
            amountFooter = QRect(p.left + 2, footerTop + 3, p.width - 4, lines.height() - footerTop - 6);
            secondRow = QRect(p.left + 2, lines.DataTop() + lines.RowHeight() + 2, p.width - 4, lines.RowHeight() - 4);
        }
    EXPECT_GT(inkIn(amountFooter), 20);
    EXPECT_GT(inkIn(secondRow), 20);
    // Edit mode swaps row selection for inverted selection: rows 2 pixels
    // taller, the focused cell left unhighlighted.
    int rowHeight = lines.RowHeight();
    lines.SetOptionsView(lines.OptionsView().Without(edgoRowSelect).With(edgoInvertSelect));
    lines.SetFocusedColumn(2);
    EXPECT_EQ(lines.RowHeight(), rowHeight + 2);
    image = lines.grab().toImage();
    if (const char* dir = getenv("GRID_GRAB_DIR")) image.save(QString::fromUtf8(dir) + "/line-grid-edit.png");
    QColor highlight = ToQColor(clHighlight, &lines.palette());
    int y = lines.DataTop() + lines.RowHeight() / 2;
    for (const auto& p : lines.PlaceColumns())
        EXPECT_EQ(image.pixelColor(p.left + 1, y) == highlight, p.position != 2) << p.position;
    lines.hide();
}

// The header grid in row selection: the focused row highlighted from the
// first column to the right edge, the columns filling the width inside the
// vertical scroll bar exactly.
TEST_F(AuditGrids, TheHeaderGridFillsItsWidthAndHighlightsTheFocusedRow)
{
    header.show();
    QImage image = header.grab().toImage();
    if (const char* dir = getenv("GRID_GRAB_DIR")) image.save(QString::fromUtf8(dir) + "/header-grid.png");
    auto places = header.PlaceColumns();
    ASSERT_EQ(places.size(), 9u);
    // One pixel of FixedBandLineWidth at the right of the fixed band.
    EXPECT_EQ(places.back().left + places.back().width, header.ClientWidth() - 1);
    EXPECT_EQ(header.ClientWidth(), header.width() - header.VerticalScrollBar()->width());
    QColor highlight = ToQColor(clHighlight, &header.palette());
    int y = header.DataTop() + header.RowHeight() / 2;
    EXPECT_EQ(image.pixelColor(places.front().left + 1, y), highlight);
    EXPECT_EQ(image.pixelColor(places.back().left + places.back().width - 2, y), highlight);
    EXPECT_NE(image.pixelColor(places.back().left + places.back().width - 2, y + header.RowHeight()), highlight);
    header.hide();
}

TEST_F(AuditGrids, BothGridsHaveTheContextMenuAndExportWhatTheyShow)
{
    EXPECT_TRUE(HasGridContextMenu(header));
    EXPECT_TRUE(HasGridContextMenu(lines));
    QTemporaryDir dir;
    const std::string linesFile = dir.filePath("lines.xlsx").toStdString();
    lines.ExportToXlsx(linesFile);
    const QJsonObject book = ReadBack(linesFile);
    const QJsonArray rows = book["sheets"][0]["rows"].toArray();
    // Header, one row per line, the footer.
    ASSERT_EQ(rows.size(), lines.Count() + 2);
    EXPECT_EQ(SheetCell(book, 0, 1)["v"], "商品名称");
    EXPECT_EQ(SheetCell(book, 1, 0)["v"].toString().toStdString(),
              AnsiToUtf8(lines.GetCellText(lines.Items(0), lines.Columns(0))));
    EXPECT_EQ(SheetCell(book, 1, 4)["t"], "n");
    EXPECT_EQ(SheetCell(book, 1, 4)["f"], "#,##0.00;-#,##0.00");
    EXPECT_EQ(SheetCell(book, 1, 2)["f"], "#,##0.000000;-#,##0.000000");
    const int footer = lines.Count() + 1;
    EXPECT_EQ(SheetCell(book, footer, 2)["v"], "合计：");
    EXPECT_NEAR(SheetCell(book, footer, 4)["v"].toDouble(), sql("SUM(A.JE0000)"), 1e-6);
    // The header grid shows a window of rows; its file has every document.
    const std::string headerFile = dir.filePath("header.csv").toStdString();
    header.ExportToCsv(headerFile);
    EXPECT_EQ(ReadBack(headerFile)["rows"].toArray().size(),
              1 + std::stoi(db.Scalar("SELECT COUNT(*) FROM XSTGJFP1 WHERE GSDW00='" + std::string(kDemoCompany) + "'")));
}

}  // namespace
