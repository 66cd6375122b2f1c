#pragma once
// TDatabase: one database connection that a session reaches by alias.
//
// The host configures a Qt SQL connection (driver, file or server, user) under
// a connection name; the session maps aliases to it. Statements carry "?"
// placeholders and are always run with bound values, never with values written
// into their text. Engines:
//   QSQLITE  read and written through the connection's own sqlite3 handle
//            (dates are text "YYYY-MM-DD HH:MM:SS"); rows are stepped on demand.
//   QPSQL    through Qt; a result is held by the client library and its rows
//            converted on demand (the driver cannot keep two row-by-row results
//            open on one connection, and a master and its detail need two).
//   QODBC and others  through Qt with forward-only results.
// Text crosses as UTF-8 / QString and is stored in records in the code page.
// Each error is raised as EDatabaseError with the engine's message.

#include "DBTypes.h"
#include "Field.h"
#include "RecordStore.h"
#include "runtime/Variant.h"

#include <QString>

#include <memory>
#include <vector>

struct sqlite3;

enum class TDbEngine { SQLite, PostgreSQL, ODBC, Other };

// A value to bind, with the type the statement expects (ftUnknown: by the value).
struct TBindValue {
    Variant value;
    TFieldType type = ftUnknown;
};

// The rows of an executed statement, read one after the other.
class TDbCursor {
public:
    virtual ~TDbCursor() = default;
    // The result's columns; names made unique ("SPMC00", "SPMC00_1").
    const TFieldDefs& Columns() const { return columns_; }
    // Reads the next row: column c goes to cell targets[c] (none when -1),
    // converted to the kind of types[targets[c]]. False at the end.
    virtual bool Fetch(RecordBuilder& row, const std::vector<int>& targets, const std::vector<TFieldType>& types) = 0;

protected:
    TFieldDefs columns_;
};

class TDatabaseEngine;

class TDatabase {
public:
    explicit TDatabase(const QString& connectionName);
    ~TDatabase();
    TDatabase(const TDatabase&) = delete;
    TDatabase& operator=(const TDatabase&) = delete;

    const QString& ConnectionName() const { return connectionName_; }
    TDbEngine Engine();
    // Opens the Qt connection when it is closed.
    void Connect();

    std::unique_ptr<TDbCursor> OpenCursor(const AnsiString& sql, const std::vector<TBindValue>& params);
    // Runs a statement; returns the rows affected (-1 when the engine cannot tell).
    int ExecSQL(const AnsiString& sql, const std::vector<TBindValue>& params = {});

    // Runs a script of statements without parameters (schema and routines),
    // written in UTF-8.
    void ExecScript(std::string_view utf8);

    // Transactions nest: only the outermost start, commit and rollback reach
    // the database; a rollback inside marks the whole transaction failed.
    void StartTransaction();
    void Commit();
    void Rollback();
    bool InTransaction() const { return depth_ > 0; }

    // The sqlite3 handle of an SQLite connection (null for other engines).
    sqlite3* SqliteHandle();

private:
    TDatabaseEngine& engine();

    QString connectionName_;
    std::unique_ptr<TDatabaseEngine> engine_;
    int depth_ = 0;
    bool failed_ = false;
};

// Dates as SQLite stores them: "YYYY-MM-DD HH:MM:SS" (".zzz" when there are
// milliseconds). Reading also takes "YYYY-MM-DD", "T" for the blank, and no seconds.
AnsiString IsoDateTimeText(TDateTime value);
bool ParseIsoDateTime(std::string_view text, TDateTime& value);
