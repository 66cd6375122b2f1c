#include "JobStore.h"

#include <algorithm>
#include <cstdio>

namespace {

const char* const kSchema = R"SQL(
CREATE TABLE IF NOT EXISTS rq_batch (
    id             BIGSERIAL PRIMARY KEY,
    submitted_at   TIMESTAMPTZ NOT NULL DEFAULT clock_timestamp(),
    template_name  TEXT NOT NULL,
    template       BYTEA NOT NULL,
    spec           JSONB NOT NULL
);
CREATE TABLE IF NOT EXISTS rq_job (
    id             BIGSERIAL PRIMARY KEY,
    batch_id       BIGINT NOT NULL REFERENCES rq_batch (id) ON DELETE CASCADE,
    state          TEXT NOT NULL DEFAULT 'queued'
                   CHECK (state IN ('queued', 'running', 'done', 'failed', 'cancelled')),
    params         JSONB NOT NULL DEFAULT '[]',
    target         TEXT,
    attempts       INTEGER NOT NULL DEFAULT 0,
    claims         INTEGER NOT NULL DEFAULT 0,
    max_attempts   INTEGER NOT NULL DEFAULT 3 CHECK (max_attempts >= 1),
    worker         TEXT,
    lease_until    TIMESTAMPTZ,
    sent_at        TIMESTAMPTZ,
    message        TEXT,
    result         TEXT,
    submitted_at   TIMESTAMPTZ NOT NULL DEFAULT clock_timestamp(),
    started_at     TIMESTAMPTZ,
    finished_at    TIMESTAMPTZ,
    build_ms       DOUBLE PRECISION,
    output_ms      DOUBLE PRECISION
);
CREATE INDEX IF NOT EXISTS rq_job_queued ON rq_job (id) WHERE state = 'queued';
CREATE INDEX IF NOT EXISTS rq_job_leases ON rq_job (lease_until) WHERE state = 'running';
CREATE INDEX IF NOT EXISTS rq_job_batch ON rq_job (batch_id, state);
CREATE INDEX IF NOT EXISTS rq_job_finished ON rq_job (finished_at) WHERE state = 'done';
)SQL";

// The columns a worker needs of a claimed job.
const char* const kClaimed =
    "j.id, j.batch_id, j.attempts, j.claims, j.max_attempts, j.params, j.target, j.sent_at, j.state";

// A job's row, while it is this worker's attempt.
const char* const kOwned = "id = $1 AND state = 'running' AND worker = $2 AND attempts = $3";

std::string number(long long n) { return std::to_string(n); }

std::string seconds(double s)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", s);
    return text;
}

std::vector<PgValue> owner(const ClaimedJob& job, const std::string& worker)
{
    return {number(job.id), worker, std::to_string(job.attempt)};
}

long long toLong(const std::string& s) { return s.empty() ? 0 : std::stoll(s); }
double toDouble(const std::string& s) { return s.empty() ? 0 : std::stod(s); }

ClaimedJob claimedFrom(const PgResult& r)
{
    ClaimedJob job;
    job.id = toLong(r.Text(0, "id"));
    job.batch = toLong(r.Text(0, "batch_id"));
    job.attempt = static_cast<int>(toLong(r.Text(0, "attempts")));
    job.claim = static_cast<int>(toLong(r.Text(0, "claims")));
    job.maxAttempts = static_cast<int>(toLong(r.Text(0, "max_attempts")));
    job.params = r.Text(0, "params");
    job.target = r.Text(0, "target");
    job.sentBefore = r.At(0, "sent_at").has_value();
    return job;
}

// Escapes a byte string as a bytea literal in hex form.
std::string byteaHex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out = "\\x";
    out.reserve(2 + bytes.size() * 2);
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::string fromByteaHex(const std::string& text)
{
    if (text.size() < 2 || text[0] != '\\' || text[1] != 'x') return text;
    auto nibble = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
    std::string out;
    out.reserve((text.size() - 2) / 2);
    for (size_t i = 2; i + 1 < text.size(); i += 2) out += static_cast<char>(nibble(text[i]) << 4 | nibble(text[i + 1]));
    return out;
}

// JSON string literal of UTF-8 text.
std::string jsonString(const std::string& s)
{
    std::string out = "\"";
    for (unsigned char c : s) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char u[8];
                std::snprintf(u, sizeof u, "\\u%04x", c);
                out += u;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

}  // namespace

void JobStore::CreateSchema()
{
    db_.Begin();
    try {
        db_.Exec(kSchema);
        db_.Commit();
    } catch (...) {
        db_.Rollback();
        throw;
    }
}

