// When an open cell editor is closed by something other than its own keys:
// a click on another row, a change of the option sets, Tab with no other
// control to go to. Each writes the editor's text into the record it was
// opened on and raises OnEdited there, before anything else moves.
#include "EditingFixture.h"

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;

class EditorClosing : public EditingFixture {
public:
    EditorClosing()
    {
        grid->OnEdited = [this](TComponent*, TqvTreeListNode* node) {
            edited.push_back({AnsiToUtf8(query.FieldByName("SPDM00")->AsString()), grid->Items(0) == node ? 0 : -1,
                              query.FieldByName("DJIA00")->AsFloat()});
        };
    }
    struct Edited {
        std::string line;  // the dataset's record while OnEdited runs
        int node;          // 0 when the node handed over is the first row
        double price;
        bool operator==(const Edited&) const = default;
    };
    std::vector<Edited> edited;
    std::string currentLine() const { return AnsiToUtf8(query.FieldByName("SPDM00")->AsString()); }
};

TEST_F(EditorClosing, AClickOnAnotherRowWritesTheEditedRecordFirst)
{
    Open();
    focusCell(0, 2);
    press(Qt::Key_F2);
    ASSERT_NE(editor(), nullptr);
    clickAt(grid->CellPoint(2, 1));  // untouched: still closed through OnEdited
    EXPECT_EQ(currentLine(), "P3");
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited[0].line, "P1");
    EXPECT_EQ(edited[0].node, 0);
    // (The immediate editor opens on the clicked cell.)
    grid->HideEditor();
    edited.clear();

    focusCell(0, 2);
    type("15");
    ASSERT_NE(editor(), nullptr);
    clickAt(grid->CellPoint(1, 1));
    ASSERT_GE(edited.size(), 1u);
    EXPECT_EQ(edited[0], (Edited{"P1", 0, 15.0}));
    grid->HideEditor();
    EXPECT_EQ(currentLine(), "P2");
    ASSERT_TRUE(query.Locate("SPDM00", Variant("P1")));
    EXPECT_EQ(query.FieldByName("DJIA00")->AsFloat(), 15.0);
    EXPECT_TRUE(errors.empty());
}

TEST_F(EditorClosing, ChangingAnOptionSetWritesTheTextFirst)
{
    Open();
    struct Change {
        const char* what;
        std::function<void()> change;
    } changes[] = {
        {"view", [&] { grid->SetOptionsView(grid->OptionsView().With(edgoIndicator)); }},
        {"behavior", [&] { grid->SetOptionsBehavior(grid->OptionsBehavior().With(edgoMouseScroll)); }},
        {"db", [&] { grid->SetOptionsDB(grid->OptionsDB().Set(edgoConfirmDelete, !grid->OptionsDB().Contains(edgoConfirmDelete))); }},
    };
    double price = 20;
    for (const Change& c : changes) {
        SCOPED_TRACE(c.what);
        edited.clear();
        focusCell(0, 2);
        type(QString::number(price));
        ASSERT_NE(editor(), nullptr);
        c.change();
        EXPECT_EQ(editor(), nullptr);
        EXPECT_THAT(edited, ElementsAre(Edited{"P1", 0, price}));
        EXPECT_EQ(query.FieldByName("DJIA00")->AsFloat(), price);
        ++price;
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(EditorClosing, TabWithNoOtherControlKeepsTheFocusAndTheCell)
{
    next->hide();
    Open();
    struct Case {
        const char* what;
        int qtKey;
        Qt::KeyboardModifiers mods;
    } cases[] = {
        {"tab", Qt::Key_Tab, Qt::NoModifier},
        {"shift+tab", Qt::Key_Backtab, Qt::ShiftModifier},
        {"ctrl+tab", Qt::Key_Tab, Qt::ControlModifier},
    };
    double price = 30;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        edited.clear();
        focusCell(1, 2);
        type(QString::number(price));
        ASSERT_NE(editor(), nullptr);
        press(c.qtKey, c.mods, "\t");
        if (c.mods & Qt::ControlModifier) {
            // Nobody's key: the editor stays open with its text.
            ASSERT_NE(editor(), nullptr);
            grid->HideEditor();
        }
        EXPECT_EQ(editor(), nullptr);
        EXPECT_THAT(edited, ElementsAre(Edited{"P2", -1, price}));
        EXPECT_EQ(QApplication::focusWidget(), grid.get());
        EXPECT_EQ(currentLine(), "P2");
        EXPECT_EQ(grid->FocusedColumn(), 2) << "Tab never walks the cells here";
        // Without an editor it changes nothing at all.
        press(c.qtKey, c.mods, "\t");
        EXPECT_EQ(currentLine(), "P2");
        EXPECT_EQ(grid->FocusedColumn(), 2);
        EXPECT_EQ(editor(), nullptr);
        ++price;
    }
    EXPECT_TRUE(errors.empty());
}

}  // namespace
