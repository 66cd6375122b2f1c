// rqtool prepare: builds a report from the command line. The template (a .rqf
// file or its JSON form) is filled from queries over a database and written as
// prepared pages (.rqp), PDF, or printed as JSON in the form of `rqp dump`.
// The options are described with the command's declaration at the end.
#include "RqCommand.h"
#include "ValueArgs.h"

#include "db/HostDatabase.h"
#include "report/data/DBDataSet.h"
#include "report/language/Globals.h"
#include "report/model/Report.h"
#include "report/pages/EMFPages.h"
#include "report/pages/PageRender.h"
#include "report/pages/PreparedJson.h"
#include "report/stream/TemplateJson.h"
#include "runtime/db/DataSource.h"
#include "runtime/db/Query.h"
#include "runtime/db/Session.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <unistd.h>

namespace {

struct PrepareOptions {
    std::string templateFile;
    std::string db;
    std::vector<std::pair<std::string, std::string>> queries;   // NAME or FORM.NAME, SQL
    std::vector<std::pair<std::string, std::string>> masters;   // DETAIL, MASTER
    std::vector<std::pair<std::string, std::string>> datasets;  // NAME, QUERY
    std::string reportDataset;
    std::vector<std::pair<std::string, Variant>> vars;
    bool dump = false;
    std::string output;
    std::string pdf;
};

std::pair<std::string, std::string> nameAndValue(const std::string& option, const std::string& arg)
{
    size_t eq = arg.find('=');
    if (eq == std::string::npos || eq == 0) throw RqUsageError{option + " needs NAME=VALUE, not '" + arg + "'"};
    return {arg.substr(0, eq), arg.substr(eq + 1)};
}

// The command line only; what it names is checked when the report is set up.
PrepareOptions parsePrepareOptions(const CommandLine& line)
{
    PrepareOptions o;
    o.templateFile = line.Arguments()[0];
    o.db = line.Value("db");
    for (const std::string& q : line.Values("query")) o.queries.push_back(nameAndValue("--query", q));
    for (const std::string& m : line.Values("master")) o.masters.push_back(nameAndValue("--master", m));
    for (const std::string& d : line.Values("dataset")) o.datasets.push_back(nameAndValue("--dataset", d));
    o.reportDataset = line.Value("report-dataset");
    for (const std::string& v : line.Values("var")) o.vars.push_back(ParseVarArg(v));
    o.dump = line.IsSet("dump");
    o.output = line.Value("o");
    o.pdf = line.Value("pdf");
    if (!o.queries.empty() && o.db.empty()) throw RqUsageError{"--query needs --db"};
    return o;
}

// The components the report reads: queries on its form or on data modules,
// report datasets on its form.
class ReportSetting {
public:
    explicit ReportSetting(const PrepareOptions& o) : form_(std::make_unique<TComponent>())
    {
        if (!o.db.empty()) {
            HostDatabaseSpec spec = ParseDatabaseSpec(o.db);
            // Opening a file that is not there would make an empty database.
            if (spec.kind == HostDatabaseSpec::SQLite && !std::filesystem::exists(spec.path.toStdString()))
                throw Exception("no database file " + o.db);
            OpenHostDatabase(spec, QStringLiteral("rqtool"));
            session_.AddDatabase("qdb", QStringLiteral("rqtool"));
            RegisterHostRoutines(session_.Database("qdb"), session_);
            SetDefaultSession(&session_);
        }
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
    ~ReportSetting()
    {
        form_.reset();
        modules_.clear();
        SetDefaultSession(nullptr);
    }

    TrqReport& Report() { return *report_; }

private:
    void addQuery(const std::string& path, const std::string& sql)
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
    }

    TQuery* query(const std::string& name, const std::string& option)
    {
        auto it = queries_.find(name);
        if (it == queries_.end()) throw RqUsageError{option + ": no query '" + name + "' (give it with --query)"};
        return it->second;
    }

