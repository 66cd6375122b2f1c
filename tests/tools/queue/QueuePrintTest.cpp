// Queued invoices to a printer: a private CUPS scheduler with a CUPS-PDF queue
// (tests/support/with-cups) takes the jobs; what it received is read back
// with lpstat, pdfinfo and pdftotext.
#include "QueueFixture.h"

#include <QThread>

#include <gmock/gmock.h>

#include <cstdlib>

namespace {

using ::testing::HasSubstr;

std::string env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

class QueuePrintTest : public QueueFixture {
protected:
    void SetUp() override
    {
        printer = env("STOCKIN_TEST_PDF_QUEUE");
        cupsOut = env("STOCKIN_TEST_PDF_DIR");
        if (printer.empty()) GTEST_SKIP() << "no private CUPS scheduler (tests/support/with-cups)";
        QueueFixture::SetUp();
    }

    // The jobs the scheduler took for the printer, in any state.
    int printJobs()
    {
        QProcess lpstat;
        lpstat.start("lpstat", {"-W", "all", "-o", QString::fromStdString(printer)});
        lpstat.waitForFinished(60000);
        return static_cast<int>(lpstat.readAllStandardOutput().count('\n'));
    }
    // The PDFs the queue has written once `count` are there (at most a minute).
    QStringList waitForPdfs(int count)
    {
        QStringList pdfs;
        for (int i = 0; i < 300; ++i) {
            pdfs = QDir(QString::fromStdString(cupsOut)).entryList({"*.pdf"}, QDir::Files);
            if (pdfs.size() >= count) break;
            QThread::msleep(200);
        }
        return pdfs;
    }

    std::string printer, cupsOut;
};

TEST_F(QueuePrintTest, EachJobIsSentOnceAndNeverAgainAfterItsWorkerDied)
{
    GenerateDocuments(1);
    const int before = printJobs();
    ASSERT_EQ(SubmitInvoices("A.GSDW00 IN ('110101', '310101')", {"--printer", printer}).exitCode, 0);
    ToolResult dry = SubmitInvoices("A.GSDW00 = '440301'", {"--printer", printer, "--dry-run"});
    ASSERT_EQ(dry.exitCode, 0) << dry.err;
    const std::string dryJob = dry.out.substr(0, dry.out.find('\n'));
    // A job whose worker handed it to the printer and died before it could
    // say it was done: taking it over must not print it a second time.
    ToolResult sent = SubmitInvoices("A.GSDW00 = '510101'", {"--printer", printer});
    ASSERT_EQ(sent.exitCode, 0) << sent.err;
    const std::string sentJob = sent.out.substr(0, sent.out.find('\n'));
    Sql("UPDATE rq_job SET state = 'running', attempts = 1, worker = 'gone:1', sent_at = now(), "
        "lease_until = now() - interval '1 second' WHERE id = " + sentJob);

    std::unique_ptr<QProcess> workers = StartWorkers(1, 30, 1);
    ASSERT_TRUE(workers);
    WaitForWorkers(*workers);

    EXPECT_EQ(Count("state = 'done'"), 3);
    EXPECT_EQ(Sql("SELECT state FROM rq_job WHERE id = " + sentJob), "failed");
    EXPECT_THAT(Sql("SELECT message FROM rq_job WHERE id = " + sentJob), HasSubstr("it is not sent again"));
    EXPECT_THAT(Sql("SELECT result FROM rq_job WHERE id = " + dryJob), ::testing::StartsWith("job 1: "));
    EXPECT_EQ(Count("sent_at IS NOT NULL"), 3) << "two sent jobs and the one of the dead worker";

    const QStringList pdfs = waitForPdfs(2);
    EXPECT_EQ(printJobs() - before, 2);
    ASSERT_EQ(pdfs.size(), 2);
    std::string texts;
    for (const QString& pdf : pdfs) {
        const PdfReading reading = ReadPdf(cupsOut + "/" + pdf.toStdString());
        EXPECT_TRUE(reading.readable);
        texts += reading.text;
    }
    // The invoices print their company's name at the top (the digits of
    // the printer's PDFs do not come back as text).
    auto companyName = [&](const char* code) {
        return Sql(std::string("SELECT GSJC00 FROM XTTGSSZ0 WHERE GSDM00 = '") + code + "'");
    };
    EXPECT_THAT(texts, HasSubstr(companyName("110101")));
    EXPECT_THAT(texts, HasSubstr(companyName("310101")));
    EXPECT_THAT(texts, ::testing::Not(HasSubstr(companyName("510101"))));
}

}  // namespace
