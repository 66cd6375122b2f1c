// rqtool eval: evaluates expressions as a report build would with no report
// loaded, printing "kind<TAB>text" or "error<TAB>message" for each.
#include "LanguageOptions.h"
#include "RqCommand.h"
#include "ValueArgs.h"

#include "report/language/Globals.h"
#include "runtime/Exceptions.h"

#include <cstdio>

namespace {

int runEval(const CommandLine& line)
{
    const char decimalSeparator = ApplyLanguageOptions(line);
    int status = 0;
    for (const std::string& expression : line.Arguments()) {
        std::string output;
        try {
            output = KindAndText(rqParser().Evaluate(Utf8ToAnsi(expression)), decimalSeparator);
        } catch (const Exception& e) {
            output = "error\t" + AnsiToUtf8(e.Message());
            status = 1;
        }
        std::printf("%s\n", output.c_str());
        std::fflush(stdout);
    }
    return status;
}

RqCommand eval("eval",
               {.synopsis = "[--var NAME=KIND:VALUE]... [--decimal-separator C] EXPR...",
                .summary = "Evaluate report expressions as a report build would, with no report loaded.",
                .options = WithLanguageOptions(),
                .arguments = {{"EXPR",
                               "An expression. Each prints one line: its kind, a tab and its text (\"error\", a "
                               "tab and the message when it fails; the exit status is then 1).",
                               1, -1}}},
               runEval);

}  // namespace
