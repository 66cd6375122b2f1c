#include "Interrupt.h"

#include "report/language/StopRequest.h"

#include <csignal>

namespace {
extern "C" void onInterrupt(int) { RequestStop(); }
}  // namespace

void StopOnInterrupt()
{
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    action.sa_flags = SA_RESETHAND;  // the second SIGINT has the default effect
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
}

bool Interrupted() { return StopRequested(); }
