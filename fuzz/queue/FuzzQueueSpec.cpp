// A queued job as a worker reads it from the database: the batch's JSON and
// the job's parameters. Any bytes give a spec or a clear error, never a crash;
// what was read writes out and reads back the same.
#include "QueueSpec.h"

#include "runtime/Exceptions.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "queue spec fuzz: %s\n", what);
        std::abort();
    }
}

bool sameValues(const NamedValues& a, const NamedValues& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const Variant &x = a[i].second, &y = b[i].second;
        if (a[i].first != b[i].first || x.Type() != y.Type()) return false;
        switch (x.Type()) {
        case VarType::Integer: if (x.IntValue() != y.IntValue()) return false; break;
        case VarType::Boolean: if (x.BoolValue() != y.BoolValue()) return false; break;
        case VarType::String: if (x.StringValue() != y.StringValue()) return false; break;
        case VarType::Float:
        case VarType::DateTime:
            // NaN and infinities are no JSON numbers.
            if (std::isfinite(x.FloatValue()) && x.FloatValue() != y.FloatValue()) return false;
            break;
        default: break;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        const NamedValues values = NamedValuesFromJson(bytes);
        check(sameValues(NamedValuesFromJson(NamedValuesToJson(values)), values), "parameters changed on the way back");
    } catch (const Exception&) {
    }
    try {
        const BatchSpec spec = BatchSpecFromJson(bytes);
        const BatchSpec again = BatchSpecFromJson(BatchSpecToJson(spec));
        check(again.sources.queries == spec.sources.queries && again.sources.datasets == spec.sources.datasets &&
                  again.sources.reportDataset == spec.sources.reportDataset && again.output == spec.output,
              "batch changed on the way back");
    } catch (const Exception&) {
    }
    return 0;
}
