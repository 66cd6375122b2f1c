#include "Settings.h"

#include <QSettings>
#include <QString>

namespace {
std::string& overridePath()
{
    static std::string path;
    return path;
}
}  // namespace

void SetSettingsFile(const std::string& path)
{
    overridePath() = path;
}

std::unique_ptr<QSettings> OpenUserSettingsStore()
{
    if (!overridePath().empty())
        return std::make_unique<QSettings>(QString::fromStdString(overridePath()), QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("stockin-audit"),
                                       QStringLiteral("settings"));
}

TUserSettings::TUserSettings(std::string_view key) : settings_(OpenUserSettingsStore())
{
    group_ = AnsiString(key);
    for (char& c : group_)
        if (c == '\\') c = '/';
}

TUserSettings::~TUserSettings() = default;

QString TUserSettings::keyOf(std::string_view name) const
{
    return AnsiToQString(group_) + QLatin1Char('/') + AnsiToQString(name);
}

bool TUserSettings::ValueExists(std::string_view name) const
{
    return settings_->contains(keyOf(name));
}

int TUserSettings::ReadInteger(std::string_view name, int fallback) const
{
    bool ok = false;
    int v = settings_->value(keyOf(name)).toInt(&ok);
    return ok ? v : fallback;
}

AnsiString TUserSettings::ReadString(std::string_view name, const AnsiString& fallback) const
{
    QVariant v = settings_->value(keyOf(name));
    return v.isValid() ? QStringToAnsi(v.toString()) : fallback;
}

bool TUserSettings::ReadBool(std::string_view name, bool fallback) const
{
    QVariant v = settings_->value(keyOf(name));
    return v.isValid() ? v.toBool() : fallback;
}

double TUserSettings::ReadFloat(std::string_view name, double fallback) const
{
    bool ok = false;
    double v = settings_->value(keyOf(name)).toDouble(&ok);
    return ok ? v : fallback;
}

void TUserSettings::WriteInteger(std::string_view name, int value)
{
    settings_->setValue(keyOf(name), value);
}

void TUserSettings::WriteString(std::string_view name, const AnsiString& value)
{
    settings_->setValue(keyOf(name), AnsiToQString(value));
}

void TUserSettings::WriteBool(std::string_view name, bool value)
{
    settings_->setValue(keyOf(name), value);
}

void TUserSettings::WriteFloat(std::string_view name, double value)
{
    settings_->setValue(keyOf(name), value);
}

void TUserSettings::DeleteValue(std::string_view name)
{
    settings_->remove(keyOf(name));
}

void TUserSettings::Flush()
{
    settings_->sync();
}
