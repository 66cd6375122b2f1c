#pragma once
// Dates and times.
//
// A TDateTime counts days since 30 December 1899; its fraction is the time of day
// (0.5 is noon). Dates before that day are negative, and their fraction still
// counts forward from midnight: -1.25 is 29 December 1899, 06:00. Valid dates run
// from 1 January 0001 to 31 December 9999.
//
// Text conversions read FormatSettings(). FormatDateTime never throws; a value
// outside the valid range formats as its number.
//
// Three concerns, one file each: the calendar (DateCalendar.cpp, on the
// std::chrono calendar types), formatting (DateFormatting.cpp) and reading
// (DateParsing.cpp). Formatting and reading a pattern cut it into elements in
// one place (DatePattern.h), so a text written by a pattern reads back by it.

#include "AnsiString.h"
#include "FormatSettings.h"

#include <cstdint>

using TDateTime = double;

inline constexpr double MinDateTime = -693593.0;           // 0001-01-01
inline constexpr double MaxDateTime = 2958465.99999999;    // 9999-12-31 23:59:59.999
inline constexpr int64_t MSecsPerDay = 86400000;

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

bool TryEncodeDate(int year, int month, int day, TDateTime& result);
bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& result);
// Raise EConvertError "Invalid argument to date encode" / "... time encode".
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int msec);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec);

struct DateParts {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0, msec = 0;
    int dayOfWeek = 0;  // 1 = Sunday ... 7 = Saturday
};
// False when the value is not a valid date-time (NaN, out of range).
bool DecodeDateTime(TDateTime value, DateParts& parts);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec);
int DayOfWeek(TDateTime value);  // 1 = Sunday ... 7 = Saturday

TDateTime Now();
TDateTime Date();
TDateTime Time();

// The date part (truncated towards zero) and the time part.
TDateTime DatePart(TDateTime value);
TDateTime TimePart(TDateTime value);

// Pattern letters (either case):
//   d dd ddd dddd ddddd dddddd   day, day 2 digits, short/long day name, short/long date
//   m mm mmm mmmm                month, 2 digits, short/long name (minutes right after h/hh)
//   yy yyyy                      year, 2 / 4 digits
//   h hh  n nn  s ss  z zzz      hour, minute, second, millisecond
//   t tt                         short / long time
//   c                            short date, then long time when the time is not midnight
//   am/pm a/p ampm               12-hour clock and its marker (ampm: the locale's texts)
//   / :                          the date and time separators
//   'text' "text"                copied as is; any other character is copied
// An empty pattern means "c".
AnsiString FormatDateTime(std::string_view pattern, TDateTime value,
                          const TFormatSettings& settings = FormatSettings());
AnsiString DateTimeToStr(TDateTime value);
AnsiString DateToStr(TDateTime value);
AnsiString TimeToStr(TDateTime value);

// Text to date-time with the short formats and separators of FormatSettings().
// Two numbers give a date in the current year; years of one or two digits fall
// into the century window. The Str... forms raise EConvertError with
// "'%s' is not a valid date", "... time" and "... date and time".
bool TryStrToDate(std::string_view text, TDateTime& result);
bool TryStrToTime(std::string_view text, TDateTime& result);
bool TryStrToDateTime(std::string_view text, TDateTime& result);
TDateTime StrToDate(std::string_view text);
TDateTime StrToTime(std::string_view text);
TDateTime StrToDateTime(std::string_view text);

// Reads a date written by `pattern` (d, m and y runs, day and month names,
// separators and literals, as FormatDateTime writes them) from the whole of
// `text`; false when the text does not have that form or names no valid date.
// The date editor reads its long form back with it. Two-digit years read as
// 20yy; a day name is passed over, the date decides the day.
bool TryReadDatePattern(std::string_view text, std::string_view pattern, const TFormatSettings& settings,
                        TDateTime& date);
