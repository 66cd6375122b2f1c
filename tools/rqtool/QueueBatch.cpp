#include "QueueBatch.h"

#include "report/language/Globals.h"
#include "report/model/Report.h"
#include "runtime/db/Query.h"
#include "tools/queue/JobStore.h"


QueueBatch::QueueBatch(const Batch& batch) : id_(batch.id), spec_(BatchSpecFromJson(batch.spec))
{
    output_ = QueueOutputKindOf(spec_.output).make(spec_.output);
    setting_ = std::make_unique<ReportSetting>(spec_.sources);
    TrqReport& report = setting_->Report();
    report.SetShowProgress(false);
    LoadTemplate(report, batch.templateBytes, batch.templateName);
}

void QueueBatch::Apply(const NamedValues& row)
{
    for (TQuery* q : setting_->Queries()) q->Close();
    TrqVariables& variables = rqVariables();
    variables.Clear();
    for (const auto& [name, value] : spec_.sources.vars) variables.SetVariable(Utf8ToAnsi(name), value);
    for (const auto& [utf8Name, value] : row) {
        const AnsiString name = Utf8ToAnsi(utf8Name);
        for (TQuery* q : setting_->Queries())
            if (TParam* p = q->Params().FindParam(name)) p->SetValue(value);
        variables.SetVariable(name, value);
    }
}
