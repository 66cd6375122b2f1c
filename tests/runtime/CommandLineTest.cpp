// What the command-line layer adds to QCommandLineParser: arguments kept byte
// for byte, and help lines that fit a terminal. (Options, errors and help of
// the real programs are tested through the programs, in tests/tools and
// tests/entry.)
#include "runtime/CommandLine.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {
const CommandLineSpec spec{
    .program = "tool",
    .synopsis = "[-o FILE] NAME... [--one-more-option-with-a-long-name VALUE] [--and-another-one VALUE]",
    .summary = "A summary long enough to need a second line when the help text is laid out for a terminal of "
               "eighty columns.",
    .options = {{{"o", "output"}, "FILE", "Where to write."}},
    .arguments = {{"NAME", "Names.", 1, -1}},
    .commands = {{"first", "The first command, whose summary is long enough to be wrapped under itself."}},
};
}  // namespace

TEST(CommandLine, ArgumentsAndValuesKeepTheirBytes)
{
    // GBK file names are not UTF-8; an argument shaped like the parser's place
    // holders is still the user's text.
    const std::string gbk = "\xB1\xA8\xB1\xED.rqf";
    CommandLine line(spec, {gbk, "-o", "\xC4\xE3", "\x01held:0", "--output=\xFF", "-5"});
    EXPECT_EQ(line.Arguments(), (std::vector<std::string>{gbk, "\x01held:0", "-5"}));
    EXPECT_EQ(line.Values("output"), (std::vector<std::string>{"\xC4\xE3", "\xFF"}));
    EXPECT_EQ(line.Value("o"), "\xFF");
}

TEST(CommandLine, HelpLinesFitEightyColumns)
{
    const std::string help = HelpText(spec);
    EXPECT_EQ(help.rfind("Usage: tool [-o FILE] NAME... [--one-more-option-with-a-long-name VALUE]\n"
                         "            [--and-another-one VALUE]\nA summary",
                         0),
              0u)
        << help;
    EXPECT_NE(help.find("\nCommands:\n  first  The first command"), std::string::npos) << help;
    std::istringstream lines(help);
    for (std::string l; std::getline(lines, l);) EXPECT_LE(l.size(), 79u) << l;
}
