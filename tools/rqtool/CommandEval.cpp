// rqtool eval: evaluates expressions as a report build would with no report
// loaded, printing "kind<TAB>text" or "error<TAB>message" for each.
#include "LanguageOptions.h"
#include "RqCommand.h"
#include "ValueArgs.h"

#include "report/language/Globals.h"
#include "runtime/Exceptions.h"

#include <cstdio>

namespace {

int runEval(const RqArgs& args)
{
    LanguageOptions options = ParseLanguageOptions(args);
    if (options.rest.empty()) throw RqUsageError{"no expression given"};
    int status = 0;
    for (const std::string& expression : options.rest) {
        std::string line;
        try {
            line = KindAndText(rqParser().Evaluate(Utf8ToAnsi(expression)), options.decimalSeparator);
        } catch (const Exception& e) {
            line = "error\t" + AnsiToUtf8(e.Message());
            status = 1;
        }
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    }
    return status;
}

RqCommand eval("eval", "[--var NAME=KIND:VALUE]... [--decimal-separator C] EXPR...",
               "evaluate report expressions (no report loaded)", runEval);

}  // namespace
