#pragma once
// TrqReportScriptContext: a report as the expression and script language sees
// it. Installed (ScopedReportContext) while a report prepares, it lets brackets
// and scripts read and write the properties of pages and views by name, call
// their methods, reach the report's OnGetValue and OnUserFunction events and
// stop the report.
//
// A name that names an object reaches exactly what the object's property
// table holds: a name it lacks reads as Null, and writing one (or a property
// that cannot be written) changes nothing, creates no variable and gives a
// warning on standard error, once. A name without an object is a property of
// the current view only when the view lists it; otherwise it is a variable.
//
// The band engine keeps the build's counters in Build and reads the break
// requests it collected; report datasets answer dictionary names by overriding
// Get/SetDictionaryVariable (without them no dictionary name is defined).

#include "report/language/ReportContext.h"

#include <functional>

class TrqReport;

class TrqReportScriptContext : public TrqReportContext {
public:
    explicit TrqReportScriptContext(TrqReport& report) : report_(report) {}

    // The values brackets read under fixed names (PAGE#, LINE#, CURY, ...).
    struct BuildCounters {
        Variant LastBracketValue;
        int PageNumber = 1;
        TDateTime StartDate = 0;
        TDateTime StartTime = 0;
        int Line = 0;
        int LineThrough = 0;
        int Column = 0;
        int Current = 0;
        int TotalPages = 0;
        int CalcWidth = 0;
        int CurY = 0;
        int PageHeight = 0;
        int PageWidth = 0;
    } Build;

    // Break requests of the current band (NEWPAGE, NEWCOLUMN); the band engine
    // reads and resets them after the band's script.
    int PageBreakRequests = 0;
    int ColumnBreakRequests = 0;
    bool CollectionPass = false;

    // Hooks of the band engine and the progress window.
    std::function<void(const AnsiString& bandName)> OnShowBand;
    std::function<void(const AnsiString& text)> OnProgressText;
    std::function<void(int result)> OnModalResult;

    TrqReport& Report() const { return report_; }

    void HostGetValue(const AnsiString& name, Variant& value) override;
    void HostUserFunction(const AnsiString& name, const Variant& p1, const Variant& p2, const Variant& p3,
                          Variant& value) override;
    bool GetDictionaryVariable(const AnsiString& name, Variant& value) override;
    bool SetDictionaryVariable(const AnsiString& name, const Variant& value) override;
    Variant BuildValue(TrqBuildValue which) override;
    bool GetObjectProperty(const AnsiString& name, Variant& value) override;
    bool SetObjectProperty(const AnsiString& name, const Variant& value) override;
    bool CallObjectMethod(const AnsiString& name, const Variant& p1, const Variant& p2, const Variant& p3,
                          Variant& value) override;
    bool GetIndexProperty(const AnsiString& name, const Variant& index, Variant& value) override;
    bool SetIndexProperty(const AnsiString& name, const Variant& index, const Variant& value) override;
    void StopReport() override;
    void RequestNewPage() override { ++PageBreakRequests; }
    void RequestNewColumn() override { ++ColumnBreakRequests; }
    void ShowBand(const AnsiString& name) override;
    void SetModalResult(int result) override;
    void SetCurY(int y) override { Build.CurY = y; }
    void SetProgressText(const AnsiString& text) override;
    bool CollectingAggregates() override { return CollectionPass; }
    void CallAggregate(TrqAggregateFunction function, const Variant& p1, const Variant& p2, const Variant& p3,
                       Variant& value) override;

private:
    // The object and property a name addresses: any name of an object the name
    // names ("PAGE1.Name", "Memo1.Foo"), or a name the current view lists
    // ("Left", "Font.Name").
    bool resolveProperty(const AnsiString& name, class TrqObject*& object, AnsiString& property) const;

    TrqReport& report_;
};
