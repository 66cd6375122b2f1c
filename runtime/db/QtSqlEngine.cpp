// Servers through Qt SQL (PostgreSQL, ODBC and any other driver).
#include "DatabaseEngine.h"

#include "runtime/DateTime.h"
#include "runtime/SysUtils.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include <map>

namespace {

[[noreturn]] void raise(const QSqlError& error)
{
    QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    throw EDatabaseError(QStringToAnsi(text.trimmed()));
}

QDateTime toQDateTime(TDateTime value)
{
    DateParts p;
    if (!DecodeDateTime(value, p)) return QDateTime();
    return QDateTime(QDate(p.year, p.month, p.day), QTime(p.hour, p.minute, p.second, p.msec));
}

TDateTime fromQDate(const QDate& d)
{
    TDateTime v = 0;
    TryEncodeDate(d.year(), d.month(), d.day(), v);
    return v;
}

TDateTime fromQTime(const QTime& t)
{
    TDateTime v = 0;
    TryEncodeTime(t.hour(), t.minute(), t.second(), t.msec(), v);
    return v;
}

QMetaType metaTypeOf(TFieldType type)
{
    switch (type) {
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: return QMetaType(QMetaType::Int);
    case ftLargeint: return QMetaType(QMetaType::LongLong);
    case ftFloat: case ftCurrency: case ftBCD: return QMetaType(QMetaType::Double);
    case ftBoolean: return QMetaType(QMetaType::Bool);
    case ftDate: return QMetaType(QMetaType::QDate);
    case ftTime: return QMetaType(QMetaType::QTime);
    case ftDateTime: return QMetaType(QMetaType::QDateTime);
    default: return QMetaType(IsBinaryFieldType(type) ? QMetaType::QByteArray : QMetaType::QString);
    }
}

QVariant toQVariant(const TBindValue& p)
{
    const Variant& v = p.value;
    bool asDate = p.type == ftDateTime || p.type == ftDate || p.type == ftTime;
    switch (v.Type()) {
    case VarType::Integer: return QVariant(static_cast<qlonglong>(v.IntValue()));
    case VarType::Boolean: return QVariant(v.BoolValue());
    case VarType::Float: return asDate ? QVariant(toQDateTime(v.FloatValue())) : QVariant(v.FloatValue());
    case VarType::DateTime: return QVariant(toQDateTime(v.FloatValue()));
    case VarType::String:
        if (metaTypeOf(p.type).id() == QMetaType::QByteArray)
            return QVariant(QByteArray(v.StringValue().data(), static_cast<qsizetype>(v.StringValue().size())));
        return QVariant(AnsiToQString(v.StringValue()));
    default: return QVariant(metaTypeOf(p.type));
    }
}

TFieldType fieldTypeOf(const QSqlField& f, int& size)
{
    size = 0;
    switch (f.metaType().id()) {
    case QMetaType::Int: case QMetaType::Short: case QMetaType::UInt: case QMetaType::UShort: return ftInteger;
    case QMetaType::LongLong: case QMetaType::ULongLong: return ftLargeint;
    case QMetaType::Double: case QMetaType::Float: return ftFloat;
    case QMetaType::Bool: return ftBoolean;
    case QMetaType::QDate: return ftDate;
    case QMetaType::QTime: return ftTime;
    case QMetaType::QDateTime: return ftDateTime;
    case QMetaType::QByteArray: return ftBlob;
    default:
        if (f.length() > 0) size = static_cast<int>(f.length()) * (IsDoubleByteCodePage() ? 2 : 1);
        return ftString;
    }
}

void bindAndExec(QSqlQuery& q, const std::vector<TBindValue>& params)
{
    for (size_t i = 0; i < params.size(); ++i) q.bindValue(static_cast<int>(i), toQVariant(params[i]));
    if (!q.exec()) raise(q.lastError());
}

void prepareAndBind(QSqlQuery& q, const AnsiString& sql, const std::vector<TBindValue>& params)
{
    if (!q.prepare(AnsiToQString(sql))) raise(q.lastError());
    bindAndExec(q, params);
}

class QtSqlCursor : public TDbCursor {
public:
    QtSqlCursor(const QSqlDatabase& db, bool forwardOnly, const AnsiString& sql, const std::vector<TBindValue>& params)
        : q_(db)
    {
        q_.setForwardOnly(forwardOnly);
        q_.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
        prepareAndBind(q_, sql, params);
        if (!q_.isSelect()) throw EDatabaseError(DBText::NoResultSet);
        QSqlRecord rec = q_.record();
        for (int c = 0; c < rec.count(); ++c) {
            TFieldDef def;
            def.Name = QStringToAnsi(rec.fieldName(c));
            def.DataType = fieldTypeOf(rec.field(c), def.Size);
            columns_.push_back(def);
        }
        MakeColumnNamesUnique(columns_);
    }

