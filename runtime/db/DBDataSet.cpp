#include "DBDataSet.h"

#include "Session.h"

void TDBDataSet::SetDatabaseName(const AnsiString& name)
{
    if (name == databaseName_) return;
    CheckInactive();
    databaseName_ = name;
}

TDatabase& TDBDataSet::Database() const
{
    return DefaultSession().Database(databaseName_);
}
