// rqtool: the report engine from the command line. It never opens a window:
// message boxes and input boxes print to standard error and take their default.
#include "RqCommand.h"

#include "runtime/Application.h"
#include "runtime/Dialogs.h"
#include "runtime/Exceptions.h"
#include "runtime/FormatSettings.h"

#include <cstdio>
#include <cstdlib>
#include <map>

namespace {
struct Registered {
    const char* usage;
    const char* summary;
    RqCommand::Entry entry;
};

std::map<std::string, Registered>& commands()
{
    static std::map<std::string, Registered> map;
    return map;
}

void printHelp(FILE* out)
{
    std::fprintf(out, "usage: rqtool COMMAND [ARGS]\n\ncommands:\n");
    for (const auto& [name, c] : commands())
        std::fprintf(out, "  %s %s\n      %s\n", name.c_str(), c.usage, c.summary);
}
}  // namespace

RqCommand::RqCommand(const char* name, const char* usage, const char* summary, Entry entry)
{
    commands()[name] = Registered{usage, summary, std::move(entry)};
}

int main(int argc, char** argv)
{
    if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") {
        printHelp(argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    auto it = commands().find(argv[1]);
    if (it == commands().end()) {
        std::fprintf(stderr, "rqtool: unknown command '%s'\n\n", argv[1]);
        printHelp(stderr);
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    InitRuntimeEnvironment();
    int qtArgc = 1;
    TQtApplication app(qtArgc, argv);
    SetConsoleDialogs(true);
    LoadFormatSettingsFromLocale();

    RqArgs args(argv + 2, argv + argc);
    try {
        return it->second.entry(args);
    } catch (const RqUsageError& e) {
        std::fprintf(stderr, "rqtool %s: %s\nusage: rqtool %s %s\n", argv[1], e.message.c_str(), argv[1],
                     it->second.usage);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "rqtool %s: %s\n", argv[1], AnsiToUtf8(e.what()).c_str());
        return 1;
    }
}
