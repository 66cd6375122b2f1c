// Date-time values to text: FormatDateTime and the conversions built on it.
// The pattern is cut into elements by DatePattern.h, the same way the date
// reader (DateParsing.cpp) cuts it.
#include "DateTime.h"

#include "DatePattern.h"
#include "SysUtils.h"

#include <cstdio>

namespace {

class DateTimeFormatter {
public:
    DateTimeFormatter(TDateTime value, const TFormatSettings& settings) : s_(settings)
    {
        valid_ = DecodeDateTime(value, parts_);
    }

    bool valid() const { return valid_; }
    AnsiString result() && { return std::move(out_); }

    void append(std::string_view pattern, int level)
    {
        using Kind = DatePatternElement::Kind;
        if (level > 2) return;  // a locale format that refers to itself
        char lastLetter = ' ';
        const bool pm = parts_.hour >= 12;
        for (size_t i = 0; i < pattern.size();) {
            const DatePatternElement e = NextDatePatternElement(pattern, i);
            switch (e.kind) {
            case Kind::Letters: letters(e, lastLetter, pattern.substr(i), level); break;
            case Kind::AmPm: out_.append(e.text.substr(pm ? 3 : 0, 2)); break;
            case Kind::AP: out_ += e.text[pm ? 2 : 0]; break;
            case Kind::LocaleAmPm: out_ += pm ? s_.TimePMString : s_.TimeAMString; break;
            case Kind::DateSeparator: out_ += s_.DateSeparator; break;
            case Kind::TimeSeparator: out_ += s_.TimeSeparator; break;
            case Kind::Literal: out_.append(e.text); break;
            }
            if (e.letter) lastLetter = e.letter;
        }
    }

private:
    // `rest` is the pattern after the element.
    void letters(const DatePatternElement& e, char lastLetter, std::string_view rest, int level)
    {
        const int count = e.count;
        switch (e.letter) {
        case 'Y':
            if (count <= 2) number(parts_.year % 100, 2);
            else number(parts_.year, 4);
            break;
        case 'M':
            // m and mm right after an hour are minutes.
            if (lastLetter == 'H' && count <= 2) number(parts_.minute, count);
            else if (count <= 2) number(parts_.month, count);
            else if (count == 3) out_ += s_.ShortMonthNames[parts_.month - 1];
            else out_ += s_.LongMonthNames[parts_.month - 1];
            break;
        case 'D':
            switch (count) {
            case 1:
            case 2: number(parts_.day, count); break;
            case 3: out_ += s_.ShortDayNames[parts_.dayOfWeek - 1]; break;
            case 4: out_ += s_.LongDayNames[parts_.dayOfWeek - 1]; break;
            case 5: append(s_.ShortDateFormat, level + 1); break;
            default: append(s_.LongDateFormat, level + 1); break;
            }
            break;
        case 'H': {
            int hour = parts_.hour;
            if (twelveHourAhead(rest)) {
                if (hour == 0) hour = 12;
                else if (hour > 12) hour -= 12;
            }
            number(hour, count > 2 ? 2 : count);
            break;
        }
        case 'N': number(parts_.minute, count > 2 ? 2 : count); break;
        case 'S': number(parts_.second, count > 2 ? 2 : count); break;
        // "z" (and "zz") without leading zeros, "zzz" with them.
        case 'Z': number(parts_.msec, count >= 3 ? 3 : 1); break;
        case 'T': append(count == 1 ? s_.ShortTimeFormat : s_.LongTimeFormat, level + 1); break;
        case 'C':
            append(s_.ShortDateFormat, level + 1);
            if (parts_.hour || parts_.minute || parts_.second || parts_.msec) {
                out_ += ' ';
                append(s_.LongTimeFormat, level + 1);
            }
            break;
        default: break;
        }
    }

    // An hour element is on the 12-hour clock when an am/pm element follows it
    // before the next hour element (quoted text is passed over).
    static bool twelveHourAhead(std::string_view pattern)
    {
        using Kind = DatePatternElement::Kind;
        for (size_t i = 0; i < pattern.size();) {
            const DatePatternElement e = NextDatePatternElement(pattern, i);
            if (e.kind == Kind::AmPm || e.kind == Kind::AP || e.kind == Kind::LocaleAmPm) return true;
            if (e.letter == 'H' || e.letter == 'A') return false;
        }
        return false;
    }

    void number(int value, int digits)
    {
        char buf[16];
        int len = std::snprintf(buf, sizeof buf, "%0*d", digits, value);
        out_.append(buf, static_cast<size_t>(len));
    }

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