bool JobStore::SchemaPresent()
{
    return db_.Exec("SELECT to_regclass('rq_job') IS NOT NULL AND to_regclass('rq_batch') IS NOT NULL AS present")
               .Text(0, "present") == "t";
}

std::vector<long long> JobStore::Submit(const NewBatch& batch)
{
    // The jobs travel as one JSON array, so that a batch of any size is one
    // statement.
    std::string jobs = "[";
    for (size_t i = 0; i < batch.jobs.size(); ++i) {
        const NewJob& job = batch.jobs[i];
        if (i) jobs += ',';
        jobs.append("{\"p\":").append(job.params).append(",\"t\":");
        jobs.append(job.target.empty() ? std::string("null") : jsonString(job.target)).append("}");
    }
    jobs += "]";
    std::vector<long long> ids;
    db_.Begin();
    try {
        PgResult b = db_.Exec("INSERT INTO rq_batch (template_name, template, spec) VALUES ($1, $2::bytea, $3::jsonb) "
                              "RETURNING id",
                              {batch.templateName, byteaHex(batch.templateBytes), batch.spec});
        const std::string batchId = b.Text(0, "id");
        PgResult r = db_.Exec("INSERT INTO rq_job (batch_id, params, target, max_attempts) "
                              "SELECT $1::bigint, e->'p', e->>'t', $3::integer "
                              "FROM jsonb_array_elements($2::jsonb) WITH ORDINALITY AS x(e, n) ORDER BY n "
                              "RETURNING id",
                              {batchId, jobs, std::to_string(batch.maxAttempts)});
        for (int i = 0; i < r.Rows(); ++i) ids.push_back(toLong(r.Text(i, "id")));
        db_.Exec("UPDATE rq_job SET target = replace(target, '{job}', id::text) "
                 "WHERE batch_id = $1::bigint AND strpos(target, '{job}') > 0",
                 {batchId});
        db_.Commit();
    } catch (...) {
        db_.Rollback();
        throw;
    }
    std::sort(ids.begin(), ids.end());
    notify();
    return ids;
}

Batch JobStore::LoadBatch(long long id)
{
    PgResult r = db_.Exec("SELECT id, template_name, template, spec FROM rq_batch WHERE id = $1", {number(id)});
    if (r.Rows() == 0) throw QueueDbError("no batch " + number(id), false);
    return {id, r.Text(0, "template_name"), fromByteaHex(r.Text(0, "template")), r.Text(0, "spec")};
}

std::optional<ClaimedJob> JobStore::Claim(const std::string& worker, double leaseSeconds, bool takeOverFirst)
{
    if (takeOverFirst)
        if (std::optional<ClaimedJob> job = takeOver(worker, leaseSeconds)) return job;
    PgResult r = db_.Exec(std::string("UPDATE rq_job j SET state = 'running', attempts = j.attempts + 1, "
                                      "  claims = j.claims + 1, worker = $1, "
                                      "  lease_until = now() + $2::float8 * interval '1 second', "
                                      "  started_at = clock_timestamp(), finished_at = NULL "
                                      "FROM (SELECT id FROM rq_job WHERE state = 'queued' "
                                      "      ORDER BY id LIMIT 1 FOR UPDATE SKIP LOCKED) n "
                                      "WHERE j.id = n.id RETURNING ") +
                              kClaimed,
                          {worker, seconds(leaseSeconds)});
    if (r.Rows() > 0) return claimedFrom(r);
    return takeOverFirst ? std::nullopt : takeOver(worker, leaseSeconds);
}

std::optional<ClaimedJob> JobStore::takeOver(const std::string& worker, double leaseSeconds)
{
    // A job whose worker stopped: its lease ran out. It runs again while it
    // has attempts left, and fails otherwise; a printer job that was handed
    // to the printer is never sent twice (the worker sees sent_at).
    for (;;) {
        PgResult r = db_.Exec(
            std::string("UPDATE rq_job j SET "
                        "  state = CASE WHEN j.attempts < j.max_attempts THEN 'running' ELSE 'failed' END, "
                        "  attempts = j.attempts + CASE WHEN j.attempts < j.max_attempts THEN 1 ELSE 0 END, "
                        "  claims = j.claims + CASE WHEN j.attempts < j.max_attempts THEN 1 ELSE 0 END, "
                        "  worker = CASE WHEN j.attempts < j.max_attempts THEN $1 ELSE j.worker END, "
                        "  lease_until = CASE WHEN j.attempts < j.max_attempts "
                        "                THEN now() + $2::float8 * interval '1 second' END, "
                        "  started_at = CASE WHEN j.attempts < j.max_attempts THEN clock_timestamp() "
                        "               ELSE j.started_at END, "
                        "  finished_at = CASE WHEN j.attempts < j.max_attempts THEN NULL ELSE clock_timestamp() END, "
                        "  message = CASE WHEN j.attempts < j.max_attempts THEN j.message "
                        "            ELSE 'The worker building the job stopped before it finished (attempt ' || "
                        "                 j.attempts || ' of ' || j.max_attempts || ').' END "
                        "FROM (SELECT id FROM rq_job WHERE state = 'running' AND lease_until < now() "
                        "      ORDER BY lease_until LIMIT 1 FOR UPDATE SKIP LOCKED) n "
                        "WHERE j.id = n.id RETURNING ") +
                kClaimed,
            {worker, seconds(leaseSeconds)});
        if (r.Rows() == 0) return std::nullopt;
        if (r.Text(0, "state") == "running") return claimedFrom(r);
    }
}

