#include "FormatSettings.h"

#include <QLocale>
#include <QString>

namespace {

// One byte of the code page for a Qt separator; a separator the code page cannot
// hold in one byte becomes the fallback.
char singleByte(const QString& text, char fallback)
{
    AnsiString a = QStringToAnsi(text);
    return a.size() == 1 ? a[0] : fallback;
}

// Translates a Qt date/time format into the runtime's pattern letters: M is the
// month (m), m the minute (n), H the 24-hour hour (h), AP/ap the am/pm marker.
// Quoted text stays quoted. The locale's separators become "/" and ":".
AnsiString translateQtFormat(const QString& qt, QChar dateSep, QChar timeSep)
{
    QString out;
    for (qsizetype i = 0; i < qt.size(); ++i) {
        QChar c = qt[i];
        if (c == u'\'') {
            qsizetype end = qt.indexOf(u'\'', i + 1);
            if (end < 0) end = qt.size();
            out += u'"';
            out += qt.mid(i + 1, end - i - 1);
            out += u'"';
            i = end;
            continue;
        }
        if (c == u'M') out += u'm';
        else if (c == u'm') out += u'n';
        else if (c == u'H') out += u'h';
        else if (c == u'A' || c == u'a') {
            if (i + 1 < qt.size() && (qt[i + 1] == u'P' || qt[i + 1] == u'p')) ++i;
            out += QStringLiteral("ampm");
        } else if (c == u't') {
            // time zone: not representable, dropped
        } else if (!dateSep.isNull() && c == dateSep) out += u'/';
        else if (!timeSep.isNull() && c == timeSep) out += u':';
        else if (c.isLetter() && c.unicode() < 128) {
            // other Qt letters (d, y, h, s, z) mean the same here
            out += c;
        } else if (c.unicode() >= 128) {
            out += u'"';
            out += c;
            out += u'"';
        } else out += c;
    }
    return QStringToAnsi(out);
}

QChar firstSeparator(const QString& format)
{
    bool quoted = false;
    for (QChar c : format) {
        if (c == u'\'') { quoted = !quoted; continue; }
        if (!quoted && !c.isLetterOrNumber() && !c.isSpace()) return c;
    }
    return QChar();
}

}  // namespace

TFormatSettings TFormatSettings::ChineseDefaults()
{
    TFormatSettings s;
    s.CurrencyString = Ansi(u8"￥");
    s.LongDateFormat = Ansi(u8"yyyy'年'm'月'd'日'");
    s.TimeAMString = Ansi(u8"上午");
    s.TimePMString = Ansi(u8"下午");
    static const char8_t* months[12] = {u8"一月", u8"二月", u8"三月", u8"四月", u8"五月", u8"六月",
                                        u8"七月", u8"八月", u8"九月", u8"十月", u8"十一月", u8"十二月"};
    static const char8_t* days[7] = {u8"星期日", u8"星期一", u8"星期二", u8"星期三",
                                     u8"星期四", u8"星期五", u8"星期六"};
    for (int i = 0; i < 12; ++i) {
        s.ShortMonthNames[i] = Ansi(months[i]);
        s.LongMonthNames[i] = Ansi(months[i]);
    }
    for (int i = 0; i < 7; ++i) {
        s.ShortDayNames[i] = Ansi(days[i]);
        s.LongDayNames[i] = Ansi(days[i]);
    }
    return s;
}

TFormatSettings TFormatSettings::FromLocale(const QLocale& locale)
{
    TFormatSettings s;
    s.DecimalSeparator = singleByte(locale.decimalPoint(), '.');
    s.ThousandSeparator = singleByte(locale.groupSeparator(), ' ');
    s.CurrencyString = QStringToAnsi(locale.currencySymbol());
    QString money = locale.toCurrencyString(1.0);
    QString symbol = locale.currencySymbol();
    qsizetype at = money.indexOf(symbol);
    bool after = at > 0 && at >= money.indexOf(u'1');
    bool spaced = money.contains(u' ') || money.contains(QChar(0xA0));
    s.CurrencyFormat = static_cast<unsigned char>((after ? 1 : 0) + (spaced ? 2 : 0));
    s.CurrencyDecimals = 2;

    QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    QString longDate = locale.dateFormat(QLocale::LongFormat);
    QString shortTime = locale.timeFormat(QLocale::ShortFormat);
    QString longTime = locale.timeFormat(QLocale::LongFormat);
    QChar dateSep = firstSeparator(shortDate);
    QChar timeSep = firstSeparator(shortTime);
    s.DateSeparator = dateSep.isNull() ? '-' : singleByte(QString(dateSep), '-');
    s.TimeSeparator = timeSep.isNull() ? ':' : singleByte(QString(timeSep), ':');
    s.ShortDateFormat = translateQtFormat(shortDate, dateSep, timeSep);
    s.LongDateFormat = translateQtFormat(longDate, QChar(), QChar());
    s.ShortTimeFormat = translateQtFormat(shortTime, dateSep, timeSep);
    // Qt's long time format carries the time zone; the runtime's has none.
    s.LongTimeFormat = Trim(translateQtFormat(longTime, dateSep, timeSep));
    s.TimeAMString = QStringToAnsi(locale.amText());
    s.TimePMString = QStringToAnsi(locale.pmText());
    for (int i = 0; i < 12; ++i) {
        s.ShortMonthNames[i] = QStringToAnsi(locale.monthName(i + 1, QLocale::ShortFormat));
        s.LongMonthNames[i] = QStringToAnsi(locale.monthName(i + 1, QLocale::LongFormat));
    }
    for (int i = 0; i < 7; ++i) {
        int qtDay = i == 0 ? 7 : i;  // Qt counts Monday as 1, Sunday as 7
        s.ShortDayNames[i] = QStringToAnsi(locale.dayName(qtDay, QLocale::ShortFormat));
        s.LongDayNames[i] = QStringToAnsi(locale.dayName(qtDay, QLocale::LongFormat));
    }
    s.ListSeparator = s.DecimalSeparator == ',' ? ';' : ',';
    return s;
}

TFormatSettings& FormatSettings()
{
    static TFormatSettings settings = TFormatSettings::ChineseDefaults();
    return settings;
}

void LoadFormatSettingsFromLocale()
{
    QLocale locale = QLocale::system();
    if (locale.language() == QLocale::C)
        FormatSettings() = TFormatSettings::ChineseDefaults();
    else
        FormatSettings() = TFormatSettings::FromLocale(locale);
}
