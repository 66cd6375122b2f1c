#pragma once
// A dataset-bound grid over a real SQLite database: the grid with its
// protected geometry opened to the tests, and a fixture with a query, its
// data source and a grid sized to show a given number of rows.

#include "GridEvents.h"
#include "TestDatabase.h"

#include "grid/db/DBGrid.h"
#include "runtime/db/FieldKinds.h"
#include "runtime/db/Query.h"
#include "runtime/db/UpdateSQL.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

struct TestDBGrid : TqvDBGrid {
    using TqvDBGrid::TqvDBGrid;
    using TqvDBGrid::DataBottom;
    using TqvDBGrid::DataTop;
    using TqvDBGrid::PlaceColumns;
    using TqvDBGrid::RowHeight;

    // Shows `rows` data rows (and the footer, when it is on).
    void ShowRows(int rows) { resize(600, DataTop() + rows * RowHeight() + (height() - DataBottom())); }
    // The point in the middle of the cell of a visible row and column position.
    QPoint CellPoint(int row, int position) const
    {
        for (const ColumnPlace& p : PlaceColumns())
            if (p.position == position) return {p.left + p.width / 2, DataTop() + row * RowHeight() + RowHeight() / 2};
        return {};
    }
    // The texts of a column (position in the column list) over every root node.
    std::vector<std::string> ColumnTexts(int column) const
    {
        std::vector<std::string> texts;
        for (int i = 0; i < Count(); ++i) texts.push_back(AnsiToUtf8(GetCellText(Items(i), Columns(column))));
        return texts;
    }
};

class DBGridFixture : public ::testing::Test {
public:
    DBGridFixture()
    {
        source.SetDataSet(&query);
        query.SetDatabaseName("qdb");
    }
    ~DBGridFixture() override
    {
        grid.reset();
        query.Close();
    }

    // A grid on the fixture's data source.
    TestDBGrid& MakeGrid()
    {
        grid = std::make_unique<TestDBGrid>();
        grid->SetDataSource(&source);
        return *grid;
    }
    template <class C = TqvDBGridColumn>
    C* AddColumn(const char* fieldName)
    {
        C* column = grid->CreateColumnOf<C>();
        column->SetFieldName(fieldName);
        return column;
    }

    TestDatabase db{TestEngine::SQLite};
    TQuery query;
    TDataSource source;
    std::unique_ptr<TestDBGrid> grid;
};
