// What a scroll bar asks of a dataset: the number of records without
// fetching them all, and moving one link's window on its own.
#include "TestDatabase.h"

#include "runtime/db/CountStatement.h"
#include "runtime/db/DataSource.h"
#include "runtime/db/Query.h"

#include <gtest/gtest.h>

namespace {

TEST(CountStatement, LeavesOutOnlyAnOrderThatCannotChangeTheNumber)
{
    struct Case {
        const char* why;
        const char* select;
        const char* counted;  // what stands inside the subquery
    } cases[] = {
        {"a trailing order goes", "SELECT A FROM T ORDER BY A DESC;  ", "SELECT A FROM T "},
        {"any letter case", "select a from t order  by a", "select a from t "},
        {"an order inside parentheses stays", "SELECT * FROM (SELECT A FROM T ORDER BY A) X",
         "SELECT * FROM (SELECT A FROM T ORDER BY A) X"},
        {"an order with a limit stays", "SELECT A FROM T ORDER BY A LIMIT 5", "SELECT A FROM T ORDER BY A LIMIT 5"},
        {"an order with fetch first stays", "SELECT A FROM T ORDER BY A FETCH FIRST 5 ROWS ONLY",
         "SELECT A FROM T ORDER BY A FETCH FIRST 5 ROWS ONLY"},
        {"words in quotes and comments do not count", "SELECT 'ORDER BY' FROM T -- ORDER BY A\n",
         "SELECT 'ORDER BY' FROM T -- ORDER BY A"},
        {"a quoted name with a doubled quote", "SELECT \"a\"\"b\" FROM T ORDER BY 1", "SELECT \"a\"\"b\" FROM T "},
        {"no order at all", "SELECT A FROM T WHERE B = ?;", "SELECT A FROM T WHERE B = ?"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CountStatement(c.select), "SELECT COUNT(*) FROM (" + std::string(c.counted) + "\n) counted_rows") << c.why;
}

class CountRecords : public ::testing::TestWithParam<TestEngine> {
protected:
    void SetUp() override
    {
        db = std::make_unique<TestDatabase>(GetParam());
        for (int i = 0; i < 50; ++i)
            db->Exec("INSERT INTO GSTJYGL1 VALUES (?, ?)", {"P" + std::to_string(100 + i), "n" + std::to_string(i)});
        q.SetDatabaseName("qdb");
        q.SetCachedUpdates(true);
    }
    void TearDown() override { q.Close(); }
    std::unique_ptr<TestDatabase> db;
    TQuery q;
};

TEST_P(CountRecords, CountsWithoutFetchingAndFollowsTheHeldRecords)
{
    struct Case {
        const char* why;
        const char* sql;
        std::function<void(TQuery&)> then;
        int count;
    } cases[] = {
        {"fresh open", "SELECT SPDM00, SPMC00 FROM GSTJYGL1 ORDER BY SPDM00", [](TQuery&) {}, 50},
        {"a trailing semicolon and a parameter", "SELECT SPDM00, SPMC00 FROM GSTJYGL1 WHERE SPDM00 >= :FROM0 ;",
         [](TQuery&) {}, 40},
        {"some rows fetched", "SELECT SPDM00, SPMC00 FROM GSTJYGL1 ORDER BY SPDM00", [](TQuery& q) { q.MoveBy(20); }, 50},
        {"a record appended to the cache", "SELECT SPDM00, SPMC00 FROM GSTJYGL1 ORDER BY SPDM00",
         [](TQuery& q) {
             q.Append();
             q.FieldByName("SPDM00")->SetAsString("Z1");
             q.Post();
         },
         51},
        {"a record deleted", "SELECT SPDM00, SPMC00 FROM GSTJYGL1 ORDER BY SPDM00", [](TQuery& q) { q.Delete(); }, 49},
        {"everything fetched", "SELECT SPDM00, SPMC00 FROM GSTJYGL1 ORDER BY SPDM00", [](TQuery& q) { q.Last(); }, 50},
        {"an empty result", "SELECT SPDM00, SPMC00 FROM GSTJYGL1 WHERE 1 = 0", [](TQuery&) {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        q.Close();
        q.SQL().SetText(c.sql);
        if (std::string(c.sql).find(":FROM0") != std::string::npos) q.ParamByName("FROM0").SetAsString("P110");
        q.Open();
        c.then(q);
        const int fetched = q.RecordsFetched();
        EXPECT_EQ(q.CountRecords(), c.count);
        EXPECT_EQ(q.RecordsFetched(), fetched) << "counting fetches nothing";
        EXPECT_EQ(q.RecordCount(), c.count) << "the count agrees with fetching everything";
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, CountRecords, ::testing::Values(TestEngine::SQLite, TestEngine::PostgreSQL),
                         [](const auto& info) { return std::string(EngineName(info.param)); });

class EventLink : public TDataLink {
public:
    std::vector<int> scrolled;

protected:
    void DataSetScrolled(int distance) override { scrolled.push_back(distance); }
};

TEST(ScrollWindow, MovesOneLinksWindowAndTakesTheCurrentRecordAlongOnlyWhenItFallsOut)
{
    TestDatabase db{TestEngine::SQLite};
    for (int i = 0; i < 100; ++i) db.Exec("INSERT INTO GSTJYGL1 VALUES (?, ?)", {"P" + std::to_string(100 + i), "n"});
    TQuery q;
    q.SetDatabaseName("qdb");
    q.SQL().SetText("SELECT SPDM00 FROM GSTJYGL1 ORDER BY SPDM00");
    TDataSource source;
    source.SetDataSet(&q);
    EventLink link, other;
    link.SetDataSource(&source);
    other.SetDataSource(&source);
    link.SetBufferCount(10);
    q.Open();
    q.MoveBy(4);  // record 5
    struct Step {
        const char* why;
        int first;      // asked for
        int moved;      // returned
        int windowTop;  // afterwards
        int recNo;
        bool otherHears;
    } steps[] = {
        {"the current record stays in view", 3, 3, 3, 5, false},
        {"it falls out above: taken to the top edge", 40, 37, 40, 41, true},
        {"back up: taken to the bottom edge", 20, -20, 20, 30, true},
        {"past the end: clamped to the last window", 500, 70, 90, 91, true},
        {"before the start: clamped to the first", -7, -90, 0, 10, true},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.why);
        other.scrolled.clear();
        EXPECT_EQ(q.ScrollWindow(link, s.first), s.moved);
        EXPECT_EQ(link.FirstRecord(), s.windowTop);
        EXPECT_EQ(q.RecNo(), s.recNo);
        EXPECT_EQ(!other.scrolled.empty(), s.otherHears);
    }
    q.Close();
}

}  // namespace
