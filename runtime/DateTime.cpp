#include "DateTime.h"

#include "Exceptions.h"
#include "SysUtils.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace {

// Days between 1970-01-01 and 1899-12-30.
constexpr int64_t UnixEpochOffset = 25569;

// Proleptic Gregorian calendar, days relative to 1970-01-01.
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void civilFromDays(int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    year = static_cast<int>(y + (m <= 2));
    month = static_cast<int>(m);
    day = static_cast<int>(d);
}

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
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    result = static_cast<double>(daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
                                 UnixEpochOffset);
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
    civilFromDays(days - UnixEpochOffset, parts.year, parts.month, parts.day);
    parts.hour = static_cast<int>(msecs / 3600000);
    parts.minute = static_cast<int>(msecs / 60000 % 60);
    parts.second = static_cast<int>(msecs / 1000 % 60);
    parts.msec = static_cast<int>(msecs % 1000);
    // 1899-12-30 was a Saturday.
    int64_t dow = ((days % 7) + 7 + 6) % 7;  // 0 = Sunday
    parts.dayOfWeek = static_cast<int>(dow) + 1;
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

// ---------------------------------------------------------------------------
// Formatting

namespace {

class DateTimeFormatter {
public:
    DateTimeFormatter(TDateTime value, const TFormatSettings& settings) : value_(value), s_(settings)
    {
        valid_ = DecodeDateTime(value, parts_);
    }

    bool valid() const { return valid_; }
    AnsiString result() && { return std::move(out_); }

    void append(std::string_view pattern, int level)
    {
        if (level > 2) return;  // a locale format that refers to itself
        char lastToken = ' ';
        size_t i = 0;
        const size_t n = pattern.size();
        auto countOf = [&](char upper) {
            size_t start = i;
            while (i < n && (pattern[i] & ~0x20) == upper) ++i;
            return static_cast<int>(i - start);
        };
        while (i < n) {
            unsigned char raw = static_cast<unsigned char>(pattern[i]);
            if (IsLeadByte(raw) && i + 1 < n) {
                out_.append(pattern.substr(i, 2));
                i += 2;
                continue;
            }
            char token = (raw >= 'a' && raw <= 'z') ? static_cast<char>(raw - 32) : static_cast<char>(raw);
            switch (token) {
            case 'Y': {
                int count = countOf('Y');
                if (count <= 2) number(parts_.year % 100, 2);
                else number(parts_.year, 4);
                break;
            }
            case 'M': {
                int count = countOf('M');
                if (lastToken == 'H' && count <= 2) number(parts_.minute, count);
                else if (count <= 2) number(parts_.month, count);
                else if (count == 3) out_ += s_.ShortMonthNames[parts_.month - 1];
                else out_ += s_.LongMonthNames[parts_.month - 1];
                break;
            }
            case 'D': {
                int count = countOf('D');
                switch (count) {
                case 1:
                case 2: number(parts_.day, count); break;
                case 3: out_ += s_.ShortDayNames[parts_.dayOfWeek - 1]; break;
                case 4: out_ += s_.LongDayNames[parts_.dayOfWeek - 1]; break;
                case 5: append(s_.ShortDateFormat, level + 1); break;
                default: append(s_.LongDateFormat, level + 1); break;
                }
                break;
            }
            case 'H': {
                int count = countOf('H');
                int hour = parts_.hour;
                if (twelveHourAhead(pattern, i)) {
                    if (hour == 0) hour = 12;
                    else if (hour > 12) hour -= 12;
                }
                number(hour, count > 2 ? 2 : count);
                break;
            }
            case 'N': {
                int count = countOf('N');
                number(parts_.minute, count > 2 ? 2 : count);
                break;
            }
            case 'S': {
                int count = countOf('S');
                number(parts_.second, count > 2 ? 2 : count);
                break;
            }
            case 'Z': {
                // "z" (and "zz") without leading zeros, "zzz" with them.
                int count = countOf('Z');
                number(parts_.msec, count >= 3 ? 3 : 1);
                break;
            }
            case 'T': {
                int count = countOf('T');
                append(count == 1 ? s_.ShortTimeFormat : s_.LongTimeFormat, level + 1);
                break;
            }
            case 'C': {
                countOf('C');
                append(s_.ShortDateFormat, level + 1);
                if (parts_.hour || parts_.minute || parts_.second || parts_.msec) {
                    out_ += ' ';
                    append(s_.LongTimeFormat, level + 1);
                }
                break;
            }
            case 'A': {
                std::string_view rest = pattern.substr(i);
                bool pm = parts_.hour >= 12;
                if (startsWithNoCase(rest, "am/pm")) {
                    out_.append(rest.substr(pm ? 3 : 0, 2));
                    i += 5;
                } else if (startsWithNoCase(rest, "a/p")) {
                    out_ += rest[pm ? 2 : 0];
                    i += 3;
                } else if (startsWithNoCase(rest, "ampm")) {
                    out_ += pm ? s_.TimePMString : s_.TimeAMString;
                    i += 4;
                } else {
                    out_ += pattern[i];
                    ++i;
                }
                break;
            }
            case '/':
                out_ += s_.DateSeparator;
                ++i;
                break;
            case ':':
                out_ += s_.TimeSeparator;
                ++i;
                break;
            case '\'':
            case '"': {
                size_t end = pattern.find(pattern[i], i + 1);
                if (end == std::string_view::npos) end = n;
                out_.append(pattern.substr(i + 1, end - i - 1));
                i = end < n ? end + 1 : n;
                break;
            }
            default:
                out_ += pattern[i];
                ++i;
                break;
            }
            if (token >= 'A' && token <= 'Z')
                lastToken = token;
        }
    }

private:
    static bool startsWithNoCase(std::string_view text, std::string_view prefix)
    {
        return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
    }

