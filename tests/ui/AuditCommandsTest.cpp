// Audit with the audit-date dialog, and revoke: the date checks, what the
// audit function receives, what the auditor is shown, and the list read again.
#include "AuditWindowFixture.h"

#include "db/AuditRoutine.h"
#include "runtime/db/Param.h"
#include "ui/AuditFunction.h"
#include "ui/DateTimePicker.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <gmock/gmock.h>

#include <optional>

namespace {

using ::testing::ElementsAre;

const TDateTime kDocumentDate = EncodeDateTime(2003, 3, 10, 10, 0, 0, 0);  // document 101

// The parameters one call of the audit function received.
struct Call {
    Variant bj, ywgsdm, dh, shry00, shrymc, shrq00, flag;
};

class AuditCommandsTest : public AuditWindowFixture {
protected:
    void SetUp() override
    {
        AuditWindowFixture::SetUp();
        Open();
        GoToDocument(101);
        // The database's own function, watched on its way in (after the
        // second connection, which registers the host's routines again).
        db->Second();
        db->Session().RegisterRoutine("FUNC_TAVREL", [this](TParams& p, TDatabase& database) {
            calls.push_back({p.ParamByName("BJ").Value(), p.ParamByName("YWGSDM").Value(), p.ParamByName("DH").Value(),
                             p.ParamByName("SHRY00").Value(), p.ParamByName("SHRYMC").Value(),
                             p.ParamByName("SHRQ00").Value(), p.ParamByName("FLAG").Value()});
            if (failure) throw EDatabaseError(*failure);
            FuncTavrel(p, database);
        });
    }

    std::string auditDateOf(int document)
    {
        return db->Scalar("SELECT YWRQ00 FROM XSTGJFP1 WHERE GSDW00='C1' AND DHAO00=?", {Variant(double(document))});
    }

