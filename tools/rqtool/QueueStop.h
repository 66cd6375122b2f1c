#pragma once
// Stopping queue workers with SIGTERM or SIGINT: the signal only raises a
// flag (and wakes a worker waiting on the database through a pipe); the
// worker finishes the job in hand and exits.
//
// Rules that are easy to break:
// - Install() once per process, before anything waits; the handlers stay
//   for the process's life.
// - Waits give Fd() to select() beside the database socket: a signal that
//   arrives just before the wait still ends it.

namespace queue_stop {

void Install();
bool Requested();
// Readable once a stop was requested; -1 before Install().
int Fd();
// Sleeps up to `seconds`, less when a stop is requested.
void Sleep(double seconds);

}  // namespace queue_stop
