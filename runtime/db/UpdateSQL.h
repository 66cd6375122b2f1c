#pragma once
// TUpdateSQL: the statements that write one cached change of a dataset.
//
// ModifySQL, InsertSQL and DeleteSQL take ":NAME" parameters: a name of a field
// binds the record's new value, "OLD_" followed by a field name the value as
// read. Apply(kind) binds and runs the statement of that kind for the record
// the dataset is writing; a statement that changes no row raises "Update
// failed" (the row was changed or removed meanwhile).

#include "DBTypes.h"
#include "runtime/Component.h"
#include "runtime/StringList.h"

class TDataSet;
class TDBDataSet;

class TUpdateSQL : public TComponent {
public:
    explicit TUpdateSQL(TComponent* owner = nullptr) : TComponent(owner) {}
    const char* ClassName() const override { return "TUpdateSQL"; }

    TStringList& ModifySQL() { return modifySQL_; }
    TStringList& InsertSQL() { return insertSQL_; }
    TStringList& DeleteSQL() { return deleteSQL_; }
    TStringList& SQL(TUpdateKind kind);

    TDBDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDBDataSet* dataSet) { dataSet_ = dataSet; }

    void Apply(TUpdateKind kind);

private:
    TStringList modifySQL_, insertSQL_, deleteSQL_;
    TDBDataSet* dataSet_ = nullptr;
};
