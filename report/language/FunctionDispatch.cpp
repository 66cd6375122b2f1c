#include "report/language/FunctionDispatch.h"

#include "report/language/Globals.h"
#include "report/language/NameResolution.h"
#include "runtime/SysUtils.h"

namespace {

// The index of an array element as it appears in the variable's name: a text
// as it is, any other value as a decimal integer.
AnsiString indexText(const Variant& index)
{
    return index.IsString() ? index.StringValue() : IntToStr(index.AsInteger());
}

AnsiString arrayVariableName(const AnsiString& name, const Variant& index)
{
    return "Arr_" + name + "_" + indexText(index);
}

void step(const AnsiString& name, int by)
{
    Variant value;
    ResolveName(name, value);
    rqInterpreter().WriteVariable(name, value + Variant(by));
}

void callReportFunction(const AnsiString& function, const Variant& p1, const Variant& p2, const Variant& p3,
                        Variant& value)
{
    TrqReportContext* report = ReportContext();
    const AnsiString name = Trim(p1.AsString());
    const bool qualified = name.find('.') != AnsiString::npos;

    if (function == "STOPREPORT") {
        if (report) report->StopReport();
    } else if (function == "NEWPAGE") {
        if (report) report->RequestNewPage();
    } else if (function == "NEWCOLUMN") {
        if (report) report->RequestNewColumn();
    } else if (function == "SHOWBAND") {
        if (report) report->ShowBand(name);
    } else if (function == "INC") {
        step(name, 1);
    } else if (function == "DEC") {
        step(name, -1);
    } else if (function == "SETARRAY") {
        Variant index = rqParser().Evaluate(p2.AsString());
        Variant element = rqParser().Evaluate(p3.AsString());
        if (!qualified) rqVariables().SetVariable(arrayVariableName(name, index), element);
        else if (report) report->SetIndexProperty(name, index, element);
    } else if (function == "GETARRAY") {
        Variant index = rqParser().Evaluate(p2.AsString());
        if (!qualified) value = rqVariables().GetVariable(arrayVariableName(name, index));
        else if (report) report->GetIndexProperty(name, index, value);
    } else if (report) {
        report->CallObjectMethod(function, p1, p2, p3, value);
    }
}

}  // namespace

void DispatchFunction(const AnsiString& name, const Variant& p1, const Variant& p2, const Variant& p3,
                      Variant& value)
{
    value = Variant("0");
    if (rqFunctionLibraries().TryCall(name, p1, p2, p3, value)) return;
    callReportFunction(name, p1, p2, p3, value);
    if (TrqReportContext* report = ReportContext()) report->HostUserFunction(name, p1, p2, p3, value);
}
