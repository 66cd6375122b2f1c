#pragma once
// TrqBuildContext: the report as expressions and scripts see it while the band
// engine builds it. Beyond what every report offers (properties and methods
// of views and pages, the report's events), it answers dictionary names from
// the datasets, the build's counters from the page and band being printed,
// aggregate calls from the bands' accumulators, and takes STOPREPORT, NEWPAGE,
// NEWCOLUMN, SHOWBAND, CURY and PROGRESS to the build.

#include "report/model/ReportScriptContext.h"

class TrqReportBuilder;

class TrqBuildContext : public TrqReportScriptContext {
public:
    TrqBuildContext(TrqReport& report, TrqReportBuilder& builder)
        : TrqReportScriptContext(report), builder_(builder)
    {
    }

    bool GetDictionaryVariable(const AnsiString& name, Variant& value) override;
    bool SetDictionaryVariable(const AnsiString& name, const Variant& value) override;
    Variant BuildValue(TrqBuildValue which) override;
    void StopReport() override;
    void RequestNewPage() override;
    void RequestNewColumn() override;
    void ShowBand(const AnsiString& name) override;
    void SetModalResult(int result) override;
    void SetCurY(int y) override;
    void SetProgressText(const AnsiString& text) override;
    bool CollectingAggregates() override;
    void CallAggregate(TrqAggregateFunction function, const Variant& p1, const Variant& p2, const Variant& p3,
                       Variant& value) override;

    // The value the last memo bracket gave (VALUE).
    Variant LastBracketValue;

private:
    TrqReportBuilder& builder_;
};