    std::vector<Call> calls;
    std::optional<std::string> failure;
};

TEST_P(AuditCommandsTest, DialogAsLaidOut)
{
    WithDateDialog([&] { Press(window->sb_Audit); }, [&](Tfm_date& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("请选择审核日期"));
        EXPECT_EQ(d.size(), QSize(277, 135));
        EXPECT_FALSE(d.windowFlags().testFlag(Qt::WindowCloseButtonHint));
        EXPECT_EQ(d.Label1->geometry(), QRect(41, 31, 60, 12));
        EXPECT_EQ(d.Label1->text(), QStringLiteral("审核日期："));
        EXPECT_EQ(d.Button1->geometry(), QRect(33, 75, 75, 25));
        EXPECT_EQ(d.Button1->text(), QStringLiteral("确定(&O)"));
        EXPECT_EQ(d.Button2->geometry(), QRect(167, 75, 75, 25));
        EXPECT_EQ(d.Button2->text(), QStringLiteral("取消(&C)"));
        EXPECT_EQ(d.Dtp_shrq->geometry(), QRect(113, 27, 121, 20));
        EXPECT_TRUE(d.Dtp_shrq->calendarPopup());
        EXPECT_FALSE(d.Button1->isDefault() || d.Button1->autoDefault() || d.Button2->autoDefault());
        EXPECT_EQ(d.Button1->nextInFocusChain(), d.Button2);
        EXPECT_EQ(d.Button2->nextInFocusChain(), d.Dtp_shrq);
        // The default audit date, time of day included.
        EXPECT_DOUBLE_EQ(d.Dtp_shrq->DateTime(), EncodeDateTime(2003, 3, 11, 9, 0, 0, 0));

        // Enter in the picker and Esc anywhere leave it open.
        for (QWidget* target : {static_cast<QWidget*>(d.Dtp_shrq), static_cast<QWidget*>(&d)})
            for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
                QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
                QApplication::sendEvent(target, &press);
            }
        EXPECT_TRUE(d.isVisible());
        d.Button2->click();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(Messages().empty());
}

TEST_P(AuditCommandsTest, DateChecks)
{
    struct Case {
        const char* why;
        TDateTime picked;  // put into the picker by the user (change) or the program (OK only)
        bool byUser;
        bool refused;
    };
    const Case cases[] = {
        {"picked the document's day, earlier time of day", EncodeDateTime(2003, 3, 10, 9, 0, 0, 0), true, true},
        {"picked a day before the document", EncodeDateTime(2003, 3, 9, 9, 0, 0, 0), true, true},
        {"picked a later day", EncodeDateTime(2003, 3, 12, 9, 0, 0, 0), true, false},
        {"OK on the document's day, earlier time of day", EncodeDateTime(2003, 3, 10, 9, 0, 0, 0), false, false},
        {"OK on a day before the document", EncodeDateTime(2003, 3, 9, 23, 0, 0, 0), false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        dialogs.Clear();
        WithDateDialog([&] { Press(window->sb_Audit); }, [&](Tfm_date& d) {
            if (c.byUser) {
                DateParts p;
                DecodeDateTime(c.picked, p);
                d.Dtp_shrq->setDate(QDate(p.year, p.month, p.day));  // as the calendar sets it
                EXPECT_DOUBLE_EQ(d.Dtp_shrq->DateTime(), c.refused ? kDocumentDate : c.picked);
                EXPECT_EQ(Messages().size(), c.refused ? 1u : 0u);
                d.Button2->click();
                return;
            }
            d.Dtp_shrq->SetDateTime(c.picked);
            d.Button1->click();
            EXPECT_EQ(d.isVisible(), c.refused);
            if (c.refused) EXPECT_DOUBLE_EQ(d.Dtp_shrq->DateTime(), kDocumentDate);
        });
        if (c.refused) EXPECT_EQ(Messages().front(), "审核日期不能小于制单日期！");
        EXPECT_EQ(calls.size(), c.byUser || c.refused ? 0u : 1u);
        if (!calls.empty()) {
            EXPECT_DOUBLE_EQ(calls.back().shrq00.AsFloat(), c.picked);
            GoToDocument(101);
            RunAuditFunction(TAuditAction::Revoke);  // back to not audited for the next case
            GoToDocument(101);
            calls.clear();
        }
    }
}

TEST_P(AuditCommandsTest, RefusedDateThenOkAudits)
{
    WithDateDialog([&] { Press(window->sb_Audit); }, [&](Tfm_date& d) {
        d.Dtp_shrq->SetDateTime(EncodeDateTime(2003, 3, 9, 9, 0, 0, 0));
        d.Button1->click();
        EXPECT_TRUE(d.isVisible());
        d.Button1->click();  // now at the document date
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_THAT(Messages(), ElementsAre("审核日期不能小于制单日期！", "审核成功!"));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_DOUBLE_EQ(calls[0].shrq00.AsFloat(), kDocumentDate);
}

TEST_P(AuditCommandsTest, AuditAndRevokePassTheirParameters)
{
    // A revoke before any audit passes a null audit date.
    Press(window->sb_CancelAudi);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].bj.Type(), VarType::Integer);
    EXPECT_EQ(calls[0].bj.AsInteger(), 1);
    EXPECT_TRUE(calls[0].shrq00.IsNull());
    EXPECT_EQ(calls[0].flag.AsString(), "1");
    EXPECT_THAT(Messages(), ElementsAre("单据未审核，不能弃审!"));  // the function's text, unchanged
    EXPECT_EQ(dm->qry_xstgjfp1DHAO00->AsFloat(), 103) << "the list was read again";

    GoToDocument(101);
    const TDateTime audit = EncodeDateTime(2003, 3, 11, 9, 0, 0, 0);
    WithDateDialog([&] { Press(window->sb_Audit); }, [&](Tfm_date& d) { d.Button1->click(); });
    ASSERT_EQ(calls.size(), 2u);
    const Call& a = calls[1];
    EXPECT_EQ(a.bj.Type(), VarType::Integer);
    EXPECT_EQ(a.bj.AsInteger(), 0);
    EXPECT_EQ(a.ywgsdm.AsString(), "C1");
    EXPECT_TRUE(a.dh.IsString());
    EXPECT_EQ(a.dh.AsString(), "101");
    EXPECT_EQ(a.shry00.AsString(), "A01");
    EXPECT_EQ(a.shrymc.AsString(), Ansi(u8"审核员"));
    EXPECT_DOUBLE_EQ(a.shrq00.AsFloat(), audit);
    EXPECT_EQ(a.flag.AsString(), "0") << "FLAG carries what the previous call returned";
    EXPECT_EQ(Messages().back(), "审核成功!");
    EXPECT_FALSE(auditDateOf(101).empty());
    EXPECT_EQ(dm->qry_xstgjfp1DHAO00->AsFloat(), 103);
    GoToDocument(101);
    EXPECT_FALSE(dm->qry_xstgjfp1YWRQ00->IsNull()) << "the list shows the new audit state";

    // Audited now: audit is refused without the dialog; revoke passes the audit's date.
    Press(window->sb_Audit);
    EXPECT_EQ(Messages().back(), "该记录已审核或为空，不能审核！");
    EXPECT_EQ(calls.size(), 2u);
    Press(window->sb_CancelAudi);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[2].bj.AsInteger(), 1);
    EXPECT_DOUBLE_EQ(calls[2].shrq00.AsFloat(), audit);
    EXPECT_EQ(Messages().back(), "弃审成功!");
    EXPECT_EQ(auditDateOf(101), "");
    EXPECT_EQ(window->CommandState(), TCommandState::Browse);
}

TEST_P(AuditCommandsTest, DatabaseErrorKeepsTheDialogOpenAndTheListAsItWas)
{
    std::vector<std::string> errors;
    Application().SetOnException([&](const std::exception& e) { errors.push_back(e.what()); });
    failure = "function refused";
    WithDateDialog([&] { Press(window->sb_Audit); }, [&](Tfm_date& d) {
        d.Button1->click();
        EXPECT_TRUE(d.isVisible());
    });
    EXPECT_THAT(errors, ElementsAre("function refused"));
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(dm->qry_xstgjfp1DHAO00->AsFloat(), 101) << "the list was not read again";

    Press(window->sb_CancelAudi);
    EXPECT_EQ(errors.size(), 2u);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(dm->qry_xstgjfp1DHAO00->AsFloat(), 101);
}

TEST_P(AuditCommandsTest, DefaultDateThatIsNoDateIsReported)
{
    std::vector<std::string> errors;
    Application().SetOnException([&](const std::exception& e) { errors.push_back(e.what()); });
    Params[4] = "tomorrow";
    WithDateDialog([&] { Press(window->sb_Audit); }, [&](Tfm_date& d) {
        EXPECT_DOUBLE_EQ(d.Dtp_shrq->DateTime(), EncodeDateTime(2003, 3, 9, 15, 11, 13, 0));
    });
    EXPECT_THAT(errors, ElementsAre("'tomorrow' is not a valid date and time"));
}

INSTANTIATE_ON_BOTH_ENGINES(AuditCommandsTest);

}  // namespace
