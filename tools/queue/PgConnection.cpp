#include "PgConnection.h"

#include <libpq-fe.h>

#include <sys/select.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>

namespace {

struct ResultDeleter {
    void operator()(PGresult* r) const { PQclear(r); }
};
using ResultPtr = std::unique_ptr<PGresult, ResultDeleter>;

std::string trimmed(const char* text)
{
    std::string s = text ? text : "";
    while (!s.empty() && (s.back() == '\n' || s.back() == ' ')) s.pop_back();
    return s;
}

}  // namespace

int PgResult::Column(const std::string& name) const
{
    auto it = std::find(names_.begin(), names_.end(), name);
    if (it == names_.end()) throw std::out_of_range("no column " + name);
    return static_cast<int>(it - names_.begin());
}

PgConnection::PgConnection(std::string conninfo) : conninfo_(std::move(conninfo)) {}

PgConnection::~PgConnection()
{
    if (conn_) PQfinish(conn_);
}

void PgConnection::Connect()
{
    if (conn_) PQfinish(conn_);
    prepared_.clear();
    conn_ = PQconnectdb(conninfo_.c_str());
    if (PQstatus(conn_) != CONNECTION_OK) {
        std::string message = trimmed(PQerrorMessage(conn_));
        PQfinish(conn_);
        conn_ = nullptr;
        throw QueueDbError(message, true);
    }
    // No notices on standard error ("relation already exists, skipping").
    PQsetNoticeProcessor(conn_, [](void*, const char*) {}, nullptr);
    Exec("SET client_encoding = 'UTF8'");
    for (const std::string& channel : channels_) Exec("LISTEN " + channel);
}

void PgConnection::Reconnect() { Connect(); }

bool PgConnection::Connected() const { return conn_ && PQstatus(conn_) == CONNECTION_OK; }

void PgConnection::raise(const std::string& what)
{
    const bool lost = !conn_ || PQstatus(conn_) != CONNECTION_OK;
    throw QueueDbError(what, lost);
}

PgResult PgConnection::Exec(const std::string& sql, const std::vector<PgValue>& params)
{
    if (!conn_) throw QueueDbError("not connected", true);
    std::vector<const char*> values;
    values.reserve(params.size());
    for (const PgValue& p : params) values.push_back(p ? p->c_str() : nullptr);
    // Without parameters a text may hold several statements (a schema).
    // With them it is one of the queue's few statements, run again and
    // again: prepared once per connection, it is not planned every time.
    ResultPtr r;
    if (params.empty()) {
        r.reset(PQexec(conn_, sql.c_str()));
    } else {
        auto it = prepared_.find(sql);
        if (it == prepared_.end()) {
            const std::string name = "rq" + std::to_string(prepared_.size() + 1);
            ResultPtr p(PQprepare(conn_, name.c_str(), sql.c_str(), static_cast<int>(values.size()), nullptr));
            if (!p || PQresultStatus(p.get()) != PGRES_COMMAND_OK) {
                const char* primary = p ? PQresultErrorField(p.get(), PG_DIAG_MESSAGE_PRIMARY) : nullptr;
                raise(primary ? trimmed(primary) : trimmed(PQerrorMessage(conn_)));
            }
            it = prepared_.emplace(sql, name).first;
        }
        r.reset(PQexecPrepared(conn_, it->second.c_str(), static_cast<int>(values.size()), values.data(), nullptr,
                               nullptr, 0));
    }
    const ExecStatusType status = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        const char* primary = r ? PQresultErrorField(r.get(), PG_DIAG_MESSAGE_PRIMARY) : nullptr;
        raise(primary ? trimmed(primary) : trimmed(PQerrorMessage(conn_)));
    }
    PgResult result;
    const int columns = PQnfields(r.get());
    for (int c = 0; c < columns; ++c) result.names_.emplace_back(PQfname(r.get(), c));
    const int rows = PQntuples(r.get());
    result.rows_.resize(static_cast<size_t>(rows));
    for (int i = 0; i < rows; ++i) {
        auto& row = result.rows_[static_cast<size_t>(i)];
        row.reserve(static_cast<size_t>(columns));
        for (int c = 0; c < columns; ++c)
            row.push_back(PQgetisnull(r.get(), i, c) ? PgValue() : PgValue(std::string(PQgetvalue(r.get(), i, c),
                                                                                       static_cast<size_t>(PQgetlength(r.get(), i, c)))));
    }
    const char* affected = PQcmdTuples(r.get());
    result.affected_ = affected && *affected ? std::strtol(affected, nullptr, 10) : 0;
    return result;
}

void PgConnection::Rollback() noexcept
{
    if (!Connected()) return;
    ResultPtr r(PQexec(conn_, "ROLLBACK"));
}

bool PgConnection::Listen(const std::string& channel)
{
    try {
        Exec("LISTEN " + channel);
    } catch (const QueueDbError& e) {
        if (e.connectionLost) throw;
        return false;
    }
    if (std::find(channels_.begin(), channels_.end(), channel) == channels_.end()) channels_.push_back(channel);
    return true;
}

bool PgConnection::drainNotifications()
{
    bool any = false;
    while (PGnotify* n = PQnotifies(conn_)) {
        any = true;
        PQfreemem(n);
    }
    return any;
}

PgConnection::Wake PgConnection::Wait(std::chrono::milliseconds timeout, int wakeFd)
{
    if (!conn_) throw QueueDbError("not connected", true);
    if (drainNotifications()) return Wake::Notified;
    const int socket = PQsocket(conn_);
    if (socket < 0) raise("the connection has no socket");
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket, &readable);
    if (wakeFd >= 0) FD_SET(wakeFd, &readable);
    const auto ms = std::max<long long>(0, timeout.count());
    timeval tv{static_cast<time_t>(ms / 1000), static_cast<suseconds_t>(ms % 1000 * 1000)};
    const int ready = select(std::max(socket, wakeFd) + 1, &readable, nullptr, nullptr, &tv);
    if (ready < 0) {
        if (errno == EINTR) return Wake::Interrupted;
        raise("select failed");
    }
    if (wakeFd >= 0 && FD_ISSET(wakeFd, &readable)) return Wake::Interrupted;
    if (ready == 0) return Wake::TimedOut;
    // The socket is readable: a notification, or the server going away.
    if (!PQconsumeInput(conn_) || PQstatus(conn_) != CONNECTION_OK) raise(trimmed(PQerrorMessage(conn_)));
    return drainNotifications() ? Wake::Notified : Wake::TimedOut;
}
