// rqtool format: the text a memo shows for a value with a display format code.
#include "RqCommand.h"
#include "ValueArgs.h"

#include "report/format/FormatValue.h"

#include "runtime/FormatSettings.h"

#include <cstdio>

namespace {

// One character of the code page, given in UTF-8 on the command line.
char separatorArg(const std::string& option, const std::string& text)
{
    AnsiString a = Utf8ToAnsi(text);
    if (a.size() != 1) throw RqUsageError{option + " takes one single-byte character, not '" + text + "'"};
    return a[0];
}

int32_t codeArg(const std::string& text)
{
    std::string digits = text;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) digits.erase(0, 2);
    if (digits.empty() || digits.size() > 8 || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        throw RqUsageError{"--code takes a hexadecimal number of at most 8 digits, not '" + text + "'"};
    return static_cast<int32_t>(std::stoul(digits, nullptr, 16));
}

int runFormat(const RqArgs& args)
{
    bool haveCode = false;
    int32_t code = 0;
    std::string pattern;
    std::string valueText;
    bool haveValue = false;
    TFormatSettings& settings = FormatSettings();
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto next = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw RqUsageError{a + " needs a value"};
            return args[++i];
        };
        if (a == "--decimal-separator") settings.DecimalSeparator = separatorArg(a, next());
        else if (a == "--thousand-separator") settings.ThousandSeparator = separatorArg(a, next());
        else if (a == "--code") {
            code = codeArg(next());
            haveCode = true;
        } else if (a == "--pattern") pattern = next();
        else if (a.size() > 2 && a.compare(0, 2, "--") == 0) throw RqUsageError{"unknown option " + a};
        else if (haveValue) throw RqUsageError{"only one VALUE may be given"};
        else {
            valueText = a;
            haveValue = true;
        }
    }
    if (!haveCode) throw RqUsageError{"--code is required"};
    if (!haveValue) throw RqUsageError{"VALUE is required"};
    const Variant value = ParseValueArg(valueText);
    std::string text = AnsiToUtf8(FormatValue(value, code, Utf8ToAnsi(pattern)));
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    return 0;
}

RqCommand format("format",
                 "[--decimal-separator C] [--thousand-separator C] --code HEX [--pattern TEXT] VALUE",
                 "the text a memo shows for VALUE (KIND:TEXT) with display format code HEX", runFormat);

}  // namespace