    // An hour element is on the 12-hour clock when an am/pm element follows it
    // before the next hour element (quoted text is passed over).
    static bool twelveHourAhead(std::string_view pattern, size_t from)
    {
        char quote = 0;
        for (size_t i = from; i < pattern.size(); ++i) {
            char c = pattern[i];
            if (quote) {
                if (c == quote) quote = 0;
                continue;
            }
            if (c == '\'' || c == '"') quote = c;
            else if (c == 'h' || c == 'H') return false;
            else if (c == 'a' || c == 'A') {
                std::string_view rest = pattern.substr(i);
                return startsWithNoCase(rest, "am/pm") || startsWithNoCase(rest, "a/p") ||
                       startsWithNoCase(rest, "ampm");
            }
        }
        return false;
    }

    void number(int value, int digits)
    {
        char buf[16];
        int len = std::snprintf(buf, sizeof buf, "%0*d", digits, value);
        out_.append(buf, static_cast<size_t>(len));
    }

    TDateTime value_;
    const TFormatSettings& s_;
    DateParts parts_;
    bool valid_ = false;
    AnsiString out_;
};

}  // namespace

AnsiString FormatDateTime(std::string_view pattern, TDateTime value, const TFormatSettings& settings)
{
    DateTimeFormatter formatter(value, settings);
    if (!formatter.valid())
        return FloatToStrGeneral(value, 15, settings.DecimalSeparator ? settings.DecimalSeparator : '.');
    formatter.append(pattern.empty() ? std::string_view("c") : pattern, 0);
    return std::move(formatter).result();
}

AnsiString DateTimeToStr(TDateTime value)
{
    return FormatDateTime("c", value);
}

AnsiString DateToStr(TDateTime value)
{
    return FormatDateTime("ddddd", value);
}

AnsiString TimeToStr(TDateTime value)
{
    return FormatDateTime("tt", value);
}

// ---------------------------------------------------------------------------
// Parsing

namespace {

struct Scanner {
    std::string_view text;
    size_t pos = 0;

    void blanks()
    {
        while (pos < text.size() && text[pos] == ' ') ++pos;
    }
    bool atEnd()
    {
        blanks();
        return pos >= text.size();
    }
    bool number(int& value, int& digits)
    {
        blanks();
        size_t start = pos;
        int64_t v = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
            if (v < 100000000) v = v * 10 + (text[pos] - '0');
            ++pos;
        }
        digits = static_cast<int>(pos - start);
        value = static_cast<int>(v);
        return digits > 0;
    }
    bool character(char c)
    {
        blanks();
        if (pos < text.size() && text[pos] == c) {
            ++pos;
            return true;
        }
        return false;
    }
    bool word(std::string_view w)
    {
        blanks();
        if (!w.empty() && text.size() - pos >= w.size() && SameText(text.substr(pos, w.size()), w)) {
            pos += w.size();
            return true;
        }
        return false;
    }
};

enum class DateOrder { MDY, DMY, YMD };

DateOrder dateOrder(std::string_view format)
{
    for (char c : format) {
        char u = static_cast<char>(c & ~0x20);
        if (u == 'D') return DateOrder::DMY;
        if (u == 'Y') return DateOrder::YMD;
        if (u == 'M') return DateOrder::MDY;
    }
    return DateOrder::MDY;
}

