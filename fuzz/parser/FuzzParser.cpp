// Expressions from outside: memo brackets, band conditions and stored postfix
// texts. Each input is converted and evaluated, and also run directly as a
// postfix text, through the engine's own name resolver and functions.
#include "report/language/Globals.h"
#include "runtime/Dialogs.h"
#include "runtime/Exceptions.h"

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
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TrqVariables& variables = rqVariables();
    variables.Clear();
    variables.SetVariable("Qty", Variant(3));
    variables.SetVariable("Price", Variant(2.5));
    variables.SetVariable("Name", Variant("abc"));
    variables.SetVariable("Day", Variant::FromDateTime(45000.5));
    variables.SetVariable("Nothing", Variant::Null());
    try {
        rqParser().Evaluate(text);
    } catch (const Exception&) {
    }
    try {
        rqParser().EvaluatePostfix(text);
    } catch (const Exception&) {
    }
    return 0;
}
