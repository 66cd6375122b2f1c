#include "PgServer.h"

#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string shellQuote(const std::string& s)
{
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

int freePort()
{
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof addr;
    int port = 55432;
    if (fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
        port = ntohs(addr.sin_port);
    if (fd >= 0) close(fd);
    return port;
}

int run(const std::string& command) { return std::system(command.c_str()); }

bool& started()
{
    static bool value = false;
    return value;
}

}  // namespace

ThrowawayPostgres& ThrowawayPostgres::Instance()
{
    static ThrowawayPostgres server;
    started() = true;
    return server;
}

void ThrowawayPostgres::StopIfStarted()
{
    if (started()) Instance().Stop();
}

ThrowawayPostgres::ThrowawayPostgres()
{
    const char* base = std::getenv("TMPDIR");
    std::string tmpl = std::string(base && *base ? base : "/tmp") + "/stockin-pg-XXXXXX";
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data())) throw std::runtime_error("mkdtemp failed");
    dir_ = buf.data();
    root_ = geteuid() == 0;
    if (root_) {
        passwd* pw = getpwnam("postgres");
        if (!pw) throw std::runtime_error("no postgres user to run the test server");
        if (chown(dir_.c_str(), pw->pw_uid, pw->pw_gid) != 0) throw std::runtime_error("chown failed");
        user_ = "postgres";
    } else {
        passwd* pw = getpwuid(geteuid());
        user_ = pw ? pw->pw_name : "postgres";
    }
    chmod(dir_.c_str(), 0755);
    port_ = freePort();
    std::string data = dir_ + "/data";
    if (run(bin("initdb") + " -D " + shellQuote(data) + " -A trust -U " + user_ + " -E UTF8 --no-locale >" +
            shellQuote(dir_ + "/initdb.log") + " 2>&1") != 0)
        fail("initdb");
    std::string options = "-k " + dir_ + " -p " + std::to_string(port_) +
                          " -c listen_addresses='' -c fsync=off -c full_page_writes=off";
    if (run(bin("pg_ctl") + " -D " + shellQuote(data) + " -o " + shellQuote(options) + " -l " +
            shellQuote(dir_ + "/server.log") + " -w -t 60 start >/dev/null 2>&1") != 0)
        fail("pg_ctl start");
    started_ = true;
    // A crashed program must not leave a server behind: the atexit of the
    // static instance stops it on every normal exit.
}

ThrowawayPostgres::~ThrowawayPostgres() { Stop(); }

std::string ThrowawayPostgres::Url(const std::string& database) const
{
    // A port other than the default is part of the socket's name.
    return "postgresql://" + user_ + "@localhost:" + std::to_string(port_) + "/" + database + "?host=" + dir_;
}

void ThrowawayPostgres::Restart()
{
    if (!started_) return;
    if (run(bin("pg_ctl") + " -D " + shellQuote(dir_ + "/data") + " -l " + shellQuote(dir_ + "/server.log") +
            " -m fast -w -t 60 restart >/dev/null 2>&1") != 0)
        fail("pg_ctl restart");
}

void ThrowawayPostgres::Stop()
{
    if (!started_) return;
    started_ = false;
    run(bin("pg_ctl") + " -D " + shellQuote(dir_ + "/data") + " -m immediate -w stop >/dev/null 2>&1");
    std::error_code ec;
    fs::remove_all(dir_, ec);
}

std::string ThrowawayPostgres::bin(const char* name) const
{
    std::string path = std::string("/usr/lib/postgresql/15/bin/") + name;
    if (root_) return "runuser -u postgres -- " + path;
    return path;
}

void ThrowawayPostgres::fail(const char* step)
{
    std::string log;
    for (const char* f : {"/initdb.log", "/server.log"}) {
        std::ifstream in(dir_ + f);
        log += std::string(std::istreambuf_iterator<char>(in), {});
    }
    throw std::runtime_error(std::string(step) + " failed: " + log);
}