    bool Fetch(RecordBuilder& row, const std::vector<int>& targets, const std::vector<TFieldType>& types) override
    {
        if (!q_.next()) {
            if (q_.lastError().isValid()) raise(q_.lastError());
            return false;
        }
        for (size_t c = 0; c < targets.size(); ++c) {
            int cell = targets[c];
            if (cell < 0) continue;
            store(row, cell, types[cell], q_.value(static_cast<int>(c)));
        }
        return true;
    }

private:
    static void store(RecordBuilder& row, int cell, TFieldType type, const QVariant& v)
    {
        if (v.isNull()) return row.SetNull(cell);
        switch (v.metaType().id()) {
        case QMetaType::Int: case QMetaType::Short: case QMetaType::UInt: case QMetaType::UShort:
        case QMetaType::LongLong: case QMetaType::ULongLong: return StoreInteger(row, cell, type, v.toLongLong());
        case QMetaType::Double: case QMetaType::Float: return StoreFloat(row, cell, type, v.toDouble());
        case QMetaType::Bool: return StoreInteger(row, cell, type, v.toBool() ? 1 : 0);
        case QMetaType::QDate: return StoreFloat(row, cell, type == ftUnknown ? ftDate : type, fromQDate(v.toDate()));
        case QMetaType::QTime: return StoreFloat(row, cell, type == ftUnknown ? ftTime : type, fromQTime(v.toTime()));
        case QMetaType::QDateTime: {
            QDateTime dt = v.toDateTime();
            TDateTime value = fromQDate(dt.date());
            TDateTime time = fromQTime(dt.time());
            value = value >= 0 ? value + time : value - time;
            if (type == ftString || type == ftMemo) return row.SetText(cell, DateTimeToStr(value));
            return row.SetDateTime(cell, value);
        }
        case QMetaType::QByteArray: {
            QByteArray bytes = v.toByteArray();
            return row.SetText(cell, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
        }
        default: {
            QByteArray utf8 = v.toString().toUtf8();
            return StoreUtf8(row, cell, type, std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
        }
        }
    }

    QSqlQuery q_;
};

class QtSqlEngine : public TDatabaseEngine {
public:
    QtSqlEngine(const QSqlDatabase& db, TDbEngine kind) : db_(db), kind_(kind) {}

    std::unique_ptr<TDbCursor> OpenCursor(const AnsiString& sql, const std::vector<TBindValue>& params) override
    {
        // PostgreSQL's driver drops a row-by-row result when the next statement
        // runs on the connection, so its results are held whole by the client.
        return std::make_unique<QtSqlCursor>(db_, kind_ != TDbEngine::PostgreSQL, sql, params);
    }

    int ExecSQL(const AnsiString& sql, const std::vector<TBindValue>& params) override
    {
        // Statements run again and again (an apply, demo data) stay prepared.
        auto it = statements_.find(sql);
        if (it == statements_.end()) {
            if (statements_.size() >= 32) statements_.clear();
            QSqlQuery q(db_);
            q.setForwardOnly(true);
            if (!q.prepare(AnsiToQString(sql))) raise(q.lastError());
            it = statements_.emplace(sql, std::move(q)).first;
        }
        QSqlQuery& q = it->second;
        bindAndExec(q, params);
        int rows = q.isSelect() ? 0 : q.numRowsAffected();
        q.finish();
        return rows;
    }

    void ExecScript(std::string_view utf8) override
    {
        QSqlQuery q(db_);
        if (!q.exec(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())))) raise(q.lastError());
    }

    void Begin() override
    {
        if (!db_.transaction()) raise(db_.lastError());
    }
    void Commit() override
    {
        if (!db_.commit()) raise(db_.lastError());
    }
    void Rollback() override
    {
        if (!db_.rollback()) raise(db_.lastError());
    }

private:
    QSqlDatabase db_;
    TDbEngine kind_;
    std::map<AnsiString, QSqlQuery> statements_;
};

}  // namespace

std::unique_ptr<TDatabaseEngine> MakeQtSqlEngine(const QSqlDatabase& db, TDbEngine kind)
{
    return std::make_unique<QtSqlEngine>(db, kind);
}
