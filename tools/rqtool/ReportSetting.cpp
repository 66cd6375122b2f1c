#include "ReportSetting.h"

#include "db/HostDatabase.h"
#include "report/data/DBDataSet.h"
#include "report/model/Report.h"
#include "report/stream/TemplateJson.h"
#include "runtime/db/DataSource.h"
#include "runtime/db/Query.h"
#include "runtime/Exceptions.h"

#include <QSqlDatabase>

#include <filesystem>
#include <fstream>
#include <iterator>

ReportDatabase::ReportDatabase(const std::string& url, const QString& connectionName) : connection_(connectionName)
{
    HostDatabaseSpec spec = ParseDatabaseSpec(url);
    if (spec.kind == HostDatabaseSpec::SQLite && !std::filesystem::exists(spec.path.toStdString()))
        throw Exception("no database file " + url);
    OpenHostDatabase(spec, connectionName);
    session_.AddDatabase("qdb", connectionName);
    RegisterHostRoutines(session_.Database("qdb"), session_);
    SetDefaultSession(&session_);
}

ReportDatabase::~ReportDatabase()
{
    SetDefaultSession(nullptr);
    session_.RemoveDatabase("qdb");
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        if (db.isValid()) db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

TDatabase& ReportDatabase::Db() { return session_.Database("qdb"); }

ReportSetting::ReportSetting(const ReportSourceOptions& o) : form_(std::make_unique<TComponent>())
{
    report_ = new TrqReport(form_.get());
    report_->SetName("rqReport1");
    for (const auto& [name, sql] : o.queries) addQuery(name, sql);
    for (const auto& [detail, master] : o.masters) {
        TQuery* d = query(detail, "--master");
        TQuery* m = query(master, "--master");
        auto* source = new TDataSource(m->Owner());
        source->SetDataSet(m);
        d->SetDataSource(source);
    }
    for (const auto& [name, queryName] : o.datasets) {
        auto* dataset = new TrqDBDataSet(form_.get());
        dataset->SetName(Utf8ToAnsi(name));
        dataset->SetDataSet(query(queryName, "--dataset"));
    }
    if (!o.reportDataset.empty()) {
        auto* dataset = dynamic_cast<TrqDataset*>(form_->FindComponent(Utf8ToAnsi(o.reportDataset)));
        if (!dataset) throw RqUsageError{"--report-dataset: no dataset '" + o.reportDataset + "'"};
        report_->SetDataset(dataset);
    }
}

ReportSetting::~ReportSetting()
{
    form_.reset();
    modules_.clear();
}

void ReportSetting::addQuery(const std::string& path, const std::string& sql)
{
    TComponent* owner = form_.get();
    std::string name = path;
    if (size_t dot = path.find('.'); dot != std::string::npos) {
        AnsiString module = Utf8ToAnsi(path.substr(0, dot));
        name = path.substr(dot + 1);
        owner = FindGlobalComponent(module);
        if (!owner) {
            modules_.push_back(std::make_unique<TDataModule>());
            modules_.back()->SetName(module);
            owner = modules_.back().get();
        }
    }
    auto* q = new TQuery(owner);
    q->SetName(Utf8ToAnsi(name));
    q->SetDatabaseName("qdb");
    q->SQL().SetText(Utf8ToAnsi(sql));
    queries_[path] = q;
    order_.push_back(q);
}

TQuery* ReportSetting::query(const std::string& name, const std::string& option)
{
    auto it = queries_.find(name);
    if (it == queries_.end()) throw RqUsageError{option + ": no query '" + name + "' (give it with --query)"};
    return it->second;
}

std::string ReadFileBytes(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw EFOpenError("Cannot open file \"" + fileName + "\"");
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void LoadTemplate(TrqReport& report, const std::string& bytes, const std::string& fileName)
{
    size_t first = bytes.find_first_not_of(" \t\r\n");
    if (first != std::string::npos && bytes[first] == '{') {
        TemplateFromJson(report, bytes);
        return;
    }
    TMemoryStream stream{std::string(bytes)};
    report.LoadFromStream(stream);  // its message goes to a message box
    if (!report.LoadMessage().empty()) throw Exception("the template cannot be read");
    report.SetFileName(Utf8ToAnsi(fileName));
}
