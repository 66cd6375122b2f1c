#include "Query.h"

#include "CountStatement.h"
#include "DataSource.h"
#include "SqlText.h"
#include "UpdateSQL.h"

#include <algorithm>
#include <utility>

// Follows the master's data source: reopens the detail when the master's
// current record changes, and saves the detail's edit before the master moves.
class TQuery::MasterLink : public TDataLink {
public:
    explicit MasterLink(TQuery& detail) : detail_(detail) {}

protected:
    void ActiveChanged() override
    {
        if (Active()) detail_.masterChanged();
    }
    void RecordChanged(TField* field) override
    {
        if (!field || detail_.params_.FindParam(field->FieldName())) detail_.masterChanged();
    }
    void CheckBrowseMode() override
    {
        if (detail_.Active()) detail_.CheckBrowseMode();
    }

private:
    TQuery& detail_;
};

TQuery::TQuery(TComponent* owner) : TDBDataSet(owner), masterLink_(std::make_unique<MasterLink>(*this))
{
    sql_.OnChange = [this] { sqlChanged(); };
}

TQuery::~TQuery()
{
    CloseSilently();
    masterLink_.reset();
}

void TQuery::sqlChanged()
{
    Close();
    params_.Rebuild(DistinctParamNames(ParseSqlParams(sql_.Text())));
}

void TQuery::SetDataSource(TDataSource* source)
{
    if (source == dataSource_) return;
    if (source && source->IsLinkedTo(this)) throw EDatabaseError(DBText::CircularDataLink);
    if (dataSource_) RemoveFreeNotification(dataSource_);
    dataSource_ = source;
    if (source) FreeNotification(source);
    masterLink_->SetDataSource(source);
}

void TQuery::SetUpdateObject(TUpdateSQL* updateObject)
{
    if (updateObject == updateObject_) return;
    if (updateObject_) {
        if (updateObject_->DataSet() == this) updateObject_->SetDataSet(nullptr);
        RemoveFreeNotification(updateObject_);
    }
    updateObject_ = updateObject;
    if (updateObject_) {
        updateObject_->SetDataSet(this);
        FreeNotification(updateObject_);
    }
}

void TQuery::Notification(TComponent* component, TOperation operation)
{
    TDBDataSet::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == dataSource_) {
        dataSource_ = nullptr;
        masterLink_->SetDataSource(nullptr);
    }
    if (component == updateObject_) updateObject_ = nullptr;
}

bool TQuery::CanModify() const
{
    return CachedUpdates() || updateObject_;
}

void TQuery::CheckCanOpen()
{
    if (Trim(sql_.Text()).empty()) throw EDatabaseError(DBText::NoSQL);
}

std::vector<TBindValue> TQuery::bindings(const std::vector<AnsiString>& names)
{
    // Parameters the program did not set come from the master's current record.
    TDataSet* master = dataSource_ ? dataSource_->DataSet() : nullptr;
    for (int i = 0; i < params_.Count(); ++i) {
        TParam& p = params_[i];
        if (p.Bound() || !master) continue;
        TField* f = master->Active() ? master->FindField(p.Name()) : nullptr;
        Variant value = f ? f->Value() : Variant::Null();
        if (p.DataType() == ftUnknown && f) p.SetDataType(f->DataType());
        p.SetValue(value);
        p.SetBound(false);
    }
    std::vector<TBindValue> values;
    values.reserve(names.size());
    for (const AnsiString& name : names) values.push_back(BindValueOf(params_.ParamByName(name)));
    return values;
}

std::unique_ptr<TDbCursor> TQuery::OpenCursor()
{
    TParsedSql parsed = ParseSqlParams(sql_.Text());
    std::vector<TBindValue> values = bindings(parsed.names);
    if (fieldFilters_.empty()) return Database().OpenCursor(parsed.text, values);
    TDbEngine engine = Database().Engine();
    std::vector<AnsiString> conditions;
    for (size_t i = 0; i < fieldFilters_.size(); ++i) {
        // The fields are made after the statement ran: the type is the one
        // the field had when the filter was taken.
        AnsiString condition;
        if (FieldFilterSql(fieldFilters_[i], fieldFilterTypes_[i], engine, condition, values))
            conditions.push_back(condition);
    }
    if (conditions.empty()) return Database().OpenCursor(parsed.text, values);
    return Database().OpenCursor(WrapInFilter(parsed.text, conditions), values);
}

