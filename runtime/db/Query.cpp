#include "Query.h"

#include "CountStatement.h"
#include "DataSource.h"
#include "SqlText.h"
#include "UpdateSQL.h"

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
    return Database().OpenCursor(parsed.text, bindings(parsed.names));
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
