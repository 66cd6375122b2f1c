// rqtool script: compiles a report script and prints its compiled lines, or
// runs it and prints the global variables asked for.
#include "Interrupt.h"
#include "LanguageOptions.h"
#include "RqCommand.h"
#include "ValueArgs.h"

#include "report/language/Globals.h"
#include "report/language/Warnings.h"
#include "runtime/Exceptions.h"
#include "runtime/StringList.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>

namespace {

std::string readSource(const std::string& file)
{
    if (file == "-") return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    std::ifstream in(file, std::ios::binary);
    if (!in) throw RqUsageError{"cannot read '" + file + "'"};
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A compiled line for the terminal: bytes below 32, and jump targets that are
// not plain ASCII, as \xNN; the rest converted to UTF-8.
std::string printable(const AnsiString& line)
{
    const bool jump = !line.empty() && (line[0] == 1 || line[0] == 2);
    std::string out;
    AnsiString run;
    for (size_t i = 0; i < line.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(line[i]);
        bool target = jump && (i == 1 || i == 2);
        if (c < 32 || (target && c >= 0x7F)) {
            out += AnsiToUtf8(run);
            run.clear();
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        } else {
            run += static_cast<char>(c);
        }
    }
    return out + AnsiToUtf8(run);
}

void printError(const std::string& message)
{
    std::printf("error\t%s\n", message.c_str());
}

int runScript(const CommandLine& line)
{
    StopOnInterrupt();
    const char decimalSeparator = ApplyLanguageOptions(line);
    const bool showCompiled = line.IsSet("compiled");
    const std::string file = line.Arguments()[0];
    TStringList source;
    source.SetText(Utf8ToAnsi(readSource(file)));
    TStringList compiled, errors;
    WarnAboutScript(file == "-" ? AnsiString("standard input") : Utf8ToAnsi(file),
                    rqInterpreter().CompileScriptAndNote(source, compiled, errors));
    int status = errors.IsEmpty() ? 0 : 1;
    for (int i = 0; i < errors.Count(); ++i) printError(AnsiToUtf8(errors[i]));

    if (showCompiled) {
        for (int i = 0; i < compiled.Count(); ++i) std::printf("%s\n", printable(compiled[i]).c_str());
        return status;
    }
    try {
        rqInterpreter().RunScript(compiled);
    } catch (const Exception& e) {
        if (Interrupted()) {
            std::fprintf(stderr, "rqtool script: interrupted\n");
            return InterruptedStatus;
        }
        printError(AnsiToUtf8(e.Message()));
        status = 1;
    }
    for (const std::string& name : line.Values("show")) {
        Variant value = rqVariables().GetVariable(Utf8ToAnsi(name));
        std::printf("%s\t%s\n", name.c_str(), KindAndText(value, decimalSeparator).c_str());
    }
    return status;
}

RqCommand script("script",
                 {.synopsis = "[--var NAME=KIND:VALUE]... [--show NAME]... [--compiled] FILE|-",
                  .summary = "Compile and run a report script, with no report loaded.",
                  .options = WithLanguageOptions(
                      {{{"show"}, "NAME",
                        "After the run, print the variable NAME: its name, kind and text, tab-separated (may be "
                        "repeated)."},
                       {{"compiled"}, "", "Print the compiled lines instead of running the script."}}),
                  .arguments = {{"FILE|-", "The script file, or - for standard input."}},
                  .details = "A script is one statement: text after it (several statements need BEGIN ...\n"
                             "END) and compile errors are warned about on standard error. Ctrl+C stops a\n"
                             "running script: nothing is printed and the exit status is 130.\n"},
                 runScript);

}  // namespace
