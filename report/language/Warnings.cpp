#include "report/language/Warnings.h"

#include <cstdio>
#include <mutex>
#include <unordered_set>
#include <utility>

namespace {
// A process warns about a few things, not about every record: past this many
// different texts nothing more is remembered (or written).
constexpr size_t MaxRemembered = 10000;

struct WarningState {
    std::mutex mutex;
    std::unordered_set<AnsiString> written;
    TrqWarningSink sink;
};

WarningState& state()
{
    static WarningState s;
    return s;
}
}  // namespace

void WarnOnce(const AnsiString& text)
{
    WarningState& s = state();
    TrqWarningSink sink;
    {
        std::lock_guard lock(s.mutex);
        if (s.written.size() >= MaxRemembered || !s.written.insert(text).second) return;
        sink = s.sink;
    }
    if (sink) sink(text);
    else std::fprintf(stderr, "Warning: %s\n", AnsiToUtf8(text).c_str());
}

void WarnAboutScript(const AnsiString& owner, const AnsiString& note)
{
    if (!note.empty()) WarnOnce("script of " + owner + ": " + note);
}

TrqWarningSink SetWarningSink(TrqWarningSink sink)
{
    WarningState& s = state();
    std::lock_guard lock(s.mutex);
    return std::exchange(s.sink, std::move(sink));
}

void ForgetWarnings()
{
    WarningState& s = state();
    std::lock_guard lock(s.mutex);
    s.written.clear();
}
