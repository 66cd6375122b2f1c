// What the grid adds beyond one flat list: group columns with group-row
// summaries and summary groups, partial loads, new records as nodes, and the
// data link's cancel and exit rules.
#include "DBGridFixture.h"

#include "grid/db/DBGridRegistry.h"

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using ::testing::ThrowsMessage;

class Records : public DBGridFixture {
public:
    Records()
    {
        std::string script = "CREATE TABLE R (ID INTEGER PRIMARY KEY, KIND VARCHAR(4), V DOUBLE);\nBEGIN;\n";
        // Kinds a, b, c in turn; values 1..30.
        for (int i = 1; i <= 30; ++i)
            script += "INSERT INTO R VALUES (" + std::to_string(i) + ", '" + std::string(1, char('a' + (i - 1) % 3)) +
                      "', " + std::to_string(i) + ");\n";
        db.Db().ExecScript(script + "COMMIT;");
        query.SQL().SetText("SELECT ID, KIND, V FROM R ORDER BY ID");
        query.SetCachedUpdates(true);
        update.InsertSQL().SetText("INSERT INTO R VALUES (:ID, :KIND, :V)");
        query.SetUpdateObject(&update);
        MakeGrid();
        grid->SetKeyField("ID");
        id = AddColumn("ID");
        kind = AddColumn("KIND");
        value = AddColumn("V");
        grid->ShowRows(10);
    }
    TUpdateSQL update;
    TqvDBGridColumn* id = nullptr;
    TqvDBGridColumn* kind = nullptr;
    TqvDBGridColumn* value = nullptr;
};

TEST_F(Records, GroupColumnsGroupTheRecordsWithTheirSummaries)
{
    value->SetSummaryType(cstSum);
    value->SetSummaryFooterType(cstMax);
    TqvDBGridSummaryGroup* group = grid->SummaryGroups().Add();
    TqvDBGridSummaryItem* item = group->AddItem();
    item->SetSummaryField("V");
    item->SetSummaryType(cstAvg);
    group->SetDefaultGroup(true);
    query.Open();
    EXPECT_EQ(grid->LoadMode(), TqvDBLoadMode::Window);
    kind->SetGroupIndex(0);  // grouping needs every record
    EXPECT_EQ(grid->LoadMode(), TqvDBLoadMode::LoadAll);
    ASSERT_EQ(grid->Count(), 3);
    TqvTreeListNode* b = grid->Items(1);
    EXPECT_EQ(grid->DBNode(b)->GroupValue(), Variant("b"));
    EXPECT_TRUE(grid->DBNode(b)->IsGroupNode());
    EXPECT_EQ(b->Count(), 10);
    EXPECT_EQ(grid->GroupRecordCount(b), 10);
    // b holds 2, 5, ..., 29.
    EXPECT_EQ(grid->GroupColumnSummary(b, value), 155.0L);
    EXPECT_EQ(grid->GroupItemSummary(b, 0), 15.5L);
    EXPECT_EQ(grid->GroupSummaryText(b), "(SUM=155.00), (AVG=15.50)");
    EXPECT_EQ(value->SummaryFooterValue(), 30.0L);
    // The focus still follows the dataset, through the groups.
    b->Expand(false);
    query.Locate("ID", Variant(5));
    EXPECT_EQ(grid->FocusedNode()->Parent(), b);
    EXPECT_EQ(grid->DBNode(grid->FocusedNode())->Id(), Variant(5));
    // A reload expands the same groups again.
    grid->FullRefresh();
    EXPECT_TRUE(grid->Items(1)->Expanded());
    EXPECT_FALSE(grid->Items(2)->Expanded());  // nobody opened c
    // A record inserted into a group takes the group's value.
    query.Insert();
    EXPECT_EQ(query.FieldByName("KIND")->AsString(), "b");
    query.Cancel();
    kind->SetGroupIndex(-1);
    EXPECT_EQ(grid->Count(), 10);  // back to window mode
}

TEST_F(Records, FooterEventsAndAGridLoadingTheSameDataset)
{
    value->SetSummaryFooterType(cstCount);
    grid->SetOptionsDB(grid->OptionsDB().With(edgoLoadAllRecords));
    std::vector<std::string> events;
    grid->OnBeforeCalcSummary = [&](TComponent*) { events.push_back("before"); };
    grid->OnCalcSummary = [&](TComponent*) { events.push_back("after " + std::to_string(int(value->SummaryFooterValue()))); };
    // A second grid on the same dataset sees the first one load.
    TestDBGrid other;
    other.SetDataSource(&source);
    bool seenLoading = false;
    grid->OnRefreshNodeData = [&](TComponent*, TqvTreeListNode*) {
        seenLoading = seenLoading || DBGridRegistry::IsLoadingElsewhere(&query, &other);
        EXPECT_FALSE(DBGridRegistry::IsLoadingElsewhere(&query, grid.get()));
    };
    query.Open();
    EXPECT_TRUE(seenLoading);
    EXPECT_THAT(events, ElementsAre("before", "after 30"));
}

