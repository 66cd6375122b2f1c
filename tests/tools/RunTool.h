#pragma once
// Runs a command-line tool of the project, in the environment of a plain shell
// (no FONTCONFIG_FILE, no XDG_RUNTIME_DIR), and collects what it printed.

#include <memory>
#include <string>
#include <vector>

class QProcess;

struct ToolResult {
    int exitCode = -1;
    std::string out;  // standard output (UTF-8)
    std::string err;  // standard error
};

ToolResult RunTool(const std::string& program, const std::vector<std::string>& args, const std::string& input = {});
inline ToolResult RunRqtool(const std::vector<std::string>& args, const std::string& input = {})
{
    return RunTool(RQTOOL_PATH, args, input);
}

// Starts the tool in the same environment and leaves it running; null when
// it cannot start.
std::unique_ptr<QProcess> StartTool(const std::string& program, const std::vector<std::string>& args);

// Waits until the running tool has written `cue` on standard error, sends it
// SIGINT, waits for it to end and collects what it printed. exitCode is -1
// when it did not exit by itself within two minutes (it is killed then).
ToolResult InterruptOnCue(QProcess& process, const std::string& cue);
