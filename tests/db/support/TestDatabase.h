#pragma once
// Real databases for tests: a fresh SQLite file, or a fresh schema on a
// throw-away PostgreSQL server that the test program starts on first use (in a
// temporary directory, Unix socket only, as the postgres user when run as root)
// and stops when it ends.
//
// A TestDatabase is reachable as alias "qdb" of its own session, which it
// makes the default for its lifetime, with the host's routines registered.
// Second() is another connection to the same database (to read back what the
// first one wrote).

#include "runtime/db/Database.h"
#include "runtime/db/Session.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

enum class TestEngine { SQLite, PostgreSQL };
const char* EngineName(TestEngine engine);

class TestDatabase {
public:
    // Creates the document tables (empty) unless `schema` is false.
    explicit TestDatabase(TestEngine engine, bool schema = true);
    ~TestDatabase();

    TestEngine Engine() const { return engine_; }
    TSession& Session() { return session_; }
    TDatabase& Db() { return session_.Database("qdb"); }
    TDatabase& Second();
    // The database as stockin-host's --db option names it.
    const std::string& Spec() const { return spec_; }
    // The same PostgreSQL database through the ODBC driver ("odbc:..."), or
    // empty when the driver is not installed.
    std::string OdbcSpec() const;

    // Runs a statement on the first connection (UTF-8 text, "?" placeholders,
    // string arguments in UTF-8).
    void Exec(const std::string& utf8Sql, const std::vector<Variant>& args = {});
    // The single value of a query on the second connection, as UTF-8 text
    // ("" for null).
    std::string Scalar(const std::string& utf8Sql, const std::vector<Variant>& args = {});

private:
    TestEngine engine_;
    TSession session_;
    QString first_, second_;
    std::string spec_;
    std::string dir_;
    bool secondOpen_ = false;
};

// The documents the data tests use, in two companies whose document numbers
// overlap (see TestDatabase.cpp for the rows).
void InsertSampleDocuments(TestDatabase& db);
