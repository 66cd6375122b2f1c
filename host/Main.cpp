// stockin-host: the host application of the audit module.
#include "HostOptions.h"
#include "HostWindow.h"
#include "db/HostDatabase.h"
#include "runtime/Application.h"
#include "runtime/FormatSettings.h"
#include "runtime/InstallLayout.h"
#include "runtime/db/Session.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>

#include <dlfcn.h>

#include <cstdio>
#include <filesystem>

#ifndef STOCKIN_VERSION
#define STOCKIN_VERSION "unknown"
#endif

namespace {

std::string defaultDatabase()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dir);
    return (dir + QStringLiteral("/stockin-demo.sqlite")).toStdString();
}

// The module reads its report templates from the current directory, as it was
// made for hosts that run in their own installation directory; this host runs
// in the templates' directory once the database is open and the module loaded
// (relative paths of the command line are resolved before that).
bool enterTemplateDirectory(const std::string& chosen)
{
    std::filesystem::path dir = chosen.empty() ? InstalledTemplateDirectory() : std::filesystem::path(chosen);
    std::error_code ec;
    std::filesystem::current_path(dir, ec);
    if (ec && !chosen.empty()) {
        std::fprintf(stderr, "stockin-host: %s: %s\n", chosen.c_str(), ec.message().c_str());
        return false;
    }
    return true;
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
    HostOptions options;
    try {
        options = ParseHostOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const CommandLineError& e) {
        std::fprintf(stderr, "stockin-host: %s (see --help)\n", e.message.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(HelpText(HostCommandLine()).c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("stockin-host %s\n", STOCKIN_VERSION);
        return 0;
    }
    if (!options.screenshot.empty()) options.screenshot = std::filesystem::absolute(options.screenshot).string();
    InitRuntimeEnvironment();

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

    std::string module =
        options.module.empty() ? (InstalledModuleDirectory() / "libstockin_audit.so").string() : options.module;
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
    if (!enterTemplateDirectory(options.templates)) return 1;

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
