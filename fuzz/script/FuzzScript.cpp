// Scripts from outside (band, view and page scripts of templates): each input is
// compiled and what compiled is run, with a bound on the steps so that a loop
// that never ends does not stall the run.
#include "report/language/Globals.h"
#include "runtime/Dialogs.h"
#include "runtime/Exceptions.h"
#include "runtime/StringList.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SetDialogHook([](const DialogRequest& r) { return DialogAnswer{DefaultButton(r.flags), r.defaultValue}; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TStringList source;
    source.SetText(std::string_view(reinterpret_cast<const char*>(data), size));
    TStringList compiled, errors;
    TInterpretator& interpreter = rqInterpreter();
    interpreter.CompileScript(source, compiled, errors);
    rqVariables().Clear();
    rqVariables().SetVariable("i", Variant(0));
    interpreter.SetStepLimit(2000);
    try {
        interpreter.RunScript(compiled);
    } catch (const Exception&) {
    }
    TStringList names{"SUM", "COUNT"}, found;
    try {
        interpreter.FindFunctionCalls(compiled, names, rqConstants(), found);
    } catch (const Exception&) {
    }
    return 0;
}
