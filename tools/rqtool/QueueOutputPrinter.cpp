// Queue output "printer": each job's pages go to a printer as rqp print sends
// them, once. The job is marked as handed to the printer before anything is
// sent; an attempt that finds that mark from an earlier one does not send
// again (see the worker).
#include "PrintOptions.h"
#include "QueueOutput.h"

#include "report/model/Report.h"

namespace {

QJsonObject toJson(const PrintOptions& o)
{
    return {{"kind", "printer"},
            {"printer", QString::fromStdString(o.printer)},
            {"pages", QString::fromStdString(o.pages)},
            {"copies", QString::fromStdString(o.copies)},
            {"collate", o.collate},
            {"pageKind", o.kind},
            {"dryRun", o.dryRun}};
}

PrintOptions fromJson(const QJsonObject& j)
{
    PrintOptions o;
    o.printer = j["printer"].toString().toStdString();
    o.pages = j["pages"].toString().toStdString();
    o.copies = j["copies"].toString("1").toStdString();
    o.collate = j["collate"].toBool();
    o.kind = j["pageKind"].toInt();
    o.dryRun = j["dryRun"].toBool();
    return o;
}

class PrinterOutput : public JobOutput {
public:
    explicit PrinterOutput(PrintOptions options) : options_(std::move(options)) {}

    void Deliver(TrqReport& report, JobHandle& handle) override
    {
        // Whatever can be refused is refused before the job leaves.
        CheckPrintOptions(report, options_);
        if (!options_.dryRun && !handle.BeforeSending()) return;
        std::string result;
        for (const std::string& line : PrintPrepared(report, options_)) result += line + "\n";
        if (!options_.dryRun) result = "sent to " + options_.printer;
        handle.Finish(result, {});
    }

private:
    PrintOptions options_;
};

}  // namespace

QueueOutputKind PrinterOutputKind()
{
    std::vector<CommandLineOption> options = PrintOptionList("Print each job on the printer NAME of the worker.");
    return {.name = "printer",
            .options = options,
            .fromCommandLine =
                [](const CommandLine& line) {
                    PrintOptions o = ParsePrintOptions(line);
                    if (o.printer.empty()) throw RqUsageError{"--printer needs a printer name"};
                    return toJson(o);
                },
            .target = [](const QJsonObject&, const std::string&) { return std::string(); },
            .make = [](const QJsonObject& j) { return std::make_unique<PrinterOutput>(fromJson(j)); }};
}
