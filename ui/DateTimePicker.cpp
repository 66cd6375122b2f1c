#include "DateTimePicker.h"

#include "runtime/Application.h"
#include "runtime/FormatSettings.h"

#include <QScopedValueRollback>

namespace {

QDate toQDate(TDateTime value)
{
    DateParts p;
    if (!DecodeDateTime(value, p)) return QDate();
    return QDate(p.year, p.month, p.day);
}

}  // namespace

QString QtDateFormat(const AnsiString& format, char dateSeparator)
{
    QString out;
    size_t i = 0;
    auto run = [&](char c) {
        size_t n = 0;
        while (i + n < format.size() && (format[i + n] | 0x20) == c) ++n;
        i += n;
        return n;
    };
    while (i < format.size()) {
        char c = format[i];
        switch (c | 0x20) {
        case 'y': out += run('y') >= 3 ? "yyyy" : "yy"; continue;
        case 'm': out += QString(static_cast<qsizetype>(std::min<size_t>(run('m'), 4)), QChar('M')); continue;
        case 'd': {
            size_t n = run('d');
            out += n >= 2 ? "dd" : "d";  // names of days have no place in a date field
            continue;
        }
        default: break;
        }
        if (c == '\'' || c == '"') {
            size_t end = format.find(c, i + 1);
            if (end == AnsiString::npos) end = format.size();
            out += '\'' + AnsiToQString(format.substr(i + 1, end - i - 1)) + '\'';
            i = end + 1;
        } else if (c == '/') {
            out += QChar(dateSeparator);
            ++i;
        } else if (static_cast<unsigned char>(c) < 0x80 && !QChar(c).isLetter()) {
            out += QChar(c);
            ++i;
        } else {
            // Other letters and GBK text are copied as quoted text.
            size_t end = i + 1;
            while (end < format.size() && (static_cast<unsigned char>(format[end]) >= 0x80 || QChar(format[end]).isLetter()) &&
                   (format[end] | 0x20) != 'y' && (format[end] | 0x20) != 'm' && (format[end] | 0x20) != 'd')
                ++end;
            out += '\'' + AnsiToQString(format.substr(i, end - i)) + '\'';
            i = end;
        }
    }
    return out;
}

TDateTimePicker::TDateTimePicker(TComponent* owner, QWidget* parent) : QDateEdit(parent), TComponent(owner)
{
    setCalendarPopup(true);
    setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
    const TFormatSettings& settings = FormatSettings();
    setDisplayFormat(QtDateFormat(settings.ShortDateFormat, settings.DateSeparator));
    connect(this, &QDateEdit::dateChanged, this, Guarded([this](QDate) { dateEdited(); }));
}

void TDateTimePicker::SetName(const AnsiString& name)
{
    TComponent::SetName(name);
    setObjectName(AnsiToQString(name));
}

TDateTime TDateTimePicker::DateTime() const
{
    QDate d = date();
    return EncodeDateTime(d.year(), d.month(), d.day(), hour_, minute_, second_, msec_);
}

void TDateTimePicker::SetDateTime(TDateTime value)
{
    DateParts p;
    if (!DecodeDateTime(value, p)) return;
    QScopedValueRollback<bool> quiet(settingValue_, true);
    hour_ = p.hour;
    minute_ = p.minute;
    second_ = p.second;
    msec_ = p.msec;
    setDate(toQDate(value));
}

void TDateTimePicker::dateEdited()
{
    if (settingValue_ || !OnChange) return;
    OnChange(this);
}
