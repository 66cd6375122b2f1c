#include "Application.h"

#include "Dialogs.h"
#include "Exceptions.h"
#include "InstallLayout.h"

#include <QCoreApplication>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

TApplication& Application()
{
    static TApplication app;
    return app;
}

void TApplication::HandleException(const std::exception& e) noexcept
{
    if (dynamic_cast<const EAbort*>(&e)) return;
    try {
        if (onException_) {
            onException_(e);
            return;
        }
        MessageBox(e.what(), title_, MB_OK | MB_ICONERROR);
    } catch (...) {
        // A failing handler must not take the event loop down with it.
        std::fprintf(stderr, "%s\n", AnsiToUtf8(e.what()).c_str());
    }
}

void TApplication::HandleCurrentException() noexcept
{
    try {
        throw;
    } catch (const std::exception& e) {
        HandleException(e);
    } catch (...) {
        HandleException(Exception("Unknown error"));
    }
}

void TApplication::ProcessMessages()
{
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

TQtApplication::TQtApplication(int& argc, char** argv) : QApplication(argc, argv)
{
}

bool TQtApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        Application().HandleCurrentException();
        return false;
    }
}

namespace {

// A directory only we can enter: ours, private, and not a link someone put there.
bool usableRuntimeDirectory(const char* dir)
{
    struct stat st {};
    return dir && *dir && lstat(dir, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid() &&
           (st.st_mode & 077) == 0;
}

// Qt wants a private runtime directory and warns on standard error when
// XDG_RUNTIME_DIR is unset or not private (as under cron, su or a build
// runner). Such a process uses the user's own stockin-runtime-UID in the
// temporary directory, made private on first use and kept for the next run.
// When that name is taken by something that is not ours and private, the
// process makes a directory of its own with mkdtemp and removes it at exit.
void usePrivateRuntimeDirectory()
{
    if (usableRuntimeDirectory(std::getenv("XDG_RUNTIME_DIR"))) return;
    std::error_code ec;
    std::filesystem::path tmp = std::filesystem::temp_directory_path(ec);
    if (ec) tmp = "/tmp";
    const std::string shared = (tmp / ("stockin-runtime-" + std::to_string(geteuid()))).string();
    mkdir(shared.c_str(), 0700);  // fails harmlessly when it exists; checked below
    if (usableRuntimeDirectory(shared.c_str())) {
        setenv("XDG_RUNTIME_DIR", shared.c_str(), 1);
        return;
    }
    // One directory of its own per process, however often this runs.
    static std::string own;
    if (own.empty() || !usableRuntimeDirectory(own.c_str())) {
        std::string made = (tmp / "stockin-runtime-XXXXXX").string();
        if (!mkdtemp(made.data())) return;
        if (own.empty())
            std::atexit([] {
                std::error_code ignored;
                std::filesystem::remove_all(own, ignored);
            });
        own = made;
    }
    setenv("XDG_RUNTIME_DIR", own.c_str(), 1);
}

}  // namespace

void InitRuntimeEnvironment()
{
    usePrivateRuntimeDirectory();
    if (std::getenv("FONTCONFIG_FILE")) return;
    std::error_code ec;
    std::filesystem::path conf = InstalledDataDirectory() / "fonts.conf";
    if (std::filesystem::exists(conf, ec)) setenv("FONTCONFIG_FILE", conf.c_str(), 0);
}
