#include "ReadBack.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

#include <gtest/gtest.h>

namespace {
QJsonObject runReader(const std::string& file, QStringList args)
{
    QProcess python;
    args.prepend(QStringLiteral(READBACK_SCRIPT));
    args.append(QString::fromStdString(file));
    python.start(QStringLiteral(READBACK_PYTHON), args);
    if (!python.waitForFinished(600000) || python.exitStatus() != QProcess::NormalExit || python.exitCode() != 0) {
        ADD_FAILURE() << "cannot read " << file << " back: " << python.readAllStandardError().toStdString();
        return {};
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(python.readAllStandardOutput(), &error);
    if (error.error != QJsonParseError::NoError) ADD_FAILURE() << "read-back of " << file << ": " << error.errorString().toStdString();
    return doc.object();
}
}  // namespace

QJsonObject ReadBack(const std::string& file) { return runReader(file, {}); }

QJsonObject ReadBackSheetHeads(const std::string& file, int rows)
{
    return runReader(file, {QStringLiteral("--heads"), QString::number(rows)});
}

QJsonValue SheetCell(const QJsonObject& book, int row, int column, int sheet)
{
    const QJsonArray rows = book["sheets"][sheet]["rows"].toArray();
    if (row >= rows.size()) return QJsonValue::Null;
    const QJsonArray cells = rows[row].toArray();
    return column < cells.size() ? cells[column] : QJsonValue(QJsonValue::Null);
}

void PrintTo(const QJsonValue& value, std::ostream* out)
{
    QJsonArray wrapped{value};
    const QByteArray text = QJsonDocument(wrapped).toJson(QJsonDocument::Compact);
    *out << text.mid(1, text.size() - 2).toStdString();
}

void PrintTo(const QJsonArray& value, std::ostream* out)
{
    *out << QJsonDocument(value).toJson(QJsonDocument::Compact).toStdString();
}

void PrintTo(const QJsonObject& value, std::ostream* out)
{
    *out << QJsonDocument(value).toJson(QJsonDocument::Compact).toStdString();
}
