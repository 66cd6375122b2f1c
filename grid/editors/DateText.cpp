#include "grid/editors/DateText.h"

#include <cctype>
#include <vector>

namespace {
bool startsWithNoCase(std::string_view text, std::string_view word)
{
    if (text.size() < word.size()) return false;
    for (size_t i = 0; i < word.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) != word[i]) return false;
    return true;
}

void skipBlanks(std::string_view text, size_t& i)
{
    while (i < text.size() && text[i] == ' ') ++i;
}

// Up to `most` digits at `i`; false when there is none.
bool readNumber(std::string_view text, size_t& i, int most, int& value)
{
    size_t start = i;
    value = 0;
    while (i < text.size() && i - start < static_cast<size_t>(most) && std::isdigit(static_cast<unsigned char>(text[i])))
        value = value * 10 + (text[i++] - '0');
    return i > start;
}

}  // namespace

AnsiString LongDateText(TDateTime value, const TFormatSettings& settings)
{
    AnsiString text = FormatDateTime("dddddd", value, settings);
    if (TimePart(value) != 0) text += " " + FormatDateTime("tt", value, settings);
    return text;
}

bool TryReadDateKeyword(std::string_view text, TDateTime now, TDateTime& date)
{
    static constexpr const char* kDays[] = {"SUNDAY", "MONDAY", "TUESDAY", "WEDNESDAY", "THURSDAY", "FRIDAY", "SATURDAY"};
    static constexpr const char* kOrdinals[] = {"FIRST", "SECOND", "THIRD", "FOURTH", "FIFTH", "SIXTH", "SEVENTH"};
    const TDateTime today = DatePart(now);
    int year = 0, month = 0, day = 0;
    DecodeDate(today, year, month, day);
    struct Keyword {
        std::string_view word;
        TDateTime value;
    };
    std::vector<Keyword> keywords = {{"TODAY", today}, {"YESTERDAY", today - 1}, {"TOMORROW", today + 1},
                                     {"BOM", EncodeDate(year, month, 1)},
                                     {"EOM", EncodeDate(year, month, DaysInMonth(year, month))}, {"NOW", now}};
    const int weekday = DayOfWeek(today);  // 1 = Sunday
    for (int k = 0; k < 7; ++k) {
        keywords.push_back({kDays[k], today + ((k + 1 - weekday) + 7) % 7});
        keywords.push_back({kOrdinals[k], today - (weekday - 1) + k});
    }
    for (const Keyword& keyword : keywords) {
        if (!startsWithNoCase(text, keyword.word)) continue;
        size_t i = keyword.word.size();
        skipBlanks(text, i);
        if (i == text.size()) {
            date = keyword.value;
            return true;
        }
        if (text[i] != '+' && text[i] != '-') continue;  // "TODAYS" is no keyword
        int sign = text[i] == '-' ? -1 : 1;
        ++i;
        skipBlanks(text, i);
        int days = 0;
        // An unreadable number is ignored; a readable one must end the text.
        if (readNumber(text, i, 7, days)) {
            skipBlanks(text, i);
            if (i != text.size()) days = 0;
        }
        date = keyword.value + sign * days;
        return true;
    }
    return false;
}

bool TryReadDateText(std::string_view input, TDateTime now, TDateTime& date, const TFormatSettings& settings)
{
    AnsiString text = Trim(input);
    if (text.empty()) {
        date = NoDate;
        return true;
    }
    if (TryReadDateKeyword(text, now, date)) return true;
    // The long form the editor shows, with or without its time, before the
    // system's conversion (which knows only the short forms).
    if (!settings.LongDateFormat.empty()) {
        if (TryReadDatePattern(text, settings.LongDateFormat, settings, date)) return true;
        size_t blank = text.rfind(' ');
        TDateTime time = 0;
        if (blank != AnsiString::npos &&
            TryReadDatePattern(std::string_view(text).substr(0, blank), settings.LongDateFormat, settings, date) &&
            TryStrToTime(std::string_view(text).substr(blank + 1), time)) {
            date += date < 0 ? -time : time;
            return true;
        }
    }
    if (settings.DateSeparator == '.') {
        for (size_t i = 0, replaced = 0; replaced < 2 && i < text.size(); ++i)
            if (text[i] == '.') {
                text[i] = ' ';
                ++replaced;
            }
    }
    return TryStrToDateTime(text, date);
}
