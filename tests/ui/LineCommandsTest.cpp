// Edit, save and cancel of a document's lines: what reaches the database,
// and what the window shows afterwards.
#include "AuditWindowFixture.h"

#include "grid/editors/InplaceEdit.h"
#include "ui/AuditGrids.h"

#include <QKeyEvent>

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;

class LineCommandsTest : public AuditWindowFixture {
protected:
    void SetUp() override
    {
        AuditWindowFixture::SetUp();
        Open();
        GoToDocument(101);
    }

    // Every stored line of the database, as "company/document/code price amount tax".
    std::vector<std::string> storedLines()
    {
        std::vector<std::string> rows;
        for (int i = 0;; ++i) {
            auto column = [&](const char* name) {
                return db->Scalar(std::string("SELECT ") + name +
                                  " FROM XSTGJFP2 ORDER BY GSDW00, DHAO00, SPDM00 LIMIT 1 OFFSET " + std::to_string(i));
            };
            std::string company = column("GSDW00");
            if (company.empty()) return rows;
            rows.push_back(company + "/" + column("DHAO00") + "/" + column("SPDM00") + " " + column("DJIA00") + " " +
                           column("JE0000") + " " + column("SE0000"));
        }
    }

    // The stored lines that differ from `before` (same lines, same order), as now.
    std::vector<std::string> changedSince(const std::vector<std::string>& before)
    {
        std::vector<std::string> after = storedLines(), changed;
        if (after.size() != before.size()) return {"lines added or removed"};
        for (size_t i = 0; i < after.size(); ++i)
            if (after[i] != before[i]) changed.push_back(after[i]);
        return changed;
    }

    // Sets the price of the line with that code as the grid would.
    void setPrice(const char* code, double price)
    {
        ASSERT_TRUE(dm->qry_xstgjfp2->Locate("SPDM00", Variant(code)));
        dm->qry_xstgjfp2->Edit();
        dm->qry_xstgjfp2DJIA00->SetAsFloat(price);
    }

    // Keys as the keyboard gives them, to the control that has the focus
    // (the line grid, or its cell editor once one is open).
    void key(int qtKey, const QString& text = {})
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window->dbg_xstgjfp2;
        QKeyEvent event(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
        QApplication::sendEvent(target, &event);
    }
    void type(const QString& text)
    {
        for (QChar c : text) key(c == '.' ? int(Qt::Key_Period) : int(c.unicode()), QString(c));
    }
    // Puts the line grid's focus on the price of the line in that row.
    void focusPrice(int row)
    {
        TqvDBGrid* grid = window->dbg_xstgjfp2;
        grid->setFocus();
        grid->SetFocusedNode(grid->Items(row));
        grid->SetFocusedColumn(lcPrice);
    }
    std::string editorText() const
    {
        TqvInplaceEdit* editor = window->dbg_xstgjfp2->InplaceEditor();
        return editor && editor->isVisible() ? AnsiToUtf8(editor->Text()) : std::string("<closed>");
    }
};

TEST_P(LineCommandsTest, SaveWritesExactlyTheChangedLines)
{
    std::vector<std::string> before = storedLines();
    Press(window->sb_edit);
    ASSERT_EQ(window->CommandState(), TCommandState::Editing);
    setPrice("P1", 13);
    setPrice("P3", 31);  // still being edited when save is pressed
    Press(window->sb_save);
    EXPECT_THAT(Messages(), ElementsAre("保存成功！"));
    EXPECT_EQ(window->CommandState(), TCommandState::Browse);
    EXPECT_TRUE(window->dbg_xstykfp1->isEnabled());
    EXPECT_FALSE(dm->qry_xstgjfp2->UpdatesPending());

    EXPECT_THAT(changedSince(before), ElementsAre("C1/101/P1 13 125 21.25", "C1/101/P3 31 3000 510"));
}

TEST_P(LineCommandsTest, PricesTypedIntoTheCellEditorsAreSavedIncludingOneStillOpen)
{
    std::vector<std::string> before = storedLines();
    Press(window->sb_edit);

    // The first line's price: typing opens the currency editor over the
    // cell; Enter writes it, recomputes the line and walks on to the amount.
    focusPrice(0);
    type("13");
    EXPECT_STREQ(window->dbg_xstgjfp2->InplaceEditor()->ClassName(), "TqvInplaceDBTreeListCurrencyEdit");
    EXPECT_EQ(editorText(), "13");
    key(Qt::Key_Return, "\r");
    EXPECT_EQ(editorText(), "<closed>");
    EXPECT_EQ(window->dbg_xstgjfp2->FocusedColumn(), lcAmount);
    EXPECT_DOUBLE_EQ(dm->qry_xstgjfp2JE0000->AsFloat(), 130);
    EXPECT_DOUBLE_EQ(dm->qry_xstgjfp2SE0000->AsFloat(), 22.1);

    // The third line's price is still in its open editor when save is pressed
    // (the toolbar takes no focus, so the editor stays open until the save).
    focusPrice(2);
    type("31");
    ASSERT_EQ(editorText(), "31");
    Press(window->sb_save);
    EXPECT_THAT(Messages(), ElementsAre("保存成功！"));
    EXPECT_EQ(window->CommandState(), TCommandState::Browse);
    EXPECT_EQ(editorText(), "<closed>");
    EXPECT_FALSE(dm->qry_xstgjfp2->UpdatesPending());

    EXPECT_THAT(changedSince(before), ElementsAre("C1/101/P1 13 130 22.1", "C1/101/P3 31 3100 527"));
}

