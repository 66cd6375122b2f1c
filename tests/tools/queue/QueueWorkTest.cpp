// Batches of invoices through the queue, worked by real rqtool processes: every
// job done once with a complete PDF, also when a worker is killed or the
// database restarts under them; a damaged template fails alone.
#include "QueueFixture.h"

#include "PgServer.h"
#include "support/ReadBack.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gmock/gmock.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <csignal>
#include <map>

namespace {

using ::testing::HasSubstr;

// Every rename into a directory, counted by file name: a file written twice
// is renamed into place twice.
class RenameWatch {
public:
    explicit RenameWatch(const std::string& dir)
    {
        fd_ = inotify_init1(IN_NONBLOCK);
        if (fd_ >= 0) inotify_add_watch(fd_, dir.c_str(), IN_MOVED_TO);
    }
    ~RenameWatch()
    {
        if (fd_ >= 0) close(fd_);
    }
    // Reads what has come since the last call; call it often enough that the
    // kernel's queue (16384 events) does not fill.
    const std::map<std::string, int>& Renamed()
    {
        alignas(inotify_event) char buffer[65536];
        ssize_t n;
        while (fd_ >= 0 && (n = read(fd_, buffer, sizeof buffer)) > 0)
            for (char* at = buffer; at < buffer + n;) {
                auto* event = reinterpret_cast<inotify_event*>(at);
                if (event->len > 0) ++renamed_[event->name];
                at += sizeof(inotify_event) + event->len;
            }
        return renamed_;
    }

private:
    int fd_ = -1;
    std::map<std::string, int> renamed_;
};

class QueueWorkTest : public QueueFixture {
protected:
    // Every job of the queue done, its PDF complete and showing its document
    // number, and nothing else in the directory.
    void ExpectEveryInvoiceDone(long long jobs)
    {
        EXPECT_EQ(Count("state = 'done'"), jobs);
        EXPECT_EQ(Count("true"), jobs);
        const QStringList files = OutFiles();
        EXPECT_EQ(files.size(), jobs) << files.filter(".part").join(" ").toStdString();
        for (const QString& file : files) {
            SCOPED_TRACE(file.toStdString());
            ASSERT_TRUE(file.endsWith(".pdf"));
            const std::string number = file.section('-', 1).chopped(4).toStdString();  // COMPANY-NUMBER.pdf
            const PdfReading pdf = ReadPdf(OutDir() + "/" + file.toStdString());
            EXPECT_TRUE(pdf.readable);
            EXPECT_THAT(pdf.text, HasSubstr("单号：" + number));
        }
    }
};

TEST_F(QueueWorkTest, BurstOfFiveHundredInvoicesWorkedByThreeProcesses)
{
    GenerateDocuments(125);
    ASSERT_EQ(Sql("SELECT count(*) FROM XSTGJFP1"), "500");
    RenameWatch renames(OutDir());
    ToolResult submitted = SubmitInvoices("true");
    ASSERT_EQ(submitted.exitCode, 0) << submitted.err;
    EXPECT_EQ(std::count(submitted.out.begin(), submitted.out.end(), '\n'), 500) << "one job id per line";
    EXPECT_EQ(Count("state = 'queued'"), 500);

    std::unique_ptr<QProcess> workers = StartWorkers(3, 60);
    ASSERT_TRUE(workers);
    while (workers->state() != QProcess::NotRunning) {
        renames.Renamed();
        workers->waitForFinished(500);
    }
    WaitForWorkers(*workers);

    ExpectEveryInvoiceDone(500);
    EXPECT_EQ(Count("attempts <> 1"), 0) << "every job claimed once";
    EXPECT_EQ(Sql("SELECT count(DISTINCT worker) FROM rq_job"), "3");
    const std::map<std::string, int>& renamed = renames.Renamed();
    EXPECT_EQ(renamed.size(), 500u);
    for (const auto& [file, times] : renamed) EXPECT_EQ(times, 1) << file << " was written more than once";

    ToolResult status = RunRqtool({"queue", "status", "--db", Url(), "--json"});
    ASSERT_EQ(status.exitCode, 0) << status.err;
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(status.out)).object();
    EXPECT_EQ(json["done"].toInt(), 500);
    EXPECT_EQ(json["failed"].toInt(), 0);
    EXPECT_TRUE(json["failedJobs"].toArray().isEmpty());
    EXPECT_GT(json["throughput"]["jobsPerSecond"].toDouble(), 0);
}

