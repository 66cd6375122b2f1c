#include "QueueWorker.h"

#include "QueueBatch.h"
#include "QueueCommand.h"
#include "QueueStop.h"
#include "ReportSetting.h"

#include "report/model/Report.h"
#include "runtime/Dialogs.h"
#include "runtime/Exceptions.h"
#include "tools/queue/JobStore.h"

#include <QScopeGuard>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

const char* const kSentBefore =
    "An earlier attempt handed this job to the printer and stopped before it finished; it is not sent again "
    "(rqtool queue retry sends it once more).";

std::string workerName()
{
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    return std::string(host) + ":" + std::to_string(getpid());
}

// The boxes the engine shows while a job is built: nobody is there to see
// them, so their texts become the job's message.
class BoxRecorder {
public:
    BoxRecorder()
    {
        previous_ = SetDialogHook([this](const DialogRequest& request) {
            std::string text = AnsiToUtf8(request.text);
            // Boxes break lines with CR.
            for (size_t i = 0; i < text.size(); ++i)
                if (text[i] == '\r') {
                    if (i + 1 < text.size() && text[i + 1] == '\n') text.erase(i, 1);
                    else text[i] = '\n';
                }
            texts_.push_back(text);
            return DialogAnswer{request.kind == DialogRequest::Message ? DefaultButton(request.flags) : IDOK,
                                request.defaultValue};
        });
    }
    ~BoxRecorder() { SetDialogHook(std::move(previous_)); }

    void Clear() { texts_.clear(); }
    // The texts, with `more` after them unless one of them says it already.
    std::string Message(const std::string& more = {}) const
    {
        std::string message;
        for (const std::string& t : texts_) message += (message.empty() ? "" : "\n") + t;
        if (!more.empty() && message.find(more) == std::string::npos)
            message += (message.empty() ? "" : "\n") + more;
        return message;
    }

private:
    DialogHook previous_;
    std::vector<std::string> texts_;
};

class Worker;

// One claimed job while this worker builds it.
class JobInHand final : public JobHandle {
public:
    JobInHand(JobStore& store, const std::string& worker, const ClaimedJob& job)
        : store_(store), worker_(worker), job_(job)
    {
    }

    const ClaimedJob& Job() const override { return job_; }
    bool Finish(const std::string& result, const std::function<void()>& publish) override
    {
        timings.outputMs = std::chrono::duration<double, std::milli>(Clock::now() - deliverStart).count();
        finished = store_.Complete(job_, worker_, timings, result, publish);
        takenOver = !finished;
        return finished;
    }
    bool BeforeSending() override
    {
        takenOver = !store_.MarkSent(job_, worker_);
        return !takenOver;
    }

    JobTimings timings;
    Clock::time_point deliverStart, renewedAt = Clock::now();
    bool finished = false, takenOver = false, connectionLost = false;

private:
    JobStore& store_;
    const std::string& worker_;
    const ClaimedJob& job_;
};

class Worker {
public:
    explicit Worker(const QueueWorkerOptions& o)
        : options_(o), name_(workerName()), db_(QueueConninfo(o.db)), store_(db_)
    {
    }

    int Run()
    {
        // A wrong URL is a mistake to report at once; later losses are waited out.
        OpenQueue(db_, store_);
        if (!db_.Listen(kQueueChannel))
            log("the database sends no notifications; looking for jobs every " + SecondsText(options_.pollSeconds) + " s");
        lastWork_ = Clock::now();
        while (!queue_stop::Requested()) {
            std::optional<ClaimedJob> job;
            try {
                // Jobs of dead workers are looked for once a second while
                // the queue is busy (and always when it has nothing queued).
                const bool takeOverFirst = secondsSince(lastTakeOverLook_) >= 1;
                if (takeOverFirst) lastTakeOverLook_ = Clock::now();
                job = store_.Claim(name_, options_.leaseSeconds, takeOverFirst);
            } catch (const QueueDbError& e) {
                if (!e.connectionLost || !reconnect(e.what())) break;
                continue;
            }
            if (job) {
                process(*job);
                lastWork_ = Clock::now();
            } else if (idleTooLong() || !waitForWork()) {
                break;
            }
        }
        std::fprintf(stderr, "rqtool queue work %s: %ld done, %ld failed attempts\n", name_.c_str(), done_, failed_);
        return 0;
    }

private:
    void log(const std::string& text) const { std::fprintf(stderr, "rqtool queue work %s: %s\n", name_.c_str(), text.c_str()); }

    bool idleTooLong() const
    {
        return options_.idleExitSeconds >= 0 && secondsSince(lastWork_) >= options_.idleExitSeconds;
    }

    // Waits for a notification, the end of the next lease, the idle time or
    // the poll interval. False when the worker should stop.
    bool waitForWork()
    {
        double timeout = options_.pollSeconds;
        if (options_.idleExitSeconds >= 0) timeout = std::min(timeout, options_.idleExitSeconds - secondsSince(lastWork_));
        try {
            if (std::optional<double> leaseEnd = store_.SecondsToNextLeaseEnd()) {
                // A job still runs somewhere: the queue is not idle, and the
                // job comes back to the queue if its lease ends.
                lastWork_ = Clock::now();
                timeout = std::min(timeout, *leaseEnd + 0.05);
            }
            const auto ms = std::chrono::milliseconds(static_cast<long long>(std::max(timeout, 0.01) * 1000));
            db_.Wait(ms, queue_stop::Fd());
        } catch (const QueueDbError& e) {
            if (!e.connectionLost) throw;
            return reconnect(e.what());
        }
        return true;
    }

