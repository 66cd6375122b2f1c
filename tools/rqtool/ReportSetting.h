#pragma once
// The things a report reads when rqtool builds it: the database, the queries
// and report datasets named on the command line, and the template.
//
// Rules that are easy to break:
// - ReportDatabase makes its session the default one for its lifetime (the
//   datasets find "qdb" there), so at most one lives at a time, and every
//   ReportSetting that uses it is destroyed first.
// - Queries on a data module ("dm.qry_xsvgjfp0") live on a TDataModule of
//   that name, made here when the program has none, so that references such
//   as dm.qry_xsvgjfp0."DHAO00" stored in templates resolve.

#include "ReportSourceOptions.h"

#include "runtime/db/Session.h"

#include <QString>

#include <map>
#include <memory>
#include <string>
#include <vector>

class TComponent;
class TDataModule;
class TDatabase;
class TQuery;
class TrqReport;

class ReportDatabase {
public:
    // url: as stockin-host --db takes it. An SQLite file must exist (opening
    // one that is not there would make an empty database). Raises with the
    // driver's message.
    ReportDatabase(const std::string& url, const QString& connectionName);
    ~ReportDatabase();
    ReportDatabase(const ReportDatabase&) = delete;
    ReportDatabase& operator=(const ReportDatabase&) = delete;

    TDatabase& Db();

private:
    TSession session_;
    QString connection_;
};

class ReportSetting {
public:
    // Raises RqUsageError for a master, dataset or report dataset that names
    // nothing given.
    explicit ReportSetting(const ReportSourceOptions& o);
    ~ReportSetting();
    ReportSetting(const ReportSetting&) = delete;
    ReportSetting& operator=(const ReportSetting&) = delete;

    TrqReport& Report() { return *report_; }
    // Every query, in command-line order.
    const std::vector<TQuery*>& Queries() const { return order_; }

private:
    void addQuery(const std::string& path, const std::string& sql);
    TQuery* query(const std::string& name, const std::string& option);

    std::vector<std::unique_ptr<TDataModule>> modules_;
    std::unique_ptr<TComponent> form_;
    TrqReport* report_ = nullptr;
    std::map<std::string, TQuery*> queries_;
    std::vector<TQuery*> order_;
};

// The bytes of a file; raises EFOpenError.
std::string ReadFileBytes(const std::string& fileName);
// Loads a template from its bytes: its JSON form (the first non-blank byte
// is '{') or the template stream of a .rqf file. A stream the engine cannot
// read raises (its message went to a message box first).
void LoadTemplate(TrqReport& report, const std::string& bytes, const std::string& fileName);
