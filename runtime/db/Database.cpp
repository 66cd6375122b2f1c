#include "Database.h"

#include "DatabaseEngine.h"
#include "TextConversion.h"
#include "runtime/DateTime.h"
#include "runtime/SysUtils.h"

#include <QSqlDriver>
#include <QSqlError>

#include <cstdio>

TDatabase::TDatabase(const QString& connectionName) : connectionName_(connectionName)
{
}

TDatabase::~TDatabase() = default;

TDbEngine TDatabase::Engine()
{
    QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
    QString driver = db.driverName();
    if (driver == QLatin1String("QSQLITE")) return TDbEngine::SQLite;
    if (driver == QLatin1String("QPSQL")) return TDbEngine::PostgreSQL;
    if (driver == QLatin1String("QODBC")) return TDbEngine::ODBC;
    return TDbEngine::Other;
}

void TDatabase::Connect()
{
    QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
    if (!db.isValid())
        throw EDatabaseError(Format(DBText::UnknownDatabase, QStringToAnsi(connectionName_).c_str()));
    if (!db.isOpen() && !db.open()) throw EDatabaseError(QStringToAnsi(db.lastError().text()));
}

TDatabaseEngine& TDatabase::engine()
{
    if (!engine_) {
        Connect();
        QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
        TDbEngine kind = Engine();
        engine_ = kind == TDbEngine::SQLite ? MakeSqliteEngine(db) : MakeQtSqlEngine(db, kind);
    }
    return *engine_;
}

std::unique_ptr<TDbCursor> TDatabase::OpenCursor(const AnsiString& sql, const std::vector<TBindValue>& params)
{
    return engine().OpenCursor(sql, params);
}

int TDatabase::ExecSQL(const AnsiString& sql, const std::vector<TBindValue>& params)
{
    return engine().ExecSQL(sql, params);
}

void TDatabase::ExecScript(std::string_view utf8)
{
    engine().ExecScript(utf8);
}

void TDatabase::StartTransaction()
{
    if (depth_ == 0) {
        engine().Begin();
        failed_ = false;
    }
    ++depth_;
}

void TDatabase::Commit()
{
    if (depth_ == 0) return;
    if (--depth_ > 0) return;
    if (failed_) {
        failed_ = false;
        engine().Rollback();
        throw EDatabaseError("Transaction rolled back");
    }
    engine().Commit();
}

void TDatabase::Rollback()
{
    if (depth_ == 0) return;
    if (--depth_ > 0) {
        failed_ = true;
        return;
    }
    failed_ = false;
    engine().Rollback();
}

sqlite3* TDatabase::SqliteHandle()
{
    return Engine() == TDbEngine::SQLite ? engine().Handle() : nullptr;
}

// --- dates -----------------------------------------------------------------

AnsiString IsoDateTimeText(TDateTime value)
{
    DateParts p;
    if (!DecodeDateTime(value, p)) return FloatToStrGeneral(value, 15, '.');
    char buf[40];
    if (p.msec)
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%03d", p.year, p.month, p.day, p.hour, p.minute,
                      p.second, p.msec);
    else
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour, p.minute,
                      p.second);
    return buf;
}

bool ParseIsoDateTime(std::string_view text, TDateTime& value)
{
    size_t i = 0;
    auto number = [&](int digits, int& out) {
        if (i + digits > text.size()) return false;
        out = 0;
        for (int k = 0; k < digits; ++k) {
            char c = text[i + k];
            if (c < '0' || c > '9') return false;
            out = out * 10 + (c - '0');
        }
        i += digits;
        return true;
    };
    auto expect = [&](char c) {
        if (i < text.size() && text[i] == c) {
            ++i;
            return true;
        }
        return false;
    };
    int y, mo, d, h = 0, mi = 0, s = 0, ms = 0;
    if (!number(4, y) || !expect('-') || !number(2, mo) || !expect('-') || !number(2, d)) return false;
    if (i < text.size()) {
        if (text[i] != ' ' && text[i] != 'T') return false;
        ++i;
        if (!number(2, h) || !expect(':') || !number(2, mi)) return false;
        if (expect(':')) {
            if (!number(2, s)) return false;
            if (expect('.')) {
                // Up to milliseconds; further digits are dropped.
                int digits = 0;
                while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
                    if (digits < 3) ms = ms * 10 + (text[i] - '0');
                    ++digits;
                    ++i;
                }
                if (digits == 0) return false;
                for (int k = digits; k < 3; ++k) ms *= 10;
            }
        }
        if (i != text.size()) return false;
    }
    TDateTime date, time;
    if (!TryEncodeDate(y, mo, d, date) || !TryEncodeTime(h, mi, s, ms, time)) return false;
    value = date >= 0 ? date + time : date - time;
    return true;
}

