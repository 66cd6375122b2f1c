// The template reader on arbitrary bytes: it must end every input with a
// report (possibly one empty page and a message), never crash or read past
// the end. What it read is written again, read again and dumped as JSON, so
// the writer and the JSON form see every shape the reader can produce.
#include "report/model/Report.h"
#include "report/stream/TemplateJson.h"
#include "runtime/Dialogs.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SetDialogHook([](const DialogRequest&) { return DialogAnswer{}; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TrqReport report;
    TMemoryStream input(std::string(reinterpret_cast<const char*>(data), size));
    report.LoadFromStream(input);
    TMemoryStream written;
    try {
        report.SaveToStream(written);
    } catch (const EWriteError&) {
        return 0;  // more than a template can hold (over-long text, objects past page 256)
    }
    written.SetPosition(0);
    TrqReport again;
    again.LoadFromStream(written);
    if (!again.LoadMessage().empty()) std::abort();  // what we wrote must read back cleanly
    std::string json = TemplateToJson(again);
    TrqReport built;
    TemplateFromJson(built, json);
    return 0;
}