    TSession session_;
    std::vector<std::unique_ptr<TDataModule>> modules_;
    std::unique_ptr<TComponent> form_;
    TrqReport* report_ = nullptr;
    std::map<std::string, TQuery*> queries_;
};

void loadTemplate(TrqReport& report, const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw EFOpenError("Cannot open file \"" + fileName + "\"");
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t first = bytes.find_first_not_of(" \t\r\n");
    if (first != std::string::npos && bytes[first] == '{') {
        TemplateFromJson(report, bytes);
        return;
    }
    TMemoryStream stream(std::move(bytes));
    report.LoadFromStream(stream);  // its message goes to standard error
    if (!report.LoadMessage().empty()) throw Exception("the template cannot be read");
    report.SetFileName(Utf8ToAnsi(fileName));
}

// Writes a file through a temporary beside it, so that a failure leaves none.
template <class Write>
void writeFile(const std::string& target, Write&& write)
{
    const std::string temporary = target + ".part";
    try {
        write(Utf8ToAnsi(temporary));
        std::filesystem::rename(temporary, target);
    } catch (...) {
        std::error_code ec;
        std::filesystem::remove(temporary, ec);
        throw;
    }
}

int runPrepare(const PrepareOptions& o)
{
    ReportSetting setting(o);
    TrqReport& report = setting.Report();
    loadTemplate(report, o.templateFile);
    for (const auto& [name, value] : o.vars) rqVariables().SetVariable(Utf8ToAnsi(name), value);

    const bool terminal = isatty(STDERR_FILENO);
    report.OnProgress = [terminal](int page) {
        if (terminal) std::fprintf(stderr, "\rrqtool prepare: page %d", page);
    };
    const bool built = report.PrepareReport();
    if (terminal) std::fprintf(stderr, "\n");
    if (!built) return 1;  // the engine's message went to standard error

    if (!o.output.empty())
        writeFile(o.output, [&](const AnsiString& file) { report.SavePreparedReport(file); });
    if (!o.pdf.empty()) writeFile(o.pdf, [&](const AnsiString& file) { SavePdf(report.EMFPages(), file, report.Title()); });
    if (o.dump) {
        // Through the file form, so that the JSON is the one `rqp dump` prints.
        TMemoryStream file;
        report.EMFPages().SaveToStream(&file);
        file.SetPosition(0);
        TrqReport reread;
        reread.EMFPages().LoadFromStream(&file);
        std::string json = PreparedPagesToJson(reread.EMFPages());
        std::fwrite(json.data(), 1, json.size(), stdout);
    }
    return 0;
}

int run(const CommandLine& line) { return runPrepare(parsePrepareOptions(line)); }

RqCommand command(
    "prepare",
    {.synopsis = "TEMPLATE [--db URL] [--query NAME=SQL]... [--master DETAIL=MASTER]... [--dataset NAME=QUERY]... "
                 "[--report-dataset NAME] [--var NAME=KIND:VALUE]... [--dump] [-o OUT.rqp] [--pdf OUT.pdf]",
     .summary = "Build a report from a template and SQL data; write prepared pages, PDF or JSON.",
     .options = {{{"db"}, "URL", "The database, as stockin-host --db takes it."},
                 {{"query"}, "NAME=SQL",
                  "A query of the report's form; FORM.NAME puts it on the data module FORM (made on demand), so "
                  "that stored references such as dm.qry.\"FIELD\" resolve (may be repeated; needs --db)."},
                 {{"master"}, "DETAIL=MASTER", "DETAIL's :parameters come from MASTER's current record."},
                 {{"dataset"}, "NAME=QUERY", "A report dataset NAME of the form over QUERY (named as in --query)."},
                 {{"report-dataset"}, "NAME", "The report's Dataset."},
                 {{"var"}, "NAME=KIND:VALUE", "Set the global variable NAME before the build (may be repeated)."},
                 {{"dump"}, "", "Print the prepared pages as JSON, as rqp dump prints them."},
                 {{"o"}, "OUT.rqp", "Write the prepared pages."},
                 {{"pdf"}, "OUT.pdf", "Write the pages as PDF."}},
     .arguments = {{"TEMPLATE", "The template: a .rqf file or its JSON form."}},
     .details = "Progress (pages done) goes to standard error when it is a terminal. A build\n"
                "that fails prints the engine's message to standard error, exits with 1 and\n"
                "writes no output file.\n"},
    run);

}  // namespace