bool TQuery::CanFilterField(const TFieldFilter& filter) const
{
    TField* field = FindField(filter.FieldName);
    if (!field || field->FieldKind() != fkData || !IsWrappableSelect(sql_.Text())) return false;
    // A repeated column name is made unique ("X_1") for the field, but the
    // sub-select still calls both columns "X": neither can be filtered there.
    auto twins = [](std::string_view renamed, std::string_view base) {
        return renamed.size() > base.size() + 1 && SameText(renamed.substr(0, base.size()), base) &&
               renamed[base.size()] == '_' &&
               std::all_of(renamed.begin() + static_cast<long>(base.size()) + 1, renamed.end(),
                           [](char c) { return c >= '0' && c <= '9'; });
    };
    for (const TFieldDef& def : FieldDefs())
        if (twins(def.Name, filter.FieldName) || twins(filter.FieldName, def.Name)) return false;
    TDbEngine engine;
    try {
        engine = Database().Engine();
    } catch (const EDatabaseError&) {
        return false;
    }
    AnsiString sql;
    std::vector<TBindValue> binds;
    return FieldFilterSql(filter, field->DataType(), engine, sql, binds);
}

void TQuery::SetFieldFilters(const std::vector<TFieldFilter>& filters)
{
    for (const TFieldFilter& filter : filters)
        if (!CanFilterField(filter))
            throw EDatabaseError(Format(DBText::CannotFilter, Name().c_str(), filter.FieldName.c_str()));
    if (filters == fieldFilters_) return;
    if (Active()) {
        if (State() == dsEdit || State() == dsInsert) throw EDatabaseError(DBText::NotBrowsing);
        if (UpdatesPending()) throw EDatabaseError(Format(DBText::UpdatesPending, Name().c_str()));
    }
    std::vector<TFieldType> types;
    for (const TFieldFilter& filter : filters) types.push_back(FindField(filter.FieldName)->DataType());
    std::vector<TFieldFilter> old = std::exchange(fieldFilters_, filters);
    std::vector<TFieldType> oldTypes = std::exchange(fieldFilterTypes_, std::move(types));
    if (!Active()) return;
    Close();
    try {
        Open();
    } catch (...) {
        // The rows as they were, and the statement's error.
        fieldFilters_ = std::move(old);
        fieldFilterTypes_ = std::move(oldTypes);
        try {
            Open();
        } catch (...) {
        }
        throw;
    }
}

int TQuery::CountResultRows()
{
    TParsedSql parsed = ParseSqlParams(sql_.Text());
    std::unique_ptr<TDbCursor> cursor = Database().OpenCursor(CountStatement(parsed.text), bindings(parsed.names));
    RecordBuilder row;
    row.Reset(1);
    if (!cursor->Fetch(row, {0}, {ftFloat})) return -1;
    RecordArena arena;
    CellView count = ReadCell(row.Commit(arena), 0);
    double value = count.kind == VarType::Integer ? static_cast<double>(count.i) : count.kind == VarType::Float ? count.d : -1;
    return value >= 0 && value <= INT32_MAX ? static_cast<int>(value) : -1;
}

void TQuery::ExecSQL()
{
    CheckCanOpen();
    TParsedSql parsed = ParseSqlParams(sql_.Text());
    rowsAffected_ = Database().ExecSQL(parsed.text, bindings(parsed.names));
}

void TQuery::ApplyRecord(TUpdateKind kind)
{
    if (!updateObject_) throw EDatabaseError(Format(DBText::NoUpdateObject, Name().c_str()));
    updateObject_->Apply(kind);
}

void TQuery::masterChanged()
{
    TDataSet* master = dataSource_ ? dataSource_->DataSet() : nullptr;
    if (!Active() || !master || !master->Active() || master->State() == dsSetKey) return;
    DisableControls();
    try {
        Close();
        Open();
    } catch (...) {
        EnableControls();
        throw;
    }
    EnableControls();
}
