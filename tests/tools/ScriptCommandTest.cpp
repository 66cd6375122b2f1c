#include "RunTool.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

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
