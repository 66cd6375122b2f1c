// The print command: the print query for the current document, the template
// from the current directory, and the three totals the template prints.
#include "AuditWindowFixture.h"

#include "report/language/Globals.h"
#include "report/model/Report.h"
#include "report/pages/EMFPages.h"
#include "report/windows/PreviewForm.h"
#include "report/windows/SpeedButton.h"
#include "runtime/ModalDialog.h"
#include "ui/AuditGrids.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;

class PrintCommandTest : public AuditWindowFixture {
protected:
    void SetUp() override
    {
        AuditWindowFixture::SetUp();
        // Document 103 gets two lines of 100 and 150 cartons.
        db->Exec("INSERT INTO XSTGJFP2 VALUES ('C1', 103, 'P1', '甲烟', 10, 100, 1000, 170)");
        db->Exec("INSERT INTO XSTGJFP2 VALUES ('C1', 103, 'P2', '乙烟', 20.0002, 150, 3000.03, 510.0051)");
        previousDirectory = QDir::currentPath();
        QDir::setCurrent(directory.path());
        for (const char* name : {"SL_JIAN", "SL_TIAO", "JE"}) rqVariables().SetVariable(name, Variant::Null());
        // The preview stands in for the auditor: it records what it was
        // given and closes.
        SetModalHook([this](QDialog& dialog) {
            if (auto* preview = dynamic_cast<TrqPreviewForm*>(&dialog)) {
                previewPages.push_back(preview->PageCount());
                EXPECT_FALSE(preview->ZoomBtn->isHidden());
                EXPECT_FALSE(preview->PageSetupBtn->isHidden());
                EXPECT_TRUE(preview->HelpBtn->isHidden()) << "no help button for the invoice";
            }
            return static_cast<int>(QDialog::Rejected);
        });
        Open();
    }
    void TearDown() override
    {
        AuditWindowFixture::TearDown();
        SetModalHook({});
        QDir::setCurrent(previousDirectory);
    }

    void installTemplate() { ASSERT_TRUE(QFile::copy(INVOICE_TEMPLATE, "qdb_xstgjfp.rqf")); }
    static double variable(const char* name) { return rqVariables().GetVariable(name).AsFloat(); }
    long double footer(int column) const
    {
        return static_cast<TqvDBTreeListColumn*>(window->dbg_xstgjfp2->Columns(column))->SummaryFooterValue();
    }

    QTemporaryDir directory;
    QString previousDirectory;
    std::vector<int> previewPages;  // the pages of each preview shown
};

TEST_P(PrintCommandTest, TotalsOfThePrintedRows)
{
    installTemplate();
    Press(window->sb_print);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(variable("SL_TIAO"), 250);
    EXPECT_EQ(variable("SL_JIAN"), 5);
    EXPECT_DOUBLE_EQ(variable("JE"), 4000.03);
    EXPECT_TRUE(dm->qry_xsvgjfp0->Active());
    EXPECT_THAT(previewPages, ElementsAre(1));
    // In browse state they are the line grid's footer totals.
    EXPECT_EQ(variable("SL_TIAO"), static_cast<double>(footer(lcQuantity)));
    EXPECT_EQ(variable("JE"), static_cast<double>(footer(lcAmount)));

    // While a line is being edited the printed rows and their totals are the
    // stored ones: the edit has not been saved.
    Press(window->sb_edit);
    ASSERT_TRUE(dm->qry_xstgjfp2->Locate("SPDM00", Variant("P1")));
    dm->qry_xstgjfp2->Edit();
    dm->qry_xstgjfp2JE0000->SetAsFloat(99999);
    dm->qry_xstgjfp2->Post();
    Press(window->sb_print);
    EXPECT_DOUBLE_EQ(variable("JE"), 4000.03);
    EXPECT_NE(variable("JE"), static_cast<double>(footer(lcAmount))) << "the footer counts the unsaved amount";
    EXPECT_EQ(window->CommandState(), TCommandState::Editing);
    EXPECT_EQ(previewPages.size(), 2u);
}

TEST_P(PrintCommandTest, PrintRowsFollowTheCurrentDocument)
{
    installTemplate();
    GoToDocument(101);
    Press(window->sb_print);
    // 101 prints P9 too, which has no product row and is not listed on screen.
    EXPECT_EQ(variable("SL_TIAO"), 161);
    EXPECT_DOUBLE_EQ(variable("SL_JIAN"), 3.22);

    // Read-only users print the same way; an empty list prints no rows.
    Close();
    Params[5] = "R";
    Params[0] = "C9";
    Open();
    Press(window->sb_print);
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(dm->qry_xsvgjfp0->IsEmpty());
    EXPECT_EQ(variable("SL_TIAO"), 0);
}

TEST_P(PrintCommandTest, MissingTemplateIsReported)
{
    Press(window->sb_print);
    EXPECT_THAT(Messages(), ElementsAre("没有调到报表文件(qdb_xstgjfp.rqf)！"));
    EXPECT_TRUE(previewPages.empty());
    EXPECT_TRUE(dm->qry_xsvgjfp0->Active()) << "the print query stays open";
    EXPECT_TRUE(rqVariables().GetVariable("SL_TIAO").IsNull());
}

TEST_P(PrintCommandTest, TemplateThatCannotBeReadStopsThePrint)
{
    QFile broken("qdb_xstgjfp.rqf");
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("this is no report template");
    broken.close();
    Press(window->sb_print);
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].caption, "Error");
    EXPECT_EQ(dialogs.Calls()[0].text, window->rqReport1->LoadMessage());
    EXPECT_TRUE(rqVariables().GetVariable("SL_TIAO").IsNull()) << "the print stopped at the template";
    EXPECT_TRUE(previewPages.empty());
}

INSTANTIATE_ON_BOTH_ENGINES(PrintCommandTest);

}  // namespace
