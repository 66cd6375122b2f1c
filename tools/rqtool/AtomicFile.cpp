#include "AtomicFile.h"

#include <filesystem>

namespace fs = std::filesystem;

std::string TemporaryFileFor(const std::string& target, const std::string& tag)
{
    return tag.empty() ? target + ".part" : target + "." + tag + ".part";
}

void WriteFileAtomically(const std::string& target, const std::function<void(const AnsiString&)>& write)
{
    const std::string temporary = TemporaryFileFor(target);
    try {
        write(Utf8ToAnsi(temporary));
        fs::rename(temporary, target);
    } catch (...) {
        std::error_code ec;
        fs::remove(temporary, ec);
        throw;
    }
}
