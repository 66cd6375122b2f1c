#pragma once
// Exported files read back by readers that are not ours (openpyxl, Python's
// csv module and html.parser, through tests/support/readback.py), as JSON.
// The shape of the JSON is described at the top of that script.

#include <QJsonObject>

#include <ostream>
#include <string>

// What the reader saw; a test failure (and an empty object) when it could
// not read the file.
QJsonObject ReadBack(const std::string& file);
// The first `rows` rows of every sheet of a workbook and each sheet's row
// count, read lazily (for workbooks too large to read whole).
QJsonObject ReadBackSheetHeads(const std::string& file, int rows);

// A cell of a read-back XLSX sheet (0-based row and column), null when empty.
QJsonValue SheetCell(const QJsonObject& book, int row, int column, int sheet = 0);

// Shows JSON values as JSON text in test failures.
void PrintTo(const QJsonValue& value, std::ostream* out);
void PrintTo(const QJsonArray& value, std::ostream* out);
void PrintTo(const QJsonObject& value, std::ostream* out);
