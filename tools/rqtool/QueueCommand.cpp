#include "QueueCommand.h"

#include "db/HostDatabase.h"
#include "runtime/Exceptions.h"
#include "runtime/SysUtils.h"
#include "tools/queue/JobStore.h"

#include <cmath>

CommandLineOption QueueDbOption()
{
    return {{"db"}, "URL",
            "The PostgreSQL database of the queue and of the reports, as stockin-host --db takes it "
            "(postgresql://USER@HOST:PORT/DB, ?host=DIR for a Unix socket)."};
}

RqCommand::Entry QueueEntry(RqCommand::Entry entry)
{
    return [entry = std::move(entry)](const CommandLine& line) {
        try {
            return entry(line);
        } catch (const QueueDbError& e) {
            throw Exception(Utf8ToAnsi(e.what()));
        }
    };
}

namespace {

// A value of a libpq key=value connection string.
std::string quoted(const QString& value)
{
    std::string out = "'";
    for (char c : value.toStdString()) {
        if (c == '\'' || c == '\\') out += '\\';
        out += c;
    }
    return out + "'";
}

}  // namespace

std::string QueueConninfo(const std::string& url)
{
    if (url.empty()) throw RqUsageError{"the queue needs --db"};
    HostDatabaseSpec spec;
    try {
        spec = ParseDatabaseSpec(url);
    } catch (const Exception& e) {
        throw RqUsageError{AnsiToUtf8(e.Message())};
    }
    if (spec.kind != HostDatabaseSpec::PostgreSQL)
        throw RqUsageError{"the queue needs a PostgreSQL database (postgresql://...), not " + url};
    std::string conninfo = "dbname=" + quoted(spec.databaseName) + " application_name='rqtool queue'";
    if (!spec.host.isEmpty()) conninfo += " host=" + quoted(spec.host);
    if (spec.port > 0) conninfo += " port=" + std::to_string(spec.port);
    if (!spec.user.isEmpty()) conninfo += " user=" + quoted(spec.user);
    if (!spec.password.isEmpty()) conninfo += " password=" + quoted(spec.password);
    return conninfo;
}

void OpenQueue(PgConnection& connection, JobStore& store)
{
    connection.Connect();
    if (!store.SchemaPresent()) throw Exception("the database has no report queue (rqtool queue init creates it)");
}

double SecondsOption(const CommandLine& line, const std::string& name, double fallback)
{
    if (!line.IsSet(name)) return fallback;
    const std::string text = line.Value(name);
    double value = 0;
    if (!TryStrToFloat(text, value, '.') || !std::isfinite(value) || value < 0)
        throw RqUsageError{"--" + name + " needs a number of seconds, not '" + text + "'"};
    return value;
}

std::string OneLine(const std::string& message)
{
    std::string line, part;
    auto flush = [&] {
        if (!part.empty()) line += (line.empty() ? "" : "; ") + part;
        part.clear();
    };
    for (char c : message) {
        if (c == '\n' || c == '\r') flush();
        else part += c;
    }
    flush();
    return line;
}

std::string SecondsText(double seconds)
{
    return FloatToStrGeneral(seconds, 6, '.');
}
