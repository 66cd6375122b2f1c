// Typing to find a row (incremental search on the focused column) and
// selecting rows with Shift and Ctrl, in the line grid in row selection.
#include "EditingFixture.h"

#include <gtest/gtest.h>

namespace {

class SearchSelect : public EditingFixture {
public:
    SearchSelect()
    {
        grid->SetOptionsView(grid->OptionsView().Without(edgoInvertSelect).With(edgoRowSelect));
    }
    int row() const { return grid->FocusedAbsoluteIndex(); }
    void clickRow(int r, Qt::KeyboardModifiers mods)
    {
        QPoint at = grid->CellPoint(r, 0);
        QMouseEvent press(QEvent::MouseButtonPress, at, grid->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, mods);
        QApplication::sendEvent(grid.get(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, grid->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, mods);
        QApplication::sendEvent(grid.get(), &release);
    }
};

TEST_F(SearchSelect, TypingFindsRowsByPrefix)
{
    grid->SetOptionsBehavior(grid->OptionsBehavior().With(edgoAutoSearch).With(edgoCaseInsensitive));
    Open();
    focusCell(0, 0);
    type("p");
    EXPECT_EQ(row(), 0);  // the focused row matches already
    type("9");
    EXPECT_EQ(row(), 3);
    EXPECT_EQ(grid->SearchText(), "p9");
    press(Qt::Key_Backspace, Qt::NoModifier, "\b");
    EXPECT_EQ(grid->SearchText(), "p");
    EXPECT_EQ(row(), 3);
    press(Qt::Key_Return, Qt::ControlModifier);  // the next match, wrapping
    EXPECT_EQ(row(), 0);
    press(Qt::Key_Return, Qt::ShiftModifier);  // the previous one
    EXPECT_EQ(row(), 3);
    type("x");  // finds nothing: dropped with a beep
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(grid->SearchText(), "p");
    press(Qt::Key_Escape);
    EXPECT_FALSE(grid->IsSearching());
    type("p2");
    EXPECT_EQ(row(), 1);
    press(Qt::Key_Down);  // a focus move ends the search
    EXPECT_FALSE(grid->IsSearching());
    EXPECT_EQ(row(), 2);

    // Case counts without edgoCaseInsensitive.
    grid->SetOptionsBehavior(grid->OptionsBehavior().Without(edgoCaseInsensitive));
    type("p");
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(row(), 2);
    type("P1");
    EXPECT_EQ(row(), 0);
    EXPECT_EQ(grid->State(), tsNormal);
    EXPECT_TRUE(errors.empty());
}

TEST_F(SearchSelect, ShiftAndCtrlSelectRows)
{
    grid->SetOptionsBehavior(grid->OptionsBehavior().With(edgoMultiSelect));
    Open();
    focusCell(0, 0);
    press(Qt::Key_Down, Qt::ShiftModifier);
    press(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(grid->SelectedCount(), 3);
    press(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(grid->SelectedCount(), 2);
    press(Qt::Key_Down);  // a plain move starts again
    EXPECT_EQ(grid->SelectedCount(), 0);

    clickRow(0, Qt::ControlModifier);
    clickRow(2, Qt::ControlModifier);
    EXPECT_EQ(grid->SelectedCount(), 2);
    EXPECT_FALSE(grid->IsNodeSelected(grid->Items(1)));
    clickRow(0, Qt::ControlModifier);  // toggled off
    EXPECT_EQ(grid->SelectedCount(), 1);
    clickRow(3, Qt::ShiftModifier);  // from the anchor (row 0)
    EXPECT_EQ(grid->SelectedCount(), 4);
    clickRow(1, Qt::NoModifier);
    EXPECT_EQ(grid->SelectedCount(), 0);
    EXPECT_TRUE(errors.empty());
}

}  // namespace
