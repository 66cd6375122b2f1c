#include "RunTool.h"

#include <gtest/gtest.h>

TEST(FormatCommand, PrintsTheFormattedValue)
{
    struct Case {
        std::vector<std::string> args;
        const char* out;
    } cases[] = {
        {{"--code", "1010200", "float:1234.5"}, "1234.50\n"},
        {{"--code", "0x103032C", "--thousand-separator", " ", "float:1234.5"}, "1 234,500\n"},
        {{"--decimal-separator", ",", "--code", "1040000", "--pattern", "#,##0.00;(#,##0.00)", "int:-1234"},
         "(1,234,00)\n"},
        {{"--code", "1040000", "--pattern", "合计：", "int:12"}, "合计：\n"},
        {{"--code", "2040000", "--pattern", "yyyy\"年\"m\"月\"d\"日\"", "date:2003-03-10"}, "2003年3月10日\n"},
        {{"--code", "3000000", "date:1998-11-15 02:43:35"}, "02:43:35\n"},
        {{"--code", "4010000", "bool:true"}, "Yes\n"},
        {{"--code", "1010200", "str:abc"}, "abc\n"},
        {{"--code", "1010200", "null:"}, "\n"},
    };
    for (const Case& c : cases) {
        ToolResult r = RunRqtool([&] {
            std::vector<std::string> args{"format"};
            args.insert(args.end(), c.args.begin(), c.args.end());
            return args;
        }());
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, c.out) << c.args.back();
    }
}

TEST(FormatCommand, RejectsBadCommandLines)
{
    for (std::vector<std::string> args : {
             std::vector<std::string>{"format", "float:1"},                         // no code
             std::vector<std::string>{"format", "--code", "12G", "float:1"},        // not hexadecimal
             std::vector<std::string>{"format", "--code", "1"},                     // no value
             std::vector<std::string>{"format", "--code", "1", "money:1"},          // unknown kind
             std::vector<std::string>{"format", "--code", "1", "--decimal-separator", "ab", "float:1"},
             std::vector<std::string>{"format", "--code", "1", "float:1", "float:2"},
             std::vector<std::string>{"format", "--code"},
         }) {
        ToolResult r = RunRqtool(args);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_NE(r.err.find("usage: rqtool format"), std::string::npos) << r.err;
    }
}
