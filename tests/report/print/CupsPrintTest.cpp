// Real print jobs through a private CUPS scheduler with a CUPS-PDF queue
// (tests/support/with-cups starts it): the PDFs the queue writes are read back
// with pdfinfo and pdftotext.
#include "PrintFixtures.h"
#include "report/draw/DrawState.h"
#include "report/printer/QtPrinterPlatform.h"
#include "support/PromisedServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <cups/cups.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

namespace {
std::string env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string run(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(60000);
    return process.readAllStandardOutput().toStdString();
}

// Jobs of the queue in any state.
int jobCount(const std::string& queue)
{
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.c_str(), 0, CUPS_WHICHJOBS_ALL);
    cupsFreeJobs(count, jobs);
    return std::max(count, 0);
}

class CupsPrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        queue = env("STOCKIN_TEST_PDF_QUEUE");
        outDir = env("STOCKIN_TEST_PDF_DIR");
        if (queue.empty()) {
            if (ServicePromised("cups")) FAIL() << "the test script promised a private CUPS scheduler; it did not start";
            GTEST_SKIP() << "no private CUPS scheduler (tests/support/with-cups)";
        }
        rqPrinter().AssignPrinter(CreateQtPrinterPlatform());
        const int index = rqPrinter().IndexOfPrinter(queue);
        ASSERT_GE(index, 0) << "the queue is not among the printers";
        rqPrinter().SetPrinterIndex(index);
        ASSERT_NE(rqPrinter().Job(), nullptr);
        report.SetShowProgress(false);
    }
    void TearDown() override { rqDrawState() = TrqDrawState(); }

    // Waits until the queue has written `count` PDFs (by job number), at most a minute.
    std::map<int, QString> waitForPdfs(size_t count)
    {
        std::map<int, QString> pdfs;
        QElapsedTimer timer;
        timer.start();
        const QRegularExpression jobNumber(QStringLiteral("job_(\\d+)\\.pdf$"));
        while (timer.elapsed() < 60000) {
            pdfs.clear();
            for (const QString& name : QDir(QString::fromStdString(outDir)).entryList({"*.pdf"}, QDir::Files)) {
                const auto match = jobNumber.match(name);
                if (match.hasMatch()) pdfs[match.captured(1).toInt()] = QString::fromStdString(outDir) + "/" + name;
            }
            cups_job_t* jobs = nullptr;
            const int active = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.c_str(), 0, CUPS_WHICHJOBS_ACTIVE);
            cupsFreeJobs(active, jobs);
            if (pdfs.size() >= count && active <= 0) break;
            QThread::msleep(200);
        }
        return pdfs;
    }

    static std::string info(const QString& pdf, const char* field)
    {
        const std::string text = run("pdfinfo", {pdf});
        const size_t at = text.find(std::string(field) + ":");
        if (at == std::string::npos) return {};
        const size_t start = text.find_first_not_of(' ', at + std::string(field).size() + 1);
        return text.substr(start, text.find('\n', start) - start);
    }

    std::string queue, outDir;
    TrqReport report;
};
}  // namespace

