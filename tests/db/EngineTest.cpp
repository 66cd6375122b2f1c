// Behaviour that must be the same on SQLite and on PostgreSQL: cached
// updates applied in one transaction, decode(), the audit function through
// TStoredProc, and the values that cross the engines.
#include "TestDatabase.h"

#include "db/DemoData.h"

#include "runtime/db/FieldKinds.h"
#include "runtime/db/Query.h"
#include "runtime/db/StoredProc.h"
#include "runtime/db/UpdateSQL.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ThrowsMessage;

namespace {

class EngineTest : public ::testing::TestWithParam<TestEngine> {
protected:
    void SetUp() override
    {
        db = std::make_unique<TestDatabase>(GetParam());
        InsertSampleDocuments(*db);
    }

    // The lines of document C1/101, cached, written back by price.
    void openLines(TQuery& q, TUpdateSQL& u)
    {
        q.SetDatabaseName("qdb");
        q.SQL().SetText("SELECT GSDW00, DHAO00, SPDM00, DJIA00, JE0000 FROM XSTGJFP2 WHERE GSDW00=:G AND DHAO00=:D ORDER BY SPDM00");
        q.ParamByName("G").SetAsString("C1");
        q.ParamByName("D").SetAsFloat(101);
        q.SetCachedUpdates(true);
        u.ModifySQL().SetText("UPDATE XSTGJFP2 SET DJIA00=:DJIA00, JE0000=:JE0000 WHERE GSDW00=:OLD_GSDW00 AND DHAO00=:OLD_DHAO00 AND SPDM00=:OLD_SPDM00");
        u.DeleteSQL().SetText("DELETE FROM XSTGJFP2 WHERE GSDW00=:OLD_GSDW00 AND DHAO00=:OLD_DHAO00 AND SPDM00=:OLD_SPDM00");
        q.SetUpdateObject(&u);
        q.Open();
    }

    // Prices of P1, P2 and P3, cached.
    static void changeThreePrices(TQuery& q)
    {
        for (double p : {13.0, 21.5, 31.25}) {
            q.Edit();
            q.FieldByName("DJIA00")->SetAsFloat(p);
            q.Next();
        }
    }

    std::string price(const char* code)
    {
        return db->Scalar("SELECT DJIA00 FROM XSTGJFP2 WHERE GSDW00='C1' AND DHAO00=101 AND SPDM00=?", {code});
    }

