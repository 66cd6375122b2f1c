#include "RunTool.h"

#include <gtest/gtest.h>

TEST(Rqtool, UnknownCommandAndHelp)
{
    ToolResult bad = RunRqtool({"no-such-command"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.err.find("unknown command 'no-such-command'"), std::string::npos);
    EXPECT_EQ(RunRqtool({"--help"}).exitCode, 0);
}