TEST_F(QueueWorkTest, JobOfAKilledWorkerIsDoneByAnotherAfterItsLease)
{
    GenerateDocuments(15);
    RenameWatch renames(OutDir());
    ASSERT_EQ(SubmitInvoices("true").exitCode, 0);
    std::unique_ptr<QProcess> workers = StartWorkers(3, 5);
    ASSERT_TRUE(workers);

    // Kill -9 a worker that holds a job; a worker between two jobs holds
    // none, so look again until the killed one is seen holding its job.
    WaitForJobs("state = 'done'", 5);
    std::string killedJob;
    for (int tries = 0; tries < 20 && killedJob.empty(); ++tries) {
        const std::string job = Sql("SELECT id || ' ' || worker FROM rq_job WHERE state = 'running' LIMIT 1");
        if (job.empty()) continue;
        const std::string id = job.substr(0, job.find(' '));
        const std::string worker = job.substr(job.find(' ') + 1);
        kill(std::stoi(worker.substr(worker.rfind(':') + 1)), SIGKILL);
        if (Sql("SELECT state || worker FROM rq_job WHERE id = " + id) == "running" + worker) killedJob = id;
    }
    ASSERT_FALSE(killedJob.empty()) << "no worker was caught holding a job";

    while (workers->state() != QProcess::NotRunning) {
        renames.Renamed();
        workers->waitForFinished(500);
    }
    const std::string log = WaitForWorkers(*workers);
    EXPECT_THAT(log, HasSubstr("ended by signal 9; starting another"));

    EXPECT_EQ(Sql("SELECT state || ' ' || attempts FROM rq_job WHERE id = " + killedJob), "done 2");
    ExpectEveryInvoiceDone(60);
    // The killed worker may have died between putting its file in place and
    // saying so; only then is a file written twice.
    const std::string killedFile = Sql("SELECT target FROM rq_job WHERE id = " + killedJob);
    for (const auto& [file, times] : renames.Renamed())
        if (killedFile.find(file) == std::string::npos) {
            EXPECT_EQ(times, 1) << file;
        }
}

TEST_F(QueueWorkTest, WorkersReconnectAfterTheDatabaseRestartsAndFinishTheBatch)
{
    GenerateDocuments(15);
    ASSERT_EQ(SubmitInvoices("true").exitCode, 0);
    std::unique_ptr<QProcess> workers = StartWorkers(2, 5);
    ASSERT_TRUE(workers);
    WaitForJobs("state = 'done'", 10);
    ThrowawayPostgres::Instance().Restart();
    const std::string log = WaitForWorkers(*workers);
    EXPECT_THAT(log, HasSubstr("connecting again"));
    EXPECT_THAT(log, HasSubstr("connected again"));
    ExpectEveryInvoiceDone(60);
}

TEST_F(QueueWorkTest, StopSignalLetsEveryWorkerFinishTheJobInHand)
{
    GenerateDocuments(5);
    ASSERT_EQ(SubmitInvoices("true").exitCode, 0);
    std::unique_ptr<QProcess> workers =
        StartTool(RQTOOL_PATH, {"queue", "work", "--db", Url(), "--processes", "2", "--lease", "60"});
    ASSERT_TRUE(workers);
    WaitForJobs("state = 'done'", 3);
    workers->terminate();  // SIGTERM to the supervisor, which passes it on
    const std::string log = WaitForWorkers(*workers);

    EXPECT_EQ(Count("state = 'running'"), 0) << "a job was left in the middle";
    const long long done = Count("state = 'done'");
    EXPECT_GE(done, 3);
    EXPECT_EQ(done + Count("state = 'queued' AND attempts = 0"), 20);
    EXPECT_EQ(OutFiles().size(), done) << OutFiles().join(" ").toStdString();
    // Both workers said goodbye: neither was killed.
    size_t summaries = 0;
    for (size_t at = log.find(" done, "); at != std::string::npos; at = log.find(" done, ", at + 1)) ++summaries;
    EXPECT_EQ(summaries, 2u) << log;
}

