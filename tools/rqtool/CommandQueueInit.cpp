// rqtool queue init: creates the report job queue's tables in a database.
#include "QueueCommand.h"

#include "tools/queue/JobStore.h"

#include <cstdio>

namespace {

int run(const CommandLine& line)
{
    PgConnection db(QueueConninfo(line.Value("db")));
    db.Connect();
    JobStore(db).CreateSchema();
    std::printf("the report queue is ready\n");
    return 0;
}

RqCommand command("queue init",
                  {.synopsis = "--db URL",
                   .summary = "Create the report job queue's tables and indexes (nothing happens when they exist).",
                   .options = {QueueDbOption()},
                   .arguments = {}},
                  QueueEntry(run));

}  // namespace
