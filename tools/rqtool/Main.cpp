// rqtool: the report engine from the command line. It never opens a window:
// message boxes and input boxes print to standard error and take their default.
// The dispatcher finds the command (or the group and its command), parses the
// command's line as it declared it, and only then starts Qt.
#include "RqCommand.h"

#include "runtime/Application.h"
#include "runtime/Dialogs.h"
#include "runtime/Exceptions.h"
#include "runtime/FormatSettings.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

#ifndef STOCKIN_VERSION
#define STOCKIN_VERSION "unknown"
#endif

namespace {

struct Registered {
    CommandLineSpec spec;
    RqCommand::Entry entry;
};

std::map<std::string, Registered>& commands()
{
    static std::map<std::string, Registered> map;
    return map;
}

// The commands whose names start with prefix ("" for all), with their summaries.
std::vector<std::pair<std::string, std::string>> commandList(const std::string& prefix)
{
    std::vector<std::pair<std::string, std::string>> list;
    for (const auto& [name, c] : commands())
        if (name.starts_with(prefix)) list.emplace_back(name, c.spec.summary);
    return list;
}

CommandLineSpec programSpec()
{
    return {.program = "rqtool",
            .synopsis = "COMMAND [OPTION]... [ARG]...",
            .summary = "The report engine from the command line: evaluate expressions and scripts, format "
                       "values, dump and build report templates, list printers, dump and render prepared reports, "
                       "and build reports in bulk through a job queue in PostgreSQL.",
            .arguments = {{"COMMAND", "The command to run (below); \"rqtool COMMAND --help\" describes it.", 0, -1}},
            .commands = commandList(""),
            .details = "Values on the command line are KIND:TEXT with KIND one of int, float, str,\n"
                       "bool, null, date (yyyy-mm-dd [hh:nn:ss]). rqtool never opens a window: message\n"
                       "boxes print to standard error and take their default answer. Exit status: 0\n"
                       "done, 1 failed, 2 wrong command line.\n",
            .version = true,
            .commandFollows = true};
}

// "dump or build", "dump, pdf or png".
std::string choices(const std::string& group)
{
    std::vector<std::string> names;
    for (const auto& [name, c] : commands())
        if (name.starts_with(group + " ")) names.push_back(name.substr(group.size() + 1));
    std::string text;
    for (size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + names[i];
    return text;
}

bool isGroup(const std::string& name) { return !choices(name).empty(); }

int usageError(const std::string& program, const std::string& message, const std::string& usage)
{
    std::fprintf(stderr, "%s: %s\n%s", program.c_str(), message.c_str(), usage.c_str());
    return 2;
}

// Finds the command that args name and runs it; the exit status.
int dispatch(const std::vector<std::string>& words, char* argv0)
{
    std::string name = words[0];
    size_t used = 1;
    if (!commands().count(name)) {
        if (!isGroup(name))
            return usageError("rqtool", "unknown command '" + name + "'", "\n" + HelpText(programSpec()));
        const std::string groupHelp =
            HelpText({.program = "rqtool " + name,
                      .synopsis = "COMMAND [OPTION]... [ARG]...",
                      .summary = "The " + name + " commands; \"rqtool " + name + " COMMAND --help\" describes one.",
                      .commands = commandList(name + " ")});
        if (words.size() < 2) return usageError("rqtool " + name, choices(name) + "?", groupHelp);
        if (words[1] == "--help" || words[1] == "-h") {
            std::fputs(groupHelp.c_str(), stdout);
            return 0;
        }
        if (!commands().count(name + " " + words[1]))
            return usageError("rqtool " + name, "unknown " + name + " command '" + words[1] + "'", groupHelp);
        name += " " + words[1];
        used = 2;
    }
    const Registered& command = commands().at(name);
    const std::string usage = "usage: " + command.spec.program + " " + command.spec.synopsis + "\n";
    std::vector<std::string> args(words.begin() + static_cast<std::ptrdiff_t>(used), words.end());
    try {
        CommandLine line(command.spec, args);
        if (line.HelpRequested()) {
            std::fputs(HelpText(command.spec).c_str(), stdout);
            return 0;
        }
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        InitRuntimeEnvironment();
        int qtArgc = 1;
        char* qtArgv[] = {argv0, nullptr};
        TQtApplication app(qtArgc, qtArgv);
        SetConsoleDialogs(true);
        LoadFormatSettingsFromLocale();
        return command.entry(line);
    } catch (const CommandLineError& e) {
        return usageError(command.spec.program, e.message, usage);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", command.spec.program.c_str(), AnsiToUtf8(e.what()).c_str());
        return 1;
    }
}

}  // namespace

RqCommand::RqCommand(const char* name, CommandLineSpec spec, Entry entry)
{
    spec.program = std::string("rqtool ") + name;
    commands()[name] = Registered{std::move(spec), std::move(entry)};
}

int main(int argc, char** argv)
{
    const CommandLineSpec spec = programSpec();
    try {
        CommandLine line(spec, std::vector<std::string>(argv + 1, argv + argc));
        if (line.HelpRequested()) {
            std::fputs(HelpText(spec).c_str(), stdout);
            return 0;
        }
        if (line.VersionRequested()) {
            std::printf("rqtool %s\n", STOCKIN_VERSION);
            return 0;
        }
        if (line.Arguments().empty()) {
            std::fputs(HelpText(spec).c_str(), stderr);
            return 2;
        }
        return dispatch(line.Arguments(), argv[0]);
    } catch (const CommandLineError& e) {
        return usageError("rqtool", e.message, "(rqtool --help lists the commands)\n");
    }
}