TEST_F(QueueWorkTest, DamagedTemplateFailsAfterItsAttemptsAndTheOthersAreDone)
{
    GenerateDocuments(2);
    // A real template cut short after its first bytes, as a broken copy or
    // transfer leaves one.
    const std::string whole = OutDir() + "/../invoice.rqf", damaged = OutDir() + "/../damaged.rqf";
    ASSERT_EQ(RunRqtool({"template", "build", INVOICE_TEMPLATE, "-o", whole}).exitCode, 0);
    QFile::remove(QString::fromStdString(damaged));
    ASSERT_TRUE(QFile::copy(QString::fromStdString(whole), QString::fromStdString(damaged)));
    ASSERT_TRUE(QFile::resize(QString::fromStdString(damaged), 40));

    ASSERT_EQ(SubmitInvoices("A.GSDW00 = '110101'").exitCode, 0);
    ToolResult bad = SubmitInvoices("A.GSDW00 = '310101' AND A.DHAO00 = (SELECT min(DHAO00) FROM XSTGJFP1 "
                                    "WHERE GSDW00 = '310101')",
                                    {"--attempts", "2"}, damaged);
    ASSERT_EQ(bad.exitCode, 0) << bad.err;
    const std::string badJob = bad.out.substr(0, bad.out.find('\n'));
    ASSERT_EQ(SubmitInvoices("A.GSDW00 = '440301'").exitCode, 0);

    std::unique_ptr<QProcess> workers = StartWorkers(1, 30, 1);
    ASSERT_TRUE(workers);
    const std::string log = WaitForWorkers(*workers);
    QFile::remove(QString::fromStdString(whole));
    QFile::remove(QString::fromStdString(damaged));

    EXPECT_EQ(Sql("SELECT state || ' ' || attempts FROM rq_job WHERE id = " + badJob), "failed 2");
    EXPECT_EQ(Count("state = 'done'"), 4);
    const std::string message = Sql("SELECT message FROM rq_job WHERE id = " + badJob);
    EXPECT_EQ(message, "Unsupported RQF format\nthe template cannot be read");
    EXPECT_THAT(log, HasSubstr("job " + badJob + " failed"));

    ToolResult status = RunRqtool({"queue", "status", "--db", Url(), "--json"});
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(status.out)).object();
    EXPECT_EQ(json["failed"].toInt(), 1);
    EXPECT_EQ(json["done"].toInt(), 4);
    ASSERT_EQ(json["failedJobs"].toArray().size(), 1);
    const QJsonObject failed = json["failedJobs"][0].toObject();
    EXPECT_EQ(std::to_string(failed["id"].toInteger()), badJob);
    EXPECT_EQ(failed["message"].toString().toStdString(), message);
    EXPECT_EQ(failed["attempts"].toInt(), 2);

    ToolResult text = RunRqtool({"queue", "status", "--db", Url()});
    EXPECT_THAT(text.out, ::testing::ContainsRegex("\nfailed +1\n"));
    EXPECT_THAT(text.out, HasSubstr(badJob + "  batch 2, 2 attempts, "));
    EXPECT_THAT(text.out, HasSubstr("the template cannot be read"));

    // The failed job goes back with its attempts; a done one stays done.
    const std::string doneJob = Sql("SELECT min(id) FROM rq_job WHERE state = 'done'");
    ToolResult retry = RunRqtool({"queue", "retry", "--db", Url(), badJob, doneJob});
    EXPECT_EQ(retry.exitCode, 1);
    EXPECT_EQ(retry.out, "job " + badJob + " queued again\n");
    EXPECT_THAT(retry.err, HasSubstr("job " + doneJob + ": it is done"));
    EXPECT_EQ(Sql("SELECT state || ' ' || attempts FROM rq_job WHERE id = " + badJob), "queued 0");
    ToolResult cancel = RunRqtool({"queue", "cancel", "--db", Url(), badJob});
    EXPECT_EQ(cancel.exitCode, 0) << cancel.err;
    EXPECT_EQ(Sql("SELECT state FROM rq_job WHERE id = " + badJob), "cancelled");
}

