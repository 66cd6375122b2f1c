// Queue output "pdf": each job's pages as one PDF file, NAME.pdf in the
// batch's directory. The file appears whole when the job is marked done;
// a worker that dies leaves only its temporary, which the next attempt
// removes.
#include "runtime/export/AtomicFile.h"
#include "QueueOutput.h"

#include "report/model/Report.h"
#include "report/pages/PageRender.h"
#include "runtime/Exceptions.h"
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

class PdfOutput : public JobOutput {
public:
    void Deliver(TrqReport& report, JobHandle& handle) override
    {
        const ClaimedJob& job = handle.Job();
        std::error_code ec;
        for (int earlier = 1; earlier < job.claim; ++earlier) fs::remove(temporaryOf(job, earlier), ec);
        const std::string temporary = temporaryOf(job, job.claim);
        try {
            SavePdf(report.EMFPages(), Utf8ToAnsi(temporary), report.Title());
            if (!handle.Finish(job.target, [&] { fs::rename(temporary, job.target); })) fs::remove(temporary, ec);
        } catch (...) {
            fs::remove(temporary, ec);
            throw;
        }
    }
};

}  // namespace

QueueOutputKind PdfOutputKind()
{
    return {.name = "pdf",
            .options = {{{"pdf-dir"}, "DIR",
                         "Write each job's pages to NAME.pdf in DIR, which must exist and be reachable under the same "
                         "path by every worker."}},
            .fromCommandLine =
                [](const CommandLine& line) {
                    const fs::path dir = fs::absolute(line.Value("pdf-dir")).lexically_normal();
                    if (!fs::is_directory(dir)) throw Exception("--pdf-dir: no directory " + dir.string());
                    return QJsonObject{{"kind", "pdf"}, {"dir", QString::fromStdString(dir.string())}};
                },
            .target = [](const QJsonObject& output,
                         const std::string& name) { return (fs::path(output["dir"].toString().toStdString()) / (name + ".pdf")).string(); },
            .make = [](const QJsonObject&) { return std::make_unique<PdfOutput>(); }};
}
