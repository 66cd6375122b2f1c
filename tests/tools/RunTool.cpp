#include "RunTool.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <csignal>

std::unique_ptr<QProcess> StartTool(const std::string& program, const std::vector<std::string>& args)
{
    auto process = std::make_unique<QProcess>();
    QStringList list;
    for (const auto& a : args) list << QString::fromStdString(a);
    // As from a plain shell: the program finds its fonts itself, and the
    // runtime directory is unset, as under cron or a build runner.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("FONTCONFIG_FILE");
    env.remove("XDG_RUNTIME_DIR");
    process->setProcessEnvironment(env);
    process->start(QString::fromStdString(program), list);
    if (!process->waitForStarted()) return nullptr;
    return process;
}

ToolResult RunTool(const std::string& program, const std::vector<std::string>& args, const std::string& input)
{
    ToolResult result;
    std::unique_ptr<QProcess> process = StartTool(program, args);
    if (!process) return result;
    if (!input.empty()) process->write(input.data(), static_cast<qint64>(input.size()));
    process->closeWriteChannel();
    process->waitForFinished(120000);
    result.exitCode = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    result.out = process->readAllStandardOutput().toStdString();
    result.err = process->readAllStandardError().toStdString();
    return result;
}

ToolResult InterruptOnCue(QProcess& process, const std::string& cue)
{
    ToolResult result;
    std::string err;
    process.setReadChannel(QProcess::StandardError);
    while (err.find(cue) == std::string::npos && process.state() == QProcess::Running) {
        process.waitForReadyRead(1000);
        err += process.readAllStandardError().toStdString();
    }
    if (process.state() == QProcess::Running) ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
    } else if (process.exitStatus() == QProcess::NormalExit) {
        result.exitCode = process.exitCode();
    }
    result.out = process.readAllStandardOutput().toStdString();
    result.err = err + process.readAllStandardError().toStdString();
    return result;
}
