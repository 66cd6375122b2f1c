#include "QueueOutputFile.h"

#include "runtime/Exceptions.h"
#include "runtime/export/AtomicFile.h"
#include "tools/queue/JobStore.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Claims of one job may overlap (a worker whose lease ran out may still be
// writing), so each writes a temporary of its own.
std::string temporaryOf(const ClaimedJob& job, int claim)
{
    return TemporaryFileFor(job.target, "job" + std::to_string(job.id) + "-" + std::to_string(claim));
}

// The temporaries of earlier claims, and whatever their writers made beside
// them, start with the job's own prefix.
void removeEarlierTemporaries(const ClaimedJob& job)
{
    const fs::path target(job.target);
    const std::string mine = fs::path(temporaryOf(job, job.claim)).filename().string();
    const std::string prefix = target.filename().string() + ".job" + std::to_string(job.id) + "-";
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(target.parent_path(), ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) == 0 && name.rfind(mine, 0) != 0 && name.size() > 5 &&
            name.compare(name.size() - 5, 5, ".part") == 0)
            fs::remove(entry.path(), ec);
    }
}

class FileOutput : public JobOutput {
public:
    explicit FileOutput(std::function<void(TrqReport&, const std::string&)> write) : write_(std::move(write)) {}

    void Deliver(TrqReport& report, JobHandle& handle) override
    {
        const ClaimedJob& job = handle.Job();
        removeEarlierTemporaries(job);
        std::error_code ec;
        const std::string temporary = temporaryOf(job, job.claim);
        try {
            write_(report, temporary);
            if (!handle.Finish(job.target, [&] { fs::rename(temporary, job.target); })) fs::remove(temporary, ec);
        } catch (...) {
            fs::remove(temporary, ec);
            throw;
        }
    }

private:
    std::function<void(TrqReport&, const std::string&)> write_;
};

}  // namespace

QueueOutputKind FileOutputKind(const char* name, const char* option, const char* extension,
                               const char* description,
                               std::function<void(TrqReport&, const std::string&)> write)
{
    const std::string kind = name, flag = option, ext = extension;
    return {.name = name,
            .options = {{{option}, "DIR", description}},
            .fromCommandLine =
                [kind, flag](const CommandLine& line) {
                    const fs::path dir = fs::absolute(line.Value(flag)).lexically_normal();
                    if (!fs::is_directory(dir)) throw Exception("--" + flag + ": no directory " + dir.string());
                    return QJsonObject{{"kind", QString::fromStdString(kind)},
                                       {"dir", QString::fromStdString(dir.string())}};
                },
            .target = [ext](const QJsonObject& output,
                            const std::string& file) { return (fs::path(output["dir"].toString().toStdString()) / (file + ext)).string(); },
            .make = [write](const QJsonObject&) { return std::make_unique<FileOutput>(write); }};
}
