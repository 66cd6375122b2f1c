#include "RunTool.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include <fstream>

namespace {
const char* const loop =
    "begin\n"
    "  // sums the first n numbers\n"
    "  s := 0;\n"
    "  for i := 1 to n do s := s + i;\n"
    "  msg := '合计' + STR(s)\n"
    "end\n";
}

TEST(ScriptCommand, RunsAndShowsVariables)
{
    ToolResult r = RunRqtool({"script", "--var", "n=int:4", "--show", "s", "--show", "msg", "--show", "absent", "-"},
                             loop);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "s\tfloat\t10\nmsg\tstring\t合计10\nabsent\tnull\t\n");

    QTemporaryDir dir;
    std::string file = dir.filePath("loop.txt").toStdString();
    FILE* f = std::fopen(file.c_str(), "w");
    std::fputs(loop, f);
    std::fclose(f);
    r = RunRqtool({"script", "--var", "n=int:2", "--show", "s", file});
    EXPECT_EQ(r.out, "s\tfloat\t3\n");
}

TEST(ScriptCommand, PrintsCompiledLines)
{
    ToolResult r = RunRqtool({"script", "--compiled", "-"}, "if x > 5 then y := 1 else y := '是'");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "\\x01\\x03\\x00x 5 >\ny 1 \n\\x02\\x04\\x00\ny '是' \n");
}

TEST(ScriptCommand, ReportsErrors)
{
    ToolResult r = RunRqtool({"script", "--show", "a", "-"}, "begin\n  a := 1;\n  b 2\nend");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "error\tLine 3/5: Need \":=\" here\na\tfloat\t1\n");

    r = RunRqtool({"script", "-"}, "x := [Nowhere]");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "error\tUndefined symbol \"NOWHERE\"\n");

    EXPECT_EQ(RunRqtool({"script"}).exitCode, 2);
    EXPECT_EQ(RunRqtool({"script", "/no/such/file"}).exitCode, 2);
}

TEST(ScriptCommand, KnowsTheNamesOfEveryEnumeration)
{
    // A few of each kind, with the values templates store.
    const std::pair<const char*, int> constants[] = {
        {"rtSimple", 0},    {"rtMultiple", 1},  {"pzDefault", 0},    {"pzPageWidth", 1},     {"pzOnePage", 2},
        {"pzTwoPages", 3},  {"pbZoom", 0},      {"pbHelp", 5},       {"pbExit", 6},          {"pbPageSetup", 7},
        {"btBMP", 0},       {"btJPG", 1},       {"btICO", 2},        {"btWMF", 3},           {"ptReport", 0},
        {"ptDialog", 1},    {"poPortrait", 0},  {"poLandscape", 1},  {"rqtaJustify", 3},     {"rqtaMiddle", 8},
        {"rqftBottom", 2},  {"psDashDotDot", 4}, {"baWidth", 4},     {"fsUnderline", 4},     {"bsDialog", 3},
        {"bsSizeable", 2},  {"poDesigned", 0},  {"poScreenCenter", 4},
    };
    std::string script = "begin\n";
    std::vector<std::string> args{"script"};
    std::string expected;
    for (const auto& [name, value] : constants) {
        script += "  v_" + std::string(name) + " := " + name + ";\n";
        args.insert(args.end(), {"--show", std::string("v_") + name});
        expected += std::string("v_") + name + "\tinteger\t" + std::to_string(value) + "\n";
    }
    args.push_back("-");
    ToolResult r = RunRqtool(args, script + "end\n");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, expected);
}

TEST(ScriptCommand, WarnsAboutTextThatNeverRunsAndStopsOnInterrupt)
{
    QTemporaryDir dir;
    const std::string file = dir.filePath("loop.txt").toStdString();
    std::ofstream(file) << "WHILE 1 = 1 DO X := X + 1; X := 0";
    const std::string warning = "Warning: script of " + file +
                                ": Line 1/28: the text from here on never runs (a script is one statement; put "
                                "several between BEGIN and END)\n";

    // The warning comes before the script runs; the loop then runs until Ctrl+C.
    std::unique_ptr<QProcess> process = StartTool(RQTOOL_PATH, {"script", "--var", "X=int:0", "--show", "X", file});
    ASSERT_TRUE(process);
    ToolResult r = InterruptOnCue(*process, warning);
    EXPECT_EQ(r.exitCode, 130);
    EXPECT_EQ(r.out, "") << "nothing is shown of an interrupted run";
    EXPECT_EQ(r.err, warning + "rqtool script: interrupted\n");
}
