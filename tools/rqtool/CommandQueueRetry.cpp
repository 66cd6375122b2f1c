// rqtool queue retry and queue cancel: put failed or cancelled jobs back in
// the queue, or take queued and running jobs out of it.
#include "QueueCommand.h"

#include "runtime/SysUtils.h"
#include "tools/queue/JobStore.h"

#include <cstdio>

namespace {

using Change = std::vector<std::string> (JobStore::*)(const std::vector<long long>&);

// Prints one line per job; 1 when any job could not be changed.
int change(const CommandLine& line, Change what, const char* done)
{
    std::vector<long long> ids;
    for (const std::string& text : line.Arguments()) {
        int64_t id = 0;
        if (!TryStrToInt64(text, id) || id < 1) throw RqUsageError{"'" + text + "' is not a job id"};
        ids.push_back(id);
    }
    PgConnection db(QueueConninfo(line.Value("db")));
    JobStore store(db);
    OpenQueue(db, store);
    const std::vector<std::string> outcome = (store.*what)(ids);
    int status = 0;
    for (size_t i = 0; i < ids.size(); ++i) {
        if (outcome[i].empty()) {
            std::printf("job %lld %s\n", ids[i], done);
        } else {
            std::fprintf(stderr, "job %lld: %s\n", ids[i], outcome[i].c_str());
            status = 1;
        }
    }
    return status;
}

const std::vector<CommandLineArgument> kIds{{"ID", "A job's id, as submit printed it.", 1, -1}};

RqCommand retry("queue retry",
                {.synopsis = "--db URL ID...",
                 .summary = "Queue failed or cancelled jobs again, with all their attempts.",
                 .options = {QueueDbOption()},
                 .arguments = kIds,
                 .details = "Jobs in another state are left as they are and reported on standard error\n"
                            "(exit status 1).\n"},
                QueueEntry([](const CommandLine& line) { return change(line, &JobStore::Retry, "queued again"); }));

RqCommand cancel("queue cancel",
                 {.synopsis = "--db URL ID...",
                  .summary = "Cancel queued or running jobs.",
                  .options = {QueueDbOption()},
                  .arguments = kIds,
                  .details = "A running job's worker finishes building it and throws the result away\n"
                             "(a print job already sent stays sent). Jobs in another state are left as they\n"
                             "are and reported on standard error (exit status 1).\n"},
                 QueueEntry([](const CommandLine& line) { return change(line, &JobStore::Cancel, "cancelled"); }));

}  // namespace
