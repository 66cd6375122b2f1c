// Text to date-time values: the system's short forms (StrToDate and its
// kin) and texts written by a date pattern (TryReadDatePattern), the latter
// cut into elements by DatePattern.h exactly as FormatDateTime cuts it.
#include "DateTime.h"

#include "DatePattern.h"
#include "Exceptions.h"
#include "SysUtils.h"

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

namespace {

// Up to `most` digits at `i`; false when there is none.
bool readNumber(std::string_view text, size_t& i, int most, int& value)
{
    size_t start = i;
    value = 0;
    while (i < text.size() && i - start < static_cast<size_t>(most) && text[i] >= '0' && text[i] <= '9')
        value = value * 10 + (text[i++] - '0');
    return i > start;
}

// The longest of `names` that the text continues with at `i`.
int readName(std::string_view text, size_t& i, const AnsiString* names, int count)
{
    int best = -1;
    size_t bestLength = 0;
    for (int k = 0; k < count; ++k) {
        const AnsiString& name = names[k];
        if (!name.empty() && name.size() > bestLength && text.substr(i, name.size()) == name) {
            best = k;
            bestLength = name.size();
        }
    }
    if (best >= 0) i += bestLength;
    return best;
}

// Reads one run of d, m or y at `i` into its part of the date.
bool readDateLetters(std::string_view text, size_t& i, const DatePatternElement& e, const TFormatSettings& s,
                     int& year, int& month, int& day)
{
    switch (e.letter) {
    case 'Y': {
        const size_t start = i;
        if (!readNumber(text, i, 4, year)) return false;
        if (i - start <= 2) year += 2000;  // the long form writes four digits; two read as this century
        return true;
    }
    case 'M':
        if (e.count >= 3) {
            int m = readName(text, i, e.count == 3 ? s.ShortMonthNames.data() : s.LongMonthNames.data(), 12);
            if (m < 0) return false;
            month = m + 1;
            return true;
        }
        return readNumber(text, i, 2, month);
    case 'D':
        // A day name is passed over: the date itself decides the day.
        if (e.count >= 3) return readName(text, i, e.count == 3 ? s.ShortDayNames.data() : s.LongDayNames.data(), 7) >= 0;
        return readNumber(text, i, 2, day);
    default: return false;  // a time of day has no place in a date
    }
}

}  // namespace

bool TryReadDatePattern(std::string_view text, std::string_view pattern, const TFormatSettings& s, TDateTime& date)
{
    using Kind = DatePatternElement::Kind;
    int year = -1, month = -1, day = -1;
    size_t i = 0;
    auto literal = [&](std::string_view expected) {
        if (text.substr(i, expected.size()) != expected) return false;
        i += expected.size();
        return true;
    };
    for (size_t p = 0; p < pattern.size();) {
        const DatePatternElement e = NextDatePatternElement(pattern, p);
        bool read = false;
        switch (e.kind) {
        case Kind::Letters: read = readDateLetters(text, i, e, s, year, month, day); break;
        case Kind::DateSeparator: read = literal(std::string_view(&s.DateSeparator, 1)); break;
        case Kind::TimeSeparator: read = literal(std::string_view(&s.TimeSeparator, 1)); break;
        case Kind::Literal: read = literal(e.text); break;
        default: break;  // an am/pm marker: no date pattern has one
        }
        if (!read) return false;
    }
    if (i != text.size() || year < 0 || month < 0 || day < 0) return false;
    return TryEncodeDate(year, month, day, date);
}
