#pragma once
// The locale's date, time, number and currency conventions, in one object that
// every conversion of the runtime reads. It starts with the conventions of a
// Chinese (PRC) desktop, is filled from the system locale at start-up
// (LoadFormatSettingsFromLocale), and tests pin it with ScopedFormatSettings.
//
// Date-time format texts use the runtime's pattern letters (d, m, y, h, n, s, z,
// t, c, am/pm; "/" and ":" stand for the separators): see FormatDateTime.

#include "AnsiString.h"

#include <array>

class QLocale;

struct TFormatSettings {
    AnsiString CurrencyString;
    unsigned char CurrencyFormat = 0;  // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
    unsigned char NegCurrFormat = 2;
    unsigned char CurrencyDecimals = 2;
    char ThousandSeparator = ',';
    char DecimalSeparator = '.';
    char DateSeparator = '-';
    char TimeSeparator = ':';
    char ListSeparator = ',';
    AnsiString ShortDateFormat = "yyyy-m-d";
    AnsiString LongDateFormat;
    AnsiString TimeAMString;
    AnsiString TimePMString;
    AnsiString ShortTimeFormat = "h:nn";
    AnsiString LongTimeFormat = "h:nn:ss";
    std::array<AnsiString, 12> ShortMonthNames;
    std::array<AnsiString, 12> LongMonthNames;
    std::array<AnsiString, 7> ShortDayNames;  // Sunday first
    std::array<AnsiString, 7> LongDayNames;
    // Two-digit years fall into the century window that ends this many years
    // after the current year (0: the current century).
    int TwoDigitYearCenturyWindow = 50;

    // The Chinese (PRC) defaults the settings start with.
    static TFormatSettings ChineseDefaults();
    // Conventions read from a Qt locale, formats translated into pattern letters.
    static TFormatSettings FromLocale(const QLocale& locale);
};

// The settings in effect.
TFormatSettings& FormatSettings();

// Fills FormatSettings() from the system locale (the C locale counts as Chinese,
// the users' own).
void LoadFormatSettingsFromLocale();

// Replaces the settings for a scope (tests, or a report that sets its own
// decimal separator) and puts the previous ones back at its end.
class ScopedFormatSettings {
public:
    explicit ScopedFormatSettings(const TFormatSettings& settings) : saved_(FormatSettings())
    {
        FormatSettings() = settings;
    }
    ~ScopedFormatSettings() { FormatSettings() = saved_; }
    ScopedFormatSettings(const ScopedFormatSettings&) = delete;
    ScopedFormatSettings& operator=(const ScopedFormatSettings&) = delete;

private:
    TFormatSettings saved_;
};

// Sets only the decimal separator for a scope; restores it on every exit.
class ScopedDecimalSeparator {
public:
    explicit ScopedDecimalSeparator(char separator) : saved_(FormatSettings().DecimalSeparator)
    {
        FormatSettings().DecimalSeparator = separator;
    }
    ~ScopedDecimalSeparator() { FormatSettings().DecimalSeparator = saved_; }
    ScopedDecimalSeparator(const ScopedDecimalSeparator&) = delete;
    ScopedDecimalSeparator& operator=(const ScopedDecimalSeparator&) = delete;

private:
    char saved_;
};