TEST_F(QueueWorkTest, InvoicesAsSpreadsheetsInADirectory)
{
    GenerateDocuments(1);
    ToolResult submitted = SubmitInvoices("A.GSDW00 = '110101'", {"--xlsx-dir", OutDir(), "--name", "{DHAO00}"});
    ASSERT_EQ(submitted.exitCode, 0) << submitted.err;
    std::unique_ptr<QProcess> workers = StartWorkers(1, 30, 1);
    ASSERT_TRUE(workers);
    WaitForWorkers(*workers);
    EXPECT_EQ(Count("state = 'done'"), Count("true"));
    const QStringList files = OutFiles();
    ASSERT_FALSE(files.isEmpty());
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        ASSERT_TRUE(file.endsWith(".xlsx"));
        const QJsonObject book = ReadBack(OutDir() + "/" + file.toStdString());
        bool numbered = false, typed = false;
        for (const QJsonValue& row : book["sheets"][0]["rows"].toArray())
            for (const QJsonValue& cell : row.toArray()) {
                numbered = numbered || cell["v"].toString() == QString("单号：") + file.chopped(5);
                typed = typed || (cell["t"] == "n" && cell["f"] == "#,##0.00");
            }
        EXPECT_TRUE(numbered);
        EXPECT_TRUE(typed) << "the amounts are numbers";
    }
}

TEST_F(QueueWorkTest, CommandLineMistakesAreFoundBeforeAnythingIsQueued)
{
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        const char* err;
    };
    const std::string tpl = INVOICE_TEMPLATE;
    const Case cases[] = {
        {{"queue", "submit", "--db", Url(), tpl}, 2, "say where the pages go: --pdf-dir or --printer"},
        {{"queue", "submit", "--db", Url(), tpl, "--pdf-dir", OutDir(), "--printer", "P"}, 2,
         "give one output: --pdf-dir or --printer"},
        {{"queue", "submit", "--db", Url(), tpl, "--pdf-dir", OutDir(), "--copies", "2"}, 2,
         "--copies goes with --printer"},
        {{"queue", "submit", "--db", Url(), tpl, "--pdf-dir", OutDir() + "/missing"}, 1, "--pdf-dir: no directory"},
        {{"queue", "submit", "--db", Url(), tpl, "--pdf-dir", OutDir(), "--burst", "SELECT 1 AS a", "--name", "{b}"},
         2, "--name: no column 'b'"},
        {{"queue", "submit", "--db", Url(), tpl, "--pdf-dir", OutDir(), "--burst",
          "SELECT 1 AS a UNION ALL SELECT 1", "--name", "{a}"},
         1, "two jobs would write"},
        {{"queue", "submit", "--db", Url(), tpl, "--pdf-dir", OutDir(), "--attempts", "0"}, 2,
         "--attempts needs a number from 1"},
        {{"queue", "submit", "--db", "/tmp/documents.sqlite", tpl, "--pdf-dir", OutDir()}, 2,
         "the queue needs a PostgreSQL database"},
        {{"queue", "work", "--db", Url(), "--processes", "0"}, 2, "--processes needs a number from 1 to 256"},
        {{"queue", "work", "--db", Url(), "--lease", "soon"}, 2, "--lease needs a number of seconds"},
        {{"queue", "retry", "--db", Url(), "x"}, 2, "'x' is not a job id"},
        {{"queue", "cancel", "--db", Url(), "999"}, 1, "job 999: no such job"},
    };
    for (const Case& c : cases) {
        ToolResult r = RunRqtool(c.args);
        SCOPED_TRACE(c.err);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        EXPECT_THAT(r.err, HasSubstr(c.err));
    }
    EXPECT_EQ(Count("true"), 0);

    // A database without the queue's tables says so.
    Sql("DROP TABLE rq_job, rq_batch");
    ToolResult status = RunRqtool({"queue", "status", "--db", Url()});
    EXPECT_EQ(status.exitCode, 1);
    EXPECT_THAT(status.err, HasSubstr("the database has no report queue (rqtool queue init creates it)"));
}

}  // namespace