    // After the database went away: drops everything that held a connection
    // and connects again with growing pauses. False when a stop was
    // requested (or the worker was idle too long) meanwhile.
    bool reconnect(const std::string& why)
    {
        batch_.reset();
        data_.reset();
        log("lost the database (" + why + "); connecting again");
        double pause = 0.1;
        for (;;) {
            if (queue_stop::Requested() || idleTooLong()) return false;
            try {
                db_.Reconnect();
                log("connected again");
                return true;
            } catch (const QueueDbError&) {
                queue_stop::Sleep(pause);
                pause = std::min(pause * 2, 5.0);
            }
        }
    }

    bool queueReachable()
    {
        try {
            db_.Exec("SELECT 1");
            return true;
        } catch (const QueueDbError& e) {
            return !e.connectionLost;
        }
    }

    QueueBatch& batchFor(long long id)
    {
        if (!data_) data_.emplace(options_.db, QStringLiteral("rqtool-queue"));
        if (!batch_ || batch_->Id() != id) {
            batch_.reset();
            batch_ = std::make_unique<QueueBatch>(store_.LoadBatch(id));
        }
        return *batch_;
    }

    void process(const ClaimedJob& job)
    {
        if (job.sentBefore) return fail(job, kSentBefore, false);
        boxes_.Clear();
        JobInHand hand(store_, name_, job);
        try {
            QueueBatch& batch = batchFor(job.batch);
            batch.Apply(NamedValuesFromJson(job.params));
            TrqReport& report = batch.Report();
            report.OnProgress = [&](int) { renewIfDue(hand, report); };
            // The callback holds this job: it must not outlive it.
            auto forget = qScopeGuard([&] { report.OnProgress = nullptr; });
            const Clock::time_point start = Clock::now();
            const bool built = report.PrepareReport();
            if (hand.connectionLost) return giveBack(job, "the connection broke during the build");
            if (hand.takenOver) return log("job " + std::to_string(job.id) + " was taken from this worker; dropped");
            if (!built) throw Exception(boxes_.Message().empty() ? "the report was not built" : "");
            hand.timings.buildMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            hand.deliverStart = Clock::now();
            batch.Output().Deliver(report, hand);
            if (hand.finished) ++done_;
            else if (hand.takenOver) log("job " + std::to_string(job.id) + " was taken from this worker; dropped");
        } catch (const QueueDbError& e) {
            if (e.connectionLost) return giveBack(job, e.what());
            fail(job, boxes_.Message(e.what()), true);
        } catch (const std::exception& e) {
            // A report reading a database that went away fails like any
            // other: tell the two apart by the queue's own connection.
            if (!queueReachable()) return giveBack(job, AnsiToUtf8(e.what()));
            fail(job, boxes_.Message(AnsiToUtf8(e.what())), true);
            // The report's connection may be what failed: open it afresh.
            batch_.reset();
            data_.reset();
        }
    }

    // Keeps the job's lease while a long report builds (called after every
    // page); stops the build when the job is no longer this worker's.
    void renewIfDue(JobInHand& hand, TrqReport& report)
    {
        if (secondsSince(hand.renewedAt) < options_.leaseSeconds / 3) return;
        hand.renewedAt = Clock::now();
        try {
            hand.takenOver = !store_.Renew(hand.Job(), name_, options_.leaseSeconds);
        } catch (const QueueDbError& e) {
            hand.connectionLost = e.connectionLost;
            hand.takenOver = !e.connectionLost;
        }
        if (hand.takenOver || hand.connectionLost) report.Terminated = true;
    }

    void fail(const ClaimedJob& job, const std::string& message, bool retry)
    {
        ++failed_;
        const std::string id = "job " + std::to_string(job.id);
        try {
            switch (store_.Fail(job, name_, message.empty() ? "failed" : message, retry)) {
            case JobStore::FailOutcome::Retried: log(id + " failed, to be tried again: " + OneLine(message)); break;
            case JobStore::FailOutcome::Failed: log(id + " failed: " + OneLine(message)); break;
            case JobStore::FailOutcome::Lost: log(id + " failed after it was taken from this worker"); break;
            }
        } catch (const QueueDbError& e) {
            // The lease runs out and the job comes back.
            if (!e.connectionLost) throw;
            reconnect(e.what());
        }
    }

    // The database went away under the job: connect again and put the job
    // back; this attempt does not count.
    void giveBack(const ClaimedJob& job, const std::string& why)
    {
        if (!reconnect(why)) return;
        try {
            store_.GiveBack(job, name_);
        } catch (const QueueDbError&) {
            // Its lease runs out instead.
        }
    }

    QueueWorkerOptions options_;
    std::string name_;
    PgConnection db_;
    JobStore store_;
    Clock::time_point lastWork_, lastTakeOverLook_;
    BoxRecorder boxes_;
    std::optional<ReportDatabase> data_;
    std::unique_ptr<QueueBatch> batch_;
    long done_ = 0, failed_ = 0;
};

}  // namespace

int RunQueueWorker(const QueueWorkerOptions& options)
{
    queue_stop::Install();
    return Worker(options).Run();
}
