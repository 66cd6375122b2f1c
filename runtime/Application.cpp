#include "Application.h"

#include "Dialogs.h"
#include "Exceptions.h"

#include <QCoreApplication>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
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

void InitRuntimeEnvironment()
{
    if (std::getenv("FONTCONFIG_FILE")) return;
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return;
    for (auto dir : {exe.parent_path(), exe.parent_path().parent_path() / "share" / "stockin-audit"}) {
        std::filesystem::path conf = dir / "fonts.conf";
        if (std::filesystem::exists(conf, ec)) {
            setenv("FONTCONFIG_FILE", conf.c_str(), 0);
            return;
        }
    }
}
