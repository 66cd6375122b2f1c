// A grid layout kept in the user's settings (an INI file anyone can edit):
// the input is the file. Reading gives a layout, nothing, or "damaged" with
// a reason; a layout read is written again and must read back the same.
#include "grid/db/GridLayout.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
void check(bool ok)
{
    if (!ok) std::abort();
}

const QString kGroup = QStringLiteral("Software/Test/Orders");

TqvLayoutRead readFile(const QString& path, TqvGridLayout& layout, QString& reason)
{
    QSettings settings(path, QSettings::IniFormat);
    return ReadGridLayout(settings, kGroup, layout, reason);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("input.ini"));
    {
        QFile file(input);
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    TqvGridLayout layout;
    QString reason;
    TqvLayoutRead result = readFile(input, layout, reason);
    check((result == TqvLayoutRead::Damaged) == !reason.isEmpty());
    if (result != TqvLayoutRead::Read) return 0;

    const QString output = dir.filePath(QStringLiteral("output.ini"));
    QFile::remove(output);
    {
        QSettings settings(output, QSettings::IniFormat);
        WriteGridLayout(settings, kGroup, layout);
    }
    TqvGridLayout again;
    check(readFile(output, again, reason) == TqvLayoutRead::Read);
    check(again.Columns.size() == layout.Columns.size() && again.Bands.size() == layout.Bands.size() &&
          again.Sort.size() == layout.Sort.size() && again.Filters.size() == layout.Filters.size());
    for (size_t i = 0; i < layout.Columns.size(); ++i)
        check(again.Columns[i].Name == layout.Columns[i].Name && again.Columns[i].Width == layout.Columns[i].Width);
    for (size_t i = 0; i < layout.Filters.size(); ++i)
        check(again.Filters[i].First.Op == layout.Filters[i].First.Op &&
              again.Filters[i].First.Values.size() == layout.Filters[i].First.Values.size());
    return 0;
}
