#pragma once
// Command lines of the programs (stockin-host, rqtool and each of its commands):
// declared once as a CommandLineSpec, parsed with QCommandLineParser, and the
// --help text (and, through it, the manual pages) made from the same declaration.
//
// Rules that are easy to break:
// - Texts here are terminal texts in UTF-8, not AnsiString; convert with
//   Utf8ToAnsi where the engine takes them.
// - An argument that starts with "-" followed by anything but a letter or a
//   second "-" ("-1", "-(a+b)", "-") is an argument, not an option, so that
//   negative numbers and expressions pass unquoted; "--" ends the options.
// - Arguments come back byte for byte, also those that are not UTF-8 (file names).
// - Every wrong command line throws CommandLineError; the program prints its
//   message and exits with status 2. --help and --version are answered before
//   the argument counts are checked.
// - Nothing here needs a QCoreApplication: programs parse before they start Qt,
//   so that --help and errors are quick and quiet.

#include <memory>
#include <string>
#include <utility>
#include <vector>

struct CommandLineOption {
    std::vector<std::string> names{};  // one letter gives -x, longer names --name
    std::string valueName{};           // empty for a switch
    std::string description{};
};

struct CommandLineArgument {
    std::string name{};  // as help shows it: "FILE.rqp", "EXPR"
    std::string description{};
    int min = 1;  // how often it must be given
    int max = 1;  // how often it may be given; -1: any number of times
};

struct CommandLineSpec {
    std::string program{};   // as the usage line starts: "stockin-host", "rqtool eval"
    std::string synopsis{};  // the rest of the usage line: "[--var NAME=KIND:VALUE]... EXPR..."
    std::string summary{};   // one sentence under the usage line
    std::vector<CommandLineOption> options{};  // -h/--help is always there
    std::vector<CommandLineArgument> arguments{};
    std::vector<std::pair<std::string, std::string>> commands{};  // name and summary, listed under "Commands:"
    std::string details{};   // paragraphs after everything else, laid out as written (may be empty)
    bool version = false;          // offers -v/--version
    bool commandFollows = false;   // options after the first argument belong to that argument (a command)
};

struct CommandLineError {
    std::string message;
};

class CommandLine {
public:
    // Parses args (without the program name). Throws CommandLineError for an
    // unknown option, a missing or unexpected option value, and too few or too
    // many arguments.
    CommandLine(const CommandLineSpec& spec, const std::vector<std::string>& args);
    ~CommandLine();
    CommandLine(CommandLine&&) noexcept;

    bool HelpRequested() const { return help_; }
    bool VersionRequested() const { return version_; }

    // By any of the option's names.
    bool IsSet(const std::string& name) const;
    // The value given last, or fallback when the option is absent.
    std::string Value(const std::string& name, const std::string& fallback = {}) const;
    // Every value, in command-line order.
    std::vector<std::string> Values(const std::string& name) const;
    // The arguments that are not options, in order.
    const std::vector<std::string>& Arguments() const { return arguments_; }

private:
    struct Parsed;
    std::unique_ptr<Parsed> parsed_;
    std::vector<std::string> arguments_;
    bool help_ = false;
    bool version_ = false;
};

// "Usage: PROGRAM SYNOPSIS", the summary, the options, the arguments, the
// commands and the details, in lines of at most 79 columns (except the details,
// which keep their own lines).
std::string HelpText(const CommandLineSpec& spec);
