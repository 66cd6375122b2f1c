#pragma once
// The commands of rqtool. A command lives in a file of its own: it declares its
// command line once and registers its entry with a static RqCommand object.
//
//   int run(const CommandLine& line)
//   {
//       int page = ...line.Value("page")...;           // options by any of their names
//       const std::string& file = line.Arguments()[0];  // counts already checked
//       if (page < 1) throw RqUsageError{"--page needs a page number from 1"};
//       ...
//       return 0;
//   }
//
//   RqCommand command("rqp png",                        // a group ("rqp") and its command
//       {.synopsis = "FILE.rqp --page N [--zoom Z] -o OUT.png",
//        .summary = "Render one page of a prepared report to PNG.",
//        .options = {{{"page"}, "N", "The page, from 1."}, {{"o"}, "OUT.png", "The picture to write."}},
//        .arguments = {{"FILE.rqp", "The prepared report."}}},
//       run);
//
// For that the command gets, from the dispatcher: "rqtool rqp png --help" (and
// the manual page, which is made from the help texts); an unknown option, an
// option without its value, or too few or too many arguments end with a
// message and exit status 2 before the entry runs; "rqtool rqp" lists the
// group's commands. Options may come before, between or after the arguments.
// The entry checks values itself and throws RqUsageError for a wrong one (exit
// status 2 with the message and the usage line); any other exception ends the
// run with its message and exit status 1.
//
// Output is UTF-8; texts from the engine are converted with AnsiToUtf8. Entries
// run inside a QApplication on the offscreen platform with console dialogs.

#include "runtime/CommandLine.h"

#include <functional>

// A wrong command line found by a command itself.
using RqUsageError = CommandLineError;

struct RqCommand {
    using Entry = std::function<int(const CommandLine&)>;
    // name: "eval", or "group command" ("template dump"). spec.program is
    // filled in ("rqtool " + name).
    RqCommand(const char* name, CommandLineSpec spec, Entry entry);
};
