#pragma once
// One queue worker process: claims jobs, builds them with the engine, delivers
// their output and marks them done, until stopped or idle.
//
// Rules that are easy to break:
// - The engine keeps process-wide state (the printer, the variables), so a
//   process builds one job at a time; parallelism is by processes
//   (QueueSupervisor).
// - When the database goes away (a restart, the network), the worker keeps
//   its state in the database, not in memory: it connects again with growing
//   pauses, gives back the job it held (that attempt does not count) and goes
//   on. The data connection of the reports is opened again too.
// - A job's failure is the engine's message (the boxes it would have shown)
//   and the error that ended it; the job is retried until its attempts are
//   used up, and the worker goes on with the next.
// - Idle, it waits on LISTEN/NOTIFY, waking also when the next lease of a
//   running job ends (its worker may have died) and at least every poll
//   interval (databases without notifications).

#include <string>

struct QueueWorkerOptions {
    std::string db;            // the queue's and the reports' database
    double leaseSeconds = 60;  // how long a claim holds without renewal
    double idleExitSeconds = -1;  // exit after this long without a job; < 0: never
    double pollSeconds = 10;   // longest wait without a notification
};

// Runs until a stop signal (after the job in hand) or the idle time; the exit
// status (0).
int RunQueueWorker(const QueueWorkerOptions& options);
