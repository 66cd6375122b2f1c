#pragma once
// The host's database: which one, opening it, and making it ready.
//
// A database is named the way stockin-host's --db option takes it:
//   PATH (ending in .sqlite, .db, or any file name)   an SQLite file
//   postgresql://[USER[:PASSWORD]@][HOST][:PORT]/DBNAME[?host=SOCKETDIR]
//   odbc:DSN   (odbc:DSN;UID=..;PWD=.. passes a whole connection string)
// Opening creates the Qt connection under a connection name. PrepareHostDatabase
// then creates the tables when they are missing (with demo data when asked),
// and on SQLite registers decode() and the host's routines, so that the module
// finds the same functions on every engine.

#include "runtime/AnsiString.h"

#include <QString>

class TDatabase;
class TSession;

struct HostDatabaseSpec {
    enum Kind { SQLite, PostgreSQL, ODBC } kind = SQLite;
    QString path;  // SQLite file, or ODBC connection string
    QString host, user, password, databaseName;
    int port = -1;
};

// Raises EDatabaseError for a text it cannot read.
HostDatabaseSpec ParseDatabaseSpec(const std::string& text);

// Opens the connection; raises EDatabaseError with the driver's message.
void OpenHostDatabase(const HostDatabaseSpec& spec, const QString& connectionName);

// True when the document tables exist.
bool HasDocumentTables(TDatabase& db);
// Creates the tables, and on PostgreSQL decode() and FUNC_TAVREL.
void CreateSchema(TDatabase& db);
// SQLite: decode() on the connection and FUNC_TAVREL in the session. Other
// engines have them as functions already.
void RegisterHostRoutines(TDatabase& db, TSession& session);

// Opens `spec` as alias `alias` of `session`, creates tables and demo data on
// a database without them, and registers the routines. Returns the database.
TDatabase& PrepareHostDatabase(const HostDatabaseSpec& spec, TSession& session, const AnsiString& alias,
                               const QString& connectionName);
