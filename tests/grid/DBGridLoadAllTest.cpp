// The grid in load-all mode over a real SQLite query: every record a node,
// the focus and the dataset in step both ways, reloads after posts, the
// footers of every load, and what happens to nodes and footers when the
// dataset closes, a load fails, or records are deleted.
#include "DBGridFixture.h"

#include "runtime/Dialogs.h"

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;

class LoadAll : public DBGridFixture {
public:
    LoadAll()
    {
        InsertSampleDocuments(db);
        query.SQL().SetText("SELECT GSDW00, DHAO00, SPDM00, SPMC00, DJIA00, SL0000, JE0000 FROM XSTGJFP2 "
                            "WHERE GSDW00='C1' AND DHAO00=101 ORDER BY SPDM00");
        query.SetCachedUpdates(true);
        update.ModifySQL().SetText("UPDATE XSTGJFP2 SET DJIA00=:DJIA00 WHERE GSDW00=:OLD_GSDW00 AND "
                                   "DHAO00=:OLD_DHAO00 AND SPDM00=:OLD_SPDM00");
        query.SetUpdateObject(&update);
        MakeGrid();
        grid->SetKeyField("SPDM00");
        grid->SetOptionsDB(grid->OptionsDB().With(edgoLoadAllRecords));
        code = AddColumn("SPDM00");
        price = AddColumn<TqvDBGridCurrencyColumn>("DJIA00");
        price->SetDisplayFormat(",0.000000;-,0.000000");
        amount = AddColumn<TqvDBGridCurrencyColumn>("JE0000");
        amount->SetDisplayFormat(",0.00;-,0.00");
        amount->SetSummaryFooterType(cstSum);
        price->SetSummaryFooterType(cstCount);
        grid->SetShowSummaryFooter(true);
        grid->ShowRows(10);
    }

    int recNo() const { return query.RecNo(); }
    int focusedRow() const { return grid->FocusedAbsoluteIndex(); }

    TUpdateSQL update;
    TqvDBGridColumn* code = nullptr;
    TqvDBGridCurrencyColumn* price = nullptr;
    TqvDBGridCurrencyColumn* amount = nullptr;
};

TEST_F(LoadAll, EveryRecordIsANodeWithItsTextsAndTheFooters)
{
    query.Open();
    EXPECT_EQ(grid->LoadMode(), TqvDBLoadMode::LoadAll);
    EXPECT_EQ(grid->Count(), 4);
    EXPECT_THAT(grid->ColumnTexts(0), ElementsAre("P1", "P2", "P3", "P9"));
    EXPECT_THAT(grid->ColumnTexts(1), ElementsAre("12.500000", "20.000000", "30.000000", "1.000000"));
    EXPECT_THAT(grid->ColumnTexts(2), ElementsAre("125.00", "1,000.00", "3,000.00", "1.00"));
    EXPECT_EQ(amount->SummaryFooterValue(), 4126.0L);
    EXPECT_EQ(amount->SummaryFooterText(), "4126.00");
    EXPECT_EQ(price->SummaryFooterValue(), 4.0L);
    EXPECT_EQ(grid->LoadedRecordCount(), 4);
    // The nodes know their records: key, load order, bookmark.
    auto* third = grid->DBNode(grid->Items(2));
    EXPECT_EQ(third->Id(), Variant("P3"));
    EXPECT_EQ(third->RecordIndex(), 2);
    query.MoveBy(2);
    EXPECT_EQ(third->Bookmark(), query.Bookmark());
    // Loading read the records in place: the dataset never moved.
    EXPECT_EQ(grid->FocusedNode(), third);
}

