// The purchase invoice of every demo document as a PDF file, built by the
// report job queue's workers beside the engine alone, on a throw-away
// PostgreSQL server holding the demo data (four companies, 320 documents).
//
//   BM_InvoicesToPdf/P in turns, five times: the floor, P processes that
//                      build the invoices in a loop with the engine (no
//                      queue), each every P-th document; and the queue, the
//                      same invoices submitted as one --burst batch and
//                      built by `rqtool queue work --processes P`
//   BM_Claim           one claim (the SKIP LOCKED statements a worker runs)
//                      with 100,000 jobs queued; /1 with the server flushing
//                      its log at every commit, /0 without (as the tests run)
//
// Rates are measured over the work itself: from the first build's start to
// the last one's end (the floor's processes report their times; the queue's
// come from its table), so that starting the programs counts for neither.
// Counters (the best of the rounds): floor_ and queue_invoices_per_s, and
// of_floor, the queue's over the floor's; floor_ and queue_cpu_ms, the
// processor time of the building processes (not the server's) per invoice,
// and cpu_of_floor.
#include "PgServer.h"

#include "data/Tdm.h"
#include "db/HostDatabase.h"
#include "report/data/DBDataSet.h"
#include "report/language/Globals.h"
#include "report/model/Report.h"
#include "report/pages/EMFPages.h"
#include "report/pages/PageRender.h"
#include "report/stream/TemplateJson.h"
#include "runtime/Application.h"
#include "runtime/db/Field.h"
#include "runtime/db/Query.h"
#include "runtime/db/Session.h"
#include "tools/queue/JobStore.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>

namespace {

const char* const kTotals =
    "SELECT A.GSDW00, A.DHAO00, SUM(C.SL0000)/50 SL_JIAN, SUM(C.SL0000) SL_TIAO, SUM(C.JE0000) JE "
    "FROM XSTGJFP1 A JOIN XSTGJFP2 C ON C.GSDW00=A.GSDW00 AND C.DHAO00=A.DHAO00 "
    "GROUP BY A.GSDW00, A.DHAO00 ORDER BY A.GSDW00, A.DHAO00";

// Processor time of the ended child processes (and theirs) so far.
double childrenCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double wallClock()
{
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
}

// The module's print query, as the window prints with it.
std::string printSql()
{
    Tdm module;
    return AnsiToUtf8(module.qry_xsvgjfp0->SQL().Text());
}

// The demo database on the throw-away server, made once per run.
const std::string& demoUrl()
{
    static const std::string url = [] {
        const std::string u = ThrowawayPostgres::Instance().Url();
        TSession session;
        PrepareHostDatabase(ParseDatabaseSpec(u), session, "qdb", "bench-setup");
        session.RemoveDatabase("qdb");
        QSqlDatabase::removeDatabase("bench-setup");
        PgConnection c(u);
        c.Connect();
        JobStore(c).CreateSchema();
        return u;
    }();
    return url;
}

// The invoices with the engine alone: the print query, the report dataset
// and the template loaded once, then per document its parameters, the
// window's three totals, the build and the PDF.
class DirectInvoices {
public:
    explicit DirectInvoices(const std::string& url)
    {
        OpenHostDatabase(ParseDatabaseSpec(url), "direct");
        session_.AddDatabase("qdb", "direct");
        SetDefaultSession(&session_);
        module_.SetName("dm");
        auto* query = new TQuery(&module_);
        query->SetName("qry_xsvgjfp0");
        query->SetDatabaseName("qdb");
        query->SQL().SetText(Utf8ToAnsi(printSql()));
        query_ = query;
        auto* dataset = new TrqDBDataSet(&form_);
        dataset->SetName("rqDBDataSet1");
        dataset->SetDataSet(query);
        report_ = new TrqReport(&form_);
        report_->SetName("rqReport1");
        std::ifstream in(INVOICE_TEMPLATE);
        TemplateFromJson(*report_, std::string(std::istreambuf_iterator<char>(in), {}));
        report_->SetDataset(dataset);
        report_->SetShowProgress(false);

        TQuery totals;
        totals.SetDatabaseName("qdb");
        totals.SQL().SetText(kTotals);
        for (totals.Open(); !totals.Eof(); totals.Next())
            documents_.push_back({totals.Fields().Fields(0)->AsString(), totals.Fields().Fields(1)->AsFloat(),
                                  totals.Fields().Fields(2)->AsFloat(), totals.Fields().Fields(3)->AsFloat(),
                                  totals.Fields().Fields(4)->AsFloat()});
    }
    ~DirectInvoices()
    {
        query_->Close();
        SetDefaultSession(nullptr);
    }

