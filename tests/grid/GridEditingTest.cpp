// Editing the line grid with the keyboard, as an auditor corrects prices:
// typing opens the editor and puts the record into edit state, Enter writes
// the cell and raises OnEdited before any post, Esc backs out step by step,
// Insert/Up/Down add, drop and post lines, Tab leaves the grid, Ctrl+Delete
// asks first. Over a real SQLite query in a shown window.
#include "EditingFixture.h"

#include "runtime/db/Field.h"

#include <QImage>

#include <gmock/gmock.h>

#include <cstdlib>

namespace {

using ::testing::ElementsAre;

class GridEditing : public EditingFixture {
public:
    double fieldValue(const char* name) const { return query.FieldByName(name)->AsFloat(); }
    // The module's recalculation: a price change recomputes the amount.
    void RecalculateOnEdited()
    {
        grid->OnEdited = [this](TComponent*, TqvTreeListNode*) {
            edited.push_back({fieldValue("DJIA00"), query.State(), amount->SummaryFooterValue()});
            if (grid->FocusedColumn() != 2) return;
            query.Edit();
            query.FieldByName("JE0000")->SetAsFloat(fieldValue("SL0000") * fieldValue("DJIA00"));
        };
    }
    struct Edited {
        double price;
        TDataSetState state;
        long double footer;
    };
    std::vector<Edited> edited;
    std::vector<Word> keysSeen;
    void CountKeys()
    {
        grid->OnKeyDown = [this](TComponent* sender, Word& key, TShiftState) {
            EXPECT_EQ(sender, grid.get());
            keysSeen.push_back(key);
        };
    }
    int seen(Word key) const { return static_cast<int>(std::count(keysSeen.begin(), keysSeen.end(), key)); }
};

TEST_F(GridEditing, RowSelectOpensNoEditorButCtrlDeleteAsks)
{
    grid->SetOptionsView(grid->OptionsView().Without(edgoInvertSelect).With(edgoRowSelect));
    grid->SetOptionsDB(grid->OptionsDB().With(edgoConfirmDelete).With(edgoCanDelete));
    Open();
    press(Qt::Key_F2);
    press(Qt::Key_Return, Qt::NoModifier, "\r");
    type("a");
    click(*grid, grid->CellPoint(1, 2));
    QMouseEvent release(QEvent::MouseButtonRelease, grid->CellPoint(1, 2), grid->mapToGlobal(grid->CellPoint(1, 2)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(grid.get(), &release);
    EXPECT_EQ(grid->State(), tsNormal);
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(grid->FocusedColumn(), 0);
    EXPECT_EQ(query.State(), dsBrowse);

    answer = IDCANCEL;
    press(Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].text, "Delete record?");
    EXPECT_EQ(dialogs[0].caption, "Confirm");
    EXPECT_EQ(dialogs[0].flags, unsigned(MB_OKCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(grid->Count(), 4);
    answer = IDOK;
    press(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(grid->Count(), 3);
    EXPECT_THAT(grid->ColumnTexts(0), ElementsAre("P1", "P3", "P9"));  // row 1 (P2) went
    // Selected rows: the other question.
    grid->SelectNode(grid->Items(0), true);
    grid->SelectNode(grid->Items(1), true);
    answer = IDCANCEL;
    press(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(dialogs.back().text, "Delete all selected records?");
    EXPECT_EQ(grid->Count(), 3);
    EXPECT_TRUE(errors.empty());
}

TEST_F(GridEditing, TypingAPriceThenEnterThenDown)
{
    RecalculateOnEdited();
    CountKeys();
    Open();
    long double footer = amount->SummaryFooterValue();
    focusCell(0, 2);
    type("1");
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(query.State(), dsEdit);  // at the first character
    EXPECT_EQ(editorText(), "1");      // the typed text replaced the cell's
    type("2.5");
    EXPECT_EQ(editorText(), "12.5");
    EXPECT_TRUE(edited.empty());
    press(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(seen(VK_RETURN), 1);
    EXPECT_EQ(editor(), nullptr);
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited[0].price, 12.5);  // written before OnEdited
    EXPECT_EQ(edited[0].state, dsEdit);  // and not posted yet
    EXPECT_EQ(amount->SummaryFooterValue(), footer);
    EXPECT_EQ(fieldValue("JE0000"), 125.0);

    // Another price, then Down: the line is posted and the footers follow.
    type("13");
    press(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(fieldValue("JE0000"), 130.0);
    EXPECT_EQ(amount->SummaryFooterValue(), footer);
    press(Qt::Key_Down);
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(amount->SummaryFooterValue(), footer + 5);
    EXPECT_EQ(grid->FocusedAbsoluteIndex(), 1);
    EXPECT_TRUE(errors.empty());
}

TEST_F(GridEditing, EscBacksOutStepByStep)
{
    grid->OnEdited = [this](TComponent*, TqvTreeListNode*) {
        edited.push_back({fieldValue("DJIA00"), query.State(), amount->SummaryFooterValue()});
    };
    Open();
    focusCell(0, 2);
    type("99");
    EXPECT_EQ(editorText(), "99");
    press(Qt::Key_Escape);  // 1: the text reverts, the editor closes, OnEdited still fires
    EXPECT_EQ(editor(), nullptr);
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited[0].price, 12.5);
    EXPECT_EQ(query.State(), dsEdit);
    EXPECT_TRUE(grid->DataLink().Modified());
    press(Qt::Key_Escape);  // 2: the record is read again, still in edit state
    EXPECT_FALSE(grid->DataLink().Modified());
    EXPECT_EQ(query.State(), dsEdit);
    press(Qt::Key_Escape);  // 3: the edit is cancelled
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(fieldValue("DJIA00"), 12.5);
    EXPECT_TRUE(errors.empty());
}

TEST_F(GridEditing, EnterWalkOfTheAuditWindow)
{
    // The window's OnKeyDown takes Enter and moves the column itself.
    RecalculateOnEdited();
    CountKeys();
    auto walk = grid->OnKeyDown;
    grid->OnKeyDown = [&](TComponent* s, Word& key, TShiftState shift) {
        walk(s, key, shift);
        if (key != VK_RETURN) return;
        key = 0;
        grid->SetFocusedColumn(grid->FocusedColumn() + 1);
    };
    Open();
    focusCell(0, 1);
    press(Qt::Key_Return, Qt::NoModifier, "\r");  // no editor: moves, then the Enter character opens one
    EXPECT_EQ(grid->FocusedColumn(), 2);
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editorText(), "12.5");
    type("14");
    press(Qt::Key_Return, Qt::NoModifier, "\r");  // in the editor: written, moved, no new editor
    EXPECT_EQ(seen(VK_RETURN), 2);
    EXPECT_EQ(grid->FocusedColumn(), 3);
    EXPECT_EQ(editor(), nullptr);
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited[0].price, 14.0);
    EXPECT_EQ(fieldValue("JE0000"), 140.0);  // recalculated while column 2 was focused
    EXPECT_TRUE(errors.empty());
}

TEST_F(GridEditing, EveryKeyReachesOnKeyDownOnce)
{
    CountKeys();
    Open();
    struct Case {
        int qtKey;
        Qt::KeyboardModifiers mods;
        const char* text;
        Word vk;
        bool staysOpen;
    };
    const Case cases[] = {
        {Qt::Key_Left, Qt::NoModifier, "", VK_LEFT, true},
        {Qt::Key_Right, Qt::NoModifier, "", VK_RIGHT, true},
        {Qt::Key_Home, Qt::NoModifier, "", VK_HOME, true},
        {Qt::Key_End, Qt::NoModifier, "", VK_END, true},
        {Qt::Key_Delete, Qt::NoModifier, "", VK_DELETE, true},
        {Qt::Key_5, Qt::NoModifier, "5", '5', true},
        {Qt::Key_F2, Qt::NoModifier, "", VK_F2, true},
        {Qt::Key_Return, Qt::NoModifier, "\r", VK_RETURN, false},
        {Qt::Key_Escape, Qt::NoModifier, "\x1b", VK_ESCAPE, false},
        {Qt::Key_Up, Qt::NoModifier, "", VK_UP, false},
        {Qt::Key_Down, Qt::NoModifier, "", VK_DOWN, false},
        {Qt::Key_PageUp, Qt::NoModifier, "", VK_PRIOR, false},
        {Qt::Key_PageDown, Qt::NoModifier, "", VK_NEXT, false},
    };
    for (const Case& c : cases) {
        query.Cancel();
        focusCell(1, 2);
        press(Qt::Key_F2);
        ASSERT_NE(editor(), nullptr) << c.vk;
        TqvInplaceEdit* open = editor();
        keysSeen.clear();
        press(c.qtKey, c.mods, QString::fromLatin1(c.text));
        EXPECT_EQ(seen(c.vk), 1) << "key " << c.vk;
        EXPECT_EQ(editor() != nullptr, c.staysOpen) << "key " << c.vk;
        EXPECT_EQ(AnsiToUtf8(open->Text()).find('\r'), std::string::npos);
        if (editor()) press(Qt::Key_Escape);
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(GridEditing, InsertUpAndDownAtTheEnds)
{
    Open();
    focusCell(3, 2);
    press(Qt::Key_Insert);
    EXPECT_EQ(query.State(), dsInsert);
    EXPECT_EQ(grid->Count(), 5);
    ASSERT_NE(editor(), nullptr);  // on the new node
    EXPECT_EQ(grid->FocusedNode(), grid->InsertingNode());
    press(Qt::Key_Up);  // nobody touched it: it goes
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(grid->Count(), 4);

    // Down on the last row posts the edited line (no append without edgoCanAppend).
    focusCell(3, 2);
    type("2");
    press(Qt::Key_Down);
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(grid->Count(), 4);
    EXPECT_EQ(grid->FocusedAbsoluteIndex(), 3);
    EXPECT_EQ(query.FieldByName("DJIA00")->AsFloat(), 2.0);
    EXPECT_TRUE(errors.empty());
}

// The same ends in window mode, where the dataset moves instead of the focus.
TEST_F(GridEditing, InsertUpAndDownInWindowMode)
{
    grid->SetOptionsDB(grid->OptionsDB().Without(edgoLoadAllRecords).With(edgoCanAppend));
    Open();
    focusCell(1, 2);
    press(Qt::Key_Insert);
    EXPECT_EQ(query.State(), dsInsert);
    press(Qt::Key_Down);  // an untouched insert inside the dataset is dropped, and the focus stays
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(query.RecordCount(), 4);

    press(Qt::Key_End, Qt::ControlModifier);
    press(Qt::Key_Down);  // past the last record with edgoCanAppend: a record is appended
    EXPECT_EQ(query.State(), dsInsert);
    press(Qt::Key_Up);  // nobody touched it: it goes
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(query.RecordCount(), 4);
    EXPECT_EQ(query.RecNo(), 4);
    EXPECT_TRUE(errors.empty());
}

TEST_F(GridEditing, ImmediateEditorOpensOnTheClickedCell)
{
    grid->SetOptionsBehavior(grid->OptionsBehavior().Without(edgoImmediateEditor));
    Open();
    focusCell(1, 0);
    clickAt(grid->CellPoint(1, 2));
    EXPECT_EQ(editor(), nullptr);  // without edgoImmediateEditor a click only focuses
    EXPECT_EQ(grid->FocusedColumn(), 2);
    grid->SetOptionsBehavior(grid->OptionsBehavior().With(edgoImmediateEditor));
    clickAt(grid->CellPoint(1, 3));
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(grid->FocusedAbsoluteIndex(), 1);
    EXPECT_EQ(grid->FocusedColumn(), 3);
    EXPECT_EQ(grid->EditorColumn(), 3);
    EXPECT_EQ(editor()->geometry().center().y(), grid->CellPoint(1, 3).y());
}

// Two header rows: code and price above name and amount.
TEST_F(GridEditing, VertThroughWalksTheHeaderRowsFirst)
{
    grid->SetHeaderPanelRowCount(2);
    for (TqvTreeListColumn* c : {static_cast<TqvTreeListColumn*>(code), static_cast<TqvTreeListColumn*>(name)}) c->SetWidth(80);
    price->SetWidth(120);
    amount->SetWidth(120);
    name->SetRowIndex(1);
    amount->SetRowIndex(1);
    Open();
    const int codeAt = 0, priceAt = 1, nameAt = 2, amountAt = 3;
    struct Case {
        bool through;
        int row, column, key, toRow, toColumn;
        const char* why;
    };
    const Case cases[] = {
        {true, 0, codeAt, Qt::Key_Down, 0, nameAt, "down to the band's second header row"},
        {true, 0, nameAt, Qt::Key_Down, 1, codeAt, "past the last header row: the next row, at its top"},
        {true, 1, priceAt, Qt::Key_Up, 0, amountAt, "up past the first header row: the row above, at its bottom"},
        {true, 1, amountAt, Qt::Key_Up, 1, priceAt, "up within the row"},
        {true, 0, codeAt, Qt::Key_Up, 0, codeAt, "nothing above the first row's top header row"},
        {false, 0, codeAt, Qt::Key_Down, 1, codeAt, "without the flag the rows move at once"},
    };
    for (const Case& c : cases) {
        auto behavior = grid->OptionsBehavior();
        grid->SetOptionsBehavior(c.through ? behavior.With(edgoVertThrough) : behavior.Without(edgoVertThrough));
        focusCell(c.row, c.column);
        press(c.key);
        EXPECT_EQ(grid->FocusedAbsoluteIndex(), c.toRow) << c.why;
        EXPECT_EQ(grid->FocusedColumn(), c.toColumn) << c.why;
    }
    EXPECT_TRUE(errors.empty());
}

// A mask refused on Enter takes the focus back marked for re-entry: entering
// it again is the same editing turn, so Esc still goes back to the text from
// before the refused one and lets the user out.
TEST_F(GridEditing, ARefusedMaskKeepsItsRestorePointOnReentry)
{
    auto* masked = AddColumn<TqvDBGridMaskColumn>("SPDM00");
    masked->SetEditMask("L00;1;_");
    Open();
    focusCell(0, 4);
    press(Qt::Key_F2);
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editorText(), "P1_");
    press(Qt::Key_Delete);
    type("x1");
    press(Qt::Key_Return, Qt::NoModifier, "\r");
    ASSERT_EQ(errors.size(), 1u);
    ASSERT_NE(editor(), nullptr);
    EXPECT_TRUE(editor()->IsMarkedForReentry());
    editor()->Activate();
    EXPECT_FALSE(editor()->IsMarkedForReentry());
    press(Qt::Key_Escape);
    EXPECT_EQ(editor(), nullptr);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(query.FieldByName("SPDM00")->AsString(), "P1");
}

TEST_F(GridEditing, TabFromTheEditorWritesAndLeavesTheGrid)
{
    RecalculateOnEdited();
    Open();
    focusCell(0, 2);
    type("15");
    press(Qt::Key_Tab, Qt::NoModifier, "\t");
    EXPECT_EQ(QApplication::focusWidget(), next);
    EXPECT_EQ(editor(), nullptr);
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited[0].price, 15.0);
    EXPECT_EQ(query.State(), dsEdit);  // written into the record, not posted
    EXPECT_EQ(fieldValue("DJIA00"), 15.0);
    EXPECT_EQ(fieldValue("JE0000"), 150.0);
    EXPECT_TRUE(errors.empty());
}

TEST_F(GridEditing, ReadOnlyFieldsOpenButRefuseChanges)
{
    Open();
    query.FieldByName("SPMC00")->SetReadOnly(true);
    focusCell(0, 1);
    type("x");
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editorText(), AnsiToUtf8(Ansi(u8"甲烟")));
    EXPECT_EQ(query.State(), dsBrowse);
    press(Qt::Key_Backspace, Qt::NoModifier, "\b");
    EXPECT_EQ(editorText(), AnsiToUtf8(Ansi(u8"甲烟")));
    EXPECT_TRUE(errors.empty());
}

}  // namespace

namespace {

// The open editor lies exactly over its cell (2 pixels larger on every side,
// clipped by no border over grid lines) and paints the cell's text in the
// window's picture. GRID_EDIT_GRAB=file.png keeps the picture to look at.
TEST_F(GridEditing, TheEditorCoversItsCellInThePicture)
{
    Open();
    focusCell(1, 2);
    type("20.125");
    ASSERT_NE(editor(), nullptr);
    QRect cell(grid->CellPoint(1, 2), QSize(1, 1));
    EXPECT_TRUE(editor()->geometry().contains(cell));
    EXPECT_EQ(editor()->geometry().height(), grid->RowHeight() + 4);
    QImage picture = form.grab().toImage();
    if (const char* file = std::getenv("GRID_EDIT_GRAB")) picture.save(QString::fromLocal8Bit(file));
    // Something is drawn inside the editor: not one flat colour.
    QRect inside = editor()->geometry().adjusted(3, 3, -3, -3);
    QRgb first = picture.pixel(inside.topLeft());
    bool drawn = false;
    for (int x = inside.left(); x <= inside.right() && !drawn; ++x)
        for (int y = inside.top(); y <= inside.bottom() && !drawn; ++y) drawn = picture.pixel(x, y) != first;
    EXPECT_TRUE(drawn);
}

}  // namespace
