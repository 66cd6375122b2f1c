#pragma once
// A throw-away PostgreSQL server for tests and benchmarks: started on first use
// in a temporary directory (Unix socket only, as the postgres user when run as
// root), stopped and removed when the program ends or Stop() is called.
//
// Rules that are easy to break:
// - One server per program. Programs that start workers of their own (rqtool
//   queue work) hand them Url(); the workers see the server restart when
//   Restart() is called, exactly as clients of a real server would.
// - Nothing here needs GoogleTest: the benchmarks use the same server.

#include <string>

class ThrowawayPostgres {
public:
    // Starts the server on first use; raises std::runtime_error with the
    // server's log when it cannot.
    static ThrowawayPostgres& Instance();
    // Stops the server if one was started.
    static void StopIfStarted();

    const std::string& SocketDir() const { return dir_; }
    int Port() const { return port_; }
    const std::string& User() const { return user_; }
    // The database as stockin-host's --db option names it.
    std::string Url(const std::string& database = "postgres") const;

    // Stops the server (ending every session at once) and starts it again on
    // the same socket, as an administrator's restart does.
    void Restart();
    void Stop();

    ~ThrowawayPostgres();
    ThrowawayPostgres(const ThrowawayPostgres&) = delete;
    ThrowawayPostgres& operator=(const ThrowawayPostgres&) = delete;

private:
    ThrowawayPostgres();
    std::string bin(const char* name) const;
    [[noreturn]] void fail(const char* step);

    std::string dir_, user_;
    int port_ = 0;
    bool root_ = false;
    bool started_ = false;
};
