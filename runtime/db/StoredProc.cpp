#include "StoredProc.h"

#include "Session.h"

std::vector<TBindValue> TStoredProc::inputs() const
{
    std::vector<TBindValue> values;
    for (int i = 0; i < params_.Count(); ++i) {
        const TParam& p = params_[i];
        if (p.ParamType() == ptInput || p.ParamType() == ptInputOutput || p.ParamType() == ptUnknown)
            values.push_back(BindValueOf(p));
    }
    return values;
}

AnsiString TStoredProc::callText() const
{
    AnsiString sql = "SELECT * FROM " + procName_ + "(";
    size_t n = inputs().size();
    for (size_t i = 0; i < n; ++i) sql += i ? ",?" : "?";
    return sql + ")";
}

std::unique_ptr<TDbCursor> TStoredProc::OpenCursor()
{
    if (procName_.empty()) throw EDatabaseError(DBText::NoProcName);
    return Database().OpenCursor(callText(), inputs());
}

void TStoredProc::ExecProc()
{
    CheckInactive();
    if (procName_.empty()) throw EDatabaseError(DBText::NoProcName);
    TDatabase& db = Database();
    if (const TRoutine* routine = DefaultSession().FindRoutine(procName_)) {
        (*routine)(params_, db);
        return;
    }
    std::unique_ptr<TDbCursor> cursor = db.OpenCursor(callText(), inputs());
    const TFieldDefs& columns = cursor->Columns();
    std::vector<int> targets(columns.size());
    std::vector<TFieldType> types(columns.size());
    for (size_t c = 0; c < columns.size(); ++c) {
        targets[c] = static_cast<int>(c);
        types[c] = columns[c].DataType;
    }
    RecordBuilder row;
    row.Reset(static_cast<int>(columns.size()));
    if (!cursor->Fetch(row, targets, types)) return;
    RecordArena arena;
    RecordBlock record = row.Commit(arena);
    TParam* result = nullptr;
    for (int i = 0; i < params_.Count(); ++i)
        if (params_[i].ParamType() == ptResult) result = &params_[i];
    for (size_t c = 0; c < columns.size(); ++c) {
        Variant value = ReadCell(record, static_cast<int>(c)).ToVariant();
        TParam* p = params_.FindParam(columns[c].Name);
        if (p && p->ParamType() != ptInput && p->ParamType() != ptUnknown) {
            p->SetValue(value);
        } else if (columns.size() == 1 && result) {
            result->SetValue(value);
        }
    }
}
