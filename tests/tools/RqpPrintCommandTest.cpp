// rqtool rqp print --dry-run: the jobs a print would send, and the errors
// that stop it before any job. No printer is reachable: the scheduler the
// tool would ask is one that does not exist.
#include "RunTool.h"

#include <QByteArray>
#include <QtGlobal>

#include <gtest/gtest.h>

namespace {
std::string sample(const char* name) { return std::string(TEST_SOURCE_DIR) + "/../../fuzz/rqp/corpus/" + name; }

class RqpPrintCommand : public ::testing::Test {
protected:
    void SetUp() override { qputenv("CUPS_SERVER", QByteArray("/nonexistent/stockin-test/cups.sock")); }
    void TearDown() override { qunsetenv("CUPS_SERVER"); }
};
}  // namespace

TEST_F(RqpPrintCommand, DryRunPrintsOneLinePerJob)
{
    // showcase.rqp: page 1 on A4 portrait, page 2 on A5 landscape.
    struct Case {
        std::vector<std::string> options;
        const char* out;
    } cases[] = {
        {{}, "job 1: A4, 210 x 297 mm portrait copies 1: 1\njob 2: A5, 148 x 210 mm landscape copies 1: 2\n"},
        {{"--copies", "2", "--collate"},
         "job 1: A4, 210 x 297 mm portrait copies 1: 1\njob 2: A5, 148 x 210 mm landscape copies 1: 2\n"
         "job 3: A4, 210 x 297 mm portrait copies 1: 1\njob 4: A5, 148 x 210 mm landscape copies 1: 2\n"},
        {{"--copies", "3", "--pages", "2-"}, "job 1: A5, 148 x 210 mm landscape copies 3: 2\n"},
        {{"--even"}, "job 1: A5, 148 x 210 mm landscape copies 1: 2\n"},
        {{"--odd", "--pages", "2"}, ""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"rqp", "print", sample("showcase.rqp"), "--dry-run"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        ToolResult r = RunRqtool(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, c.out) << args.back();
    }
}

TEST_F(RqpPrintCommand, ErrorsComeBeforeAnyJob)
{
    struct Case {
        std::vector<std::string> options;
        int exitCode;
        const char* message;
    } cases[] = {
        {{"--pages", "1,,2"}, 1, "'' is not a valid integer value"},
        {{"--copies", "many"}, 1, "'many' is not a valid integer value"},
        {{"--printer", "Nowhere"}, 1, "Unknown printer \"Nowhere\""},
        {{"--printer", "Virtual printer"}, 1, "Unknown printer"},
        {{"--odd", "--even"}, 2, "usage: rqtool rqp"},
        {{"--pages"}, 2, "usage: rqtool rqp"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"rqp", "print", sample("showcase.rqp"), "--dry-run"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        ToolResult r = RunRqtool(args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.message;
        EXPECT_EQ(r.out, "") << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    ToolResult noPrinter = RunRqtool({"rqp", "print", sample("showcase.rqp")});
    EXPECT_EQ(noPrinter.exitCode, 1);
    EXPECT_NE(noPrinter.err.find("There is no printer to print on"), std::string::npos) << noPrinter.err;
}
