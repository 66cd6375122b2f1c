// rqtool queue submit: adds report jobs to the queue: one, or with --burst one
// per row of a query, each row's columns becoming the :parameters of the
// report's queries and its variables. The options are described with the
// command's declaration at the end.
#include "QueueCommand.h"
#include "QueueOutput.h"
#include "QueueSpec.h"
#include "ReportSetting.h"
#include "ReportSourceOptions.h"
#include "ValueArgs.h"

#include "runtime/Exceptions.h"
#include "runtime/SysUtils.h"
#include "runtime/db/Field.h"
#include "runtime/db/Query.h"
#include "tools/queue/JobStore.h"

#include <cstdio>
#include <filesystem>
#include <set>

namespace {

// The output the command line asks for; its options without it are a mistake.
const QueueOutputKind& outputKind(const CommandLine& line)
{
    const QueueOutputKind* chosen = nullptr;
    for (const QueueOutputKind& kind : QueueOutputKinds()) {
        const std::string& first = kind.options.front().names.front();
        if (line.IsSet(first)) {
            if (chosen) throw RqUsageError{"give one output: --" + chosen->options.front().names.front() + " or --" + first};
            chosen = &kind;
            continue;
        }
        for (const CommandLineOption& o : kind.options)
            if (line.IsSet(o.names.front())) throw RqUsageError{"--" + o.names.front() + " goes with --" + first};
    }
    if (!chosen) {
        std::string names;
        for (const QueueOutputKind& kind : QueueOutputKinds())
            names += (names.empty() ? "--" : " or --") + kind.options.front().names.front();
        throw RqUsageError{"say where the pages go: " + names};
    }
    return *chosen;
}

// The rows of --burst with their columns' names (UTF-8) and values as the
// reports read them; one empty row without it.
std::vector<NamedValues> burstRows(const CommandLine& line)
{
    if (!line.IsSet("burst")) return {NamedValues{}};
    ReportDatabase data(line.Value("db"), QStringLiteral("rqtool-submit"));
    TQuery q;
    q.SetDatabaseName("qdb");
    q.SQL().SetText(Utf8ToAnsi(line.Value("burst")));
    q.Open();
    std::vector<NamedValues> rows;
    for (; !q.Eof(); q.Next()) {
        NamedValues row;
        for (int i = 0; i < q.FieldCount(); ++i) {
            TField* f = q.Fields().Fields(i);
            row.emplace_back(AnsiToUtf8(f->FieldName()), f->Value());
        }
        rows.push_back(std::move(row));
    }
    q.Close();
    return rows;
}

// A value as part of a file name: no directories, no placeholders.
std::string nameText(const Variant& v)
{
    std::string text = ValueText(v);
    for (char& c : text)
        if (c == '/' || c == '{' || c == '}' || static_cast<unsigned char>(c) < 0x20) c = '_';
    return text;
}

// The job's name from the pattern: {COLUMN} is the row's value (any letter
// case), {job} stays for the job's id, which the queue fills in.
std::string jobName(const std::string& pattern, const NamedValues& row)
{
    std::string name;
    for (size_t i = 0; i < pattern.size();) {
        if (pattern[i] != '{') {
            name += pattern[i++];
            continue;
        }
        const size_t end = pattern.find('}', i);
        if (end == std::string::npos) throw RqUsageError{"--name: '{' without '}' in '" + pattern + "'"};
        const std::string key = pattern.substr(i + 1, end - i - 1);
        if (key == "job") {
            name += "{job}";
        } else {
            auto it = std::find_if(row.begin(), row.end(), [&](const auto& c) { return SameText(c.first, key); });
            if (it == row.end()) throw RqUsageError{"--name: no column '" + key + "' in the rows"};
            name += nameText(it->second);
        }
        i = end + 1;
    }
    if (name.empty() || name == "." || name == "..") throw RqUsageError{"--name makes an empty file name"};
    return name;
}

int run(const CommandLine& line)
{
    const std::string conninfo = QueueConninfo(line.Value("db"));
    const std::string templateFile = line.Arguments()[0];
    const QueueOutputKind& kind = outputKind(line);
    BatchSpec spec{ParseReportSourceOptions(line), kind.fromCommandLine(line)};
    const std::string pattern = line.Value("name", "{job}");
    const std::string attempts = line.Value("attempts", "3");
    int maxAttempts = 0;
    if (!TryStrToInt(attempts, maxAttempts) || maxAttempts < 1)
        throw RqUsageError{"--attempts needs a number from 1, not '" + attempts + "'"};

    NewBatch batch{.templateName = std::filesystem::path(templateFile).filename().string(),
                   .templateBytes = ReadFileBytes(templateFile),
                   .spec = BatchSpecToJson(spec),
                   .maxAttempts = maxAttempts,
                   .jobs = {}};
    std::set<std::string> targets;
    for (const NamedValues& row : burstRows(line)) {
        NewJob job{NamedValuesToJson(row), kind.target(spec.output, jobName(pattern, row))};
        if (!job.target.empty() && job.target.find("{job}") == std::string::npos && !targets.insert(job.target).second)
            throw Exception(Utf8ToAnsi("two jobs would write " + job.target + " (--name tells them apart)"));
        batch.jobs.push_back(std::move(job));
    }
    if (batch.jobs.empty()) {
        std::fprintf(stderr, "rqtool queue submit: --burst gave no rows; nothing submitted\n");
        return 0;
    }
    PgConnection db(conninfo);
    JobStore store(db);
    OpenQueue(db, store);
    for (long long id : store.Submit(batch)) std::printf("%lld\n", id);
    return 0;
}

std::vector<CommandLineOption> submitOptions()
{
    std::vector<CommandLineOption> options{QueueDbOption()};
    for (CommandLineOption& o : ReportSourceOptionList()) options.push_back(std::move(o));
    for (const QueueOutputKind& kind : QueueOutputKinds())
        options.insert(options.end(), kind.options.begin(), kind.options.end());
    options.push_back({{"burst"}, "SQL",
                       "One job per row of SQL (run on --db now); the row's columns are the :parameters of the "
                       "queries and variables of the report."});
    options.push_back({{"name"}, "PATTERN",
                       "The jobs' file names (without .pdf or .xlsx): {COLUMN} is the row's value, {job} the job's id "
                       "(default {job})."});
    options.push_back({{"attempts"}, "N", "Tries before a job counts as failed (default 3)."});
    return options;
}

RqCommand command(
    "queue submit",
    {.synopsis = "--db URL TEMPLATE [--query NAME=SQL]... [--master DETAIL=MASTER]... [--dataset NAME=QUERY]... "
                 "[--report-dataset NAME] [--var NAME=KIND:VALUE]... (--pdf-dir DIR | --xlsx-dir DIR | --printer NAME [--pages LIST] "
                 "[--copies N] [--collate] [--odd|--even] [--dry-run]) [--burst SQL] [--name PATTERN] [--attempts N]",
     .summary = "Add report jobs to the queue in the database; print their ids.",
     .options = submitOptions(),
     .arguments = {{"TEMPLATE", "The template: a .rqf file or its JSON form (the queue keeps a copy)."}},
     .details = "The jobs wait for rqtool queue work. The template is kept in the queue as it\n"
                "is now; it is read by the workers, so a damaged one fails there, job by job,\n"
                "with the engine's message. A printer job with --dry-run sends nothing and\n"
                "keeps the lines rqp print --dry-run would print as the job's result.\n"},
    QueueEntry(run));

}  // namespace
