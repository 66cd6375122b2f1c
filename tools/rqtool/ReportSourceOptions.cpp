#include "ReportSourceOptions.h"

#include "ValueArgs.h"

namespace {

std::pair<std::string, std::string> nameAndValue(const std::string& option, const std::string& arg)
{
    size_t eq = arg.find('=');
    if (eq == std::string::npos || eq == 0) throw RqUsageError{option + " needs NAME=VALUE, not '" + arg + "'"};
    return {arg.substr(0, eq), arg.substr(eq + 1)};
}

}  // namespace

std::vector<CommandLineOption> ReportSourceOptionList()
{
    return {{{"query"}, "NAME=SQL",
             "A query of the report's form; FORM.NAME puts it on the data module FORM (made on demand), so "
             "that stored references such as dm.qry.\"FIELD\" resolve (may be repeated; needs --db)."},
            {{"master"}, "DETAIL=MASTER", "DETAIL's :parameters come from MASTER's current record."},
            {{"dataset"}, "NAME=QUERY", "A report dataset NAME of the form over QUERY (named as in --query)."},
            {{"report-dataset"}, "NAME", "The report's Dataset."},
            {{"var"}, "NAME=KIND:VALUE", "Set the global variable NAME before the build (may be repeated)."}};
}

ReportSourceOptions ParseReportSourceOptions(const CommandLine& line)
{
    ReportSourceOptions o;
    for (const std::string& q : line.Values("query")) o.queries.push_back(nameAndValue("--query", q));
    for (const std::string& m : line.Values("master")) o.masters.push_back(nameAndValue("--master", m));
    for (const std::string& d : line.Values("dataset")) o.datasets.push_back(nameAndValue("--dataset", d));
    o.reportDataset = line.Value("report-dataset");
    for (const std::string& v : line.Values("var")) o.vars.push_back(ParseVarArg(v));
    return o;
}
