#include "LanguageOptions.h"

#include "ValueArgs.h"

#include "report/language/Globals.h"
#include "runtime/FormatSettings.h"

#include <algorithm>

LanguageOptions ParseLanguageOptions(const RqArgs& args, std::initializer_list<const char*> extra)
{
    LanguageOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool takesValue = arg == "--var" || arg == "--decimal-separator" ||
                          std::any_of(extra.begin(), extra.end(), [&](const char* e) { return arg == e; });
        if (takesValue && i + 1 >= args.size()) throw RqUsageError{arg + " needs a value"};
        if (arg == "--var") {
            auto [name, value] = ParseVarArg(args[++i]);
            rqVariables().SetVariable(Utf8ToAnsi(name), value);
        } else if (arg == "--decimal-separator") {
            const std::string& separator = args[++i];
            if (separator.size() != 1) throw RqUsageError{"the decimal separator must be one character"};
            options.decimalSeparator = separator[0];
        } else if (takesValue) {
            options.rest.push_back(arg);
            options.rest.push_back(args[++i]);
        } else {
            options.rest.push_back(arg);
        }
    }
    FormatSettings().DecimalSeparator = options.decimalSeparator;
    return options;
}