int currentYear()
{
    int y, m, d;
    DecodeDate(Date(), y, m, d);
    return y;
}

bool scanDate(Scanner& sc, TDateTime& result)
{
    const TFormatSettings& s = FormatSettings();
    int n1, n2, n3 = 0, l1, l2, l3 = 0;
    size_t start = sc.pos;
    if (!sc.number(n1, l1) || !sc.character(s.DateSeparator) || !sc.number(n2, l2)) {
        sc.pos = start;
        return false;
    }
    bool three = false;
    size_t beforeThird = sc.pos;
    if (sc.character(s.DateSeparator)) {
        if (!sc.number(n3, l3)) {
            sc.pos = start;
            return false;
        }
        three = true;
    } else {
        sc.pos = beforeThird;
    }
    int year, month, day, yearDigits;
    DateOrder order = dateOrder(s.ShortDateFormat);
    if (!three) {
        year = currentYear();
        yearDigits = 4;
        if (order == DateOrder::DMY) { day = n1; month = n2; }
        else { month = n1; day = n2; }
    } else {
        switch (order) {
        case DateOrder::MDY: month = n1; day = n2; year = n3; yearDigits = l3; break;
        case DateOrder::DMY: day = n1; month = n2; year = n3; yearDigits = l3; break;
        default: year = n1; month = n2; day = n3; yearDigits = l1; break;
        }
    }
    if (yearDigits <= 2) {
        int now = currentYear();
        int window = s.TwoDigitYearCenturyWindow;
        if (window > 0) {
            int pivot = now - window;
            year += pivot / 100 * 100;
            if (year < pivot) year += 100;
        } else {
            year += now / 100 * 100;
        }
    }
    if (!TryEncodeDate(year, month, day, result)) {
        sc.pos = start;
        return false;
    }
    return true;
}

bool scanTime(Scanner& sc, TDateTime& result)
{
    const TFormatSettings& s = FormatSettings();
    int hour, minute = 0, second = 0, msec = 0, digits;
    if (!sc.number(hour, digits))
        return false;
    bool hasMinute = false;
    if (sc.character(s.TimeSeparator)) {
        if (!sc.number(minute, digits)) return false;
        hasMinute = true;
        if (sc.character(s.TimeSeparator)) {
            if (!sc.number(second, digits)) return false;
            if (sc.character(s.DecimalSeparator)) {
                if (!sc.number(msec, digits)) return false;
            }
        }
    }
    int pm = -1;
    if (sc.word("AM") || (!s.TimeAMString.empty() && sc.word(s.TimeAMString))) pm = 0;
    else if (sc.word("PM") || (!s.TimePMString.empty() && sc.word(s.TimePMString))) pm = 1;
    if (!hasMinute && pm < 0)
        return false;
    if (pm >= 0) {
        if (hour == 0 || hour > 12) return false;
        if (pm == 0 && hour == 12) hour = 0;
        else if (pm == 1 && hour < 12) hour += 12;
    }
    return TryEncodeTime(hour, minute, second, msec, result);
}

[[noreturn]] void conversionError(const char* message, std::string_view text)
{
    throw EConvertError(Format(message, std::string(text).c_str()));
}

}  // namespace

bool TryStrToDate(std::string_view text, TDateTime& result)
{
    Scanner sc{text};
    return scanDate(sc, result) && sc.atEnd();
}

bool TryStrToTime(std::string_view text, TDateTime& result)
{
    Scanner sc{text};
    return scanTime(sc, result) && sc.atEnd();
}

bool TryStrToDateTime(std::string_view text, TDateTime& result)
{
    Scanner sc{text};
    TDateTime date = 0, time = 0;
    if (!scanDate(sc, date)) {
        sc.pos = 0;
        if (!scanTime(sc, time) || !sc.atEnd())
            return false;
        result = time;
        return true;
    }
    if (!sc.atEnd()) {
        if (!scanTime(sc, time) || !sc.atEnd())
            return false;
    }
    result = date >= 0 ? date + time : date - time;
    return true;
}

TDateTime StrToDate(std::string_view text)
{
    TDateTime result;
    if (!TryStrToDate(text, result)) conversionError(RuntimeText::InvalidDate, text);
    return result;
}

TDateTime StrToTime(std::string_view text)
{
    TDateTime result;
    if (!TryStrToTime(text, result)) conversionError(RuntimeText::InvalidTime, text);
    return result;
}

TDateTime StrToDateTime(std::string_view text)
{
    TDateTime result;
    if (!TryStrToDateTime(text, result)) conversionError(RuntimeText::InvalidDateTime, text);
    return result;
}
