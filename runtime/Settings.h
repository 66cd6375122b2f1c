#pragma once
// The per-user settings store: keys with named values, as the system keeps
// window placements and preferences. Keys are written with backslashes
// ("Software\\Velotab"); values are read with a default for the absent ones.
// Backed by QSettings in its native format; tests point it at a file of their
// own with SetSettingsFile.

#include "AnsiString.h"

#include <memory>

class QSettings;

class TUserSettings {
public:
    // Opens (and, when written to, creates) the key.
    explicit TUserSettings(std::string_view key);
    ~TUserSettings();
    TUserSettings(const TUserSettings&) = delete;
    TUserSettings& operator=(const TUserSettings&) = delete;

    bool ValueExists(std::string_view name) const;
    int ReadInteger(std::string_view name, int fallback) const;
    AnsiString ReadString(std::string_view name, const AnsiString& fallback) const;
    bool ReadBool(std::string_view name, bool fallback) const;
    double ReadFloat(std::string_view name, double fallback) const;
    void WriteInteger(std::string_view name, int value);
    void WriteString(std::string_view name, const AnsiString& value);
    void WriteBool(std::string_view name, bool value);
    void WriteFloat(std::string_view name, double value);
    void DeleteValue(std::string_view name);
    // Writes pending changes to the store.
    void Flush();

private:
    QString keyOf(std::string_view name) const;
    std::unique_ptr<QSettings> settings_;
    AnsiString group_;
};

// Uses an INI file at this path instead of the user's store (empty: the
// user's store again).
void SetSettingsFile(const std::string& path);

// The store TUserSettings reads and writes, for callers that keep
// structured values of their own in it (a grid's layout).
std::unique_ptr<QSettings> OpenUserSettingsStore();
