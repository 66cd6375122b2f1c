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

bool usableRuntimeDirectory(const char* dir)
{
    struct stat st {};
    return dir && *dir && stat(dir, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid() &&
           (st.st_mode & 077) == 0;
}

// Qt wants a private runtime directory and warns on standard error when
// XDG_RUNTIME_DIR is unset or not private (as under cron, su or a build
// runner). Such a process gets a directory of its own, made by mkdtemp (so
// only we can enter it) and removed when the process ends.
void usePrivateRuntimeDirectory()
{
    if (usableRuntimeDirectory(std::getenv("XDG_RUNTIME_DIR"))) return;
    static std::string dir;
    std::error_code ec;
    std::filesystem::path tmp = std::filesystem::temp_directory_path(ec);
    dir = ((ec ? std::filesystem::path("/tmp") : tmp) / "stockin-runtime-XXXXXX").string();
    if (!mkdtemp(dir.data())) return;
    setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    });
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