TEST_P(LineCommandsTest, RefusedSaveKeepsEditingAndARetryWorks)
{
    std::vector<std::string> errors;
    Application().SetOnException([&](const std::exception& e) { errors.push_back(e.what()); });
    Press(window->sb_edit);
    setPrice("P1", 13);
    setPrice("P3", 31);
    // Another user removes a line: its update finds nothing and the save fails.
    db->Second().ExecSQL("DELETE FROM XSTGJFP2 WHERE GSDW00='C1' AND DHAO00=101 AND SPDM00='P3'");
    std::vector<std::string> before = storedLines();
    Press(window->sb_save);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_TRUE(Messages().empty()) << "no success box";
    EXPECT_EQ(window->CommandState(), TCommandState::Editing);
    EXPECT_FALSE(window->dbg_xstykfp1->isEnabled());
    EXPECT_EQ(storedLines(), before);
    EXPECT_TRUE(dm->qry_xstgjfp2->UpdatesPending());

    db->Second().ExecSQL("INSERT INTO XSTGJFP2 VALUES ('C1', 101, 'P3', 'x', 30, 100, 3000, 510)");
    Press(window->sb_save);
    EXPECT_THAT(Messages(), ElementsAre("保存成功！"));
    EXPECT_EQ(window->CommandState(), TCommandState::Browse);
    EXPECT_EQ(db->Scalar("SELECT DJIA00 FROM XSTGJFP2 WHERE GSDW00='C1' AND DHAO00=101 AND SPDM00='P1'"), "13");
    EXPECT_EQ(db->Scalar("SELECT DJIA00 FROM XSTGJFP2 WHERE GSDW00='C1' AND DHAO00=101 AND SPDM00='P3'"), "31");
}

TEST_P(LineCommandsTest, SavingAfterEveryLineWasDeletedWritesTheDeletes)
{
    Press(window->sb_edit);
    while (!dm->qry_xstgjfp2->IsEmpty()) dm->qry_xstgjfp2->Delete();
    Press(window->sb_save);
    EXPECT_THAT(Messages(), ElementsAre("保存成功！"));
    EXPECT_EQ(db->Scalar("SELECT COUNT(*) FROM XSTGJFP2 WHERE GSDW00='C1' AND DHAO00=101 AND SPDM00 LIKE 'P_' "
                         "AND SPDM00 <> 'P9'"),
              "0");
}

TEST_P(LineCommandsTest, SaveWithoutChangesAndOnADocumentWithoutLines)
{
    std::vector<std::string> before = storedLines();
    Press(window->sb_edit);
    Press(window->sb_save);
    EXPECT_EQ(storedLines(), before);

    // Document 103 has no lines: editing starts no empty line, saving writes nothing.
    GoToDocument(103);
    Press(window->sb_edit);
    EXPECT_EQ(window->CommandState(), TCommandState::Editing);
    EXPECT_EQ(dm->qry_xstgjfp2->State(), dsBrowse);
    Press(window->sb_save);
    EXPECT_THAT(Messages(), ElementsAre("保存成功！", "保存成功！"));
    EXPECT_EQ(storedLines(), before);
}

TEST_P(LineCommandsTest, CancelDropsEveryChange)
{
    Press(window->sb_edit);
    setPrice("P1", 13);
    setPrice("P2", 23);
    dm->qry_xstgjfp2->Post();
    setPrice("P3", 33);
    Press(window->sb_cancel);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(window->CommandState(), TCommandState::Browse);
    EXPECT_FALSE(dm->qry_xstgjfp2->UpdatesPending());
    std::vector<double> prices;
    for (dm->qry_xstgjfp2->First(); !dm->qry_xstgjfp2->Eof(); dm->qry_xstgjfp2->Next())
        prices.push_back(dm->qry_xstgjfp2DJIA00->AsFloat());
    EXPECT_THAT(prices, ElementsAre(12.5, 20, 30));
}

TEST_P(LineCommandsTest, AuditedDocumentRefusesEditing)
{
    GoToDocument(102);
    Press(window->sb_edit);
    EXPECT_THAT(Messages(), ElementsAre("该记录已审核或为空，不能被编辑！"));
    EXPECT_EQ(window->CommandState(), TCommandState::Browse);
    EXPECT_EQ(dm->qry_xstgjfp2->State(), dsBrowse);
}

TEST_P(LineCommandsTest, ExitWhileEditingWritesNothing)
{
    std::vector<std::string> before = storedLines();
    Press(window->sb_edit);
    setPrice("P1", 13);
    Press(window->Sb_Exit);
    EXPECT_FALSE(window->isVisible());
    Close();
    EXPECT_EQ(storedLines(), before);
}

INSTANTIATE_ON_BOTH_ENGINES(LineCommandsTest);

}  // namespace