    int Count() const { return static_cast<int>(documents_.size()); }

    void Build(int index, const std::string& dir)
    {
        const Document& d = documents_[static_cast<size_t>(index)];
        query_->Close();
        query_->ParamByName("GSDW00").SetAsString(d.company);
        query_->ParamByName("DHAO00").SetAsFloat(d.number);
        rqVariables().SetVariable("SL_JIAN", Variant(d.cases));
        rqVariables().SetVariable("SL_TIAO", Variant(d.cartons));
        rqVariables().SetVariable("JE", Variant(d.amount));
        if (!report_->PrepareReport()) std::abort();
        SavePdf(report_->EMFPages(), Utf8ToAnsi(dir + "/" + std::to_string(index) + ".pdf"), report_->Title());
    }

private:
    struct Document {
        AnsiString company;
        double number, cases, cartons, amount;
    };
    TSession session_;
    TDataModule module_;
    TComponent form_;
    TQuery* query_ = nullptr;
    TrqReport* report_ = nullptr;
    std::vector<Document> documents_;
};

// The invoices of the demo data.
int demoInvoices()
{
    static const int count = [] {
        PgConnection c(demoUrl());
        c.Connect();
        return std::stoi(c.Exec("SELECT count(*) AS n FROM XSTGJFP1").Text(0, "n"));
    }();
    return count;
}

// bench_queue --floor-child URL K P DIR: builds every P-th invoice from the
// K-th and prints the wall-clock start and end of the loop.
int floorChild(char** argv)
{
    DirectInvoices invoices(argv[2]);
    const int k = std::atoi(argv[3]), p = std::atoi(argv[4]);
    const double start = wallClock();
    int built = 0;
    for (int i = k; i < invoices.Count(); i += p, ++built) invoices.Build(i, argv[5]);
    std::printf("%.6f %.6f %d\n", start, wallClock(), built);
    return 0;
}

// One run over every invoice: its rate (from the first build's start to the
// last one's end) and the processor time of its processes per invoice.
struct Figures {
    double rate = 0, cpuMs = 0;
};

Figures runFloor(int processes)
{
    QTemporaryDir dir;
    const double cpuBefore = childrenCpuSeconds();
    std::vector<std::unique_ptr<QProcess>> children;
    for (int k = 0; k < processes; ++k) {
        children.push_back(std::make_unique<QProcess>());
        children.back()->start(QCoreApplication::applicationFilePath(),
                               {"--floor-child", QString::fromStdString(demoUrl()), QString::number(k),
                                QString::number(processes), dir.path()});
    }
    double first = 1e300, last = 0;
    int built = 0;
    for (auto& child : children) {
        child->waitForFinished(-1);
        double start = 0, end = 0;
        int n = 0;
        std::sscanf(child->readAllStandardOutput().constData(), "%lf %lf %d", &start, &end, &n);
        first = std::min(first, start);
        last = std::max(last, end);
        built += n;
    }
    return {built / (last - first), (childrenCpuSeconds() - cpuBefore) * 1000 / built};
}

int runTool(const QStringList& args)
{
    QProcess tool;
    tool.start(RQTOOL_PATH, args);
    tool.waitForFinished(-1);
    if (tool.exitCode() != 0) std::fprintf(stderr, "%s", tool.readAllStandardError().constData());
    return tool.exitCode();
}

Figures runQueue(int processes)
{
    const QString url = QString::fromStdString(demoUrl());
    PgConnection c(demoUrl());
    c.Connect();
    QTemporaryDir dir;
    c.Exec("DELETE FROM rq_batch");
    runTool({"queue", "submit", "--db", url, INVOICE_TEMPLATE, "--query",
             "dm.qry_xsvgjfp0=" + QString::fromStdString(printSql()), "--dataset", "rqDBDataSet1=dm.qry_xsvgjfp0",
             "--report-dataset", "rqDBDataSet1", "--pdf-dir", dir.path(), "--burst", kTotals});
    const double cpuBefore = childrenCpuSeconds();
    runTool({"queue", "work", "--db", url, "--processes", QString::number(processes), "--idle-exit", "0.5",
             "--poll", "0.5"});
    PgResult r = c.Exec("SELECT count(*) AS n, EXTRACT(EPOCH FROM max(finished_at) - min(started_at)) AS s "
                        "FROM rq_job WHERE state = 'done'");
    const double invoices = std::stod(r.Text(0, "n"));
    return {invoices / std::stod(r.Text(0, "s")), (childrenCpuSeconds() - cpuBefore) * 1000 / invoices};
}

// Floor and queue in turns, the best of each kept: on a machine shared with
// other work a round's figures swing with the load, the best ones far less.
void BM_InvoicesToPdf(benchmark::State& state)
{
    const int processes = static_cast<int>(state.range(0));
    Figures floor, queue;
    for (auto _ : state) {
        const Figures f = runFloor(processes), q = runQueue(processes);
        floor = {std::max(floor.rate, f.rate), floor.cpuMs ? std::min(floor.cpuMs, f.cpuMs) : f.cpuMs};
        queue = {std::max(queue.rate, q.rate), queue.cpuMs ? std::min(queue.cpuMs, q.cpuMs) : q.cpuMs};
        state.SetIterationTime(demoInvoices() / q.rate);
    }
    state.counters["floor_invoices_per_s"] = floor.rate;
    state.counters["queue_invoices_per_s"] = queue.rate;
    state.counters["of_floor"] = queue.rate / floor.rate;
    state.counters["floor_cpu_ms"] = floor.cpuMs;
    state.counters["queue_cpu_ms"] = queue.cpuMs;
    state.counters["cpu_of_floor"] = queue.cpuMs / floor.cpuMs;
}

void BM_Claim(benchmark::State& state)
{
    PgConnection c(demoUrl());
    c.Connect();
    // A commit that waits for the disk, as a production server's does.
    c.Exec(state.range(0) ? "ALTER SYSTEM SET fsync = on" : "ALTER SYSTEM SET fsync = off");
    c.Exec("SELECT pg_reload_conf()");
    c.Exec("DELETE FROM rq_batch");
    const std::string batch =
        c.Exec("INSERT INTO rq_batch (template_name, template, spec) VALUES ('t', '', '{}') RETURNING id").Text(0, "id");
    c.Exec("INSERT INTO rq_job (batch_id, target) SELECT " + batch + ", '/out/' || n FROM generate_series(1, 100000) n");
    c.Exec("VACUUM ANALYZE rq_job");
    JobStore store(c);
    long claimed = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        std::optional<ClaimedJob> job = store.Claim("bench:1", 60);
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (!job) state.SkipWithError("the queue ran dry");
        ++claimed;
    }
    state.counters["queued_at_end"] = std::stod(c.Exec("SELECT count(*) AS n FROM rq_job WHERE state = 'queued'")
                                                    .Text(0, "n"));
    c.Exec("ALTER SYSTEM RESET fsync");
    c.Exec("SELECT pg_reload_conf()");
}

BENCHMARK(BM_InvoicesToPdf)->Arg(1)->Arg(2)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Claim)->Arg(0)->Arg(1)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    InitRuntimeEnvironment();
    // The printers are rqtool's (the Qt platform): the floor lays out its
    // pages exactly as the workers do.
    TQtApplication app(argc, argv);
    if (argc == 6 && std::strcmp(argv[1], "--floor-child") == 0) return floorChild(argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ThrowawayPostgres::StopIfStarted();
    return 0;
}
