#pragma once
// The command registry of rqtool. A command file defines its entry and
// registers it with a static RqCommand object:
//
//   static RqCommand eval("eval", "[--var NAME=KIND:VALUE]... EXPR...", "evaluate expressions", runEval);
//
// The entry receives the arguments after the command name and returns the exit
// status. Output is UTF-8; texts from the engine are converted with AnsiToUtf8.

#include <functional>
#include <string>
#include <vector>

using RqArgs = std::vector<std::string>;

struct RqCommand {
    using Entry = std::function<int(const RqArgs&)>;
    RqCommand(const char* name, const char* usage, const char* summary, Entry entry);
};

// Raised by commands for a wrong command line: the dispatcher prints the message
// and the command's usage, and exits with 2.
struct RqUsageError {
    std::string message;
};
