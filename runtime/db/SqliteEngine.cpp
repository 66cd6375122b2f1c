// SQLite through the sqlite3 handle of Qt's QSQLITE connection. Qt's driver
// links the system's libsqlite3, as this library does, so the handle is
// shared; reading it directly spares a QVariant and a UTF-16 string per value.
#include "DatabaseEngine.h"

#include "runtime/SysUtils.h"

#include <QSqlDriver>
#include <QVariant>

#include <sqlite3.h>

namespace {

[[noreturn]] void raise(sqlite3* db)
{
    throw EDatabaseError(Utf8ToAnsi(sqlite3_errmsg(db)));
}

void bindAll(sqlite3* db, sqlite3_stmt* stmt, const std::vector<TBindValue>& params)
{
    int expected = sqlite3_bind_parameter_count(stmt);
    for (int i = 0; i < expected; ++i) {
        int rc = SQLITE_OK;
        int n = i + 1;
        if (i >= static_cast<int>(params.size())) {
            rc = sqlite3_bind_null(stmt, n);
        } else {
            const TBindValue& p = params[i];
            const Variant& v = p.value;
            bool asDate = p.type == ftDateTime || p.type == ftDate || p.type == ftTime;
            switch (v.Type()) {
            case VarType::Integer: rc = sqlite3_bind_int64(stmt, n, v.IntValue()); break;
            case VarType::Boolean: rc = sqlite3_bind_int(stmt, n, v.BoolValue() ? 1 : 0); break;
            case VarType::Float:
                if (asDate) {
                    std::string text = IsoDateTimeText(v.FloatValue());
                    rc = sqlite3_bind_text(stmt, n, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
                } else {
                    rc = sqlite3_bind_double(stmt, n, v.FloatValue());
                }
                break;
            case VarType::DateTime: {
                std::string text = IsoDateTimeText(v.FloatValue());
                rc = sqlite3_bind_text(stmt, n, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
                break;
            }
            case VarType::String:
                if (IsBinaryFieldType(p.type)) {
                    rc = sqlite3_bind_blob(stmt, n, v.StringValue().data(), static_cast<int>(v.StringValue().size()),
                                           SQLITE_TRANSIENT);
                } else {
                    std::string text = AnsiToUtf8(v.StringValue());
                    rc = sqlite3_bind_text(stmt, n, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
                }
                break;
            default: rc = sqlite3_bind_null(stmt, n); break;
            }
        }
        if (rc != SQLITE_OK) raise(db);
    }
}

sqlite3_stmt* prepare(sqlite3* db, const AnsiString& sql)
{
    std::string text = AnsiToUtf8(sql);
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, text.c_str(), static_cast<int>(text.size()), &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        raise(db);
    }
    return stmt;
}

class SqliteCursor : public TDbCursor {
public:
    SqliteCursor(sqlite3* db, const AnsiString& sql, const std::vector<TBindValue>& params) : db_(db)
    {
        stmt_ = prepare(db, sql);
        try {
            bindAll(db, stmt_, params);
            step();
        } catch (...) {
            sqlite3_finalize(stmt_);
            throw;
        }
        int n = sqlite3_column_count(stmt_);
        for (int c = 0; c < n; ++c) {
            TFieldDef def;
            def.Name = Utf8ToAnsi(sqlite3_column_name(stmt_, c));
            const char* declared = sqlite3_column_decltype(stmt_, c);
            def.DataType = declared ? FieldTypeOfDeclared(declared, def.Size) : ftUnknown;
            if (def.DataType == ftUnknown) {
                switch (hasRow_ ? sqlite3_column_type(stmt_, c) : SQLITE_NULL) {
                case SQLITE_INTEGER: def.DataType = ftLargeint; break;
                case SQLITE_FLOAT: def.DataType = ftFloat; break;
                case SQLITE_BLOB: def.DataType = ftBlob; break;
                default: def.DataType = ftString; break;
                }
            }
            columns_.push_back(def);
        }
        MakeColumnNamesUnique(columns_);
    }
    ~SqliteCursor() override { sqlite3_finalize(stmt_); }

    bool Fetch(RecordBuilder& row, const std::vector<int>& targets, const std::vector<TFieldType>& types) override
    {
        if (!hasRow_) return false;
        int n = static_cast<int>(targets.size());
        for (int c = 0; c < n; ++c) {
            int cell = targets[c];
            if (cell < 0) continue;
            TFieldType type = types[cell];
            // One look-up of the column; its value is read without further ones.
            sqlite3_value* value = sqlite3_column_value(stmt_, c);
            switch (sqlite3_value_type(value)) {
            case SQLITE_INTEGER: StoreInteger(row, cell, type, sqlite3_value_int64(value)); break;
            case SQLITE_FLOAT: StoreFloat(row, cell, type, sqlite3_value_double(value)); break;
            case SQLITE_TEXT: {
                auto* p = reinterpret_cast<const char*>(sqlite3_value_text(value));
                StoreUtf8(row, cell, type, std::string_view(p, static_cast<size_t>(sqlite3_value_bytes(value))));
                break;
            }
            case SQLITE_BLOB: {
                auto* p = static_cast<const char*>(sqlite3_value_blob(value));
                row.SetText(cell, std::string_view(p ? p : "", static_cast<size_t>(sqlite3_value_bytes(value))));
                break;
            }
            default: row.SetNull(cell); break;
            }
        }
        step();
        return true;
    }

private:
    void step()
    {
        int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) {
            hasRow_ = true;
        } else if (rc == SQLITE_DONE) {
            hasRow_ = false;
        } else {
            hasRow_ = false;
            raise(db_);
        }
    }

    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    bool hasRow_ = false;
};

class SqliteEngine : public TDatabaseEngine {
public:
    explicit SqliteEngine(sqlite3* db) : db_(db) {}

    std::unique_ptr<TDbCursor> OpenCursor(const AnsiString& sql, const std::vector<TBindValue>& params) override
    {
        return std::make_unique<SqliteCursor>(db_, sql, params);
    }

    int ExecSQL(const AnsiString& sql, const std::vector<TBindValue>& params) override
    {
        sqlite3_stmt* stmt = prepare(db_, sql);
        int rc;
        try {
            bindAll(db_, stmt, params);
            while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            }
        } catch (...) {
            sqlite3_finalize(stmt);
            throw;
        }
        bool writes = !sqlite3_stmt_readonly(stmt);
        sqlite3_finalize(stmt);
        if (rc != SQLITE_DONE) raise(db_);
        return writes ? sqlite3_changes(db_) : 0;
    }

    void ExecScript(std::string_view utf8) override { exec(std::string(utf8).c_str()); }
    void Begin() override { exec("BEGIN"); }
    void Commit() override { exec("COMMIT"); }
    void Rollback() override
    {
        if (!sqlite3_get_autocommit(db_)) exec("ROLLBACK");
    }
    sqlite3* Handle() override { return db_; }

private:
    void exec(const char* sql)
    {
        if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) raise(db_);
    }

    sqlite3* db_;
};

}  // namespace

std::unique_ptr<TDatabaseEngine> MakeSqliteEngine(const QSqlDatabase& db)
{
    QVariant handle = db.driver()->handle();
    sqlite3* h = nullptr;
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0) h = *static_cast<sqlite3* const*>(handle.data());
    if (!h) throw EDatabaseError("SQLite connection is not open");
    return std::make_unique<SqliteEngine>(h);
}
