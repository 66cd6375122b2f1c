#include "Exceptions.h"

#include <cstdarg>
#include <cstdio>

void Abort()
{
    throw EAbort("Operation aborted");
}

std::string Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    char small[256];
    int n = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    std::string result;
    if (n < 0) {
        va_end(copy);
        return result;
    }
    if (static_cast<size_t>(n) < sizeof small) {
        result.assign(small, static_cast<size_t>(n));
    } else {
        result.resize(static_cast<size_t>(n));
        std::vsnprintf(result.data(), result.size() + 1, format, copy);
    }
    va_end(copy);
    return result;
}
