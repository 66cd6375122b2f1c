#include "LanguageOptions.h"

#include "ValueArgs.h"

#include "report/language/Globals.h"
#include "runtime/FormatSettings.h"

std::vector<CommandLineOption> WithLanguageOptions(std::vector<CommandLineOption> own)
{
    std::vector<CommandLineOption> options{
        {{"var"}, "NAME=KIND:VALUE",
         "Set the global variable NAME first (may be repeated). KIND is int, float, str, bool, null or date "
         "(yyyy-mm-dd [hh:nn:ss])."},
        {{"decimal-separator"}, "C", "The decimal separator of evaluation and output (default \".\")."},
    };
    options.insert(options.end(), own.begin(), own.end());
    return options;
}

char ApplyLanguageOptions(const CommandLine& line)
{
    for (const std::string& var : line.Values("var")) {
        auto [name, value] = ParseVarArg(var);
        rqVariables().SetVariable(Utf8ToAnsi(name), value);
    }
    const std::string separator = line.Value("decimal-separator", ".");
    if (separator.size() != 1) throw RqUsageError{"the decimal separator must be one character"};
    FormatSettings().DecimalSeparator = separator[0];
    return separator[0];
}
