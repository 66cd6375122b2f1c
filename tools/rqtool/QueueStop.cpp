#include "QueueStop.h"

#include <sys/select.h>
#include <fcntl.h>
#include <unistd.h>

#include <csignal>

namespace {

volatile std::sig_atomic_t stopRequested = 0;
int pipeFds[2] = {-1, -1};

extern "C" void onStopSignal(int)
{
    stopRequested = 1;
    if (pipeFds[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] ssize_t n = write(pipeFds[1], &byte, 1);
    }
}

}  // namespace

namespace queue_stop {

void Install()
{
    if (pipeFds[0] >= 0) return;
    if (pipe(pipeFds) == 0) {
        for (int fd : pipeFds) {
            fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
            fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
    }
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

bool Requested() { return stopRequested != 0; }

int Fd() { return pipeFds[0]; }

void Sleep(double seconds)
{
    if (Requested()) return;
    fd_set readable;
    FD_ZERO(&readable);
    if (Fd() >= 0) FD_SET(Fd(), &readable);
    const long long us = static_cast<long long>(seconds * 1e6);
    timeval tv{static_cast<time_t>(us / 1000000), static_cast<suseconds_t>(us % 1000000)};
    select(Fd() + 1, &readable, nullptr, nullptr, &tv);
}

}  // namespace queue_stop
