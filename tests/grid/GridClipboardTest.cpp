// Rows copied to the clipboard: the plain text the grid always copied, and an
// HTML table of the same cells beside it (read back with html.parser), after
// Ctrl+C, Ctrl+Insert and the context menu's two copies on a multi-selection.
// The context menu: off by default, opens after a right click has focused the
// row, and leaves an open editor its own menu.
#include "DBGridFixture.h"
#include "support/ReadBack.h"

#include "grid/db/GridContextMenu.h"
#include "grid/editors/InplaceEdit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>

#include <gmock/gmock.h>

namespace {

class GridClipboard : public DBGridFixture {
public:
    GridClipboard()
    {
        db.Exec("CREATE TABLE T (ID INTEGER, NAME VARCHAR(20), QTY FLOAT)");
        db.Exec("INSERT INTO T VALUES (1, ?, 1.5), (2, 'b<&>', 2), (3, 'c', 3)", {Variant(AnsiString("苹果"))});
        query.SQL().SetText("SELECT ID, NAME, QTY FROM T ORDER BY ID");
        MakeGrid();
        grid->SetKeyField("ID");
        grid->SetOptionsDB(grid->OptionsDB().With(edgoLoadAllRecords));
        grid->SetOptionsBehavior(grid->OptionsBehavior().With(edgoMultiSelect));
        AddColumn("ID");
        AddColumn("NAME")->SetCaption(Utf8ToAnsi("名称"));
        AddColumn("QTY");
        grid->ShowRows(5);
        grid->show();
        query.Open();
        QApplication::clipboard()->clear();
    }
    ~GridClipboard() override { QApplication::clipboard()->clear(); }

    void selectFirstAndLast()
    {
        grid->SelectNode(grid->Items(2), true);
        grid->SelectNode(grid->Items(0), true);
    }
    static QString plain()
    {
        const QMimeData* data = QApplication::clipboard()->mimeData();
        return data ? data->text() : QString();
    }
    // The cell texts of the clipboard's HTML table, row by row.
    QJsonArray htmlRows()
    {
        const QMimeData* data = QApplication::clipboard()->mimeData();
        if (!data || !data->hasHtml()) return {};
        const QString file = QDir(dir.path()).filePath("clip.html");
        QFile out(file);
        out.open(QIODevice::WriteOnly);
        out.write(data->html().toUtf8());
        out.close();
        QJsonArray rows;
        for (const QJsonValue& row : ReadBack(file.toStdString())["rows"].toArray()) {
            QJsonArray cells;
            for (const QJsonValue& cell : row["cells"].toArray()) cells.append(cell["text"]);
            rows.append(cells);
        }
        return rows;
    }
    void rightClick(int row)
    {
        const QPoint at = grid->CellPoint(row, 1);
        QMouseEvent press(QEvent::MouseButtonPress, at, grid->mapToGlobal(at), Qt::RightButton, Qt::RightButton,
                          Qt::NoModifier);
        QApplication::sendEvent(grid.get(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, grid->mapToGlobal(at), Qt::RightButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(grid.get(), &release);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, at, grid->mapToGlobal(at));
        QApplication::sendEvent(grid.get(), &menu);
    }
    void trigger(const char* action)
    {
        QMenu* menu = GridContextMenu(*grid);
        ASSERT_TRUE(menu);
        ASSERT_TRUE(menu->isVisible());
        QAction* found = menu->findChild<QAction*>(action);
        ASSERT_TRUE(found) << action;
        menu->hide();
        found->trigger();
    }

    QTemporaryDir dir;
    const QString rowsText = QString::fromUtf8("3\tc\t3\r\n1\t苹果\t1.5");
    const QJsonArray rowsHtml{QJsonArray{"3", "c", "3"}, QJsonArray{"1", "苹果", "1.5"}};
    const QJsonArray headerHtml{"ID", "名称", "QTY"};
};

TEST_F(GridClipboard, CopyKeysPutThePlainTextAndAnHtmlTableOfTheSameCells)
{
    selectFirstAndLast();
    // Ctrl+C copies only with the option on.
    key(*grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(plain(), QString());
    grid->SetOptionsBehavior(grid->OptionsBehavior().With(edgoAutoCopySelectedToClipboard));
    grid->SelectNode(grid->Items(2), true);
    grid->SelectNode(grid->Items(0), true);
    for (int copyKey : {Qt::Key_C, Qt::Key_Insert}) {
        QApplication::clipboard()->clear();
        key(*grid, copyKey, Qt::ControlModifier);
        EXPECT_EQ(plain(), rowsText) << copyKey;
        EXPECT_EQ(htmlRows(), rowsHtml) << copyKey;
    }
    // Markup in a cell stays text.
    grid->ClearSelection();
    grid->SetFocusedNode(grid->Items(1));
    key(*grid, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(plain(), "2\tb<&>\t2");
    EXPECT_EQ(htmlRows(), (QJsonArray{QJsonArray{"2", "b<&>", "2"}}));
}

TEST_F(GridClipboard, TheContextMenuIsOffUntilTurnedOn)
{
    rightClick(1);
    EXPECT_EQ(GridContextMenu(*grid), nullptr);
    EXPECT_EQ(grid->findChildren<QMenu*>().size(), 0);
    // The right click moved the focus as any click does.
    EXPECT_EQ(grid->FocusedNode(), grid->Items(1));
}

TEST_F(GridClipboard, MenuCopiesWithAndWithoutHeadersWhateverTheCopyOption)
{
    SetGridContextMenu(*grid, true);
    selectFirstAndLast();
    rightClick(2);
    trigger("Copy");
    EXPECT_EQ(plain(), rowsText);
    EXPECT_EQ(htmlRows(), rowsHtml);
    rightClick(2);
    trigger("CopyWithHeaders");
    EXPECT_EQ(plain(), QString::fromUtf8("ID\t名称\tQTY\r\n") + rowsText);
    QJsonArray withHeader = rowsHtml;
    withHeader.prepend(headerHtml);
    EXPECT_EQ(htmlRows(), withHeader);
}

TEST_F(GridClipboard, ARightClickFocusesTheRowBeforeTheMenuOpens)
{
    SetGridContextMenu(*grid, true);
    rightClick(1);
    EXPECT_EQ(grid->FocusedNode(), grid->Items(1));
    trigger("Copy");
    EXPECT_EQ(plain(), "2\tb<&>\t2");
}

TEST_F(GridClipboard, AnOpenEditorKeepsItsOwnMenu)
{
    SetGridContextMenu(*grid, true);
    grid->SetOptionsBehavior(grid->OptionsBehavior().With(edgoEditing));
    grid->SetFocusedNode(grid->Items(0));
    grid->SetFocusedColumn(1);
    grid->ShowEditor();
    TqvInplaceEdit* editor = grid->InplaceEditor();
    ASSERT_TRUE(editor);
    // A request that reaches the grid over the editor is left to the editor.
    const QPoint at = editor->geometry().center();
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, grid->mapToGlobal(at));
    QApplication::sendEvent(grid.get(), &menu);
    EXPECT_FALSE(GridContextMenu(*grid)->isVisible());
}

}  // namespace