// --- storing values --------------------------------------------------------

void StoreUtf8(RecordBuilder& row, int cell, TFieldType type, std::string_view utf8)
{
    switch (type) {
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: case ftLargeint: {
        int64_t v;
        if (TryStrToInt64(utf8, v)) return row.SetInteger(cell, v);
        double d;
        if (TryStrToFloat(utf8, d, '.')) return row.SetFloat(cell, d);
        break;
    }
    case ftFloat: case ftCurrency: case ftBCD: {
        double d;
        if (TryStrToFloat(utf8, d, '.')) return row.SetFloat(cell, d);
        break;
    }
    case ftDate: case ftTime: case ftDateTime: {
        TDateTime v;
        if (ParseIsoDateTime(utf8, v)) return row.SetDateTime(cell, v);
        break;
    }
    default:
        if (IsBinaryFieldType(type)) return row.SetText(cell, utf8);
        break;
    }
    size_t start = row.TextBuffer().size();
    AppendUtf8AsAnsi(row.TextBuffer(), utf8);
    row.SetTextFromBuffer(cell, start);
}

void StoreInteger(RecordBuilder& row, int cell, TFieldType type, int64_t value)
{
    switch (type) {
    case ftFloat: case ftCurrency: case ftBCD: return row.SetFloat(cell, static_cast<double>(value));
    case ftDate: case ftTime: case ftDateTime: return row.SetDateTime(cell, static_cast<double>(value));
    case ftBoolean: return row.SetBoolean(cell, value != 0);
    case ftString: case ftFixedChar: case ftWideString: case ftMemo: case ftFmtMemo:
        return row.SetText(cell, IntToStr(value));
    default: return row.SetInteger(cell, value);
    }
}

void StoreFloat(RecordBuilder& row, int cell, TFieldType type, double value)
{
    switch (type) {
    case ftDate: case ftTime: case ftDateTime: return row.SetDateTime(cell, value);
    case ftBoolean: return row.SetBoolean(cell, value != 0);
    case ftString: case ftFixedChar: case ftWideString: case ftMemo: case ftFmtMemo:
        return row.SetText(cell, FloatToStrGeneral(value, 15, '.'));
    default: return row.SetFloat(cell, value);
    }
}

TFieldType FieldTypeOfDeclared(std::string_view declared, int& size)
{
    AnsiString t = UpperCase(declared);
    size = 0;
    auto has = [&](const char* word) { return t.find(word) != AnsiString::npos; };
    if (has("CHAR") || has("CLOB") || has("TEXT")) {
        size_t open = t.find('(');
        if (open != AnsiString::npos) size = std::atoi(t.c_str() + open + 1);
        return has("CLOB") ? ftMemo : ftString;
    }
    if (has("BIGINT") || has("INT8")) return ftLargeint;
    if (has("INT")) return ftInteger;
    if (has("BOOL")) return ftBoolean;
    if (has("REAL") || has("FLOA") || has("DOUB") || has("NUM") || has("DEC")) return ftFloat;
    if (has("TIMESTAMP") || has("DATETIME")) return ftDateTime;
    if (has("DATE")) return ftDate;
    if (has("TIME")) return ftTime;
    if (has("BLOB") || has("BYTEA") || has("BINARY")) return ftBlob;
    return ftUnknown;
}

void MakeColumnNamesUnique(TFieldDefs& columns)
{
    for (size_t i = 0; i < columns.size(); ++i) {
        AnsiString base = columns[i].Name;
        for (int n = 1;; ++n) {
            bool clash = false;
            for (size_t j = 0; j < i; ++j)
                if (SameText(columns[j].Name, columns[i].Name)) clash = true;
            if (!clash) break;
            columns[i].Name = base + "_" + IntToStr(n);
        }
    }
}
