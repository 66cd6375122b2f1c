#include "report/language/NameResolution.h"

#include "report/language/Globals.h"
#include "report/language/ParserError.h"
#include "report/texts/EngineTexts.h"

#include <optional>

namespace {

struct BuildName {
    const char* name;
    TrqBuildValue value;
};

// Read before rqVariables, so a global variable cannot hide them.
const BuildName namesBeforeVariables[] = {
    {"VALUE", TrqBuildValue::LastBracketValue},
    {"PAGE#", TrqBuildValue::PageNumber},
    {"DATE", TrqBuildValue::StartDate},
    {"TIME", TrqBuildValue::StartTime},
    {"LINE#", TrqBuildValue::Line},
    {"LINETHROUGH#", TrqBuildValue::LineThrough},
    {"COLUMN#", TrqBuildValue::Column},
    {"CURRENT#", TrqBuildValue::Current},
    {"TOTALPAGES", TrqBuildValue::TotalPages},
    {"CALCWIDTH", TrqBuildValue::CalcWidth},
};

// Read after rqVariables.
const BuildName namesAfterVariables[] = {
    {"CURY", TrqBuildValue::CurY},
    {"FREESPACE", TrqBuildValue::FreeSpace},
    {"FINALPASS", TrqBuildValue::FinalPass},
    {"PAGEHEIGHT", TrqBuildValue::PageHeight},
    {"PAGEWIDTH", TrqBuildValue::PageWidth},
};

template <size_t N>
std::optional<TrqBuildValue> buildValueNamed(const BuildName (&names)[N], const AnsiString& name)
{
    for (const BuildName& b : names)
        if (name == b.name) return b.value;
    return std::nullopt;
}

// Empties the name under evaluation on every way out.
struct NameUnderEvaluation {
    explicit NameUnderEvaluation(TrqGlobals& g, const AnsiString& name) : globals(g)
    {
        globals.NameUnderEvaluation = name;
    }
    ~NameUnderEvaluation() { globals.NameUnderEvaluation.clear(); }
    TrqGlobals& globals;
};

}  // namespace

void ResolveName(const AnsiString& name, Variant& value)
{
    TrqGlobals& globals = TrqGlobals::Instance();
    TrqReportContext* report = globals.Context;

    value = Variant();
    if (report) {
        report->HostGetValue(name, value);
        if (!value.IsEmpty()) return;
    }
    value = Variant(0);
    if (report) {
        if (report->GetDictionaryVariable(name, value)) return;
        if (auto which = buildValueNamed(namesBeforeVariables, name)) {
            value = report->BuildValue(*which);
            return;
        }
    }
    if (const Variant* global = globals.Variables.Find(name)) {
        value = *global;
        return;
    }
    if (report) {
        if (auto which = buildValueNamed(namesAfterVariables, name)) {
            value = report->BuildValue(*which);
            return;
        }
        if (report->GetObjectProperty(name, value)) return;
    }
    if (const Variant* constant = globals.Constants.Find(name)) {
        value = *constant;
        return;
    }
    // A bracket such as [Qty*2] arrives here as a name: it is evaluated once as
    // an expression. A name that comes back to itself is undefined.
    if (name != globals.NameUnderEvaluation) {
        value = Variant();
        NameUnderEvaluation slot(globals, name);
        value = globals.Parser.Evaluate(name);
        return;
    }
    if (report && report->CollectingAggregates()) {
        value = Variant();
        return;
    }
    throw EParserError(TrqLocale::LoadText(55439) + " \"" + name + "\"");
}

void WriteReportVariable(const AnsiString& name, const Variant& value)
{
    TrqGlobals& globals = TrqGlobals::Instance();
    TrqReportContext* report = globals.Context;

    int index = globals.Variables.IndexOf(name);
    if (index >= 0) {
        globals.Variables.SetValueAt(index, value);
        return;
    }
    if (report && report->SetDictionaryVariable(name, value)) return;
    if (SameText(name, "MODALRESULT")) {
        // Only a dialog page being shown takes it; never a global variable.
        if (report) report->SetModalResult(static_cast<int>(value.AsInteger()));
        return;
    }
    if (report) {
        if (name == "CURY") {
            report->SetCurY(static_cast<int>(value.AsInteger()));
            return;
        }
        if (name == "PROGRESS") {
            report->SetProgressText(value.AsString());
            return;
        }
        if (report->SetObjectProperty(name, value)) return;
    } else if (name == "PROGRESS") {
        return;  // there is no progress window without a report
    }
    globals.Variables.SetVariable(name, value);
}
