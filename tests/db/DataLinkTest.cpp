// What links hear from a dataset, and the window of records a link sees.
#include "TestDatabase.h"

#include "runtime/db/DataSource.h"
#include "runtime/db/Query.h"

#include <gtest/gtest.h>

namespace {

class RecordingLink : public TDataLink {
public:
    std::vector<std::string> events;

protected:
    void ActiveChanged() override { events.push_back(Active() ? "active" : "inactive"); }
    void EditingChanged() override { events.push_back(Editing() ? "editing" : "browsing"); }
    void DataSetChanged() override { events.push_back("changed"); }
    void DataSetScrolled(int distance) override { events.push_back("scrolled " + std::to_string(distance)); }
    void RecordChanged(TField* field) override { events.push_back("record " + (field ? field->FieldName() : "-")); }
    void UpdateData() override { events.push_back("update"); }
    void CheckBrowseMode() override { events.push_back("check"); }
};

class DataLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 10; ++i) db.Exec("INSERT INTO GSTJYGL1 VALUES (?, ?)", {"P" + std::to_string(i), "n" + std::to_string(i)});
        q.SetDatabaseName("qdb");
        q.SQL().SetText("SELECT SPDM00, SPMC00 FROM GSTJYGL1 ORDER BY SPDM00");
        q.SetCachedUpdates(true);
        source.SetDataSet(&q);
        link.SetDataSource(&source);
    }

    std::string codeAt(int index)
    {
        int saved = link.ActiveRecord();
        link.SetActiveRecord(index);
        std::string code = q.FieldByName("SPDM00")->AsString();
        link.SetActiveRecord(saved);
        return code;
    }

    TestDatabase db{TestEngine::SQLite};
    TQuery q;
    TDataSource source;
    RecordingLink link;
};

TEST_F(DataLinkTest, NotificationsInOrder)
{
    q.Open();
    q.Next();
    q.Edit();
    q.FieldByName("SPMC00")->SetAsString("x");
    q.Post();
    q.Close();
    EXPECT_EQ(link.events, (std::vector<std::string>{"active", "check", "scrolled 1", "editing", "record -", "record SPMC00",
                                                     "update", "browsing", "changed", "inactive"}));
}

TEST_F(DataLinkTest, WindowMovesOnlyPastItsEdges)
{
    q.Open();
    link.SetBufferCount(4);
    EXPECT_EQ(link.RecordCount(), 4);
    EXPECT_EQ(link.ActiveRecord(), 0);
    link.events.clear();

    q.MoveBy(3);  // inside the window
    EXPECT_EQ(link.ActiveRecord(), 3);
    q.Next();  // past the bottom edge: the window follows by one
    EXPECT_EQ(link.ActiveRecord(), 3);
    EXPECT_EQ(link.FirstRecord(), 1);
    EXPECT_EQ(codeAt(0), "P1");
    EXPECT_EQ(q.FieldByName("SPDM00")->AsString(), "P4");  // reads went back to the current record
    q.First();
    q.Last();  // the window fills backwards at the end
    EXPECT_EQ(link.FirstRecord(), 6);
    EXPECT_EQ(link.ActiveRecord(), 3);
    EXPECT_EQ(codeAt(0), "P6");
    EXPECT_EQ(link.events, (std::vector<std::string>{"check", "scrolled 0", "check", "scrolled 1", "check",
                                                     "scrolled -1", "check", "scrolled 6"}));

    // Deleting at the end keeps the window full.
    q.Delete();
    EXPECT_EQ(link.FirstRecord(), 5);
    EXPECT_EQ(link.RecordCount(), 4);
    EXPECT_EQ(link.ActiveRecord(), 3);
    EXPECT_EQ(q.FieldByName("SPDM00")->AsString(), "P8");
}

TEST_F(DataLinkTest, DisabledControlsHearOneChangeAtTheEnd)
{
    q.Open();
    link.events.clear();
    q.DisableControls();
    q.DisableControls();
    q.Next();
    q.Next();
    q.EnableControls();
    // Only the requests to save input got through.
    EXPECT_EQ(link.events, (std::vector<std::string>{"check", "check"}));
    q.EnableControls();
    EXPECT_EQ(link.events, (std::vector<std::string>{"check", "check", "changed"}));
    link.events.clear();
    q.DisableControls();
    q.EnableControls();
    EXPECT_TRUE(link.events.empty());
}

TEST_F(DataLinkTest, LinkToAnOpenDatasetIsActiveAtOnce)
{
    q.Open();
    RecordingLink late;
    late.SetDataSource(&source);
    EXPECT_TRUE(late.Active());
    EXPECT_EQ(late.events, (std::vector<std::string>{"active"}));
    source.SetEnabled(false);
    EXPECT_FALSE(late.Active());
}

}  // namespace