TEST_F(LoadAll, FocusAndDatasetFollowEachOther)
{
    query.Open();
    ASSERT_EQ(focusedRow(), 0);
    key(*grid, Qt::Key_Down);
    EXPECT_EQ(recNo(), 2);
    click(*grid, grid->CellPoint(3, 0));
    EXPECT_EQ(recNo(), 4);
    EXPECT_EQ(focusedRow(), 3);
    key(*grid, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(recNo(), 1);

    query.Next();
    EXPECT_EQ(focusedRow(), 1);
    ASSERT_TRUE(query.Locate("SPDM00", Variant("P9")));
    EXPECT_EQ(focusedRow(), 3);
    query.First();
    EXPECT_EQ(focusedRow(), 0);
}

TEST_F(LoadAll, PostingAnEditedLineReloadsAndTheFootersFollow)
{
    query.Open();
    grid->SetFocusedNode(grid->Items(1));
    ASSERT_EQ(recNo(), 2);
    query.Edit();
    query.FieldByName("JE0000")->SetAsFloat(2000);
    // Editing changes the row at once, the totals only when the line is posted.
    EXPECT_EQ(grid->ColumnTexts(2)[1], "2,000.00");
    EXPECT_EQ(amount->SummaryFooterValue(), 4126.0L);
    key(*grid, Qt::Key_Down);  // leaving the line posts it
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(amount->SummaryFooterValue(), 5126.0L);
    EXPECT_EQ(recNo(), 3);
    EXPECT_EQ(focusedRow(), 2);
}

TEST_F(LoadAll, ClosingTheDatasetOrAFailedLoadLeavesNothingStale)
{
    query.Open();
    ASSERT_EQ(amount->SummaryFooterValue(), 4126.0L);
    query.Close();
    EXPECT_EQ(grid->Count(), 0);
    EXPECT_EQ(amount->SummaryFooterValue(), 0.0L);
    EXPECT_EQ(price->SummaryFooterValue(), 0.0L);

    // A footer over a text that is no number fails the load on the second record.
    query.Open();
    int calls = 0;
    code->SetSummaryFooterType(cstSum);
    code->OnSummaryFooter = [&](TComponent*, TDataSet*, long double&) {
        if (++calls == 2) throw EConvertError("'P2' is not a valid floating point value");
    };
    EXPECT_THROW(grid->FullRefresh(), EConvertError);
    EXPECT_EQ(grid->Count(), 0);
    EXPECT_EQ(amount->SummaryFooterValue(), 0.0L);
    EXPECT_FALSE(grid->IsLoadingRecords());
    EXPECT_FALSE(query.ControlsDisabled());
    // The grid works again once the cause is gone.
    code->OnSummaryFooter = nullptr;
    code->SetSummaryFooterType(cstNone);
    grid->FullRefresh();
    EXPECT_EQ(grid->Count(), 4);
    EXPECT_EQ(amount->SummaryFooterValue(), 4126.0L);
}

TEST_F(LoadAll, WithoutAUsableKeyTheGridStaysEmpty)
{
    grid->SetKeyField("NOSUCH");
    query.Open();
    EXPECT_EQ(grid->Count(), 0);
    EXPECT_EQ(amount->SummaryFooterValue(), 0.0L);
    // Without navigation the records load without a key.
    grid->SetOptionsDB(grid->OptionsDB().Without(edgoCanNavigation));
    EXPECT_EQ(grid->Count(), 4);
}

class DuplicateKeys : public LoadAll {
public:
    DuplicateKeys()
    {
        // Two lines with the same product code: P1 of documents 101 and 102.
        query.SQL().SetText("SELECT GSDW00, DHAO00, SPDM00, SPMC00, DJIA00, SL0000, JE0000 FROM XSTGJFP2 "
                            "WHERE GSDW00='C1' AND (DHAO00=101 OR SPDM00='P1') ORDER BY SPDM00, DJIA00 DESC");
        query.Open();
    }
    double priceOfCurrent() { return query.FieldByName("DJIA00")->AsFloat(); }
};

TEST_F(DuplicateKeys, FocusAndRecordStayOnTheSameLine)
{
    ASSERT_THAT(grid->ColumnTexts(0), ElementsAre("P1", "P1", "P2", "P3", "P9"));
    ASSERT_THAT(grid->ColumnTexts(1), ElementsAre("12.500000", "11.000000", "20.000000", "30.000000", "1.000000"));
    // The dataset moves to the second P1: the focus goes to its own row, not
    // to the first row with the key.
    query.Next();
    EXPECT_EQ(focusedRow(), 1);
    // Moves count from where the dataset stands.
    key(*grid, Qt::Key_Up);
    EXPECT_EQ(recNo(), 1);
    EXPECT_EQ(priceOfCurrent(), 12.5);
    key(*grid, Qt::Key_Down);
    EXPECT_EQ(recNo(), 2);
    EXPECT_EQ(priceOfCurrent(), 11);

    // A price typed into the focused line lands in that line, and the focus
    // stays on it through the reload that the post causes.
    query.Edit();
    query.FieldByName("DJIA00")->SetAsFloat(10.5);
    query.Post();
    EXPECT_EQ(grid->ColumnTexts(1)[1], "10.500000");
    EXPECT_EQ(grid->ColumnTexts(1)[0], "12.500000");
    EXPECT_EQ(focusedRow(), 1);
    EXPECT_EQ(priceOfCurrent(), 10.5);
    click(*grid, grid->CellPoint(0, 1));
    EXPECT_EQ(priceOfCurrent(), 12.5);
    click(*grid, grid->CellPoint(1, 1));
    EXPECT_EQ(priceOfCurrent(), 10.5);
}

TEST(DeleteSelection, SkipsARecordThatCannotBeReachedAndReportsTheFirstError)
{
    struct Case {
        const char* what;
        bool goOn;  // edgoExtMultiSelect
        std::vector<std::string> left;
    } cases[] = {
        // Selected: P2, P3 (gone behind the grid's back), the second P1;
        // deleted last selected first.
        {"an error stops the loop", false, {"P1", "P2", "P9"}},
        {"with extended selection the loop goes on", true, {"P1", "P9"}},
    };
    for (const Case& c : cases) {
        struct Fixture : DuplicateKeys {
            void TestBody() override {}
        } f;
        TestDBGrid& grid = *f.grid;
        grid.SetOptionsBehavior(grid.OptionsBehavior().Set(edgoExtMultiSelect, c.goOn));
        grid.SelectNode(grid.Items(2), true);
        grid.SelectNode(grid.Items(3), true);
        grid.SelectNode(grid.Items(1), true);
        f.query.DisableControls();
        f.query.MoveBy(3);
        f.query.Delete();  // P3, while the grid hears nothing
        f.query.First();
        ASSERT_EQ(grid.Count(), 5) << c.what;
        EXPECT_THROW(grid.DeleteSelection(), EDatabaseError) << c.what;
        f.query.EnableControls();
        // Nothing was deleted in P3's place, and the first P1 stays.
        EXPECT_EQ(grid.ColumnTexts(0), c.left) << c.what;
        EXPECT_EQ(grid.ColumnTexts(1)[0], "12.500000") << c.what;
        EXPECT_EQ(f.query.RecNo(), 1) << c.what;
    }
}

}  // namespace
