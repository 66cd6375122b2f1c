// Two auditors on one database: the window's save meets a line that another
// auditor's data module (on a connection of its own) changed meanwhile.
#include "AuditWindowFixture.h"

#include "db/HostDatabase.h"
#include "ui/AuditGrids.h"
#include "ui/PostApply.h"

#include <QSqlDatabase>

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;

// Another auditor's data module on its own connection. Its datasets find
// "qdb" in the default session, so it is the default only while it works.
class OtherAuditor {
public:
    explicit OtherAuditor(const std::string& spec)
    {
        OpenHostDatabase(ParseDatabaseSpec(spec), "other-auditor");
        session_.AddDatabase("qdb", "other-auditor");
        RegisterHostRoutines(session_.Database("qdb"), session_);
    }
    ~OtherAuditor()
    {
        data_.reset();
        session_.RemoveDatabase("qdb");
        QSqlDatabase::removeDatabase("other-auditor");
    }

    // Opens document `number` of company C1, sets the line's price, amount
    // and tax, and saves as the window does.
    void SaveLine(double number, const char* code, double price, double amount, double tax, TSession& back)
    {
        SetDefaultSession(&session_);
        data_ = std::make_unique<Tdm>();
        data_->qry_xstgjfp1->Open();
        ASSERT_TRUE(data_->qry_xstgjfp1->Locate("DHAO00", Variant(number)));
        data_->qry_xstgjfp2->Open();
        ASSERT_TRUE(data_->qry_xstgjfp2->Locate("SPDM00", Variant(code)));
        data_->qry_xstgjfp2->Edit();
        data_->qry_xstgjfp2DJIA00->SetAsFloat(price);
        data_->qry_xstgjfp2JE0000->SetAsFloat(amount);
        data_->qry_xstgjfp2SE0000->SetAsFloat(tax);
        PostApply(data_->qry_xstgjfp2);
        data_.reset();
        SetDefaultSession(&back);
    }

private:
    TSession session_;
    std::unique_ptr<Tdm> data_;
};

class TwoAuditorsTest : public AuditWindowFixture {
protected:
    std::string storedLine(const char* code)
    {
        const std::string where = std::string(" FROM XSTGJFP2 WHERE GSDW00='C1' AND DHAO00=101 AND SPDM00='") + code + "'";
        return db->Scalar("SELECT DJIA00" + where) + " " + db->Scalar("SELECT JE0000" + where) + " " +
               db->Scalar("SELECT SE0000" + where);
    }
    void setPrice(const char* code, double price)
    {
        ASSERT_TRUE(dm->qry_xstgjfp2->Locate("SPDM00", Variant(code)));
        dm->qry_xstgjfp2->Edit();
        dm->qry_xstgjfp2DJIA00->SetAsFloat(price);
        window->dbg_xstgjfp2Edited(window->dbg_xstgjfp2, nullptr);
    }
};

TEST_P(TwoAuditorsTest, SecondSaveOfAChangedLineIsRefusedAndCancelShowsTheStoredValues)
{
    std::vector<std::string> errors;
    Application().SetOnException([&](const std::exception& e) { errors.push_back(e.what()); });
    Open();
    GoToDocument(101);
    Press(window->sb_edit);
    window->dbg_xstgjfp2->SetFocusedColumn(lcPrice);
    setPrice("P1", 13);  // amount 130, tax 22.1
    setPrice("P2", 21);  // a line nobody else touches

    // Meanwhile the other auditor saves P1 with prices of his own.
    OtherAuditor other(db->Spec());
    other.SaveLine(101, "P1", 14, 140, 23.8, db->Session());
    ASSERT_EQ(storedLine("P1"), "14 140 23.8");

    Press(window->sb_save);
    EXPECT_THAT(errors, ElementsAre("Update failed"));
    EXPECT_TRUE(Messages().empty()) << "no success box";
    EXPECT_EQ(window->CommandState(), TCommandState::Editing);
    EXPECT_TRUE(dm->qry_xstgjfp2->UpdatesPending());
    ASSERT_TRUE(dm->qry_xstgjfp2->Locate("SPDM00", Variant("P1")));
    EXPECT_DOUBLE_EQ(dm->qry_xstgjfp2DJIA00->AsFloat(), 13) << "the cache keeps the change";
    // Nothing of the refused save reached the database, not even the line
    // that nobody else had touched.
    EXPECT_EQ(storedLine("P1"), "14 140 23.8");
    EXPECT_EQ(storedLine("P2"), "20 1000 170");

    // Cancel shows what is stored now; an edit from there saves.
    Press(window->sb_cancel);
    EXPECT_EQ(window->CommandState(), TCommandState::Browse);
    EXPECT_FALSE(dm->qry_xstgjfp2->UpdatesPending());
    ASSERT_TRUE(dm->qry_xstgjfp2->Locate("SPDM00", Variant("P1")));
    EXPECT_DOUBLE_EQ(dm->qry_xstgjfp2DJIA00->AsFloat(), 14);
    Press(window->sb_edit);
    setPrice("P1", 15);
    Press(window->sb_save);
    EXPECT_THAT(Messages(), ElementsAre("保存成功！"));
    EXPECT_EQ(storedLine("P1"), "15 150 25.5");

    // Values the window computed itself (amount and tax with long binary
    // fractions) are compared exactly at the next save of the same line.
    Press(window->sb_edit);
    setPrice("P1", 15.37);
    Press(window->sb_save);
    Press(window->sb_edit);
    setPrice("P1", 16);
    Press(window->sb_save);
    EXPECT_THAT(errors, ElementsAre("Update failed"));
    EXPECT_EQ(storedLine("P1"), "16 160 27.2");
}

INSTANTIATE_ON_BOTH_ENGINES(TwoAuditorsTest);

}  // namespace
