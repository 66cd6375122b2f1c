#include "report/data/ComponentPath.h"

#include "report/data/ReportDataset.h"

#include <vector>

namespace {
std::vector<AnsiString> splitPath(std::string_view path)
{
    std::vector<AnsiString> parts;
    size_t start = 0;
    for (;;) {
        size_t dot = path.find('.', start);
        parts.push_back(Trim(path.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start)));
        if (dot == std::string_view::npos) return parts;
        start = dot + 1;
    }
}

TComponent* lookUp(TComponent* owner, std::string_view path)
{
    std::vector<AnsiString> parts = splitPath(path);
    switch (parts.size()) {
    case 1: return owner ? owner->FindComponent(parts[0]) : nullptr;
    case 2:
    case 3: {
        TComponent* c = FindGlobalComponent(parts[0]);
        for (size_t i = 1; c && i < parts.size(); ++i) c = c->FindComponent(parts[i]);
        return c;
    }
    default: return nullptr;
    }
}
}  // namespace

TComponent* FindComponentByPath(TComponent* owner, std::string_view path)
{
    try {
        return lookUp(owner, path);
    } catch (const std::exception&) {
        throw EClassNotFound("Missing " + AnsiString(path));
    }
}

TrqDataset* FindReportDataset(TComponent* owner, std::string_view path)
{
    TComponent* component = FindComponentByPath(owner, path);
    if (!component) return nullptr;
    auto* dataset = dynamic_cast<TrqDataset*>(component);
    if (!dataset) throw EInvalidCast("Invalid class typecast");
    return dataset;
}
