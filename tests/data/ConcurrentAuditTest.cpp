// Two auditors audit (or revoke) the same document at the same moment, each
// through a data module of their own on a connection of their own: exactly
// one of them changes it, the other gets the audit function's answer.
//
// The first auditor's call stays inside an open transaction, holding what
// the function locked, until the second auditor's call is seen waiting in
// the server; only then does the first commit.
#include "TestDatabase.h"

#include "data/Params.h"
#include "data/Tdm.h"
#include "db/HostDatabase.h"
#include "runtime/SysUtils.h"

#include <QSqlDatabase>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

// Sets the stored function's parameters as the window does and runs it;
// the result text.
std::string callAuditFunction(Tdm& d, double document, int bj, const char* auditor)
{
    TStoredProc* f = d.func_tavrel;
    f->ParamByName("BJ").SetAsInteger(bj);
    f->ParamByName("YWGSDM").SetAsString("C1");
    f->ParamByName("DH").SetAsString(FloatToStr(document));
    f->ParamByName("SHRY00").SetAsString(auditor);
    f->ParamByName("SHRYMC").SetAsString(auditor);
    if (bj == 0) f->ParamByName("SHRQ00").SetAsDateTime(EncodeDateTime(2003, 3, 20, 9, 0, 0, 0));
    f->ExecProc();
    return AnsiToUtf8(f->ParamByName("Result").AsString());
}

struct Race {
    const char* what;
    double document;
    int bj;
    const char* first;   // the result of the auditor who got there first
    const char* second;  // the result of the one who waited
    const char* auditorAfter;
};

TEST(ConcurrentAuditTest, OfTwoSimultaneousCallsExactlyOneChangesTheDocument)
{
    const Race races[] = {
        {"audit", 101, 0, "审核成功!", "单据已审核，不能重复审核!", "B"},
        {"revoke", 102, 1, "弃审成功!", "单据未审核，不能弃审!", ""},
    };
    for (const Race& race : races) {
        SCOPED_TRACE(race.what);
        TestDatabase db(TestEngine::PostgreSQL);
        InsertSampleDocuments(db);
        Params = {"C1", "", "", "", "", "", "", "", "", "", "", ""};

        Tdm first;
        db.Db().StartTransaction();
        EXPECT_EQ(callAuditFunction(first, race.document, race.bj, "B"), race.first);

        std::string second;
        std::thread other([&] {
            // Qt's connections belong to the thread that opens them.
            OpenHostDatabase(ParseDatabaseSpec(db.Spec()), "second-auditor");
            {
                TSession session;
                session.AddDatabase("qdb", "second-auditor");
                SetDefaultSession(&session);
                {
                    Tdm d;
                    second = callAuditFunction(d, race.document, race.bj, "A");
                }
                SetDefaultSession(nullptr);
            }
            QSqlDatabase::removeDatabase("second-auditor");
        });
        bool waiting = false;
        for (auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
             !waiting && std::chrono::steady_clock::now() < until;
             std::this_thread::sleep_for(std::chrono::milliseconds(20)))
            waiting = db.Scalar("SELECT count(*) FROM pg_stat_activity WHERE wait_event_type = 'Lock'") == "1";
        db.Db().Commit();
        other.join();
        SetDefaultSession(&db.Session());

        EXPECT_TRUE(waiting) << "the second call never waited for the first";
        EXPECT_EQ(second, race.second);
        EXPECT_EQ(db.Scalar("SELECT YWRY00 FROM XSTGJFP1 WHERE GSDW00='C1' AND DHAO00=" +
                            std::to_string(static_cast<int>(race.document))),
                  race.auditorAfter);
    }
}

}  // namespace
