#include "report/language/StopRequest.h"

#include <atomic>

namespace {
std::atomic<bool> requested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from signal handlers");
}  // namespace

void RequestStop() { requested.store(true, std::memory_order_relaxed); }

bool StopRequested() { return requested.load(std::memory_order_relaxed); }

void ClearStopRequest() { requested.store(false, std::memory_order_relaxed); }
