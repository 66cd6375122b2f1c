#include "report/language/Globals.h"

#include "report/language/Constants.h"
#include "report/language/FunctionDispatch.h"
#include "report/language/NameResolution.h"
#include "report/language/StdFunctionLibrary.h"

TrqGlobals& TrqGlobals::Instance()
{
    static TrqGlobals globals;
    return globals;
}

TrqGlobals::TrqGlobals()
{
    FillConstants(Constants);
    Libraries.Register(TrqStdFunctionLibrary::LibraryClassName,
                       [] { return std::make_unique<TrqStdFunctionLibrary>(); });
    Parser.OnGetValue = ResolveName;
    Parser.OnFunction = DispatchFunction;
}

void SetReportContext(TrqReportContext* context)
{
    TrqGlobals& globals = TrqGlobals::Instance();
    globals.Context = context;
    globals.Parser.OnGetValue = ResolveName;
    globals.Parser.OnFunction = DispatchFunction;
}

void ClearNameUnderEvaluation()
{
    TrqGlobals::Instance().NameUnderEvaluation.clear();
}
