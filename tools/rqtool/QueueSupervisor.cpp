#include "QueueSupervisor.h"

#include "QueueStop.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <set>

namespace {

pid_t spawn(const std::string& program, const std::vector<std::string>& args)
{
    // Everything exec needs is ready before the fork: the child only execs.
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    return pid;
}

}  // namespace

int SuperviseQueueWorkers(int processes, const std::string& program, const std::vector<std::string>& args)
{
    queue_stop::Install();
    std::set<pid_t> children;
    for (int i = 0; i < processes; ++i)
        if (pid_t pid = spawn(program, args); pid > 0) children.insert(pid);
    int status = children.size() == static_cast<size_t>(processes) ? 0 : 1;
    bool stopping = false;
    auto lastRestart = std::chrono::steady_clock::now() - std::chrono::seconds(1);
    while (!children.empty()) {
        if (queue_stop::Requested() && !stopping) {
            stopping = true;
            for (pid_t pid : children) kill(pid, SIGTERM);
        }
        int how = 0;
        const pid_t pid = waitpid(-1, &how, WNOHANG);
        if (pid <= 0) {
            queue_stop::Sleep(0.2);
            continue;
        }
        children.erase(pid);
        if (WIFEXITED(how)) {
            if (WEXITSTATUS(how) != 0) status = 1;
            continue;
        }
        if (stopping) continue;
        std::fprintf(stderr, "rqtool queue work: worker %d ended by signal %d; starting another\n", static_cast<int>(pid),
                     WTERMSIG(how));
        const auto now = std::chrono::steady_clock::now();
        if (now - lastRestart < std::chrono::seconds(1)) queue_stop::Sleep(1);
        lastRestart = std::chrono::steady_clock::now();
        if (queue_stop::Requested()) continue;
        if (pid_t again = spawn(program, args); again > 0) children.insert(again);
    }
    return status;
}
