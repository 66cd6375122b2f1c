#pragma once
// A dataset-bound grid over a real SQLite table of articles, printed on the
// report engine's virtual printer (A4, so page breaks do not depend on the
// machine's printers), and the printed pages read back as the texts each page
// draws with the boxes they cover.
//
// The table: ITEMS(CODE, NAME, QTY, PRICE, AMOUNT, NOTE), rows "C001" to
// "Cnnn"; QTY is the row number, PRICE 1.5 times it, AMOUNT their product.
// The grid loads every record, keyed by CODE, with a count under CODE and a
// sum under AMOUNT in its footer.

#include "TestDatabase.h"

#include "grid/db/DBGrid.h"
#include "gridprint/GridReport.h"
#include "report/model/Report.h"
#include "report/pages/EMFPages.h"
#include "report/printer/Printer.h"
#include "report/printer/QtPrinterPlatform.h"
#include "report/windows/PreviewFind.h"
#include "runtime/ModalDialog.h"
#include "runtime/Settings.h"
#include "runtime/db/Query.h"

#include <QDialog>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class GridPrintTest : public ::testing::Test {
public:
    static std::string Code(int row)
    {
        char code[16];
        std::snprintf(code, sizeof code, "C%03d", row);
        return code;
    }

protected:
    void SetUp() override
    {
        rqPrinter().AssignPrinter(nullptr);
        // The preview keeps its placement in a file of the test's own.
        SetSettingsFile(QStringToAnsi(settingsDir.filePath(QStringLiteral("settings.ini"))));
        SetModalHook([](QDialog&) {
            ADD_FAILURE() << "a modal window opened that the test did not expect";
            return int(QDialog::Rejected);
        });
        db.Exec("CREATE TABLE ITEMS (CODE TEXT, NAME TEXT, QTY INTEGER, PRICE REAL, AMOUNT REAL, NOTE TEXT)");
        source.SetDataSet(&query);
        query.SetDatabaseName("qdb");
        query.SQL().SetText("SELECT CODE, NAME, QTY, PRICE, AMOUNT, NOTE FROM ITEMS ORDER BY CODE");
    }
    void TearDown() override
    {
        printed.reset();
        grid.reset();
        query.Close();
        SetModalHook({});
        SetSettingsFile({});
        rqPrinter().AssignPrinter(CreateQtPrinterPlatform());
    }

    void InsertRows(int count, const std::string& note = {})
    {
        db.Exec("BEGIN");
        for (int n = 1; n <= count; ++n)
            db.Exec("INSERT INTO ITEMS VALUES (?, ?, ?, ?, ?, ?)",
                    {Variant(Code(n)), Variant("Item " + std::to_string(n)), Variant(n), Variant(n * 1.5),
                     Variant(n * n * 1.5), Variant(n == 7 ? note : std::string())});
        db.Exec("COMMIT");
    }

    // The grid over the table, every column `width` pixels wide; opens the query.
    TqvDBGrid& MakeGrid(int width = 100)
    {
        printed.reset();
        grid.reset();
        columns.clear();
        query.Close();
        grid = std::make_unique<TqvDBGrid>();
        grid->SetDataSource(&source);
        grid->SetKeyField("CODE");
        grid->SetOptionsDB(grid->OptionsDB().With(edgoLoadAllRecords));
        const char* fields[] = {"CODE", "NAME", "QTY", "PRICE", "AMOUNT", "NOTE"};
        for (const char* field : fields) {
            TqvDBTreeListColumn* column = field == std::string("AMOUNT")
                                              ? static_cast<TqvDBTreeListColumn*>(grid->CreateColumnOf<TqvDBGridCurrencyColumn>())
                                              : grid->CreateColumnOf<TqvDBGridColumn>();
            column->SetFieldName(field);
            column->SetCaption(std::string("Col ") + field);
            column->SetWidth(width);
            columns.push_back(column);
        }
        static_cast<TqvDBGridCurrencyColumn*>(columns[4])->SetDisplayFormat(",0.00;-,0.00");
        columns[4]->SetAlignment(taRightJustify);
        columns[0]->SetSummaryFooterType(cstCount);
        columns[4]->SetSummaryFooterType(cstSum);
        grid->SetShowSummaryFooter(true);
        query.Open();
        return *grid;
    }

    // Builds the grid's report without windows (no progress, no preview).
    TrqReport& Prepare(TqvGridPrintOptions options = {})
    {
        if (options.PaperSize == 0) options.PaperSize = 9;  // A4
        printed = std::make_unique<TqvGridReport>(*grid, options);
        printed->Report().SetShowProgress(false);
        EXPECT_TRUE(printed->Report().PrepareReport());
        return printed->Report();
    }

    int PageCount() { return printed->Report().EMFPages().Count(); }
    std::vector<TrqTextItem> Items(int page) { return PageTextItems(printed->Report().EMFPages(), page); }
    std::vector<std::string> Texts(int page)
    {
        std::vector<std::string> texts;
        for (const TrqTextItem& item : Items(page)) texts.push_back(AnsiToUtf8(item.Text));
        return texts;
    }

    QTemporaryDir settingsDir;
    TestDatabase db{TestEngine::SQLite, false};
    TQuery query;
    TDataSource source;
    std::unique_ptr<TqvDBGrid> grid;
    std::vector<TqvDBTreeListColumn*> columns;
    std::unique_ptr<TqvGridReport> printed;
};
