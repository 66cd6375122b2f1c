// rqtool's command line as a whole: the commands' help, the errors every
// command gets from the dispatcher, and quiet normal runs.
#include "RunTool.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <regex>

namespace {

// The commands "rqtool --help" lists ("eval", "rqp dump", ...).
std::vector<std::string> listedCommands()
{
    ToolResult help = RunRqtool({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    std::vector<std::string> names;
    size_t at = help.out.find("\nCommands:\n");
    EXPECT_NE(at, std::string::npos) << help.out;
    if (at == std::string::npos) return names;
    std::string list = help.out.substr(at, help.out.find("\n\n", at + 1) - at);
    static const std::regex entry("\n  ([a-z][a-z-]*(?: [a-z][a-z-]*)*)  ");
    for (auto it = std::sregex_iterator(list.begin(), list.end(), entry); it != std::sregex_iterator(); ++it)
        names.push_back((*it)[1]);
    return names;
}

std::vector<std::string> words(const std::string& command, std::vector<std::string> more)
{
    std::vector<std::string> args;
    for (size_t start = 0; start <= command.size();) {
        size_t space = command.find(' ', start);
        if (space == std::string::npos) space = command.size();
        args.push_back(command.substr(start, space - start));
        start = space + 1;
    }
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

std::string joined(const std::vector<std::string>& args)
{
    std::string text;
    for (const std::string& a : args) text += (text.empty() ? "" : " ") + a;
    return text;
}

std::string sample(const char* name) { return std::string(TEST_SOURCE_DIR) + "/../../fuzz/rqp/corpus/" + name; }

}  // namespace

TEST(Rqtool, EveryCommandHasHelpAndRejectsUnknownOptions)
{
    const std::vector<std::string> commands = listedCommands();
    for (const char* expected : {"eval", "format", "prepare", "printers", "rqp dump", "rqp pdf", "rqp png",
                                 "rqp print", "script", "template build", "template dump"})
        EXPECT_NE(std::find(commands.begin(), commands.end(), expected), commands.end()) << expected;

    for (const std::string& command : commands) {
        SCOPED_TRACE(command);
        ToolResult help = RunRqtool(words(command, {"--help"}));
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_EQ(help.out.rfind("Usage: rqtool " + command, 0), 0u) << help.out;
        EXPECT_NE(help.out.find("-h, --help"), std::string::npos);
        EXPECT_EQ(help.err, "");

        ToolResult bad = RunRqtool(words(command, {"--no-such-option"}));
        EXPECT_EQ(bad.exitCode, 2);
        EXPECT_NE(bad.err.find("rqtool " + command + ": unknown option --no-such-option"), std::string::npos)
            << bad.err;
        EXPECT_EQ(bad.out, "");
    }
}

TEST(Rqtool, ProgramLevelCommandLine)
{
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string out, err;  // texts that must appear
    };
    const Case cases[] = {
        {{"--version"}, 0, "rqtool 0.", ""},
        {{"--help"}, 0, "Usage: rqtool COMMAND", ""},
        {{}, 2, "", "Usage: rqtool COMMAND"},                           // help, but as an error
        {{"--bogus"}, 2, "", "rqtool: unknown option --bogus"},
        {{"no-such-command"}, 2, "", "unknown command 'no-such-command'"},
        {{"template"}, 2, "", "rqtool template: build or dump?"},     // a group names its commands
        {{"rqp", "--help"}, 0, "rqp png", ""},
        {{"rqp", "view"}, 2, "", "unknown rqp command 'view'"},
    };
    for (const Case& c : cases) {
        ToolResult r = RunRqtool(c.args);
        SCOPED_TRACE(joined(c.args));
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_NE(r.out.find(c.out), std::string::npos) << r.out;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
}

// What QCommandLineParser alone would get wrong for us, and the errors it finds.
TEST(Rqtool, ArgumentShapes)
{
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string out;  // the whole standard output (exit 0), or a text of standard error
    };
    const Case cases[] = {
        // Negative numbers and expressions are arguments, not options.
        {{"eval", "-1", "-(2*3)", "-"}, 1, "float\t-1\nfloat\t-6\nerror\t"},
        // Options after and between arguments, the --name=value form, "--" ending the options.
        {{"eval", "x", "--var", "x=int:3", "--var=y=int:4", "x*y"}, 0, "integer\t3\ninteger\t12\n"},
        {{"eval", "--", "-1"}, 0, "float\t-1\n"},
        {{"format", "--code", "1010200", "float:-1.5"}, 0, "-1.50\n"},
        {{"eval", "--var"}, 2, "rqtool eval: missing value after '--var'"},
        {{"eval"}, 2, "rqtool eval: missing EXPR"},
        {{"format", "--code", "1", "float:1", "float:2"}, 2, "unexpected argument 'float:2'"},
        {{"printers", "extra"}, 2, "unexpected argument 'extra'"},
        {{"rqp", "png", "-x"}, 2, "unknown option -x"},
    };
    for (const Case& c : cases) {
        ToolResult r = RunRqtool(c.args);
        SCOPED_TRACE(joined(c.args));
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        if (c.exitCode == 2) {
            EXPECT_NE(r.err.find(c.out), std::string::npos) << r.err;
            EXPECT_NE(r.err.find("usage: rqtool"), std::string::npos) << r.err;
        } else if (c.exitCode == 0) {
            EXPECT_EQ(r.out, c.out);
        } else {
            EXPECT_EQ(r.out.rfind(c.out, 0), 0u) << r.out;
        }
    }
}

// Normal runs print nothing on standard error, also without a runtime
// directory in the environment (where Qt used to warn on every call).
TEST(Rqtool, NormalRunsAreQuietOnStandardError)
{
    QTemporaryDir dir;
    const std::string templateFile = std::string(RQTOOL_PATH).substr(0, std::string(RQTOOL_PATH).rfind('/')) +
                                     "/qdb_xstgjfp.rqf";
    const std::vector<std::vector<std::string>> runs = {
        {"eval", "1+1"},
        {"format", "--code", "1010200", "float:1234.5"},
        {"template", "dump", templateFile},
        {"template", "build", std::string(TEST_SOURCE_DIR) + "/../../templates/qdb_xstgjfp.json", "-o",
         dir.filePath("t.rqf").toStdString()},
        {"printers"},
        {"rqp", "dump", sample("showcase.rqp")},
        {"rqp", "pdf", sample("showcase.rqp"), "-o", dir.filePath("out.pdf").toStdString()},
        {"rqp", "png", sample("showcase.rqp"), "--page", "1", "-o", dir.filePath("out.png").toStdString()},
    };
    for (const auto& args : runs) {
        ToolResult r = RunRqtool(args);
        SCOPED_TRACE(joined(args));
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.err, "");
    }
    ToolResult script = RunRqtool({"script", "--show", "a", "-"}, "a := 2");
    EXPECT_EQ(script.out, "a\tfloat\t2\n");
    EXPECT_EQ(script.err, "");
}
