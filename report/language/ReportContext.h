#pragma once
// TrqReportContext: what the expression and script language needs from the
// report being built. The report implements it and installs itself with
// SetReportContext when it starts preparing; until then (and in rqtool) no
// context is installed, and the rules of name resolution, function dispatch
// and variable writes that need a report are skipped.
//
// Names reach the context as the language has them: an object name, a dot and a
// member name, or a member of the current object without a dot (the report
// applies its own rules for qualified names, such as PAGE2.xxx and Font.Name).

#include "runtime/AnsiString.h"
#include "runtime/Variant.h"

// The build's values that expressions read under fixed names.
enum class TrqBuildValue {
    LastBracketValue,  // VALUE: the value most recently computed for a memo bracket
    PageNumber,        // PAGE#: the number of the page being built, from 1
    StartDate,         // DATE: taken when the report started preparing (a date-time)
    StartTime,         // TIME: likewise
    Line,              // LINE#: the current band's line counter
    LineThrough,       // LINETHROUGH#: the current band's running line counter
    Column,            // COLUMN#: the page's cross-tab column counter
    Current,           // CURRENT#: the page's running record counter
    TotalPages,        // TOTALPAGES: pages found by the first pass, else 0
    CalcWidth,         // CALCWIDTH: width the current memo's text needs, or the current view's width
    CurY,              // CURY: the page's current vertical position
    FreeSpace,         // FREESPACE: from CURY to the page's bottom limit
    FinalPass,         // FINALPASS: true in the last (or only) pass (a boolean)
    PageHeight,        // PAGEHEIGHT: the page's bottom limit
    PageWidth,         // PAGEWIDTH: the page width in effect
};

// The aggregate functions of the standard library, with their key codes.
enum class TrqAggregateFunction { Sum = 11, Min = 12, Max = 13, Avg = 14, Count = 15 };

class TrqReportContext {
public:
    virtual ~TrqReportContext() = default;

    // The report's OnGetValue event, asked first for every name; leaves value
    // as it is when the event is unassigned.
    virtual void HostGetValue(const AnsiString& name, Variant& value) = 0;
    // The report's OnUserFunction event, called after the report functions;
    // leaves value as it is when the event is unassigned.
    virtual void HostUserFunction(const AnsiString& name, const Variant& p1, const Variant& p2,
                                  const Variant& p3, Variant& value) = 0;

    // Variables of the report's data dictionary: true when the dictionary
    // defines the name (the value is then read or replaced).
    virtual bool GetDictionaryVariable(const AnsiString& name, Variant& value) = 0;
    virtual bool SetDictionaryVariable(const AnsiString& name, const Variant& value) = 0;

    virtual Variant BuildValue(TrqBuildValue which) = 0;

    // Properties of report objects: true when the name addresses a property.
    virtual bool GetObjectProperty(const AnsiString& name, Variant& value) = 0;
    virtual bool SetObjectProperty(const AnsiString& name, const Variant& value) = 0;
    // A method of a report object: true when the object exists; the method gets
    // the call's argument texts unevaluated, as expressions hand them on.
    virtual bool CallObjectMethod(const AnsiString& name, const Variant& p1, const Variant& p2,
                                  const Variant& p3, Variant& value) = 0;
    // An indexed property such as Memo1.Memo (the object's GETINDEXPROPERTY and
    // SETINDEXPROPERTY methods); index and value arrive evaluated. True when
    // the object exists.
    virtual bool GetIndexProperty(const AnsiString& name, const Variant& index, Variant& value) = 0;
    virtual bool SetIndexProperty(const AnsiString& name, const Variant& index, const Variant& value) = 0;

    // STOPREPORT: sets the report's terminate flag.
    virtual void StopReport() = 0;
    // NEWPAGE and NEWCOLUMN: one more break request on the current band.
    virtual void RequestNewPage() = 0;
    virtual void RequestNewColumn() = 0;
    // SHOWBAND(name): shows the band of that name on the current page.
    virtual void ShowBand(const AnsiString& name) = 0;
    // MODALRESULT := n: the modal result of the current dialog page's form;
    // nothing when the current page is not a dialog page.
    virtual void SetModalResult(int result) = 0;
    // CURY := y: moves the page's current position (and keeps it across the
    // current band's pending breaks).
    virtual void SetCurY(int y) = 0;
    // PROGRESS := text: the progress window's second label; lets pending
    // window messages through.
    virtual void SetProgressText(const AnsiString& text) = 0;

    // True while the aggregate collection pass runs.
    virtual bool CollectingAggregates() = 0;
    // SUM, AVG, MIN, MAX and COUNT, with their argument texts unevaluated;
    // value arrives as the text "0".
    virtual void CallAggregate(TrqAggregateFunction function, const Variant& p1, const Variant& p2,
                               const Variant& p3, Variant& value) = 0;
};
