// rqtool queue status: the jobs by state, the throughput, the latest batches
// and the failed jobs with their messages, as text or JSON.
#include "QueueCommand.h"

#include "tools/queue/JobStore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {

// Failed jobs listed in the text form; the JSON lists all.
constexpr size_t kFailedShown = 20;

QJsonObject counts(const std::map<std::string, long long>& byState)
{
    QJsonObject o;
    for (const char* state : kJobStates) o[state] = static_cast<qint64>(byState.at(state));
    return o;
}

double rate(const QueueStatus& s) { return s.recentSeconds > 0 ? s.recentJobs / s.recentSeconds : 0; }

void printJson(const QueueStatus& s)
{
    QJsonObject root = counts(s.counts);
    root["throughput"] = QJsonObject{{"jobsPerSecond", rate(s)},
                                     {"jobs", static_cast<qint64>(s.recentJobs)},
                                     {"seconds", s.recentSeconds},
                                     {"windowMinutes", kThroughputWindowMinutes}};
    QJsonArray batches;
    for (const QueueStatus::BatchLine& b : s.batches) {
        QJsonObject o = counts(b.counts);
        o["id"] = static_cast<qint64>(b.id);
        o["submitted"] = QString::fromStdString(b.submitted);
        o["template"] = QString::fromStdString(b.templateName);
        o["jobsPerSecond"] = b.jobsPerSecond;
        batches.append(o);
    }
    root["batches"] = batches;
    QJsonArray failed;
    for (const QueueStatus::Failed& f : s.failed)
        failed.append(QJsonObject{{"id", static_cast<qint64>(f.id)},
                                  {"batch", static_cast<qint64>(f.batch)},
                                  {"attempts", f.attempts},
                                  {"target", QString::fromStdString(f.target)},
                                  {"message", QString::fromStdString(f.message)}});
    root["failedJobs"] = failed;
    std::printf("%s", QJsonDocument(root).toJson(QJsonDocument::Indented).constData());
}

void printText(const QueueStatus& s)
{
    for (const char* state : kJobStates) std::printf("%-10s %8lld\n", state, s.counts.at(state));
    if (s.recentJobs > 0)
        std::printf("throughput %.1f jobs/s (%lld jobs done in the last %d minutes, %.1f s from first start to last end)\n",
                    rate(s), s.recentJobs, kThroughputWindowMinutes, s.recentSeconds);
    else
        std::printf("throughput - (no job done in the last %d minutes)\n", kThroughputWindowMinutes);
    if (!s.batches.empty()) {
        std::printf("\nbatch  submitted            queued running    done  failed cancel  jobs/s  template\n");
        for (const QueueStatus::BatchLine& b : s.batches)
            std::printf("%5lld  %-19s %7lld %7lld %7lld %7lld %6lld %7.1f  %s\n", b.id, b.submitted.c_str(),
                        b.counts.at("queued"), b.counts.at("running"), b.counts.at("done"), b.counts.at("failed"),
                        b.counts.at("cancelled"), b.jobsPerSecond, b.templateName.c_str());
    }
    if (!s.failed.empty()) {
        std::printf("\nfailed jobs:\n");
        for (size_t i = 0; i < s.failed.size() && i < kFailedShown; ++i) {
            const QueueStatus::Failed& f = s.failed[i];
            std::printf("%7lld  batch %lld, %d attempt%s%s%s: %s\n", f.id, f.batch, f.attempts, f.attempts == 1 ? "" : "s",
                        f.target.empty() ? "" : ", ", f.target.c_str(), OneLine(f.message).c_str());
        }
        if (s.failed.size() > kFailedShown)
            std::printf("... and %zu more (--json lists them all)\n", s.failed.size() - kFailedShown);
    }
}

int run(const CommandLine& line)
{
    PgConnection db(QueueConninfo(line.Value("db")));
    JobStore store(db);
    OpenQueue(db, store);
    const QueueStatus status = store.Status();
    if (line.IsSet("json"))
        printJson(status);
    else
        printText(status);
    return 0;
}

RqCommand command(
    "queue status",
    {.synopsis = "--db URL [--json]",
     .summary = "Show the queue: jobs by state, throughput, the latest batches, failed jobs with their messages.",
     .options = {QueueDbOption(), {{"json"}, "", "Print it as JSON."}},
     .arguments = {},
     .details = "The JSON has the counts (queued, running, done, failed, cancelled), throughput\n"
                "(jobsPerSecond over the jobs done in the last minutes, jobs, seconds),\n"
                "batches (the latest, with their counts and jobsPerSecond) and failedJobs\n"
                "(id, batch, attempts, target, message), all of them.\n"},
    QueueEntry(run));

}  // namespace
