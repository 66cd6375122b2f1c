#pragma once
// The engines behind TDatabase (internal to the database layer).

#include "Database.h"
#include "TextConversion.h"

#include <QSqlDatabase>

class TDatabaseEngine {
public:
    virtual ~TDatabaseEngine() = default;
    virtual std::unique_ptr<TDbCursor> OpenCursor(const AnsiString& sql, const std::vector<TBindValue>& params) = 0;
    virtual int ExecSQL(const AnsiString& sql, const std::vector<TBindValue>& params) = 0;
    virtual void ExecScript(std::string_view utf8) = 0;
    virtual void Begin() = 0;
    virtual void Commit() = 0;
    virtual void Rollback() = 0;
    virtual sqlite3* Handle() { return nullptr; }
};

std::unique_ptr<TDatabaseEngine> MakeSqliteEngine(const QSqlDatabase& db);
std::unique_ptr<TDatabaseEngine> MakeQtSqlEngine(const QSqlDatabase& db, TDbEngine kind);

// Storing values read from a database into a record cell of a field type.
// Text arrives in UTF-8 and is kept in the code page; numbers and dates are
// kept as the field's kind when they convert, else as they came.
void StoreUtf8(RecordBuilder& row, int cell, TFieldType type, std::string_view utf8);
void StoreInteger(RecordBuilder& row, int cell, TFieldType type, int64_t value);
void StoreFloat(RecordBuilder& row, int cell, TFieldType type, double value);
// A field type for a column's declared SQL type ("VARCHAR(12)", "REAL", ...);
// ftUnknown when the name says nothing.
TFieldType FieldTypeOfDeclared(std::string_view declared, int& size);
// The column names of a result made unique: the second "SPMC00" is "SPMC00_1".
void MakeColumnNamesUnique(TFieldDefs& columns);
