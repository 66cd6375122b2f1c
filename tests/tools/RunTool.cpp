#include "RunTool.h"

#include <QProcess>
#include <QStringList>

ToolResult RunTool(const std::string& program, const std::vector<std::string>& args, const std::string& input)
{
    QProcess process;
    QStringList list;
    for (const auto& a : args) list << QString::fromStdString(a);
    process.start(QString::fromStdString(program), list);
    ToolResult result;
    if (!process.waitForStarted()) return result;
    if (!input.empty()) process.write(input.data(), static_cast<qint64>(input.size()));
    process.closeWriteChannel();
    process.waitForFinished(120000);
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}
