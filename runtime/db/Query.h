#pragma once
// TQuery: the rows of an SQL statement.
//
// SQL holds the statement's lines (joined by line breaks); every change of it
// closes the query and rebuilds Params from the ":NAME" markers (parameters
// that keep their name keep their type and value). Parameters are always bound,
// never written into the text.
//
// Master-detail: with DataSource set to a master's data source, every open
// takes each parameter that is not Bound from the master's current field of
// the same name (none: null). When the master opens, moves to another record
// or changes its records, an open detail is closed and opened again; before the
// master moves, the detail's edit is posted when modified and cancelled
// otherwise. A query cannot be its own master.
//
// Counting: CountRecords asks the database for the number of rows of the
// statement (a COUNT over it as a subquery), so that a scroll bar can be
// sized without fetching every row.
//
// Writing: with CachedUpdates on, posts and deletes wait in the cache until
// ApplyUpdates, which writes them with UpdateObject's statements inside one
// transaction. Without the cache a query with an UpdateObject writes each post
// and delete at once; without either it is read-only.
//
// Field filters (SetFieldFilters): a SELECT on SQLite or PostgreSQL runs as a
// sub-select of "SELECT * FROM (...) WHERE" the filters' conditions
// (FieldFilter.h), so that only the rows that pass are fetched. A filter on a
// calculated or lookup field, on a column whose name the result repeats, or
// one the engine cannot answer exactly is refused (CanFilterField).

#include "DBDataSet.h"
#include "FieldFilter.h"
#include "Param.h"
#include "runtime/StringList.h"

class TDataSource;
class TUpdateSQL;

class TQuery : public TDBDataSet {
public:
    explicit TQuery(TComponent* owner = nullptr);
    ~TQuery() override;
    const char* ClassName() const override { return "TQuery"; }

    TStringList& SQL() { return sql_; }
    const TStringList& SQL() const { return sql_; }
    TParams& Params() { return params_; }
    const TParams& Params() const { return params_; }
    TParam& ParamByName(std::string_view name) { return params_.ParamByName(name); }

    TDataSource* DataSource() const { return dataSource_; }
    void SetDataSource(TDataSource* source);
    TUpdateSQL* UpdateObject() const { return updateObject_; }
    void SetUpdateObject(TUpdateSQL* updateObject);
    bool RequestLive() const { return false; }

    // Runs a statement that returns no rows.
    void ExecSQL();
    int RowsAffected() const { return rowsAffected_; }
    bool CanModify() const override;

    // ---- Field filters the query evaluates in its statement (FieldFilter.h):
    // a control hands over the conditions the query can answer exactly as
    // the filter's Holds would, and keeps the others.
    // True when the query can take `filter` into its statement.
    bool CanFilterField(const TFieldFilter& filter) const;
    // Replaces the filters the query applies; an open query opens again when
    // they changed (its links hear it close and open). Raises, and changes
    // nothing, for a filter the query cannot take, and while a reopening
    // would lose an edit or cached updates.
    void SetFieldFilters(const std::vector<TFieldFilter>& filters);
    const std::vector<TFieldFilter>& FieldFilters() const { return fieldFilters_; }

protected:
    std::unique_ptr<TDbCursor> OpenCursor() override;
    void ApplyRecord(TUpdateKind kind) override;
    void CheckCanOpen() override;
    // SELECT COUNT(*) over the statement, with the parameters of the open.
    int CountResultRows() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    class MasterLink;
    std::vector<TBindValue> bindings(const std::vector<AnsiString>& names);
    void sqlChanged();
    void masterChanged();

    TStringList sql_;
    TParams params_;
    TDataSource* dataSource_ = nullptr;
    TUpdateSQL* updateObject_ = nullptr;
    std::unique_ptr<MasterLink> masterLink_;
    int rowsAffected_ = -1;
    std::vector<TFieldFilter> fieldFilters_;
    std::vector<TFieldType> fieldFilterTypes_;  // of each filter's field when it was taken
};
