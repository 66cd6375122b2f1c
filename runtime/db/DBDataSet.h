#pragma once
// TDBDataSet: a dataset of a named database of the default session.

#include "DataSet.h"
#include "Database.h"

class TDBDataSet : public TDataSet {
public:
    using TDataSet::TDataSet;
    const char* ClassName() const override { return "TDBDataSet"; }

    const AnsiString& DatabaseName() const { return databaseName_; }
    // The dataset must be closed.
    void SetDatabaseName(const AnsiString& name);
    // The database the name resolves to in the default session (raises when
    // the name is empty or unknown).
    TDatabase& Database() const;

protected:
    void StartApply() override { Database().StartTransaction(); }
    void CommitApply() override { Database().Commit(); }
    void RollbackApply() override { Database().Rollback(); }

private:
    AnsiString databaseName_;
};
