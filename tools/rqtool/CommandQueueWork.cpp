// rqtool queue work: builds queued report jobs until stopped, in one process
// or, with --processes N, in N worker processes (the engine keeps
// process-wide state, so parallelism is by processes). The options are
// described with the command's declaration at the end.
#include "QueueCommand.h"
#include "QueueSupervisor.h"
#include "QueueWorker.h"

#include "runtime/SysUtils.h"

#include <filesystem>

namespace {

int run(const CommandLine& line)
{
    QueueWorkerOptions o;
    o.db = line.Value("db");
    QueueConninfo(o.db);  // a wrong --db is a usage error, found before any process starts
    o.leaseSeconds = SecondsOption(line, "lease", o.leaseSeconds);
    o.idleExitSeconds = SecondsOption(line, "idle-exit", o.idleExitSeconds);
    o.pollSeconds = SecondsOption(line, "poll", o.pollSeconds);
    if (o.leaseSeconds < 1) throw RqUsageError{"--lease needs at least 1 second"};
    if (o.pollSeconds < 0.1) throw RqUsageError{"--poll needs at least 0.1 seconds"};
    const std::string processes = line.Value("processes", "1");
    int n = 0;
    if (!TryStrToInt(processes, n) || n < 1 || n > 256)
        throw RqUsageError{"--processes needs a number from 1 to 256, not '" + processes + "'"};
    if (n == 1) return RunQueueWorker(o);

    std::vector<std::string> args{"queue", "work", "--db", o.db, "--processes", "1", "--lease", SecondsText(o.leaseSeconds),
                                  "--poll", SecondsText(o.pollSeconds)};
    if (o.idleExitSeconds >= 0) args.insert(args.end(), {"--idle-exit", SecondsText(o.idleExitSeconds)});
    // The program itself, under its own name (ps shows the workers as rqtool).
    std::error_code ec;
    const std::string self = std::filesystem::read_symlink("/proc/self/exe", ec).string();
    return SuperviseQueueWorkers(n, ec ? std::string("/proc/self/exe") : self, args);
}

RqCommand command(
    "queue work",
    {.synopsis = "--db URL [--processes N] [--idle-exit SECONDS] [--lease SECONDS] [--poll SECONDS]",
     .summary = "Build the queued report jobs: claim one, build it, deliver its output, mark it done; repeat.",
     .options = {QueueDbOption(),
                 {{"processes"}, "N", "Run N worker processes (default 1)."},
                 {{"idle-exit"}, "SECONDS",
                  "Exit once the queue has had no queued or running job for SECONDS (default: run until stopped)."},
                 {{"lease"}, "SECONDS",
                  "How long a claimed job stays this worker's without news; a job whose worker died is taken over "
                  "when its lease ends (default 60; renewed while a long report builds)."},
                 {{"poll"}, "SECONDS",
                  "Longest wait for news from the database while idle (default 10); workers are woken at once "
                  "by LISTEN/NOTIFY where the database has it."}},
     .arguments = {},
     .details = "SIGTERM or SIGINT (Ctrl+C) lets each worker finish the job in hand, then exit.\n"
                "A job that fails is tried again until its attempts are used up, then marked\n"
                "failed with the engine's message; the others go on. When the database goes\n"
                "away, workers connect again with growing pauses and carry on. Errors and\n"
                "a summary go to standard error.\n"},
    QueueEntry(run));

}  // namespace
