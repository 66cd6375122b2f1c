#pragma once
// Several queue workers on one machine: one process each (the engine keeps
// process-wide state, so workers never share a process).
//
// Rules that are easy to break:
// - Children are this program started again (exec), never a bare fork of a
//   process that runs Qt.
// - SIGTERM and SIGINT are passed on to every child; each finishes the job in
//   hand and exits, and the supervisor returns when all have.
// - A child killed by a signal the supervisor did not send (a crash, kill -9)
//   is started again, at most once a second; its job comes back to the queue
//   when its lease ends. A child that exits by itself is not.

#include <string>
#include <vector>

// Starts `processes` copies of `program args...` and waits for them. 0 when
// every child ended with status 0 or by the supervisor's stop.
int SuperviseQueueWorkers(int processes, const std::string& program, const std::vector<std::string>& args);
