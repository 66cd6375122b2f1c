#include "report/model/ReportScriptContext.h"

#include "report/language/Warnings.h"
#include "report/model/Report.h"
#include "runtime/Application.h"

bool TrqReportScriptContext::resolveProperty(const AnsiString& name, TrqObject*& object,
                                             AnsiString& property) const
{
    bool named = false;
    return report_.ResolveQualifiedName(name, object, property, &named) && (named || object->HasProperty(property));
}

void TrqReportScriptContext::HostGetValue(const AnsiString& name, Variant& value)
{
    if (report_.OnGetValue) report_.OnGetValue(name, value);
}

void TrqReportScriptContext::HostUserFunction(const AnsiString& name, const Variant& p1, const Variant& p2,
                                              const Variant& p3, Variant& value)
{
    if (report_.OnUserFunction) report_.OnUserFunction(name, p1, p2, p3, value);
}

bool TrqReportScriptContext::GetDictionaryVariable(const AnsiString&, Variant&)
{
    return false;
}

bool TrqReportScriptContext::SetDictionaryVariable(const AnsiString&, const Variant&)
{
    return false;
}

Variant TrqReportScriptContext::BuildValue(TrqBuildValue which)
{
    switch (which) {
    case TrqBuildValue::LastBracketValue: return Build.LastBracketValue;
    case TrqBuildValue::PageNumber: return Build.PageNumber;
    case TrqBuildValue::StartDate: return Variant::FromDateTime(Build.StartDate);
    case TrqBuildValue::StartTime: return Variant::FromDateTime(Build.StartTime);
    case TrqBuildValue::Line: return Build.Line;
    case TrqBuildValue::LineThrough: return Build.LineThrough;
    case TrqBuildValue::Column: return Build.Column;
    case TrqBuildValue::Current: return Build.Current;
    case TrqBuildValue::TotalPages: return Build.TotalPages;
    case TrqBuildValue::CalcWidth: return Build.CalcWidth;
    case TrqBuildValue::CurY: return Build.CurY;
    case TrqBuildValue::FreeSpace: return Build.PageHeight - Build.CurY;
    case TrqBuildValue::FinalPass: return report_.FinalPass;
    case TrqBuildValue::PageHeight: return Build.PageHeight;
    case TrqBuildValue::PageWidth: return Build.PageWidth;
    }
    return Variant(0);
}

bool TrqReportScriptContext::GetObjectProperty(const AnsiString& name, Variant& value)
{
    TrqObject* object;
    AnsiString property;
    if (!resolveProperty(name, object, property)) return false;
    value = object->GetPropValue(property);
    return true;
}

bool TrqReportScriptContext::SetObjectProperty(const AnsiString& name, const Variant& value)
{
    TrqObject* object;
    AnsiString property;
    if (!resolveProperty(name, object, property)) return false;
    if (object->CanSetProperty(property)) {
        object->SetPropValue(property, value);
    } else {
        const AnsiString objectName = object->ObjectName().empty() ? name.substr(0, name.find('.')) : object->ObjectName();
        WarnOnce(objectName + " has no property \"" + UpperCase(property) +
                 "\" that a script can set: the assignment changes nothing");
    }
    return true;
}

bool TrqReportScriptContext::CallObjectMethod(const AnsiString& name, const Variant& p1, const Variant& p2,
                                              const Variant& p3, Variant& value)
{
    TrqObject* object;
    AnsiString method;
    if (!report_.ResolveQualifiedName(name, object, method)) return false;
    value = object->DoMethod(method, p1, p2, p3);
    return true;
}

bool TrqReportScriptContext::GetIndexProperty(const AnsiString& name, const Variant& index, Variant& value)
{
    TrqObject* object;
    AnsiString property;
    if (!report_.ResolveQualifiedName(name, object, property)) return false;
    value = object->DoMethod("GETINDEXPROPERTY", Variant(property), index, Variant());
    return true;
}

bool TrqReportScriptContext::SetIndexProperty(const AnsiString& name, const Variant& index, const Variant& value)
{
    TrqObject* object;
    AnsiString property;
    if (!report_.ResolveQualifiedName(name, object, property)) return false;
    object->DoMethod("SETINDEXPROPERTY", Variant(property), index, value);
    return true;
}

void TrqReportScriptContext::StopReport()
{
    report_.Terminated = true;
}

void TrqReportScriptContext::ShowBand(const AnsiString& name)
{
    if (OnShowBand) OnShowBand(name);
}

void TrqReportScriptContext::SetModalResult(int result)
{
    if (OnModalResult) OnModalResult(result);
}

void TrqReportScriptContext::SetProgressText(const AnsiString& text)
{
    if (OnProgressText) OnProgressText(text);
    Application().ProcessMessages();
}

void TrqReportScriptContext::CallAggregate(TrqAggregateFunction, const Variant&, const Variant&, const Variant&,
                                           Variant&)
{
    // Aggregates are collected and accumulated by the band engine; without it
    // the value stays the "0" the dispatcher set.
}
