// The data module against real documents, on SQLite and on PostgreSQL.
#include "TestDatabase.h"

#include "data/Params.h"
#include "data/Tdm.h"
#include "runtime/SysUtils.h"

#include <gtest/gtest.h>

namespace {

class TdmTest : public ::testing::TestWithParam<TestEngine> {
protected:
    void SetUp() override
    {
        db = std::make_unique<TestDatabase>(GetParam());
        InsertSampleDocuments(*db);
        Params = {"C1", "", "A01", Ansi(u8"审核员"), "2003-3-11 9:00:00", "", "", "", "600", "1000", "100", "50"};
        d = std::make_unique<Tdm>();
    }

    std::vector<std::string> column(TDataSet* ds, const char* field)
    {
        std::vector<std::string> values;
        for (ds->First(); !ds->Eof(); ds->Next()) values.push_back(AnsiToUtf8(ds->FieldByName(field)->AsString()));
        return values;
    }

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<Tdm> d;
};

TEST_P(TdmTest, ObjectsInDeclarationOrderAllClosed)
{
    std::vector<std::string> names;
    for (int i = 0; i < d->ComponentCount(); ++i) names.push_back(d->Components(i)->Name());
    EXPECT_EQ(names, (std::vector<std::string>{"ds_xstgjfp1", "qry_xstgjfp1", "ds_xstgjfp2", "qry_xstgjfp2",
                                               "usql_xstgjfp2", "func_tavrel", "qry_xsvgjfp0"}));
    for (TQuery* q : {d->qry_xstgjfp1, d->qry_xstgjfp2, d->qry_xsvgjfp0}) EXPECT_FALSE(q->Active());
    EXPECT_EQ(d->qry_xstgjfp2->FieldByName("SPMC00_1")->Origin(), "QDB.GSTJYGL1.SPMC00");
    EXPECT_TRUE(d->qry_xstgjfp2SPDM00->ReadOnly());
    EXPECT_FALSE(d->qry_xstgjfp2DJIA00->ReadOnly());
    EXPECT_EQ(d->qry_xstgjfp1->FieldCount(), 20);
    EXPECT_EQ(d->qry_xsvgjfp0->FieldCount(), 26);
    EXPECT_EQ(d->func_tavrel->ParamByName("result").AsString(), Ansi(u8"业务公司代码为空!"));
    EXPECT_EQ(d->func_tavrel->ParamByName("flag").AsString(), "1");
    EXPECT_TRUE(d->func_tavrel->ParamByName("SHRQ00").IsNull());
}

TEST_P(TdmTest, HeadersOfTheCompanyNewestFirst)
{
    d->qry_xstgjfp1->Open();
    EXPECT_EQ(column(d->qry_xstgjfp1, "DHAO00"), (std::vector<std::string>{"103", "102", "101"}));
    d->qry_xstgjfp1->First();
    EXPECT_EQ(d->qry_xstgjfp1->FieldByName("GJBJ00")->AsString(), Ansi(u8"专卖"));
    EXPECT_EQ(d->qry_xstgjfp1->FieldByName("YWGSMC")->AsString(), Ansi(u8"一公司"));
    d->qry_xstgjfp1->Next();
    EXPECT_EQ(d->qry_xstgjfp1->FieldByName("GJBJ00")->AsString(), Ansi(u8"购进"));
    EXPECT_EQ(d->qry_xstgjfp1YWRQ00->AsDateTime(), EncodeDateTime(2003, 3, 13, 9, 0, 0, 0));
    d->qry_xstgjfp1->Close();

    // Documents of a company without an XTTGSSZ0 row are not listed.
    Params[0] = "C3";
    d->qry_xstgjfp1->Open();
    EXPECT_TRUE(d->qry_xstgjfp1->IsEmpty());
}

TEST_P(TdmTest, LinesFollowTheHeader)
{
    d->qry_xstgjfp1->Open();
    d->qry_xstgjfp2->Open();
    EXPECT_TRUE(d->qry_xstgjfp2->IsEmpty());  // 103 has no lines
    EXPECT_FALSE(d->qry_xstgjfp2->ParamByName("DHAO00").Bound());
    d->qry_xstgjfp1->Next();
    EXPECT_EQ(column(d->qry_xstgjfp2, "DJIA00"), (std::vector<std::string>{"11"}));
    d->qry_xstgjfp1->Next();
    // P9 has no product row: not listed. The product master's name is SPMC00_1.
    EXPECT_EQ(column(d->qry_xstgjfp2, "SPDM00"), (std::vector<std::string>{"P1", "P2", "P3"}));
    EXPECT_EQ(d->qry_xstgjfp2->ParamByName("GSDW00").AsString(), "C1");
    EXPECT_EQ(column(d->qry_xstgjfp2, "SPMC00_1"), (std::vector<std::string>{"甲烟", "乙烟", "丙烟"}));
    d->qry_xstgjfp1->First();
    EXPECT_TRUE(d->qry_xstgjfp2->IsEmpty());
}

TEST_P(TdmTest, LinesWithoutAnOpenHeaderAreNone)
{
    d->qry_xstgjfp2->Open();
    EXPECT_TRUE(d->qry_xstgjfp2->IsEmpty());
    EXPECT_EQ(d->qry_xstgjfp1->ParamByName("GSDM").AsString(), "C1");  // its hook ran
}

TEST_P(TdmTest, EditedLineIsSavedOrDroppedBeforeTheHeaderMoves)
{
    int posts = 0, cancels = 0;
    d->qry_xstgjfp2->AfterPost = [&](TDataSet*) { ++posts; };
    d->qry_xstgjfp2->AfterCancel = [&](TDataSet*) { ++cancels; };
    d->qry_xstgjfp1->Open();
    d->qry_xstgjfp1->Last();  // 101
    d->qry_xstgjfp2->Open();
    d->qry_xstgjfp2->Edit();
    d->qry_xstgjfp2DJIA00->SetAsFloat(99);
    d->qry_xstgjfp1->Prior();
    EXPECT_EQ(posts, 1);
    EXPECT_EQ(cancels, 0);
    EXPECT_EQ(d->qry_xstgjfp2->State(), dsBrowse);
    EXPECT_EQ(column(d->qry_xstgjfp2, "SPDM00"), (std::vector<std::string>{"P1"}));  // reopened for 102
    d->qry_xstgjfp2->Edit();
    d->qry_xstgjfp1->Next();
    EXPECT_EQ(posts, 1);
    EXPECT_EQ(cancels, 1);
    // The cached change went with the reopening; nothing was written.
    EXPECT_EQ(db->Scalar("SELECT DJIA00 FROM XSTGJFP2 WHERE GSDW00='C1' AND DHAO00=101 AND SPDM00='P1'"), "12.5");
}

TEST_P(TdmTest, LineCacheAppliedThroughTheUpdateStatements)
{
    d->qry_xstgjfp1->Open();
    d->qry_xstgjfp1->Last();
    d->qry_xstgjfp2->Open();
    d->qry_xstgjfp2->Edit();
    d->qry_xstgjfp2DJIA00->SetAsFloat(12.75);
    d->qry_xstgjfp2JE0000->SetAsFloat(127.5);
    d->qry_xstgjfp2SE0000->SetAsFloat(21.675);
    d->qry_xstgjfp2->ApplyUpdates();
    d->qry_xstgjfp2->CommitUpdates();
    EXPECT_EQ(db->Scalar("SELECT JE0000 FROM XSTGJFP2 WHERE GSDW00='C1' AND DHAO00=101 AND SPDM00='P1'"), "127.5");
    EXPECT_EQ(db->Scalar("SELECT JE0000 FROM XSTGJFP2 WHERE GSDW00='C2' AND DHAO00=101"), "105");
}

TEST_P(TdmTest, PrintRowsAreTheCurrentDocumentsOnly)
{
    d->qry_xsvgjfp0->Open();  // no current header: document 0
    EXPECT_TRUE(d->qry_xsvgjfp0->IsEmpty());
    d->qry_xsvgjfp0->Close();
    d->qry_xstgjfp1->Open();
    d->qry_xstgjfp1->Last();
    d->qry_xsvgjfp0->Open();
    // C2 also has a document 101; its line stays out.
    EXPECT_EQ(column(d->qry_xsvgjfp0, "GSDW00"), (std::vector<std::string>{"C1", "C1", "C1", "C1"}));
    EXPECT_EQ(d->qry_xsvgjfp0->ParamByName("DHAO00").AsFloat(), 101);
}

TEST_P(TdmTest, AuditAndRevokeCallingSequences)
{
    TStoredProc* f = d->func_tavrel;
    d->qry_xstgjfp1->Open();
    d->qry_xstgjfp1->Last();  // 101, not audited
    auto call = [&](int bj, const TDateTime* date) {
        f->ParamByName("BJ").SetAsInteger(bj);
        f->ParamByName("YWGSDM").SetAsString(Params[0]);
        f->ParamByName("DH").SetAsString(FloatToStrGeneral(d->qry_xstgjfp1DHAO00->AsFloat()));
        f->ParamByName("SHRY00").SetAsString(Params[2]);
        f->ParamByName("SHRYMC").SetAsString(Params[3]);
        if (date) f->ParamByName("SHRQ00").SetAsDateTime(*date);
        f->ExecProc();
        return AnsiToUtf8(f->ParamByName("Result").AsString());
    };
    // A revoke before any audit passes a null date; FLAG "1" goes in.
    EXPECT_EQ(call(1, nullptr), "单据未审核，不能弃审!");
    EXPECT_TRUE(f->ParamByName("SHRQ00").IsNull());
    EXPECT_EQ(f->ParamByName("FLAG").AsString(), "0");

    TDateTime date = EncodeDateTime(2003, 3, 11, 9, 0, 0, 0);
    EXPECT_EQ(call(0, &date), "审核成功!");
    EXPECT_EQ(f->ParamByName("FLAG").AsString(), "1");
    EXPECT_EQ(db->Scalar("SELECT YWRYMC FROM XSTGJFP1 WHERE GSDW00='C1' AND DHAO00=101"), "审核员");
    d->qry_xstgjfp1->Close();
    d->qry_xstgjfp1->Open();
    d->qry_xstgjfp1->Last();
    EXPECT_FALSE(d->qry_xstgjfp1YWRQ00->IsNull());

    // The revoke passes the audit's date again (it stays in the object).
    EXPECT_EQ(call(1, nullptr), "弃审成功!");
    EXPECT_DOUBLE_EQ(f->ParamByName("SHRQ00").AsDateTime(), date);
    EXPECT_EQ(db->Scalar("SELECT YWRQ00 FROM XSTGJFP1 WHERE GSDW00='C1' AND DHAO00=101"), "");
    // The other company's document 101 was never touched.
    EXPECT_EQ(db->Scalar("SELECT YWRQ00 FROM XSTGJFP1 WHERE GSDW00='C2' AND DHAO00=101"), "");
}

INSTANTIATE_TEST_SUITE_P(Engines, TdmTest, ::testing::Values(TestEngine::SQLite, TestEngine::PostgreSQL),
                         [](const auto& info) { return std::string(EngineName(info.param)); });

}  // namespace
