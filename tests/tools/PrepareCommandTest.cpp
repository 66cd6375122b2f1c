// rqtool prepare: reports built from SQL on the command line, the purchase
// invoice over a demo document, and what a bad command line or a failing build
// leaves behind.
#include "DemoInvoice.h"
#include "RunTool.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace {

// Every memo text of every page of a dump, page by page.
std::vector<std::vector<std::string>> memoTexts(const std::string& json)
{
    std::vector<std::vector<std::string>> pages;
    for (const QJsonValue& page : QJsonDocument::fromJson(QByteArray::fromStdString(json))["pages"].toArray()) {
        pages.emplace_back();
        for (const QJsonValue& view : page["objects"].toArray()) {
            QStringList lines;
            for (const QJsonValue& line : view["memo"].toArray()) lines << line.toString();
            pages.back().push_back(lines.join('|').toStdString());
        }
    }
    return pages;
}

bool contains(const std::vector<std::string>& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

class PrepareCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        items_ = path("items.sqlite");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "items");
            db.setDatabaseName(QString::fromStdString(items_));
            ASSERT_TRUE(db.open());
            QSqlQuery q(db);
            q.exec("CREATE TABLE items (id INTEGER, code TEXT, qty REAL)");
            for (int i = 1; i <= 30; ++i)
                q.exec(QString("INSERT INTO items VALUES (%1, 'C%1', %2)").arg(i).arg(i * 1.5));
        }
        QSqlDatabase::removeDatabase("items");
        list_ = path("list.json");
        std::ofstream(list_) << R"({"twoPass": true, "pages": [{"objects": [
            {"objectKind": 2, "name": "MasterData1", "top": 40, "height": 20, "width": 700, "frameTyp": 5,
             "formatText": "Items"},
            {"objectKind": 0, "name": "Code", "left": 20, "top": 40, "width": 100, "height": 20,
             "memo": ["[Q1.\"code\"] [Q1.\"qty\" #N1.2]"]},
            {"objectKind": 2, "name": "PageFooter1", "top": 1000, "height": 20, "width": 700, "frameTyp": 3},
            {"objectKind": 0, "name": "PageNo", "left": 20, "top": 1000, "width": 100, "height": 20,
             "memo": ["[PAGE#]/[TOTALPAGES] [Label]"]}]}]})";
    }
    std::string path(const char* name) const { return dir_.filePath(name).toStdString(); }
    std::vector<std::string> listArgs(std::vector<std::string> more) const
    {
        std::vector<std::string> args{"prepare", list_, "--db", items_, "--query", "Q1=SELECT * FROM items ORDER BY id",
                                      "--dataset", "Items=Q1"};
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }

    QTemporaryDir dir_;
    std::string items_, list_;
};

TEST_F(PrepareCommand, WritesPagesPdfAndTheDumpOfRqp)
{
    const std::string rqp = path("out.rqp"), pdf = path("out.pdf");
    ToolResult r = RunRqtool(listArgs({"--var", "Label=str:items", "-o", rqp, "--pdf", pdf, "--dump"}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ToolResult dump = RunRqtool({"rqp", "dump", rqp});
    ASSERT_EQ(dump.exitCode, 0) << dump.err;
    EXPECT_EQ(r.out, dump.out);
    EXPECT_GT(QFile(QString::fromStdString(pdf)).size(), 1000);
    auto pages = memoTexts(r.out);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].front(), "C1 1.50");
    EXPECT_EQ(pages[0].back(), "1/1 items");
    EXPECT_EQ(pages[0].size(), 31u);
}

TEST_F(PrepareCommand, UsageErrorsAndFailuresLeaveNoFiles)
{
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        const char* message;
    };
    const std::string rqp = path("bad.rqp");
    const Case cases[] = {
        {listArgs({"--dataset", "Other=Nowhere", "-o", rqp}), 2, "--dataset: no query 'Nowhere'"},
        {listArgs({"--master", "Q1=Nowhere", "-o", rqp}), 2, "--master: no query 'Nowhere'"},
        {listArgs({"--report-dataset", "Nothing", "-o", rqp}), 2, "--report-dataset: no dataset 'Nothing'"},
        {{"prepare", "--query", "Q1=SELECT 1"}, 2, "missing TEMPLATE"},
        {{"prepare", list_, "--query", "Q1=SELECT 1"}, 2, "--query needs --db"},
        // [Label] is not defined: the build fails with the engine's message.
        {listArgs({"-o", rqp, "--pdf", path("bad.pdf")}), 1,
         "Error: An error occured during calculating\n[PAGE#]/[TOTALPAGES] [Label]\n\nReport: rqReport1\n"
         "Object: PageNo\n\nUndefined symbol \"LABEL\"\n"},
        {{"prepare", list_, "--db", items_, "--query", "Q1=SELECT * FROM nowhere", "--dataset", "Items=Q1", "-o", rqp},
         1, "no such table"},
    };
    for (const Case& c : cases) {
        ToolResult r = RunRqtool(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.message << "\n" << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_FALSE(QFile::exists(QString::fromStdString(rqp))) << c.message;
        EXPECT_FALSE(QFile::exists(QString::fromStdString(path("bad.pdf")))) << c.message;
        EXPECT_EQ(QDir(dir_.path()).entryList({"*.part"}, QDir::Files).size(), 0) << c.message;
    }
}

