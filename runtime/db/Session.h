#pragma once
// The session: where database aliases and registered routines live.
//
// The host creates the Qt SQL connections and adds them under aliases
// (AddDatabase); datasets name an alias, found without regard to case ("qdb"
// and "QDB" are the same database). Engines without stored functions get
// routines registered by name: TStoredProc calls a registered routine when one
// exists and the server's function otherwise.
//
// DefaultSession() is the session datasets use. The runtime is one shared
// library for the host and the module, so a session that the host makes the
// default is the module's default too.

#include "Database.h"
#include "runtime/AnsiString.h"

#include <QString>

#include <functional>
#include <map>
#include <memory>

class TParams;

// A routine: reads its input parameters by name and sets its outputs (and the
// Result parameter) in place.
using TRoutine = std::function<void(TParams& params, TDatabase& database)>;

class TSession {
public:
    TSession();
    ~TSession();
    TSession(const TSession&) = delete;
    TSession& operator=(const TSession&) = delete;

    // Makes the Qt connection `connectionName` reachable as `alias`.
    void AddDatabase(const AnsiString& alias, const QString& connectionName);
    void RemoveDatabase(const AnsiString& alias);
    // Raises "Unknown database: '%s'" for an alias that was not added.
    TDatabase& Database(std::string_view alias);
    TDatabase* FindDatabase(std::string_view alias);

    void RegisterRoutine(const AnsiString& name, TRoutine routine);
    void UnregisterRoutine(const AnsiString& name);
    const TRoutine* FindRoutine(std::string_view name) const;

private:
    std::map<AnsiString, std::unique_ptr<TDatabase>> databases_;  // by upper-case alias
    std::map<AnsiString, TRoutine> routines_;                       // by upper-case name
};

// The default session: the one made default last, or a session of the runtime.
TSession& DefaultSession();
// Makes `session` the default (null: the runtime's own session again).
void SetDefaultSession(TSession* session);
