// The queue's store on its own: who holds a job, when it is taken over, how
// failures, retries and cancels move it. Several "workers" are just names on
// one connection here; what they may do to a job is decided by the rows.
#include "TestDatabase.h"

#include "tools/queue/JobStore.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class QueueStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = std::make_unique<TestDatabase>(TestEngine::PostgreSQL, false);
        connection = std::make_unique<PgConnection>(db->Spec());
        connection->Connect();
        store = std::make_unique<JobStore>(*connection);
        store->CreateSchema();
        store->CreateSchema();  // a second time changes nothing
    }

    std::vector<long long> submit(int jobs, int maxAttempts = 3)
    {
        NewBatch batch{.templateName = "t.rqf", .templateBytes = std::string("\0\1\2\xff", 4), .spec = "{}",
                       .maxAttempts = maxAttempts, .jobs = {}};
        for (int i = 0; i < jobs; ++i) batch.jobs.push_back({"[]", "/out/{job}.pdf"});
        return store->Submit(batch);
    }
    std::string row(long long id, const char* columns = "state || ' ' || attempts")
    {
        return connection->Exec(std::string("SELECT ") + columns + " AS v FROM rq_job WHERE id = " + std::to_string(id))
            .Text(0, "v");
    }
    static void sleepPast(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds + 0.05)); }

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<PgConnection> connection;
    std::unique_ptr<JobStore> store;
};

TEST_F(QueueStoreTest, JobsAreClaimedOldestFirstEachByOneWorker)
{
    const std::vector<long long> ids = submit(2);
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(row(ids[1], "target"), "/out/" + std::to_string(ids[1]) + ".pdf") << "{job} is the job's id";
    EXPECT_EQ(store->LoadBatch(store->Claim("a", 60)->batch).templateBytes, std::string("\0\1\2\xff", 4));
    std::optional<ClaimedJob> second = store->Claim("b", 60);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->id, ids[1]);
    EXPECT_EQ(second->attempt, 1);
    EXPECT_FALSE(store->Claim("c", 60)) << "both jobs are held";
    EXPECT_GT(*store->SecondsToNextLeaseEnd(), 50);
}

TEST_F(QueueStoreTest, AJobWhoseLeaseRanOutIsTakenOverAndItsFirstWorkerCanNoLongerTouchIt)
{
    const long long id = submit(1)[0];
    const ClaimedJob first = *store->Claim("a", 0.2);
    sleepPast(0.2);
    std::optional<ClaimedJob> second = store->Claim("b", 60);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->id, id);
    EXPECT_EQ(second->attempt, 2);

    bool published = false;
    EXPECT_FALSE(store->Complete(first, "a", {}, "", [&] { published = true; }));
    EXPECT_FALSE(published) << "a worker that lost its job must not publish its output";
    EXPECT_FALSE(store->Renew(first, "a", 60));
    EXPECT_FALSE(store->MarkSent(first, "a"));
    EXPECT_EQ(store->Fail(first, "a", "late"), JobStore::FailOutcome::Lost);
    store->GiveBack(first, "a");
    EXPECT_EQ(row(id), "running 2");

    EXPECT_TRUE(store->Complete(*second, "b", {12.5, 3.25}, "done", [&] { published = true; }));
    EXPECT_TRUE(published);
    EXPECT_EQ(row(id, "state || ' ' || build_ms || ' ' || output_ms || ' ' || result"), "done 12.5 3.25 done");
    EXPECT_FALSE(store->SecondsToNextLeaseEnd()) << "no job runs";
}

TEST_F(QueueStoreTest, OutputThatCannotBePublishedLeavesTheJobRunning)
{
    const long long id = submit(1)[0];
    const ClaimedJob job = *store->Claim("a", 60);
    EXPECT_THROW(store->Complete(job, "a", {}, "", [] { throw std::runtime_error("disk full"); }), std::runtime_error);
    EXPECT_EQ(row(id), "running 1");
    EXPECT_EQ(store->Fail(job, "a", "disk full"), JobStore::FailOutcome::Retried);
    EXPECT_EQ(row(id, "state || ' ' || message"), "queued disk full");
}

TEST_F(QueueStoreTest, FailuresAndDeadWorkersUseUpTheAttempts)
{
    const std::vector<long long> ids = submit(2, 2);
    // Failed twice by a worker: queued again once, then failed.
    ClaimedJob job = *store->Claim("a", 60);
    EXPECT_EQ(store->Fail(job, "a", "first"), JobStore::FailOutcome::Retried);
    job = *store->Claim("a", 60);
    EXPECT_EQ(job.id, ids[0]);
    EXPECT_EQ(store->Fail(job, "a", "engine says no"), JobStore::FailOutcome::Failed);
    EXPECT_EQ(row(ids[0], "state || ' ' || attempts || ' ' || message"), "failed 2 engine says no");

    // A job whose workers die: claimed twice, then failed by the next claim.
    store->Claim("b", 0.1);
    sleepPast(0.1);
    EXPECT_EQ(store->Claim("c", 0.1)->attempt, 2);
    sleepPast(0.1);
    EXPECT_FALSE(store->Claim("d", 60));
    EXPECT_EQ(row(ids[1], "state || ' ' || attempts"), "failed 2");
    EXPECT_THAT(row(ids[1], "message"), HasSubstr("stopped before it finished (attempt 2 of 2)"));

    // A job given back (its worker's database went away) keeps its attempts.
    EXPECT_THAT(store->Retry({ids[1]}), ElementsAre(""));
    job = *store->Claim("e", 60);
    store->GiveBack(job, "e");
    EXPECT_EQ(row(ids[1]), "queued 0");
    // A failure that must not be retried fails at once.
    job = *store->Claim("e", 60);
    EXPECT_EQ(store->Fail(job, "e", "sent before", false), JobStore::FailOutcome::Failed);
}

TEST_F(QueueStoreTest, RetryAndCancelChangeOnlyJobsInTheRightState)
{
    const std::vector<long long> ids = submit(4, 1);
    const long long queued = ids[3], missing = ids[3] + 100;
    ClaimedJob running = *store->Claim("a", 60);
    store->Complete(*store->Claim("a", 60), "a", {}, "", {});
    store->Fail(*store->Claim("a", 60), "a", "bad", false);

    EXPECT_THAT(store->Retry({ids[0], ids[1], ids[2], queued, missing}),
                ElementsAre("it is running; only failed and cancelled jobs are retried",
                            "it is done; only failed and cancelled jobs are retried", "",
                            "it is queued; only failed and cancelled jobs are retried", "no such job"));
    EXPECT_EQ(row(ids[2], "state || ' ' || attempts || ' ' || coalesce(message, '-')"), "queued 0 -");

    EXPECT_THAT(store->Cancel({ids[0], ids[1], ids[2], missing}),
                ElementsAre("", "it is done; only queued and running jobs are cancelled", "", "no such job"));
    // The running job's worker finds it gone when it finishes.
    EXPECT_FALSE(store->Complete(running, "a", {}, "", {}));
    EXPECT_EQ(row(ids[0], "state"), "cancelled");
    EXPECT_THAT(store->Retry({ids[0]}), ElementsAre(""));

    const QueueStatus status = store->Status();
    EXPECT_EQ(status.counts.at("queued"), 2);
    EXPECT_EQ(status.counts.at("done"), 1);
    EXPECT_EQ(status.counts.at("cancelled"), 1);
    ASSERT_EQ(status.batches.size(), 1u);
    EXPECT_EQ(status.batches[0].counts.at("queued"), 2);
    EXPECT_EQ(status.recentJobs, 1);
}

}  // namespace
