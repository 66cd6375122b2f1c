// The grid in window mode over a thousand records: only the visible rows are
// nodes, moving past an edge moves the dataset, and the rows follow the
// dataset's scrolls.
#include "DBGridFixture.h"

#include <gmock/gmock.h>

namespace {

class WindowMode : public DBGridFixture {
public:
    WindowMode()
    {
        std::string script = "CREATE TABLE NUMBERS (ID INTEGER PRIMARY KEY, NAME VARCHAR(20));\nBEGIN;\n";
        for (int i = 1; i <= 1000; ++i)
            script += "INSERT INTO NUMBERS VALUES (" + std::to_string(i) + ", 'row " + std::to_string(i) + "');\n";
        db.Db().ExecScript(script + "COMMIT;");
        query.SQL().SetText("SELECT ID, NAME FROM NUMBERS ORDER BY ID");
        MakeGrid();
        grid->SetKeyField("ID");
        AddColumn("ID");
        AddColumn("NAME");
        grid->ShowRows(10);
        query.Open();
    }

    // The texts of the visible rows' first column, and the focused row's.
    std::vector<std::string> ids() const { return grid->ColumnTexts(0); }
    std::string focusedId() const { return AnsiToUtf8(grid->GetCellText(grid->FocusedNode(), grid->Columns(0))); }
};

TEST_F(WindowMode, HoldsOnlyTheVisibleRecords)
{
    EXPECT_EQ(grid->LoadMode(), TqvDBLoadMode::Window);
    EXPECT_EQ(grid->VisibleRowCount(), 10);
    EXPECT_EQ(grid->Count(), 10);
    EXPECT_EQ(ids().front(), "1");
    EXPECT_EQ(ids().back(), "10");
    // Opening read only what the window shows.
    EXPECT_LE(query.RecordsFetched(), 11);
    EXPECT_EQ(focusedId(), "1");
}

TEST_F(WindowMode, KeysPastTheEdgeMoveTheDataset)
{
    struct Step {
        const char* what;
        int qtKey;
        Qt::KeyboardModifiers mods;
        int recNo;
        const char* top;  // first visible record
        int row;          // focused row
    } steps[] = {
        {"down inside the window", Qt::Key_Down, Qt::NoModifier, 2, "1", 1},
        {"page down: the window's last row", Qt::Key_PageDown, Qt::NoModifier, 10, "1", 9},
        {"down past the last row scrolls by one", Qt::Key_Down, Qt::NoModifier, 11, "2", 9},
        {"page down from the last row: a page less one", Qt::Key_PageDown, Qt::NoModifier, 20, "11", 9},
        {"ctrl+end: the last record", Qt::Key_End, Qt::ControlModifier, 1000, "991", 9},
        {"page up from the last row: a page less one", Qt::Key_PageUp, Qt::NoModifier, 991, "991", 0},
        {"up past the first row scrolls back", Qt::Key_Up, Qt::NoModifier, 990, "990", 0},
        {"ctrl+home: the first record", Qt::Key_Home, Qt::ControlModifier, 1, "1", 0},
    };
    for (const Step& s : steps) {
        key(*grid, s.qtKey, s.mods);
        EXPECT_EQ(query.RecNo(), s.recNo) << s.what;
        EXPECT_EQ(grid->Count(), 10) << s.what;
        EXPECT_EQ(ids().front(), s.top) << s.what;
        EXPECT_EQ(grid->FocusedAbsoluteIndex(), s.row) << s.what;
        EXPECT_EQ(focusedId(), std::to_string(s.recNo)) << s.what;
    }
}

TEST_F(WindowMode, TheRowsFollowTheDataset)
{
    query.MoveBy(500);
    EXPECT_EQ(focusedId(), "501");
    EXPECT_EQ(grid->Count(), 10);
    click(*grid, grid->CellPoint(0, 1));
    EXPECT_EQ(query.RecNo(), grid->DBNode(grid->FocusedNode())->RecordIndex() + 1);
    EXPECT_EQ(focusedId(), std::to_string(query.RecNo()));
    // The footers never load in window mode.
    EXPECT_EQ(grid->LoadedRecordCount(), 0);
    // Fewer records than rows: as many nodes as records.
    query.Close();
    query.SQL().SetText("SELECT ID, NAME FROM NUMBERS WHERE ID <= 3");
    query.Open();
    EXPECT_EQ(grid->Count(), 3);
    query.Close();
    EXPECT_EQ(grid->Count(), 0);
}

}  // namespace
