// The calendar behind TDateTime: days since 30 December 1899 to and from
// year, month and day on the proleptic Gregorian calendar of std::chrono, the
// time of day as the fraction, and the clock. Text conversions are in
// DateFormatting.cpp and DateParsing.cpp.
#include "DateTime.h"

#include "Exceptions.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace {

using std::chrono::sys_days;
using std::chrono::year_month_day;

// Day 0 of a TDateTime.
constexpr sys_days DayZero = std::chrono::year{1899} / std::chrono::December / 30;

// Splits a value into whole days and milliseconds of the day, rounding to the
// nearest millisecond (a time that rounds up to midnight carries into the day).
bool splitValue(TDateTime value, int64_t& days, int64_t& msecs)
{
    if (!std::isfinite(value) || value < MinDateTime - 1 || value > MaxDateTime + 1)
        return false;
    double whole = std::trunc(value);
    double fraction = std::fabs(value - whole);
    days = static_cast<int64_t>(whole);
    msecs = std::llround(fraction * MSecsPerDay);
    if (msecs >= MSecsPerDay) {
        msecs -= MSecsPerDay;
        days += value < 0 ? -1 : 1;
    }
    return true;
}

}  // namespace

bool IsLeapYear(int year)
{
    return std::chrono::year{year}.is_leap();
}

int DaysInMonth(int year, int month)
{
    if (month < 1 || month > 12) return 0;
    const auto last = std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} / std::chrono::last;
    return static_cast<int>(static_cast<unsigned>(last.day()));
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    const year_month_day date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                              std::chrono::day{static_cast<unsigned>(day)}};
    result = static_cast<double>((sys_days(date) - DayZero).count());
    return true;
}

bool TryEncodeTime(int hour, int minute, int second, int msec, TDateTime& result)
{
    if (hour < 0 || hour >= 24 || minute < 0 || minute >= 60 || second < 0 || second >= 60 || msec < 0 ||
        msec >= 1000)
        return false;
    result = (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec) / static_cast<double>(MSecsPerDay);
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime result;
    if (!TryEncodeDate(year, month, day, result))
        throw EConvertError(RuntimeText::DateEncodeError);
    return result;
}

TDateTime EncodeTime(int hour, int minute, int second, int msec)
{
    TDateTime result;
    if (!TryEncodeTime(hour, minute, second, msec, result))
        throw EConvertError(RuntimeText::TimeEncodeError);
    return result;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec)
{
    TDateTime date = EncodeDate(year, month, day);
    TDateTime time = EncodeTime(hour, minute, second, msec);
    return date >= 0 ? date + time : date - time;
}

bool DecodeDateTime(TDateTime value, DateParts& parts)
{
    int64_t days, msecs;
    if (!splitValue(value, days, msecs))
        return false;
    if (days < static_cast<int64_t>(MinDateTime) || days > static_cast<int64_t>(MaxDateTime))
        return false;
    const sys_days day = DayZero + std::chrono::days{days};
    const year_month_day date{day};
    parts.year = static_cast<int>(date.year());
    parts.month = static_cast<int>(static_cast<unsigned>(date.month()));
    parts.day = static_cast<int>(static_cast<unsigned>(date.day()));
    parts.hour = static_cast<int>(msecs / 3600000);
    parts.minute = static_cast<int>(msecs / 60000 % 60);
    parts.second = static_cast<int>(msecs / 1000 % 60);
    parts.msec = static_cast<int>(msecs % 1000);
    parts.dayOfWeek = static_cast<int>(std::chrono::weekday{day}.c_encoding()) + 1;
    return true;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    DateParts p;
    DecodeDateTime(value, p);
    year = p.year;
    month = p.month;
    day = p.day;
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& msec)
{
    DateParts p;
    DecodeDateTime(value, p);
    hour = p.hour;
    minute = p.minute;
    second = p.second;
    msec = p.msec;
}

int DayOfWeek(TDateTime value)
{
    DateParts p;
    DecodeDateTime(value, p);
    return p.dayOfWeek;
}

TDateTime Now()
{
    auto now = std::chrono::system_clock::now();
    std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    int msec = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
    return EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                          local.tm_sec, msec);
}

TDateTime Date()
{
    return std::trunc(Now());
}

TDateTime Time()
{
    TDateTime now = Now();
    return now - std::trunc(now);
}

TDateTime DatePart(TDateTime value)
{
    return std::trunc(value);
}

TDateTime TimePart(TDateTime value)
{
    return std::fabs(value - std::trunc(value));
}
