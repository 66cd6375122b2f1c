// The new-item row of the line grid: it takes the focus from the first line
// and with the mouse, its cells are typed into with the columns' editors,
// and the typed values become one new line when the row is left or Enter is
// pressed; Esc backs out, a refused post keeps everything typed. GRID_NEWROW_GRAB=prefix
// keeps pictures of the idle row and of the row being typed into.
#include "EditingFixture.h"

#include "runtime/db/Field.h"

#include <QImage>

#include <gmock/gmock.h>

#include <cstdlib>

namespace {

class NewItemRow : public EditingFixture {
public:
    NewItemRow()
    {
        grid->SetShowNewItemRow(true);
        grid->ShowRows(10);
        form.resize(620, grid->height() + 40);
        next->move(0, grid->height() + 4);
    }
    // The middle of a cell of the new-item row.
    QPoint newRowCell(int position) const
    {
        QPoint cell = grid->CellPoint(0, position);
        return {cell.x(), grid->NewItemRowRect().center().y()};
    }
    std::string typed(int position) const { return AnsiToUtf8(grid->NewItemRowText(position)); }
    double footer() const { return static_cast<double>(amount->SummaryFooterValue()); }
    // The inside of a cell of the new-item row, clear of its grid lines.
    QRect newRowInside(int position) const
    {
        for (const auto& p : grid->PlaceColumns())
            if (p.position == position) return {p.left + 1, grid->NewItemRowRect().top() + 1, p.width - 3, grid->RowHeight() - 4};
        return {};
    }
};

TEST_F(NewItemRow, TypedValuesBecomeOneRecordOnEnter)
{
    Open();
    double before = footer();
    focusCell(0, 0);
    press(Qt::Key_Up);
    ASSERT_TRUE(grid->IsNewItemRowFocused());
    EXPECT_EQ(grid->NewItemRowColumn(), 0);
    type("P9");
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(query.State(), dsBrowse);  // no record until the row is left
    clickAt(newRowCell(3));  // the code waits in the row; the amount cell opens at once
    EXPECT_EQ(grid->EditorColumn(), 3);
    EXPECT_EQ(typed(0), "P9");
    EXPECT_EQ(grid->NewItemRowColumn(), 3);
    type("100");
    EXPECT_EQ(grid->Count(), 4);
    press(Qt::Key_Return, Qt::NoModifier, "\r");

    EXPECT_THAT(errors, ::testing::IsEmpty());
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(grid->Count(), 5);
    EXPECT_EQ(query.FieldByName("SPDM00")->AsString(), "P9");
    EXPECT_EQ(query.FieldByName("JE0000")->AsFloat(), 100.0);
    EXPECT_EQ(footer(), before + 100);
    // The row is empty and focused again, ready for the next line.
    EXPECT_TRUE(grid->IsNewItemRowFocused());
    EXPECT_FALSE(grid->HasNewItemValues());
}

TEST_F(NewItemRow, EscClosesTheEditorThenDropsTheValues)
{
    Open();
    clickAt(newRowCell(0));
    ASSERT_TRUE(grid->IsNewItemRowFocused());
    type("P9");
    clickAt(newRowCell(2));
    type("3");
    press(Qt::Key_Escape);  // the price typed in this turn goes, the code stays
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(typed(0), "P9");
    EXPECT_EQ(typed(2), "");
    press(Qt::Key_Escape);
    EXPECT_FALSE(grid->HasNewItemValues());
    press(Qt::Key_Down);  // nothing to append: on to the first line
    EXPECT_FALSE(grid->IsNewItemRowFocused());
    EXPECT_EQ(grid->FocusedAbsoluteIndex(), 0);
    EXPECT_EQ(grid->Count(), 4);
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_TRUE(errors.empty());
}

TEST_F(NewItemRow, ARefusedPostKeepsTheRowAndItsValues)
{
    bool refuse = true;
    query.BeforePost = [&](TDataSet*) {
        if (refuse) throw EDatabaseError("Line refused");
    };
    Open();
    double before = footer();
    focusCell(2, 0);
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    press(Qt::Key_Up);  // from the first line into the row
    ASSERT_TRUE(grid->IsNewItemRowFocused());
    type("P9");
    press(Qt::Key_Down);
    EXPECT_THAT(errors, ::testing::ElementsAre("Line refused"));
    EXPECT_TRUE(grid->IsNewItemRowFocused());
    EXPECT_EQ(typed(0), "P9");
    EXPECT_EQ(grid->Count(), 4);
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(footer(), before);

    refuse = false;
    clickAt(grid->CellPoint(1, 1));  // leaving by the mouse appends
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_FALSE(grid->IsNewItemRowFocused());
    EXPECT_EQ(grid->Count(), 5);
    EXPECT_FALSE(grid->HasNewItemValues());
}

TEST_F(NewItemRow, KeysThatDoNothingThereAndGridsWithoutIt)
{
    grid->SetOptionsBehavior(grid->OptionsBehavior().With(edgoAutoSearch).With(edgoMultiSelect));
    Open();
    clickAt(newRowCell(1));
    ASSERT_TRUE(grid->IsNewItemRowFocused());
    press(Qt::Key_Delete, Qt::ControlModifier);
    press(Qt::Key_Down, Qt::ShiftModifier);  // leaves the row, selects nothing
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(grid->SelectedCount(), 0);
    EXPECT_EQ(grid->Count(), 4);

    // Leaving the grid appends what was typed.
    clickAt(newRowCell(0));
    type("P8");
    next->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(grid->Count(), 5);
    EXPECT_EQ(query.FieldByName("SPDM00")->AsString(), "P8");

    // Without edgoCanInsert the row stays out of reach.
    grid->setFocus();
    grid->SetOptionsDB(grid->OptionsDB().Without(edgoCanInsert));
    focusCell(0, 0);
    press(Qt::Key_Up);
    clickAt(newRowCell(0));
    EXPECT_FALSE(grid->IsNewItemRowFocused());
    EXPECT_FALSE(grid->CanUseNewItemRow());
}

// The row in window mode: Up from the dataset's first record enters it,
// Down appends and goes back to the first record.
TEST_F(NewItemRow, WindowMode)
{
    grid->SetOptionsDB(grid->OptionsDB().Without(edgoLoadAllRecords));
    Open();
    focusCell(1, 0);
    press(Qt::Key_Up);
    EXPECT_FALSE(grid->IsNewItemRowFocused());
    press(Qt::Key_Up);
    ASSERT_TRUE(grid->IsNewItemRowFocused());
    type("P7");
    press(Qt::Key_Down);
    EXPECT_TRUE(errors.empty());
    EXPECT_FALSE(grid->IsNewItemRowFocused());
    EXPECT_EQ(query.RecordCount(), 5);
    EXPECT_EQ(query.RecNo(), 1);
    EXPECT_EQ(query.State(), dsBrowse);
}

TEST_F(NewItemRow, PicturesOfTheIdleAndTheTypedRow)
{
    Open();
    focusCell(1, 2);
    QRect row = grid->NewItemRowRect();
    ASSERT_FALSE(row.isEmpty());
    EXPECT_EQ(row.bottom() + 1, grid->DataTop());
    QImage idle = grid->grab().toImage();
    clickAt(newRowCell(0));
    type("P9");
    clickAt(newRowCell(1));
    type(QString::fromUtf8(u8"新烟"));
    QImage typing = grid->grab().toImage();
    if (const char* prefix = std::getenv("GRID_NEWROW_GRAB")) {
        idle.save(QString::fromLocal8Bit(prefix) + "-idle.png");
        typing.save(QString::fromLocal8Bit(prefix) + "-typing.png");
    }
    // Idle, the row is one plain colour inside its grid lines; typed text shows.
    auto plain = [&](const QImage& image, QRect cell) {
        QRgb first = image.pixel(cell.topLeft());
        for (int x = cell.left(); x <= cell.right(); ++x)
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                if (image.pixel(x, y) != first) return false;
        return true;
    };
    QRect codeCell = newRowInside(0);
    EXPECT_TRUE(plain(idle, codeCell));
    EXPECT_FALSE(plain(typing, codeCell));
}

}  // namespace