TEST_F(PrepareCommand, ScriptsAreWarnedAboutAndCtrlCStopsOneThatNeverEnds)
{
    // One record of its own; its script says it starts, then loops for ever.
    // The text after its statement never runs.
    const std::string endless = path("endless.json");
    std::ofstream(endless) << R"({"pages": [{"objects": [
        {"objectKind": 2, "name": "MasterData1", "top": 40, "height": 20, "width": 700, "frameTyp": 5,
         "formatText": "1", "script": ["BEGIN PAGE1.Started := 1; WHILE 1 = 1 DO X := X + 1 END;", "X := 0"]},
        {"objectKind": 0, "name": "Row", "left": 20, "top": 40, "width": 100, "height": 20, "memo": ["[X]"]}]}]})";
    const std::string rqp = path("endless.rqp"), pdf = path("endless.pdf");
    const std::string started = "Warning: Page1 has no property \"STARTED\" that a script can set: the assignment "
                                "changes nothing\n";
    std::unique_ptr<QProcess> process =
        StartTool(RQTOOL_PATH, {"prepare", endless, "--var", "X=int:0", "-o", rqp, "--pdf", pdf});
    ASSERT_TRUE(process);
    ToolResult r = InterruptOnCue(*process, started);
    EXPECT_EQ(r.exitCode, 130) << r.err;
    EXPECT_EQ(r.err, "Warning: script of MasterData1: Line 2/1: the text from here on never runs (a script is one "
                     "statement; put several between BEGIN and END)\n" +
                         started + "rqtool prepare: interrupted\n");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(rqp)));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));
    EXPECT_EQ(QDir(dir_.path()).entryList({"*.part"}, QDir::Files).size(), 0);
}

// The pages' memo texts of the invoice prepared into `out`.
std::vector<std::vector<std::string>> preparedInvoicePages(const DemoInvoice& invoice, const std::string& out)
{
    std::vector<std::string> args = invoice.args;
    args.insert(args.end(), {"--dump", "-o", out});
    ToolResult r = RunRqtool(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return memoTexts(r.out);
}

TEST_F(PrepareCommand, PurchaseInvoiceOverADemoDocument)
{
    const std::string demo = path("demo.sqlite");
    const DemoInvoice invoice = MakeDemoInvoice(demo, DemoAudit::NotAudited);
    const auto pages = preparedInvoicePages(invoice, path("invoice.rqp"));
    ASSERT_GE(invoice.codes.size(), 1u);
    ASSERT_GE(pages.size(), 1u);
    std::vector<std::string> all;
    for (const auto& page : pages) all.insert(all.end(), page.begin(), page.end());
    for (const std::string& code : invoice.codes) EXPECT_TRUE(contains(all, code)) << code;
    const std::string total = "第 1 页 共 " + std::to_string(pages.size()) + " 页";
    EXPECT_TRUE(contains(pages[0], total)) << total;
    // Totals with two decimals and thousands separators, as the template formats them.
    auto money = [](double v) {
        QString digits = QString::number(v, 'f', 2);
        for (int at = digits.indexOf('.') - 3; at > (v < 0 ? 1 : 0); at -= 3) digits.insert(at, ',');
        return digits.toStdString();
    };
    EXPECT_TRUE(contains(pages.back(), money(invoice.tax))) << money(invoice.tax);
    EXPECT_TRUE(contains(pages.back(), money(invoice.amount))) << money(invoice.amount);
    EXPECT_TRUE(contains(pages.back(), "金额合计：" + money(invoice.amount) + " 元"));
    // Not audited: no audit date, not the zero date.
    EXPECT_TRUE(contains(pages[0], "审核日期：")) << testing::PrintToString(pages[0]);

    const DemoInvoice audited = MakeDemoInvoice(demo, DemoAudit::Audited);
    const auto auditedPages = preparedInvoicePages(audited, path("audited.rqp"));
    ASSERT_EQ(audited.auditDate.size(), 10u);
    ASSERT_GE(auditedPages.size(), 1u);
    EXPECT_TRUE(contains(auditedPages[0], "审核日期：" + audited.auditDate)) << testing::PrintToString(auditedPages[0]);
}

}  // namespace
