// Saving the line cache the way the save command does.
#include "TestDatabase.h"

#include "data/Params.h"
#include "data/Tdm.h"
#include "ui/PostApply.h"

#include <gtest/gtest.h>

namespace {

class PostApplyTest : public ::testing::TestWithParam<TestEngine> {
protected:
    void SetUp() override
    {
        db = std::make_unique<TestDatabase>(GetParam());
        InsertSampleDocuments(*db);
        Params = {"C1", "", "A01", "x", "", "", "", "", "600", "1000", "100", "50"};
        d = std::make_unique<Tdm>();
        d->qry_xstgjfp1->Open();
        d->qry_xstgjfp1->Last();  // document 101: P1, P2, P3
        d->qry_xstgjfp2->Open();
    }

    std::string stored(const char* column, const char* code)
    {
        return db->Scalar(std::string("SELECT ") + column + " FROM XSTGJFP2 WHERE GSDW00='C1' AND DHAO00=101 AND SPDM00=?",
                          {code});
    }

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<Tdm> d;
};

TEST_P(PostApplyTest, PostsTheCurrentLineAndWritesEveryChange)
{
    TQuery* q = d->qry_xstgjfp2;
    q->Edit();
    d->qry_xstgjfp2DJIA00->SetAsFloat(13);
    q->Next();
    q->Edit();
    d->qry_xstgjfp2DJIA00->SetAsFloat(22);
    d->qry_xstgjfp2JE0000->SetAsFloat(1100);
    PostApply(q);  // the second line is still being edited
    EXPECT_EQ(q->State(), dsBrowse);
    EXPECT_FALSE(q->UpdatesPending());
    EXPECT_EQ(stored("DJIA00", "P1"), "13");
    EXPECT_EQ(stored("DJIA00", "P2"), "22");
    EXPECT_EQ(stored("JE0000", "P2"), "1100");
    EXPECT_EQ(stored("SE0000", "P2"), "170");

    // Save right after edit without a change writes the line with its own values.
    q->Edit();
    PostApply(q);
    EXPECT_EQ(stored("DJIA00", "P2"), "22");
}

TEST_P(PostApplyTest, DeletingEveryLineAndSavingWritesTheDeletes)
{
    TQuery* q = d->qry_xstgjfp2;
    while (!q->IsEmpty()) q->Delete();
    PostApply(q);  // nothing is being edited: the cache is written as it is
    EXPECT_FALSE(q->UpdatesPending());
    EXPECT_EQ(db->Scalar("SELECT COUNT(*) FROM XSTGJFP2 WHERE GSDW00='C1' AND DHAO00=101"), "1");  // P9, never listed
}

TEST_P(PostApplyTest, RefusedWriteKeepsTheCacheForAnotherTry)
{
    TQuery* q = d->qry_xstgjfp2;
    q->Edit();
    d->qry_xstgjfp2DJIA00->SetAsFloat(13);
    q->Last();
    q->Edit();
    d->qry_xstgjfp2DJIA00->SetAsFloat(33);
    db->Second().ExecSQL("DELETE FROM XSTGJFP2 WHERE GSDW00='C1' AND DHAO00=101 AND SPDM00='P3'");
    EXPECT_THROW(PostApply(q), EDatabaseError);
    EXPECT_EQ(stored("DJIA00", "P1"), "12.5");
    EXPECT_TRUE(q->UpdatesPending());
    EXPECT_DOUBLE_EQ(d->qry_xstgjfp2DJIA00->AsFloat(), 33);

    // Once the line is back the same cache goes through.
    db->Second().ExecSQL("INSERT INTO XSTGJFP2 VALUES ('C1', 101, 'P3', 'x', 30, 100, 3000, 510)");
    q->Edit();
    PostApply(q);
    EXPECT_EQ(stored("DJIA00", "P1"), "13");
    EXPECT_EQ(stored("DJIA00", "P3"), "33");
}

INSTANTIATE_TEST_SUITE_P(Engines, PostApplyTest, ::testing::Values(TestEngine::SQLite, TestEngine::PostgreSQL),
                         [](const auto& info) { return std::string(EngineName(info.param)); });

}  // namespace