std::optional<double> JobStore::SecondsToNextLeaseEnd()
{
    PgResult r = db_.Exec("SELECT EXTRACT(EPOCH FROM (min(lease_until) - now())) AS s FROM rq_job "
                          "WHERE state = 'running'");
    if (r.Rows() == 0 || !r.At(0, "s")) return std::nullopt;
    return std::max(0.0, toDouble(r.Text(0, "s")));
}

bool JobStore::Renew(const ClaimedJob& job, const std::string& worker, double leaseSeconds)
{
    std::vector<PgValue> p = owner(job, worker);
    p.push_back(seconds(leaseSeconds));
    return db_.Exec(std::string("UPDATE rq_job SET lease_until = now() + $4::float8 * interval '1 second' WHERE ") +
                        kOwned,
                    p)
               .Affected() == 1;
}

bool JobStore::MarkSent(const ClaimedJob& job, const std::string& worker)
{
    return db_.Exec(std::string("UPDATE rq_job SET sent_at = clock_timestamp() WHERE ") + kOwned, owner(job, worker))
               .Affected() == 1;
}

bool JobStore::Complete(const ClaimedJob& job, const std::string& worker, const JobTimings& timings,
                        const std::string& result, const std::function<void()>& publish)
{
    std::vector<PgValue> p = owner(job, worker);
    p.push_back(seconds(timings.buildMs));
    p.push_back(seconds(timings.outputMs));
    p.push_back(result.empty() ? PgValue() : PgValue(result));
    db_.Begin();
    try {
        // The update locks the row: nobody takes the job over between the
        // check and the commit.
        PgResult r = db_.Exec(std::string("UPDATE rq_job SET state = 'done', finished_at = clock_timestamp(), "
                                          "lease_until = NULL, message = NULL, build_ms = $4::float8, "
                                          "output_ms = $5::float8, result = $6 WHERE ") +
                                  kOwned,
                              p);
        if (r.Affected() != 1) {
            db_.Rollback();
            return false;
        }
        if (publish) publish();
        db_.Commit();
        return true;
    } catch (...) {
        db_.Rollback();
        throw;
    }
}

JobStore::FailOutcome JobStore::Fail(const ClaimedJob& job, const std::string& worker, const std::string& message,
                                     bool retry)
{
    std::vector<PgValue> p = owner(job, worker);
    p.push_back(message);
    p.push_back(retry ? "t" : "f");
    PgResult r = db_.Exec(std::string("UPDATE rq_job SET "
                                      "  state = CASE WHEN $5::boolean AND attempts < max_attempts "
                                      "          THEN 'queued' ELSE 'failed' END, "
                                      "  finished_at = CASE WHEN $5::boolean AND attempts < max_attempts THEN NULL "
                                      "                ELSE clock_timestamp() END, "
                                      "  lease_until = NULL, message = $4 WHERE ") +
                              kOwned + " RETURNING state",
                          p);
    if (r.Rows() == 0) return FailOutcome::Lost;
    if (r.Text(0, "state") == "failed") return FailOutcome::Failed;
    notify();
    return FailOutcome::Retried;
}

void JobStore::GiveBack(const ClaimedJob& job, const std::string& worker)
{
    if (db_.Exec(std::string("UPDATE rq_job SET state = 'queued', attempts = attempts - 1, lease_until = NULL, "
                             "started_at = NULL WHERE ") +
                     kOwned,
                 owner(job, worker))
            .Affected() == 1)
        notify();
}

