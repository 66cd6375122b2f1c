#pragma once
// A request from outside the engine to stop what runs, as the progress
// window's Cancel stops a build: a program without windows (rqtool) makes it
// when it gets SIGINT. Running scripts notice it at their next check (every
// few thousand instructions, see TrqInterpretator::CheckInterval) and the
// band engine after every page; the build then ends as a cancelled one.
//
// RequestStop is safe to call from a signal handler. The request stays until
// ClearStopRequest: the program decides what a stopped run leaves behind.

void RequestStop();
bool StopRequested();
void ClearStopRequest();
