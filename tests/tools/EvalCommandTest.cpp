#include "RunTool.h"

#include <gtest/gtest.h>

TEST(EvalCommand, PrintsKindAndTextOfEachExpression)
{
    ToolResult r = RunRqtool({"eval", "--var", "Qty=int:3", "--var", "Price=float:2.5", "--var", "Name=str:数量",
                              "--var", "Day=date:2024-03-05 10:30:00", "--var", "Flag=bool:true", "--var",
                              "Nothing=null:", "[Qty]*[Price]+1", "Name + 'x'", "Day + 1", "Flag", "Nothing",
                              "3>2", "'It''s'", "NOT 0", "LENGTH(Name)", "GETARRAY(a, 1)", "clRed"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "float\t8.5\n"
              "string\t数量x\n"
              "datetime\t2024-03-06 10:30:00\n"
              "boolean\tTrue\n"
              "null\t\n"
              "integer\t1\n"
              "string\tIt's\n"
              "integer\t1\n"
              "integer\t4\n"
              "null\t\n"
              "integer\t255\n");
}

TEST(EvalCommand, ErrorsDoNotStopTheOtherExpressions)
{
    ToolResult r = RunRqtool({"eval", "1+1", "JE", "(1", "'a' - 1", "a*-b", "SETARRAY(a, 1, 5)", "a[1]"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out,
              "float\t2\n"
              "error\tUndefined symbol \"JE\"\n"
              "error\tMissing \")\" in expression\n"
              "error\t'a' is not a valid floating point value\n"
              "error\tUndefined symbol \"A\"\n"
              "string\t0\n"
              "float\t5\n");  // one process: the array element set before is still there
}

TEST(EvalCommand, DecimalSeparatorAndMessageBoxes)
{
    ToolResult r = RunRqtool({"eval", "--decimal-separator", ",", "1.5 + 1,25", "STR(0.5)",
                              "MESSAGEBOX('Sure?', 'Ask', mb_YesNo)", "INPUT('Name', 'Li')"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "float\t2,75\nstring\t0,5\ninteger\t6\nstring\tLi\n");
    EXPECT_NE(r.err.find("Sure?"), std::string::npos);

    EXPECT_EQ(RunRqtool({"eval"}).exitCode, 2);
    EXPECT_EQ(RunRqtool({"eval", "--var", "x=kind:1", "x"}).exitCode, 2);
    EXPECT_EQ(RunRqtool({"eval", "--decimal-separator", "ab", "1"}).exitCode, 2);
}
