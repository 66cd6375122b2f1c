#include "report/language/Interpretator.h"

#include "report/language/FunctionSplitter.h"
#include "report/language/Globals.h"
#include "report/language/NameResolution.h"
#include "report/language/ParserError.h"
#include "report/language/ScriptCompiler.h"
#include "report/language/StopRequest.h"

namespace {

constexpr char JumpIfZero = 1;
constexpr char Jump = 2;
constexpr char Evaluate = 3;

int targetOf(const AnsiString& line)
{
    return static_cast<unsigned char>(line[1]) | static_cast<unsigned char>(line[2]) << 8;
}

// The position of the blank that ends the name of an assignment line.
size_t nameEnd(std::string_view line)
{
    size_t blank = line.find(' ');
    return blank == std::string_view::npos ? line.size() : blank;
}

}  // namespace

TrqInterpretator::TrqInterpretator()
{
    parser_.OnGetValue = [this](const AnsiString& name, Variant& value) { ReadVariable(name, value); };
    parser_.OnFunction = [this](const AnsiString& name, const Variant& p1, const Variant& p2, const Variant& p3,
                                Variant& value) { CallFunction(name, p1, p2, p3, value); };
}

void TrqInterpretator::ReadVariable(const AnsiString&, Variant&) {}

void TrqInterpretator::WriteVariable(const AnsiString&, const Variant&) {}

void TrqInterpretator::CallFunction(const AnsiString&, const Variant&, const Variant&, const Variant&, Variant&) {}

void TrqInterpretator::CompileScript(const TStringList& source, TStringList& compiled, TStringList& errors)
{
    CompileScriptLines(source, compiled, errors);
}

AnsiString TrqInterpretator::CompileScriptAndNote(const TStringList& source, TStringList& compiled,
                                                  TStringList& errors)
{
    AnsiString unread;
    CompileScriptLines(source, compiled, errors, &unread);
    if (!errors.IsEmpty()) return Format(LanguageText::ScriptRunsUpToError, errors[0].c_str());
    if (!unread.empty()) return Format(LanguageText::ScriptTextNotRun, unread.c_str());
    return {};
}

void TrqInterpretator::check()
{
    untilCheck_ = CheckInterval;
    if (OnCheck) OnCheck();
    if (StopRequested()) Abort();
}

void TrqInterpretator::RunScript(const TStringList& compiled)
{
    static const Variant zero(0);
    const int count = compiled.Count();
    int64_t steps = 0;
    int i = 0;
    while (i >= 0 && i < count) {
        if (--untilCheck_ <= 0) check();
        if (stepLimit_ > 0 && ++steps > stepLimit_)
            throw EParserError(Format(LanguageText::ScriptStepLimit, static_cast<long long>(stepLimit_)));
        const AnsiString& line = compiled[i];
        if (line.empty()) {
            ++i;
            continue;
        }
        const std::string_view text(line);
        switch (line[0]) {
        case JumpIfZero:
            if (line.size() < 3) return;
            i = parser_.EvaluatePostfix(text.substr(3)) == zero ? targetOf(line) : i + 1;
            break;
        case Jump:
            if (line.size() < 3) return;
            i = targetOf(line);
            break;
        case Evaluate:
            if (SameText(text.substr(1), "EXIT(0)")) return;
            parser_.EvaluatePostfix(text.substr(1));
            ++i;
            break;
        default: {
            size_t end = nameEnd(text);
            AnsiString name(text.substr(0, end));
            Variant value = parser_.EvaluatePostfix(text.substr(std::min(end + 1, text.size())));
            WriteVariable(name, value);
            ++i;
        }
        }
    }
}

void TrqInterpretator::FindFunctionCalls(const TStringList& compiled, const TStringList& names,
                                         const TrqVariables& variables, TStringList& found)
{
    TrqFunctionSplitter splitter(names, variables, found);
    for (int i = 0; i < compiled.Count(); ++i) {
        const std::string_view line(compiled[i]);
        if (line.empty()) continue;
        switch (line[0]) {
        case JumpIfZero: splitter.Split(line.substr(std::min<size_t>(3, line.size()))); break;
        case Jump: break;
        case Evaluate: splitter.Split(line.substr(1)); break;
        default: splitter.Split(line.substr(std::min(nameEnd(line) + 1, line.size())));
        }
    }
}

void TInterpretator::ReadVariable(const AnsiString& name, Variant& value)
{
    if (const TDetailEvent& handler = rqParser().OnGetValue) handler(name, value);
}

void TInterpretator::WriteVariable(const AnsiString& name, const Variant& value)
{
    WriteReportVariable(name, value);
}

void TInterpretator::CallFunction(const AnsiString& name, const Variant& p1, const Variant& p2, const Variant& p3,
                                  Variant& value)
{
    if (const TFunctionEvent& handler = rqParser().OnFunction) handler(name, p1, p2, p3, value);
}
