#include "Session.h"

#include "Param.h"

namespace {

TSession*& defaultSession()
{
    static TSession* session = nullptr;
    return session;
}

}  // namespace

TSession::TSession() = default;
TSession::~TSession()
{
    if (defaultSession() == this) defaultSession() = nullptr;
}

void TSession::AddDatabase(const AnsiString& alias, const QString& connectionName)
{
    databases_[UpperCase(alias)] = std::make_unique<TDatabase>(connectionName);
}

void TSession::RemoveDatabase(const AnsiString& alias)
{
    databases_.erase(UpperCase(alias));
}

TDatabase* TSession::FindDatabase(std::string_view alias)
{
    auto it = databases_.find(UpperCase(alias));
    return it == databases_.end() ? nullptr : it->second.get();
}

TDatabase& TSession::Database(std::string_view alias)
{
    if (alias.empty()) throw EDatabaseError(DBText::NoDatabaseName);
    if (TDatabase* db = FindDatabase(alias)) return *db;
    throw EDatabaseError(Format(DBText::UnknownDatabase, AnsiString(alias).c_str()));
}

void TSession::RegisterRoutine(const AnsiString& name, TRoutine routine)
{
    routines_[UpperCase(name)] = std::move(routine);
}

void TSession::UnregisterRoutine(const AnsiString& name)
{
    routines_.erase(UpperCase(name));
}

const TRoutine* TSession::FindRoutine(std::string_view name) const
{
    auto it = routines_.find(UpperCase(name));
    return it == routines_.end() ? nullptr : &it->second;
}

TSession& DefaultSession()
{
    static TSession own;
    TSession* s = defaultSession();
    return s ? *s : own;
}

void SetDefaultSession(TSession* session)
{
    defaultSession() = session;
}
