// stockin-host: the host application of the audit module.
#include "HostOptions.h"
#include "HostWindow.h"
#include "db/HostDatabase.h"
#include "runtime/Application.h"
#include "runtime/FormatSettings.h"
#include "runtime/db/Session.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>

#include <dlfcn.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace {

std::string defaultDatabase()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dir);
    return (dir + QStringLiteral("/stockin-demo.sqlite")).toStdString();
}

std::string defaultModule()
{
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return (exe.parent_path() / "libstockin_audit.so").string();
}

// Saves the screen once the audit window is up, then closes it.
void armScreenshot(const std::string& file)
{
    QTimer::singleShot(1500, [file] {
        Guard([&] {
            QWidget* window = QApplication::activeModalWidget();
            QScreen* screen = QGuiApplication::primaryScreen();
            if (screen && !screen->grabWindow(0).save(QString::fromStdString(file)))
                std::fprintf(stderr, "stockin-host: cannot write %s\n", file.c_str());
            if (window) window->close();
            QTimer::singleShot(0, [] { QApplication::quit(); });
        });
    });
}

}  // namespace

int main(int argc, char** argv)
{
    InitRuntimeEnvironment();
    std::vector<std::string> args(argv + 1, argv + argc);
    HostOptions options;
    try {
        options = ParseHostOptions(args);
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr, "stockin-host: %s\n", e.what());
        return 2;
    }
    if (options.help) {
        std::fputs(HostUsage(), stdout);
        return 0;
    }

    TQtApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("stockin-host"));
    LoadFormatSettingsFromLocale();
    Application().SetTitle(Ansi(u8"系统提示"));

    TSession session;
    try {
        std::string database = options.database.empty() ? defaultDatabase() : options.database;
        PrepareHostDatabase(ParseDatabaseSpec(database), session, "qdb", QStringLiteral("qdb"));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "stockin-host: %s\n", AnsiToUtf8(e.what()).c_str());
        return 1;
    }

    std::string module = options.module.empty() ? defaultModule() : options.module;
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        std::fprintf(stderr, "stockin-host: %s\n", dlerror());
        return 1;
    }
    auto showdll = reinterpret_cast<HostWindow::ShowDll>(dlsym(handle, "showdll"));
    if (!showdll) {
        std::fprintf(stderr, "stockin-host: %s has no showdll\n", module.c_str());
        return 1;
    }

    int rc;
    {
        HostWindow window(options, session, showdll);
        Application().SetHandle(&window);
        window.show();
        if (!options.screenshot.empty()) armScreenshot(options.screenshot);
        if (options.open) QTimer::singleShot(0, &window, Guarded([&] { window.OpenAuditWindow(); }));
        rc = app.exec();
        Application().SetHandle(nullptr);
    }
    dlclose(handle);
    return rc;
}