std::vector<std::string> JobStore::move(const std::vector<long long>& ids, const std::string& set,
                                        const std::string& from, const std::string& refusal)
{
    std::vector<std::string> outcome;
    for (long long id : ids) {
        PgResult r = db_.Exec("WITH old AS (SELECT id, state FROM rq_job WHERE id = $1 FOR UPDATE), "
                              "upd AS (UPDATE rq_job j SET " + set + " FROM old "
                              "  WHERE j.id = old.id AND old.state IN (" + from + ") RETURNING j.id) "
                              "SELECT old.state, (SELECT count(*) FROM upd) AS changed FROM old",
                              {number(id)});
        if (r.Rows() == 0)
            outcome.push_back("no such job");
        else if (r.Text(0, "changed") == "1")
            outcome.emplace_back();
        else
            outcome.push_back("it is " + r.Text(0, "state") + "; " + refusal);
    }
    return outcome;
}

std::vector<std::string> JobStore::Retry(const std::vector<long long>& ids)
{
    std::vector<std::string> outcome =
        move(ids,
             "state = 'queued', attempts = 0, lease_until = NULL, sent_at = NULL, message = NULL, result = NULL, "
             "started_at = NULL, finished_at = NULL",
             "'failed', 'cancelled'", "only failed and cancelled jobs are retried");
    if (std::count(outcome.begin(), outcome.end(), std::string()) > 0) notify();
    return outcome;
}

std::vector<std::string> JobStore::Cancel(const std::vector<long long>& ids)
{
    // A running job's worker finds the job no longer its own when it
    // finishes and throws its output away.
    return move(ids, "state = 'cancelled', lease_until = NULL, finished_at = clock_timestamp()",
                "'queued', 'running'", "only queued and running jobs are cancelled");
}

QueueStatus JobStore::Status()
{
    QueueStatus s;
    for (const char* state : kJobStates) s.counts[state] = 0;
    PgResult counts = db_.Exec("SELECT state, count(*) AS n FROM rq_job GROUP BY state");
    for (int i = 0; i < counts.Rows(); ++i) s.counts[counts.Text(i, "state")] = toLong(counts.Text(i, "n"));

    PgResult recent = db_.Exec("SELECT count(*) AS n, EXTRACT(EPOCH FROM max(finished_at) - min(started_at)) AS s "
                               "FROM rq_job WHERE state = 'done' AND finished_at > now() - $1::integer * "
                               "interval '1 minute'",
                               {std::to_string(kThroughputWindowMinutes)});
    s.recentJobs = toLong(recent.Text(0, "n"));
    s.recentSeconds = toDouble(recent.Text(0, "s"));

    PgResult batches = db_.Exec(
        "SELECT b.id, to_char(b.submitted_at, 'YYYY-MM-DD HH24:MI:SS') AS submitted, b.template_name, "
        "  (SELECT CASE WHEN max(finished_at) > min(started_at) "
        "     THEN count(*) / EXTRACT(EPOCH FROM max(finished_at) - min(started_at)) END "
        "   FROM rq_job WHERE batch_id = b.id AND state = 'done') AS rate "
        "FROM rq_batch b ORDER BY b.id DESC LIMIT $1",
        {std::to_string(kStatusBatches)});
    for (int i = 0; i < batches.Rows(); ++i) {
        QueueStatus::BatchLine line;
        line.id = toLong(batches.Text(i, "id"));
        line.submitted = batches.Text(i, "submitted");
        line.templateName = batches.Text(i, "template_name");
        for (const char* state : kJobStates) line.counts[state] = 0;
        line.jobsPerSecond = toDouble(batches.Text(i, "rate"));
        s.batches.push_back(line);
    }
    if (!s.batches.empty()) {
        // The latest batches have the highest ids: every batch between the
        // first and the last listed is listed.
        PgResult c = db_.Exec("SELECT batch_id, state, count(*) AS n FROM rq_job "
                              "WHERE batch_id BETWEEN $1 AND $2 GROUP BY batch_id, state",
                              {number(s.batches.back().id), number(s.batches.front().id)});
        for (int i = 0; i < c.Rows(); ++i)
            for (QueueStatus::BatchLine& line : s.batches)
                if (line.id == toLong(c.Text(i, "batch_id"))) line.counts[c.Text(i, "state")] = toLong(c.Text(i, "n"));
    }

    PgResult failed = db_.Exec("SELECT id, batch_id, attempts, coalesce(target, '') AS target, "
                               "coalesce(message, '') AS message FROM rq_job WHERE state = 'failed' ORDER BY id");
    for (int i = 0; i < failed.Rows(); ++i)
        s.failed.push_back({toLong(failed.Text(i, "id")), toLong(failed.Text(i, "batch_id")),
                            static_cast<int>(toLong(failed.Text(i, "attempts"))), failed.Text(i, "target"),
                            failed.Text(i, "message")});
    return s;
}

void JobStore::notify() noexcept
{
    // A database without notifications has workers that poll: nothing to do.
    try {
        db_.Exec(std::string("NOTIFY ") + kQueueChannel);
    } catch (...) {
    }
}
