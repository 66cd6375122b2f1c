#include "report/texts/Warnings.h"

#include <cstdio>
#include <mutex>
#include <unordered_set>

namespace {
std::mutex warningsLock;
std::unordered_set<std::string>& written()
{
    static std::unordered_set<std::string> keys;
    return keys;
}
}  // namespace

void WarnOnce(const std::string& key, const AnsiString& text)
{
    std::lock_guard lock(warningsLock);
    if (!written().insert(key).second) return;
    const std::string line = AnsiToUtf8(text) + "\n";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
}

void NewWarningRound()
{
    std::lock_guard lock(warningsLock);
    written().clear();
}