TEST(SummaryGroups, NamesAreNotEmptyAndUnique)
{
    TqvDBGridSummaryGroups groups;
    TqvDBGridSummaryGroup* a = groups.Add();
    TqvDBGridSummaryGroup* b = groups.Add();
    EXPECT_EQ(a->Name(), "SummaryGroup1");
    EXPECT_EQ(b->Name(), "SummaryGroup2");
    struct Case {
        AnsiString name;
        const char* message;
    } cases[] = {{"", "Invalidate group name!"}, {"summarygroup1", "Invalidate group name: duplicate!"}};
    for (const Case& c : cases) {
        EXPECT_THAT([&] { b->SetName(c.name); }, ThrowsMessage<EInvalidqvTreeListOperation>(c.message)) << c.message;
        EXPECT_EQ(b->Name(), "SummaryGroup2");
    }
    b->SetName("Totals");
    EXPECT_EQ(groups.Find("TOTALS"), b);
    a->SetDefaultGroup(true);
    b->SetDefaultGroup(true);
    EXPECT_FALSE(a->DefaultGroup());
    EXPECT_EQ(groups.DefaultGroup(), b);
}

TEST_F(Records, PartialLoadsHoldABlockAroundTheRecord)
{
    value->SetSummaryFooterType(cstSum);
    grid->SetPartialLoadBufferCount(10);
    grid->SetPartialLoad(true);
    query.Open();
    EXPECT_EQ(grid->LoadMode(), TqvDBLoadMode::Partial);
    EXPECT_EQ(grid->Count(), 10);
    EXPECT_EQ(value->SummaryFooterValue(), 55.0L);  // the block's records 1..10
    // Past the block's last record the block is loaded again around it.
    query.MoveBy(15);
    EXPECT_EQ(grid->DBNode(grid->FocusedNode())->Id(), Variant(16));
    EXPECT_EQ(grid->Count(), 10);
    EXPECT_THAT(grid->ColumnTexts(0).front(), "11");
    key(*grid, Qt::Key_Down);
    EXPECT_EQ(query.RecNo(), 17);
    EXPECT_EQ(grid->DBNode(grid->FocusedNode())->Id(), Variant(17));
}

TEST_F(Records, AnInsertedRecordIsANodeUntilItIsPostedOrCancelled)
{
    grid->SetOptionsDB(grid->OptionsDB().With(edgoLoadAllRecords));
    query.Open();
    query.MoveBy(2);
    query.Insert();
    TqvDBGridNode* inserted = grid->InsertingNode();
    ASSERT_NE(inserted, nullptr);
    EXPECT_EQ(grid->Count(), 31);
    EXPECT_EQ(grid->FocusedNode(), inserted);
    EXPECT_EQ(inserted->Index(), 3);  // after the node that was focused
    EXPECT_TRUE(inserted->Id().IsNull());
    EXPECT_EQ(inserted->RecordIndex(), 30);
    query.FieldByName("ID")->SetAsInteger(99);
    EXPECT_EQ(AnsiToUtf8(grid->GetCellText(inserted, grid->Columns(0))), "99");
    query.Post();
    EXPECT_EQ(grid->InsertingNode(), nullptr);
    EXPECT_EQ(grid->Count(), 31);
    EXPECT_EQ(grid->DBNode(grid->FocusedNode())->Id(), Variant(99));

    // Leaving the grid cancels an untouched insert (edgoCancelOnExit), and
    // only an untouched one.
    auto leave = [&] {
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(grid.get(), &out);
    };
    query.Append();
    ASSERT_EQ(grid->Count(), 32);
    EXPECT_EQ(grid->InsertingNode()->Index(), 31);  // appended: at the end
    leave();
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(grid->Count(), 31);
    query.Append();
    query.FieldByName("ID")->SetAsInteger(100);
    leave();
    EXPECT_EQ(query.State(), dsInsert);
    // Esc outside an editor: the data link's cancel drops the insert.
    grid->DataLinkCancel();
    EXPECT_EQ(query.State(), dsBrowse);
    EXPECT_EQ(grid->Count(), 31);
}

}  // namespace
