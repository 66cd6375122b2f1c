#include "report/texts/EngineTexts.h"

#include <algorithm>
#include <unordered_map>

namespace {
const std::unordered_map<int, AnsiString>& table()
{
    static const std::unordered_map<int, AnsiString> texts = [] {
        std::unordered_map<int, AnsiString> map;
        for (size_t i = 0; i < kEngineTextCount; ++i) {
            AnsiString text = Utf8ToAnsi(kEngineTextTable[i].utf8);
            if (text.size() > 1023) text.resize(1023);
            map.emplace(kEngineTextTable[i].id, std::move(text));
        }
        return map;
    }();
    return texts;
}
}  // namespace

AnsiString TrqLocale::LoadText(int id)
{
    auto it = table().find(id);
    return it == table().end() ? AnsiString() : it->second;
}

int TrqLocale::DuplicateCount()
{
    return static_cast<int>(kEngineTextCount - table().size());
}
