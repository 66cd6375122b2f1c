#pragma once
// Ctrl+C (SIGINT) for the commands that build or run scripts: the first one
// asks the engine to stop as Cancel stops a build (StopRequest.h), so that a
// report or script that runs for ever ends and the command writes nothing;
// a second one ends the program at once, as SIGINT usually does.

// Installs the handler; once per process, before the work starts.
void StopOnInterrupt();
// True when the work was stopped that way; the command then exits with
// InterruptedStatus after saying so on standard error.
bool Interrupted();
inline constexpr int InterruptedStatus = 130;  // 128 + SIGINT, as shells report it