TEST_F(CupsPrintTest, EveryPaperArrivesAsAJobOfItsOwn)
{
    using namespace fixtures;
    for (int i = 1; i <= 3; ++i) AddNumberedPage(report, i, A4Portrait);
    AddNumberedPage(report, 4, A5Landscape);
    report.SetTitle("Purchase invoice");
    report.PrintPreparedReport("", 1, false, 0);

    const std::map<int, QString> pdfs = waitForPdfs(2);
    ASSERT_EQ(pdfs.size(), 2u);
    const QString a4 = pdfs.begin()->second, a5 = std::next(pdfs.begin())->second;
    EXPECT_EQ(info(a4, "Pages"), "3");
    EXPECT_EQ(info(a4, "Page size"), "595 x 842 pts (A4)");
    EXPECT_EQ(info(a5, "Pages"), "1");
    // A sheet of A5 with the page turned on it, as a printer prints landscape.
    EXPECT_EQ(info(a5, "Page size"), "421 x 595 pts (A5)");
    const std::string text = run("pdftotext", {"-layout", a4, "-"});
    for (const char* expected : {"Page 1", "Page 2", "Page 3", "第1页 入库发票", "第3页 入库发票"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in:\n" << text;
    EXPECT_LT(text.find("Page 1"), text.find("Page 3"));
    // Text on a turned sheet comes back in runs; the words are all there.
    const std::string turned = run("pdftotext", {a5, "-"});
    EXPECT_NE(turned.find("Page 4"), std::string::npos) << turned;
    EXPECT_NE(turned.find("入库发票"), std::string::npos) << turned;
}

TEST_F(CupsPrintTest, ACancelledJobNeverReachesTheQueue)
{
    for (int i = 1; i <= 3; ++i) fixtures::AddNumberedPage(report, i);
    const int before = jobCount(queue);
    report.OnProgress = [&](int page) {
        if (page == 2) report.Terminated = true;
    };
    report.PrintPreparedReport("", 1, false, 0);
    EXPECT_EQ(jobCount(queue), before);
    EXPECT_FALSE(rqPrinter().Printing());
    // The job's file is gone too.
    EXPECT_TRUE(QDir::temp().entryList({"stockin-print-*"}).isEmpty());
}

TEST_F(CupsPrintTest, RqtoolPrintsToTheQueue)
{
    for (int i = 1; i <= 3; ++i) fixtures::AddNumberedPage(report, i);
    const QString file = QDir::temp().filePath(QStringLiteral("stockin-rqtool-print-%1.rqp").arg(QCoreApplication::applicationPid()));
    report.SavePreparedReport(QStringToAnsi(file));
    const size_t already = waitForPdfs(0).size();
    QProcess process;
    process.start(RQTOOL_PATH, {"rqp", "print", file, "--printer", QString::fromStdString(queue), "--pages", "2-3"});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    QFile::remove(file);
    const std::map<int, QString> pdfs = waitForPdfs(already + 1);
    ASSERT_EQ(pdfs.size(), already + 1);
    const QString last = pdfs.rbegin()->second;
    EXPECT_EQ(info(last, "Pages"), "2");
    const std::string text = run("pdftotext", {last, "-"});
    EXPECT_EQ(text.find("Page 1"), std::string::npos);
    EXPECT_NE(text.find("Page 3"), std::string::npos);
}

namespace {
// The "media-source" each job of the queue asked for, by job number ("" when
// it asked for none).
std::map<int, std::string> jobSources(const std::string& queue)
{
    std::map<int, std::string> sources;
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.c_str(), 0, CUPS_WHICHJOBS_ALL);
    for (int i = 0; i < count; ++i) {
        ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
        const std::string uri = "ipp://localhost/jobs/" + std::to_string(jobs[i].id);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.c_str());
        ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
        ipp_attribute_t* source = ippFindAttribute(response, "media-source", IPP_TAG_ZERO);
        const char* value = source ? ippGetString(source, 0, nullptr) : nullptr;
        sources[jobs[i].id] = value ? value : "";
        ippDelete(response);
    }
    cupsFreeJobs(count, jobs);
    return sources;
}
}  // namespace

TEST_F(CupsPrintTest, PagesAskForThePrintersPaperSources)
{
    const std::string trays = env("STOCKIN_TEST_TRAY_QUEUE");
    const int index = rqPrinter().IndexOfPrinter(trays);
    ASSERT_GE(index, 0) << "the two-tray queue is not among the printers";
    rqPrinter().SetPrinterIndex(index);
    // The printer's own sources follow the default one, numbered in its order.
    EXPECT_EQ(rqPrinter().Bins(), (std::vector<int32_t>{-1, 1, 2}));
    EXPECT_EQ(rqPrinter().BinKeywords(), (std::vector<AnsiString>{"", "tray-1", "tray-2"}));
    EXPECT_EQ(rqPrinter().BinNames(), (std::vector<AnsiString>{"Default source", "Upper Tray", "Lower Tray"}));

    // A page asking for a source this printer does not have (made for another
    // printer) gets its default source; then pages asking for the lower tray
    // and the upper one.
    for (int bin : {9, 2, 1}) {
        const int page = fixtures::AddNumberedPage(report, bin);
        report.EMFPages()[page].PaperBin = bin;
    }
    const std::map<int, std::string> before = jobSources(trays);
    report.PrintPreparedReport("", 1, false, 0);
    std::vector<std::string> asked;
    for (const auto& [job, source] : jobSources(trays))
        if (!before.count(job)) asked.push_back(source);
    EXPECT_EQ(asked, (std::vector<std::string>{"", "tray-2", "tray-1"}));

    // rqtool lists the sources with their codes, keywords and names.
    const std::string listed = run(RQTOOL_PATH, {"printers"});
    const size_t line = listed.find("\t" + trays + "\t");
    ASSERT_NE(line, std::string::npos) << listed;
    const std::string own = listed.substr(line, listed.find('\n', line) - line);
    EXPECT_NE(own.find("-1 \"Default source\", 1 tray-1 \"Upper Tray\", 2 tray-2 \"Lower Tray\""), std::string::npos)
        << own;
}
