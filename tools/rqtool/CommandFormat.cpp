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

int runFormat(const CommandLine& line)
{
    TFormatSettings& settings = FormatSettings();
    if (line.IsSet("decimal-separator"))
        settings.DecimalSeparator = separatorArg("--decimal-separator", line.Value("decimal-separator"));
    if (line.IsSet("thousand-separator"))
        settings.ThousandSeparator = separatorArg("--thousand-separator", line.Value("thousand-separator"));
    if (!line.IsSet("code")) throw RqUsageError{"--code is required"};
    const int32_t code = codeArg(line.Value("code"));
    const Variant value = ParseValueArg(line.Arguments()[0]);
    std::string text = AnsiToUtf8(FormatValue(value, code, Utf8ToAnsi(line.Value("pattern"))));
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    return 0;
}

RqCommand format("format",
                 {.synopsis = "[--decimal-separator C] [--thousand-separator C] --code HEX [--pattern TEXT] VALUE",
                  .summary = "Print the text a memo shows for VALUE with a display format code.",
                  .options = {{{"decimal-separator"}, "C", "The decimal separator (one character)."},
                              {{"thousand-separator"}, "C", "The thousands separator (one character)."},
                              {{"code"}, "HEX", "The display format code, hexadecimal (required)."},
                              {{"pattern"}, "TEXT", "The format pattern of a custom kind."}},
                  .arguments = {{"VALUE", "The value as KIND:TEXT (int, float, str, bool, null, date)."}}},
                 runFormat);

}  // namespace
