#include "HostDatabase.h"

#include "AuditRoutine.h"
#include "DemoData.h"
#include "SqlScripts.h"
#include "runtime/db/Database.h"
#include "runtime/db/Session.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QUrl>
#include <QUrlQuery>

#include <sqlite3.h>

#include <cstring>

namespace {

bool sameValues(sqlite3_value* a, sqlite3_value* b)
{
    int ta = sqlite3_value_type(a), tb = sqlite3_value_type(b);
    if (ta == SQLITE_NULL || tb == SQLITE_NULL) return ta == tb;
    bool na = ta == SQLITE_INTEGER || ta == SQLITE_FLOAT, nb = tb == SQLITE_INTEGER || tb == SQLITE_FLOAT;
    if (na && nb) return sqlite3_value_double(a) == sqlite3_value_double(b);
    const unsigned char* sa = sqlite3_value_text(a);
    int la = sqlite3_value_bytes(a);
    const unsigned char* sb = sqlite3_value_text(b);
    int lb = sqlite3_value_bytes(b);
    return la == lb && (la == 0 || std::memcmp(sa, sb, static_cast<size_t>(la)) == 0);
}

// decode(expr, search1, result1, ..., [default]): null equals null.
void decodeFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (argc < 3) {
        sqlite3_result_error(context, "decode needs at least three arguments", -1);
        return;
    }
    int i = 1;
    for (; i + 1 < argc; i += 2)
        if (sameValues(argv[0], argv[i])) {
            sqlite3_result_value(context, argv[i + 1]);
            return;
        }
    if (i < argc)
        sqlite3_result_value(context, argv[i]);
    else
        sqlite3_result_null(context);
}

}  // namespace

HostDatabaseSpec ParseDatabaseSpec(const std::string& text)
{
    HostDatabaseSpec spec;
    QString t = QString::fromStdString(text);
    if (t.startsWith(QLatin1String("postgresql://")) || t.startsWith(QLatin1String("postgres://"))) {
        QUrl url(t);
        if (!url.isValid()) throw EDatabaseError("Invalid database address: " + text);
        spec.kind = HostDatabaseSpec::PostgreSQL;
        spec.host = url.host();
        spec.port = url.port(-1);
        spec.user = url.userName();
        spec.password = url.password();
        spec.databaseName = url.path().mid(1);
        QUrlQuery query(url);
        if (query.hasQueryItem(QStringLiteral("host"))) spec.host = query.queryItemValue(QStringLiteral("host"));
        if (spec.databaseName.isEmpty()) throw EDatabaseError("No database name in " + text);
        return spec;
    }
    if (t.startsWith(QLatin1String("odbc:"))) {
        spec.kind = HostDatabaseSpec::ODBC;
        spec.path = t.mid(5);
        if (spec.path.isEmpty()) throw EDatabaseError("No data source name in " + text);
        return spec;
    }
    if (t.isEmpty()) throw EDatabaseError("No database given");
    spec.path = t;
    return spec;
}

void OpenHostDatabase(const HostDatabaseSpec& spec, const QString& connectionName)
{
    static const char* const drivers[] = {"QSQLITE", "QPSQL", "QODBC"};
    QString driver = QLatin1String(drivers[spec.kind]);
    if (!QSqlDatabase::isDriverAvailable(driver))
        throw EDatabaseError("The Qt SQL driver " + driver.toStdString() + " is not installed");
    QSqlDatabase db = QSqlDatabase::addDatabase(driver, connectionName);
    if (spec.kind == HostDatabaseSpec::PostgreSQL) {
        db.setHostName(spec.host);
        if (spec.port > 0) db.setPort(spec.port);
        db.setUserName(spec.user);
        db.setPassword(spec.password);
        db.setDatabaseName(spec.databaseName);
    } else {
        db.setDatabaseName(spec.path);
    }
    if (spec.kind == HostDatabaseSpec::SQLite) db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        QString message = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        throw EDatabaseError(QStringToAnsi(message));
    }
}

bool HasDocumentTables(TDatabase& db)
{
    try {
        db.OpenCursor("SELECT GSDW00 FROM XSTGJFP1 WHERE 1=0", {});
        return true;
    } catch (const EDatabaseError&) {
        return false;
    }
}

void CreateSchema(TDatabase& db)
{
    db.ExecScript(db.Engine() == TDbEngine::SQLite ? kScript_sqlite_schema : kScript_postgresql_schema);
}

void RegisterHostRoutines(TDatabase& db, TSession& session)
{
    sqlite3* handle = db.SqliteHandle();
    if (!handle) return;
    if (sqlite3_create_function_v2(handle, "decode", -1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, decodeFunction,
                                   nullptr, nullptr, nullptr) != SQLITE_OK)
        throw EDatabaseError(sqlite3_errmsg(handle));
    session.RegisterRoutine("FUNC_TAVREL", FuncTavrel);
}

TDatabase& PrepareHostDatabase(const HostDatabaseSpec& spec, TSession& session, const AnsiString& alias,
                               const QString& connectionName)
{
    OpenHostDatabase(spec, connectionName);
    session.AddDatabase(alias, connectionName);
    TDatabase& db = session.Database(alias);
    if (db.Engine() == TDbEngine::SQLite) db.ExecScript("PRAGMA journal_mode = WAL;");
    if (spec.kind != HostDatabaseSpec::ODBC && !HasDocumentTables(db)) {
        CreateSchema(db);
        GenerateDemoData(db);
    }
    RegisterHostRoutines(db, session);
    return db;
}
