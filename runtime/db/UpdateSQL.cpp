#include "UpdateSQL.h"

#include "DBDataSet.h"
#include "SqlText.h"

TStringList& TUpdateSQL::SQL(TUpdateKind kind)
{
    switch (kind) {
    case ukInsert: return insertSQL_;
    case ukDelete: return deleteSQL_;
    default: return modifySQL_;
    }
}

void TUpdateSQL::Apply(TUpdateKind kind)
{
    if (!dataSet_) throw EDatabaseError(Format(DBText::NoUpdateObject, Name().c_str()));
    AnsiString text = SQL(kind).Text();
    if (Trim(text).empty()) throw EDatabaseError(Format(DBText::NoUpdateSQL, Name().c_str()));
    TParsedSql parsed = ParseSqlParams(text);
    std::vector<TBindValue> values;
    values.reserve(parsed.names.size());
    for (const AnsiString& name : parsed.names) {
        bool old = name.size() > 4 && SameText(std::string_view(name).substr(0, 4), "OLD_");
        TField* field = dataSet_->FindField(old ? std::string_view(name).substr(4) : std::string_view(name));
        if (!field && old) {
            old = false;
            field = dataSet_->FindField(name);
        }
        if (!field) {
            values.push_back(TBindValue{Variant::Null(), ftUnknown});
            continue;
        }
        values.push_back(TBindValue{old ? dataSet_->OldValue(field) : field->Value(), field->DataType()});
    }
    int rows = dataSet_->Database().ExecSQL(parsed.text, values);
    // A change that reaches no row (or several) would be lost or spread.
    if (rows != 1 && rows != -1) throw EDatabaseError(DBText::UpdateFailed);
}