    std::unique_ptr<TestDatabase> db;
};

TEST_P(EngineTest, CachedPricesAreAppliedTogether)
{
    TQuery q;
    TUpdateSQL u;
    openLines(q, u);
    changeThreePrices(q);
    EXPECT_EQ(price("P1"), "12.5");  // nothing written before the apply
    q.ApplyUpdates();
    q.CommitUpdates();
    EXPECT_FALSE(q.UpdatesPending());
    EXPECT_EQ(price("P1"), "13");
    EXPECT_EQ(price("P2"), "21.5");
    EXPECT_EQ(price("P3"), "31.25");
    EXPECT_EQ(price("P9"), "1");
}

TEST_P(EngineTest, FailedApplyChangesNothingAndKeepsTheCache)
{
    TQuery q;
    TUpdateSQL u;
    openLines(q, u);
    changeThreePrices(q);
    q.First();
    q.Delete();  // P1 goes, in the cache only
    // Another user removes P3 meanwhile: its update reaches no row.
    db->Second().ExecSQL("DELETE FROM XSTGJFP2 WHERE GSDW00='C1' AND DHAO00=101 AND SPDM00='P3'");
    EXPECT_THAT([&] { q.ApplyUpdates(); }, ThrowsMessage<EDatabaseError>("Update failed")) << "the apply must fail";
    EXPECT_EQ(price("P1"), "12.5");
    EXPECT_EQ(price("P2"), "20");
    EXPECT_TRUE(q.UpdatesPending());
    q.First();
    EXPECT_EQ(q.FieldByName("SPDM00")->AsString(), "P2");
    EXPECT_DOUBLE_EQ(q.FieldByName("DJIA00")->AsFloat(), 21.5);

    // A statement the database refuses is rolled back the same way.
    u.ModifySQL().SetText("UPDATE XSTGJFP2 SET NOSUCHCOLUMN=:DJIA00 WHERE SPDM00=:OLD_SPDM00");
    EXPECT_THROW(q.ApplyUpdates(), EDatabaseError);
    EXPECT_EQ(db->Scalar("SELECT COUNT(*) FROM XSTGJFP2 WHERE GSDW00='C1' AND DHAO00=101"), "3");

    // Cancel shows the values as read again, and the deleted line comes back.
    q.CancelUpdates();
    EXPECT_FALSE(q.UpdatesPending());
    q.First();
    EXPECT_EQ(q.FieldByName("SPDM00")->AsString(), "P1");
    EXPECT_DOUBLE_EQ(q.FieldByName("DJIA00")->AsFloat(), 12.5);
    q.Next();
    EXPECT_DOUBLE_EQ(q.FieldByName("DJIA00")->AsFloat(), 20);
    EXPECT_EQ(q.RecordCount(), 4);
}

TEST_P(EngineTest, ValuesCrossTheEngineUnchanged)
{
    TQuery q;
    q.SetDatabaseName("qdb");
    q.SQL().SetText("SELECT DWMC00, CKRQ00, YWRQ00, DHAO00, decode(GJBJ00,'ZM','专卖','购进') GJBJ00 "
                    "FROM XSTGJFP1 WHERE GSDW00=:G AND CKRQ00>=:SINCE ORDER BY DHAO00");
    q.SQL().SetText(Utf8ToAnsi(q.SQL().Text()));
    q.ParamByName("G").SetAsString("C1");
    q.ParamByName("SINCE").SetAsDateTime(EncodeDateTime(2003, 3, 10, 10, 0, 0, 0));
    q.Open();
    EXPECT_EQ(q.RecordCount(), 3);
    EXPECT_EQ(q.FieldByName("DWMC00")->AsString(), Ansi(u8"供货一"));
    EXPECT_DOUBLE_EQ(q.FieldByName("CKRQ00")->AsDateTime(), EncodeDateTime(2003, 3, 10, 10, 0, 0, 0));
    EXPECT_TRUE(q.FieldByName("YWRQ00")->IsNull());
    EXPECT_EQ(q.FieldByName("YWRQ00")->AsString(), "");
    EXPECT_EQ(q.FieldByName("GJBJ00")->AsString(), Ansi(u8"专卖"));
    q.Next();
    EXPECT_EQ(q.FieldByName("GJBJ00")->AsString(), Ansi(u8"购进"));
    EXPECT_DOUBLE_EQ(q.FieldByName("DHAO00")->AsFloat(), 102);

    // A parameter never written into the text: a quote in it is just text.
    TQuery t;
    t.SetDatabaseName("qdb");
    t.SQL().SetText("SELECT COUNT(*) AS N FROM XSTGJFP1 WHERE GSDW00=:G");
    t.ParamByName("G").SetAsString("C1' OR '1'='1");
    t.Open();
    EXPECT_EQ(t.FieldByName("N")->AsInteger(), 0);
}

TEST_P(EngineTest, BytesOfEveryBinaryTypeCrossUnconverted)
{
    db->Db().ExecScript(GetParam() == TestEngine::SQLite ? "CREATE TABLE BIN (ID INTEGER, B BLOB)"
                                                          : "CREATE TABLE BIN (ID INTEGER, B BYTEA)");
    // Not text in any code page: a conversion would change or refuse them.
    const AnsiString bytes("\x00\xff\xfe\x81\x30", 5);
    const TFieldType types[] = {ftBlob, ftGraphic, ftBytes, ftVarBytes, ftTypedBinary};
    for (TFieldType type : types) {
        TQuery ins;
        ins.SetDatabaseName("qdb");
        ins.SQL().SetText("INSERT INTO BIN VALUES (:ID, :B)");
        ins.ParamByName("ID").SetAsInteger(type);
        ins.ParamByName("B").SetDataType(type);
        ins.ParamByName("B").SetValue(Variant(bytes));
        ins.ExecSQL();

        TQuery q;
        q.SetDatabaseName("qdb");
        q.SQL().SetText("SELECT B FROM BIN WHERE ID=:ID");
        q.ParamByName("ID").SetAsInteger(type);
        q.Open();
        EXPECT_EQ(q.FieldByName("B")->AsString(), bytes) << FieldTypeName(type);
    }
}

TEST_P(EngineTest, DecodeMatchesLikeTheDocumentSqlNeeds)
{
    struct Case {
        const char* expr;
        const char* result;
    } cases[] = {
        {"decode('ZM','ZM','A','B')", "A"},
        {"decode('GJ','ZM','A','B')", "B"},
        {"decode('GJ','ZM','A')", ""},
        {"decode(NULL,'ZM','A',NULL,'N','D')", "N"},
        {"decode('X','ZM','A','X','Y','D')", "Y"},
    };
    for (const Case& c : cases) EXPECT_EQ(db->Scalar(std::string("SELECT ") + c.expr), c.result) << c.expr;
}

TEST_P(EngineTest, AuditFunctionThroughTheStoredProcedure)
{
    TStoredProc f;
    f.SetDatabaseName("QDB");
    f.SetStoredProcName("FUNC_TAVREL");
    f.Params().CreateParam(ftString, "Result", ptResult);
    f.Params().CreateParam(ftFloat, "BJ", ptInput);
    f.Params().CreateParam(ftString, "YWGSDM", ptInput);
    f.Params().CreateParam(ftFloat, "DH", ptInput);
    f.Params().CreateParam(ftString, "SHRY00", ptInput);
    f.Params().CreateParam(ftString, "SHRYMC", ptInput);
    f.Params().CreateParam(ftDateTime, "SHRQ00", ptInput);
    f.Params().CreateParam(ftString, "FLAG", ptInputOutput).SetValue(Variant("1"));

    struct Call {
        int bj;
        const char* company;
        const char* number;
        bool date;
        const char8_t* result;
        const char* flag;
        const char* audited;  // YWRQ00 of C1/101 afterwards
    } calls[] = {
        {1, "C1", "101", false, u8"单据未审核，不能弃审!", "0", ""},
        {0, "", "101", true, u8"业务公司代码为空!", "0", ""},
        {0, "C1", "999", true, u8"单据不存在!", "0", ""},
        {0, "C1", "101", false, u8"审核日期为空!", "0", ""},
        {0, "C1", "101", true, u8"审核成功!", "1", "2003-03-11 09:00:00"},
        {0, "C1", "101", true, u8"单据已审核，不能重复审核!", "0", "2003-03-11 09:00:00"},
        {1, "C1", "101", false, u8"弃审成功!", "1", ""},
        {7, "C1", "101", false, u8"审核标记无效!", "0", ""},
    };
    for (const Call& c : calls) {
        f.ParamByName("BJ").SetAsInteger(c.bj);
        f.ParamByName("YWGSDM").SetAsString(c.company);
        f.ParamByName("DH").SetAsString(c.number);
        f.ParamByName("SHRY00").SetAsString("A01");
        f.ParamByName("SHRYMC").SetAsString(Ansi(u8"审核员"));
        if (c.date)
            f.ParamByName("SHRQ00").SetAsDateTime(EncodeDateTime(2003, 3, 11, 9, 0, 0, 0));
        else
            f.ParamByName("SHRQ00").Clear();
        f.ExecProc();
        EXPECT_EQ(f.ParamByName("Result").AsString(), Ansi(c.result)) << c.bj << c.company << c.number;
        EXPECT_EQ(f.ParamByName("FLAG").AsString(), c.flag);
        std::string audited = db->Scalar("SELECT YWRQ00 FROM XSTGJFP1 WHERE GSDW00='C1' AND DHAO00=101");
        if (*c.audited)
            EXPECT_EQ(audited.substr(0, 9), "2003-3-11");
        else
            EXPECT_EQ(audited, "");
    }
    EXPECT_EQ(db->Scalar("SELECT YWRYMC FROM XSTGJFP1 WHERE GSDW00='C1' AND DHAO00=102"), "李四");
}

TEST_P(EngineTest, DemoDataIsTheSameOnEveryEngine)
{
    // Beside the sample rows: other companies and products, no clashes.
    GenerateDemoData(db->Db(), DemoDataOptions{10, 7});
    const char* demo = " WHERE GSDW00 IN ('110101','310101','440301','510101')";
    EXPECT_EQ(db->Scalar(std::string("SELECT COUNT(*) FROM XSTGJFP1") + demo), "40");
    EXPECT_EQ(db->Scalar(std::string("SELECT COUNT(*) FROM XSTGJFP2") + demo), "881");
    EXPECT_EQ(db->Scalar(std::string("SELECT ROUND(SUM(SL0000)) FROM XSTGJFP2") + demo), "894380");
    // Quantities are whole cases of fifty cartons, now and then with loose cartons.
    EXPECT_EQ(db->Scalar(std::string("SELECT COUNT(*) FROM XSTGJFP2") + demo + " AND SL0000 < 50"), "0");
    EXPECT_EQ(db->Scalar("SELECT GSJC00 FROM XTTGSSZ0 WHERE GSDM00='110101'"), "北京市烟草公司东城分公司");
}

INSTANTIATE_TEST_SUITE_P(Engines, EngineTest, ::testing::Values(TestEngine::SQLite, TestEngine::PostgreSQL),
                         [](const auto& info) { return std::string(EngineName(info.param)); });

}  // namespace
