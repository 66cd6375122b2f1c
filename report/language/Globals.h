#pragma once
// The engine-wide objects of the report language, created together on first
// use and freed when the program ends:
//
//   rqParser()             the parser of reports; its OnGetValue and OnFunction
//                          start as the engine's name resolver and function
//                          dispatcher (NameResolution.h, FunctionDispatch.h)
//   rqInterpreter()        the interpreter of band, view and page scripts
//   rqVariables()          global variables, sorted; the program hands values to
//                          reports here and scripts leave theirs; they survive
//                          from one report run to the next
//   rqConstants()          the predefined constants (colours, mr*, fs*, ...)
//   rqFunctionLibraries()  the function libraries, the standard library first
//   rqInstalledFunctions() descriptions of library functions
//
// The report being built installs itself as the context (SetReportContext);
// without one, the rules that need a report are skipped.

#include "report/language/FunctionLibrary.h"
#include "report/language/Interpretator.h"
#include "report/language/Parser.h"
#include "report/language/ReportContext.h"
#include "report/language/Variables.h"

class TrqGlobals {
public:
    static TrqGlobals& Instance();

    TrqParser Parser;
    TInterpretator Interpreter;
    TrqVariables Variables{true};
    TrqVariables Constants{true};
    TrqFunctionLibraries Libraries;
    TrqInstalledFunctions InstalledFunctions;
    TrqReportContext* Context = nullptr;
    // The name that name resolution is evaluating as an expression; a name that
    // comes back to itself is undefined.
    AnsiString NameUnderEvaluation;

    TrqGlobals(const TrqGlobals&) = delete;
    TrqGlobals& operator=(const TrqGlobals&) = delete;

private:
    TrqGlobals();
};

inline TrqParser& rqParser() { return TrqGlobals::Instance().Parser; }
inline TInterpretator& rqInterpreter() { return TrqGlobals::Instance().Interpreter; }
inline TrqVariables& rqVariables() { return TrqGlobals::Instance().Variables; }
inline TrqVariables& rqConstants() { return TrqGlobals::Instance().Constants; }
inline TrqFunctionLibraries& rqFunctionLibraries() { return TrqGlobals::Instance().Libraries; }
inline TrqInstalledFunctions& rqInstalledFunctions() { return TrqGlobals::Instance().InstalledFunctions; }

// The report being built, or nullptr.
inline TrqReportContext* ReportContext() { return TrqGlobals::Instance().Context; }
// Installs the report (nullptr: none) and points rqParser at the engine's name
// resolver and function dispatcher again.
void SetReportContext(TrqReportContext* context);
// Empties the name under evaluation; the band engine does so before it expands
// each memo bracket.
void ClearNameUnderEvaluation();

// Installs a context for a scope and restores the previous one.
class ScopedReportContext {
public:
    explicit ScopedReportContext(TrqReportContext* context) : previous_(ReportContext())
    {
        SetReportContext(context);
    }
    ~ScopedReportContext() { SetReportContext(previous_); }
    ScopedReportContext(const ScopedReportContext&) = delete;
    ScopedReportContext& operator=(const ScopedReportContext&) = delete;

private:
    TrqReportContext* previous_;
};

// Registration by class: the class provides `static constexpr const char*
// LibraryClassName` and a default constructor.
template <class Library>
void RegisterFunctionLibrary()
{
    rqFunctionLibraries().Register(Library::LibraryClassName, [] { return std::make_unique<Library>(); });
}
template <class Library>
void UnregisterFunctionLibrary()
{
    rqFunctionLibraries().Unregister(Library::LibraryClassName);
}
