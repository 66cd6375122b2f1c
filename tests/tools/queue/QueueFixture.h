#pragma once
// A report queue in a fresh database of the throw-away PostgreSQL server,
// with generated documents, a directory for the PDFs, and helpers that run
// rqtool's queue commands as a user would.

#include "RunTool.h"
#include "TestDatabase.h"

#include "db/DemoData.h"
#include "tools/queue/PgConnection.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

class QueueFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(out_.isValid());
        db = std::make_unique<TestDatabase>(TestEngine::PostgreSQL);
        ToolResult init = RunRqtool({"queue", "init", "--db", Url()});
        ASSERT_EQ(init.exitCode, 0) << init.err;
    }

    const std::string& Url() const { return db->Spec(); }
    std::string OutDir() const { return out_.path().toStdString(); }

    // documentsPerCompany documents in each of the four demo companies.
    void GenerateDocuments(int documentsPerCompany)
    {
        GenerateDemoData(db->Db(), {.documentsPerCompany = documentsPerCompany});
    }

    // A statement's single value as text, on a connection of its own (the
    // server may have been restarted since the last one).
    std::string Sql(const std::string& sql)
    {
        PgConnection c(Url());
        c.Connect();
        PgResult r = c.Exec(sql);
        return r.Rows() == 0 ? std::string() : r.At(0, 0).value_or(std::string());
    }
    long long Count(const std::string& where)
    {
        return std::stoll(Sql("SELECT count(*) FROM rq_job WHERE " + where));
    }

    // The purchase invoice of every document the burst's WHERE selects, as
    // COMPANY-NUMBER.pdf in OutDir(); more options after them.
    ToolResult SubmitInvoices(const std::string& where, std::vector<std::string> more = {},
                              const std::string& templateFile = INVOICE_TEMPLATE)
    {
        std::vector<std::string> args{
            "queue", "submit", "--db", Url(), templateFile,
            "--query", "dm.qry_xsvgjfp0=" + PrintSql(),
            "--dataset", "rqDBDataSet1=dm.qry_xsvgjfp0", "--report-dataset", "rqDBDataSet1",
            "--burst",
            "SELECT A.GSDW00, A.DHAO00, SUM(C.SL0000)/50 SL_JIAN, SUM(C.SL0000) SL_TIAO, SUM(C.JE0000) JE "
            "FROM XSTGJFP1 A JOIN XSTGJFP2 C ON C.GSDW00=A.GSDW00 AND C.DHAO00=A.DHAO00 WHERE " + where +
                " GROUP BY A.GSDW00, A.DHAO00 ORDER BY A.GSDW00, A.DHAO00"};
        if (std::find(more.begin(), more.end(), "--printer") == more.end() &&
            std::find(more.begin(), more.end(), "--xlsx-dir") == more.end())
            more.insert(more.end(), {"--pdf-dir", OutDir(), "--name", "{GSDW00}-{DHAO00}"});
        args.insert(args.end(), more.begin(), more.end());
        return RunRqtool(args);
    }

    // The window's print query, the document's parameters from the burst row.
    static std::string PrintSql()
    {
        return "SELECT A.GSDW00,A.DHAO00,A.CKRQ00,A.CKRY00,A.CKRYMC,A.YWRQ00,A.YWRY00,A.YWRYMC,A.CWRQ00,A.CWRY00,"
               "A.DWDM00,A.DWMC00,decode(A.GJBJ00,'ZM','专卖','购进') GJBJ00,A.FPHAO0,A.ZZSL00,A.PZNY00,A.PZH000,"
               "A.BEIZHU,B.GSJC00 YWGSMC,B.ZBDM00,C.SPDM00,C.SPMC00,C.SL0000,C.JE0000,C.SE0000,C.DJIA00 "
               "FROM XSTGJFP1 A,XTTGSSZ0 B,XSTGJFP2 C WHERE A.GSDW00=B.GSDM00 AND A.GSDW00=C.GSDW00 "
               "AND A.DHAO00=C.DHAO00 AND A.GSDW00=:GSDW00 AND A.DHAO00=:DHAO00";
    }

    // Workers in the background until the queue has been idle for idleExit.
    std::unique_ptr<QProcess> StartWorkers(int processes, double lease, double idleExit = 2)
    {
        return StartTool(RQTOOL_PATH, {"queue", "work", "--db", Url(), "--processes", std::to_string(processes),
                                       "--lease", std::to_string(lease), "--idle-exit", std::to_string(idleExit),
                                       "--poll", "1"});
    }
    // Waits for the workers to end by themselves; what they wrote on
    // standard error.
    static std::string WaitForWorkers(QProcess& workers)
    {
        if (workers.state() != QProcess::NotRunning) {
            EXPECT_TRUE(workers.waitForFinished(600000)) << "the workers did not finish";
        }
        EXPECT_EQ(workers.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(workers.exitCode(), 0);
        return workers.readAllStandardError().toStdString();
    }
    // Waits until `where` holds for at least `count` jobs.
    void WaitForJobs(const std::string& where, long long count)
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(5);
        while (Count(where) < count && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }

    // The files of the output directory.
    QStringList OutFiles() const { return QDir(out_.path()).entryList(QDir::Files | QDir::Hidden); }

    std::unique_ptr<TestDatabase> db;

private:
    QTemporaryDir out_;
};

// What a reader of PDFs outside this project makes of one: pdfinfo's exit
// status and pdftotext's text.
struct PdfReading {
    bool readable = false;
    std::string text;
};

inline PdfReading ReadPdf(const std::string& file)
{
    PdfReading reading;
    QProcess info;
    info.start("pdfinfo", {QString::fromStdString(file)});
    reading.readable = info.waitForFinished(60000) && info.exitStatus() == QProcess::NormalExit &&
                       info.exitCode() == 0 && info.readAllStandardOutput().contains("Pages:");
    QProcess text;
    text.start("pdftotext", {QString::fromStdString(file), "-"});
    text.waitForFinished(60000);
    reading.text = text.readAllStandardOutput().toStdString();
    return reading;
}
