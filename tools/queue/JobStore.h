#pragma once
// The report job queue as it lives in PostgreSQL: its tables, and every
// statement that moves a job from one state to the next.
//
//   rq_batch   one submit: the template's bytes and what the build needs
//              (queries, datasets, variables, output) as JSON
//   rq_job     one report to build: the batch, the parameters of its row
//              (JSON), its output file, its state and its history
//
// States: queued -> running -> done; running -> queued (a failed attempt with
// attempts left, or a worker giving a job back when its connection broke);
// running -> failed (no attempts left); queued/running -> cancelled;
// failed/cancelled -> queued (retry).
//
// Rules that are easy to break:
// - A claim is one statement: the oldest queued job (or a running job whose
//   lease ran out, its worker having died) is locked with FOR UPDATE SKIP
//   LOCKED and marked running with a lease, so that no two workers ever hold
//   the same job and none waits for another.
// - A worker owns a job while the row says running, its name and the attempt
//   it claimed. Every later step (renew, complete, fail, give back) checks
//   that and does nothing when another worker has taken the job over; the
//   owner then throws its work away.
// - Complete() publishes the output (the rename of the finished file) while
//   it holds the job's row lock, inside the transaction that marks the job
//   done: a job is marked done only with its output in place, and an output
//   is published only by the job's owner.
// - A job whose lease runs out with no attempts left fails instead of running
//   again: a report that kills its worker cannot stop the queue.
// - Submit and retry notify the channel kQueueChannel after their commit;
//   idle workers LISTEN on it and also wake up when the next lease ends.

#include "PgConnection.h"

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

inline constexpr const char* kQueueChannel = "rq_job";

struct NewJob {
    std::string params;  // JSON
    std::string target;  // the output file ("{job}" in it becomes the job's id); empty for a printer
};

struct NewBatch {
    std::string templateName;   // as given on the command line
    std::string templateBytes;  // the template file itself
    std::string spec;           // JSON
    int maxAttempts = 3;
    std::vector<NewJob> jobs;
};

struct Batch {
    long long id = 0;
    std::string templateName, templateBytes, spec;
};

// A job in the hands of one worker (one attempt).
struct ClaimedJob {
    long long id = 0;
    long long batch = 0;
    int attempt = 0;  // 1 for the first
    int claim = 0;    // counts every claim of the job, also before a retry
    int maxAttempts = 0;
    std::string params, target;
    // A printer job that an earlier attempt already handed to the printer.
    bool sentBefore = false;
};

struct JobTimings {
    double buildMs = 0;
    double outputMs = 0;
};

struct QueueStatus {
    std::map<std::string, long long> counts;  // every state, also those at 0
    // Jobs finished in the last window (kThroughputWindow) and the time from
    // the first one's start to the last one's end.
    long long recentJobs = 0;
    double recentSeconds = 0;
    struct BatchLine {
        long long id = 0;
        std::string submitted, templateName;
        std::map<std::string, long long> counts;
        double jobsPerSecond = 0;  // done jobs over first start to last end; 0 before any
    };
    std::vector<BatchLine> batches;  // the latest first
    struct Failed {
        long long id = 0, batch = 0;
        int attempts = 0;
        std::string target, message;
    };
    std::vector<Failed> failed;  // in job order
};

inline constexpr const char* kJobStates[] = {"queued", "running", "done", "failed", "cancelled"};
inline constexpr int kThroughputWindowMinutes = 15;
inline constexpr int kStatusBatches = 10;

class JobStore {
public:
    explicit JobStore(PgConnection& db) : db_(db) {}

    // Creates the tables and indexes when missing.
    void CreateSchema();
    bool SchemaPresent();

    // One transaction; the job ids in row order.
    std::vector<long long> Submit(const NewBatch& batch);
    Batch LoadBatch(long long id);

    // The next job for `worker`, or none: a running job whose lease ran out
    // (looked for first when takeOverFirst, else only when none is queued)
    // or the oldest queued one. A job whose lease ran out with its attempts
    // used up is marked failed on the way.
    std::optional<ClaimedJob> Claim(const std::string& worker, double leaseSeconds, bool takeOverFirst = true);
    // Seconds until the first lease of a running job ends (0 when one has
    // ended already), or none while no job runs.
    std::optional<double> SecondsToNextLeaseEnd();

    // False when the job is no longer this worker's.
    bool Renew(const ClaimedJob& job, const std::string& worker, double leaseSeconds);
    bool MarkSent(const ClaimedJob& job, const std::string& worker);
    // Runs publish() (if any) while the job is locked, then marks it done;
    // false (and publish not run) when the job is no longer this worker's. An exception
    // from publish() leaves the job as it was and passes on.
    bool Complete(const ClaimedJob& job, const std::string& worker, const JobTimings& timings,
                  const std::string& result, const std::function<void()>& publish);
    enum class FailOutcome { Retried, Failed, Lost };
    // Back to the queue while attempts are left and `retry` holds; failed
    // otherwise.
    FailOutcome Fail(const ClaimedJob& job, const std::string& worker, const std::string& message, bool retry = true);
    // The attempt did not count (the database went away under it).
    void GiveBack(const ClaimedJob& job, const std::string& worker);

    // For each id, in order: empty when changed, else why not.
    std::vector<std::string> Retry(const std::vector<long long>& ids);
    std::vector<std::string> Cancel(const std::vector<long long>& ids);

    QueueStatus Status();

private:
    std::optional<ClaimedJob> takeOver(const std::string& worker, double leaseSeconds);
    // Sets `set` on each job whose state is one of `from`.
    std::vector<std::string> move(const std::vector<long long>& ids, const std::string& set, const std::string& from,
                                  const std::string& refusal);
    void notify() noexcept;

    PgConnection& db_;
};
