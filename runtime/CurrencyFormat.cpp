#include "CurrencyFormat.h"

namespace {

// The symbol with every single-byte character that a number pattern would read
// ("0", "#", ",", ".", ";", "E", "e" and the quotes) put in quotes of its own;
// double-byte characters are copied whole.
AnsiString quotedSymbol(std::string_view symbol)
{
    AnsiString out;
    for (size_t i = 0; i < symbol.size();) {
        size_t len = CharLengthAt(symbol, i);
        char c = symbol[i];
        if (len == 1 && c == '"') {
            out += "'\"'";
        } else if (len == 1 && (c == ',' || c == '.' || c == '0' || c == '#' || c == ';' || c == 'E' ||
                                c == 'e' || c == '\'')) {
            out += '"';
            out += c;
            out += '"';
        } else {
            out.append(symbol.substr(i, len));
        }
        i += len;
    }
    return out;
}

}  // namespace

AnsiString DefaultCurrencyDisplayFormat(const TFormatSettings& settings)
{
    AnsiString number = ",0.";
    number.append(settings.CurrencyDecimals, '0');
    const AnsiString symbol = quotedSymbol(settings.CurrencyString);
    AnsiString one;
    switch (settings.CurrencyFormat) {
    case 1: one = number + symbol; break;
    case 2: one = symbol + " " + number; break;
    case 3: one = number + " " + symbol; break;
    default: one = symbol + number; break;
    }
    return one + ";-" + one;
}
