#pragma once
// One libpq connection of the report job queue: statements with text
// parameters, transactions, and waiting for notifications.
//
// The queue talks to PostgreSQL through libpq rather than Qt SQL because a
// worker must wait for LISTEN/NOTIFY and for a stop signal at the same time,
// without an event loop: select() on the connection's socket and a wake-up
// descriptor, with a timeout.
//
// Rules that are easy to break:
// - Every failure raises QueueDbError with the server's message. Lost() tells
//   a broken connection (server restarted, network gone) from a refused
//   statement; after a loss the connection is useless and the owner connects
//   anew (Reconnect), the queue's state being safe in the database.
// - Parameters and results are UTF-8 text; a null is std::nullopt.
// - A statement with parameters is prepared on its first use and kept for
//   the connection's life: there must be few such texts (no values pasted
//   into them).
// - Not thread-safe; one connection per process or thread.

#include <chrono>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

struct pg_conn;
struct pg_result;

struct QueueDbError : std::runtime_error {
    QueueDbError(const std::string& message, bool lost) : std::runtime_error(message), connectionLost(lost) {}
    bool connectionLost;
};

using PgValue = std::optional<std::string>;

class PgResult {
public:
    int Rows() const { return static_cast<int>(rows_.size()); }
    int Columns() const { return static_cast<int>(names_.size()); }
    // Raises std::out_of_range for a column that is not there.
    int Column(const std::string& name) const;
    const PgValue& At(int row, int column) const { return rows_.at(static_cast<size_t>(row)).at(static_cast<size_t>(column)); }
    const PgValue& At(int row, const std::string& column) const { return At(row, Column(column)); }
    // The text of a cell, "" for null.
    std::string Text(int row, const std::string& column) const { return At(row, column).value_or(std::string()); }
    const std::vector<std::string>& Names() const { return names_; }
    // Rows changed by an INSERT, UPDATE or DELETE.
    long Affected() const { return affected_; }

private:
    friend class PgConnection;
    std::vector<std::string> names_;
    std::vector<std::vector<PgValue>> rows_;
    long affected_ = 0;
};

class PgConnection {
public:
    // conninfo: a postgresql:// URL or key=value pairs, as libpq takes them.
    // Connect() raises QueueDbError (lost) when the server cannot be reached.
    explicit PgConnection(std::string conninfo);
    ~PgConnection();
    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;

    void Connect();
    // Drops the connection (if any) and connects again; channels listened to
    // before are listened to again.
    void Reconnect();
    bool Connected() const;

    PgResult Exec(const std::string& sql, const std::vector<PgValue>& params = {});

    void Begin() { Exec("BEGIN"); }
    void Commit() { Exec("COMMIT"); }
    // Never raises: a rollback on a lost connection has nothing to undo.
    void Rollback() noexcept;

    // LISTEN on the channel (kept across Reconnect). False when the server
    // does not offer notifications; the caller then polls.
    bool Listen(const std::string& channel);

    enum class Wake { Notified, TimedOut, Interrupted };
    // Waits until a notification arrives, the timeout passes, or wakeFd (if
    // not -1) becomes readable. Notifications already received count at once.
    Wake Wait(std::chrono::milliseconds timeout, int wakeFd = -1);

private:
    [[noreturn]] void raise(const std::string& what);
    bool drainNotifications();

    std::string conninfo_;
    pg_conn* conn_ = nullptr;
    std::vector<std::string> channels_;
    std::map<std::string, std::string> prepared_;  // statement text, its name on this connection
};
