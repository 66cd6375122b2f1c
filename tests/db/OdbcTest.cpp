// The ODBC engine, against the test PostgreSQL server through its ODBC driver.
#include "TestDatabase.h"
#include "support/PromisedServices.h"

#include "db/HostDatabase.h"
#include "runtime/db/Query.h"
#include "runtime/db/StoredProc.h"
#include "runtime/db/UpdateSQL.h"

#include <QSqlDatabase>

#include <gtest/gtest.h>

TEST(OdbcTest, QueriesUpdatesAndTheAuditFunction)
{
    TestDatabase pg(TestEngine::PostgreSQL);
    InsertSampleDocuments(pg);
    std::string spec = pg.OdbcSpec();
    if (spec.empty()) {
        if (ServicePromised("odbc")) FAIL() << "the test script installed the ODBC driver for PostgreSQL; it is missing";
        GTEST_SKIP() << "no ODBC driver for PostgreSQL installed";
    }

    TSession session;
    OpenHostDatabase(ParseDatabaseSpec(spec), "odbc-test");
    session.AddDatabase("qdb", "odbc-test");
    SetDefaultSession(&session);
    {
        TQuery q;
        q.SetDatabaseName("qdb");
        q.SQL().SetText(Utf8ToAnsi("SELECT SPDM00, DJIA00, decode(SPMC00,'甲烟','一','二') AS N FROM XSTGJFP2 "
                                   "WHERE GSDW00=:G AND DHAO00=:D ORDER BY SPDM00"));
        q.ParamByName("G").SetAsString("C1");
        q.ParamByName("D").SetAsFloat(101);
        q.SetCachedUpdates(true);
        TUpdateSQL u;
        u.ModifySQL().SetText("UPDATE XSTGJFP2 SET DJIA00=:DJIA00 WHERE GSDW00='C1' AND DHAO00=101 AND SPDM00=:OLD_SPDM00");
        q.SetUpdateObject(&u);
        q.Open();
        EXPECT_EQ(q.FieldByName("N")->AsString(), Ansi(u8"一"));
        EXPECT_EQ(q.RecordCount(), 4);
        q.First();
        q.Edit();
        q.FieldByName("DJIA00")->SetAsFloat(14.5);
        q.ApplyUpdates();
        q.CommitUpdates();
        EXPECT_EQ(pg.Scalar("SELECT DJIA00 FROM XSTGJFP2 WHERE GSDW00='C1' AND DHAO00=101 AND SPDM00='P1'"), "14.5");

        TStoredProc f;
        f.SetDatabaseName("QDB");
        f.SetStoredProcName("FUNC_TAVREL");
        f.Params().CreateParam(ftString, "Result", ptResult);
        for (const char* name : {"BJ", "YWGSDM", "DH", "SHRY00", "SHRYMC", "SHRQ00"})
            f.Params().CreateParam(ftString, name, ptInput);
        f.Params().CreateParam(ftString, "FLAG", ptInputOutput).SetValue(Variant("1"));
        f.ParamByName("BJ").SetAsInteger(0);
        f.ParamByName("YWGSDM").SetAsString("C1");
        f.ParamByName("DH").SetAsString("101");
        f.ParamByName("SHRQ00").SetAsDateTime(EncodeDateTime(2003, 3, 11, 9, 0, 0, 0));
        f.ExecProc();
        EXPECT_EQ(f.ParamByName("Result").AsString(), Ansi(u8"审核成功!"));
        EXPECT_EQ(f.ParamByName("FLAG").AsString(), "1");
    }
    SetDefaultSession(&pg.Session());
    session.RemoveDatabase("qdb");
    QSqlDatabase::database("odbc-test", false).close();
    QSqlDatabase::removeDatabase("odbc-test");
}
