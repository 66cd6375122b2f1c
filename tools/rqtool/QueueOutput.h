#pragma once
// What a queued job's prepared pages become: a PDF or XLSX file in a
// directory, or a print job. Each kind lives in a file of its own (QueueOutput*.cpp) and is
// listed in QueueOutputKinds(); a new kind is a new file and one line there.
//
// A kind says, for `queue submit`, which options ask for it and what it keeps
// of them in the batch (JSON, the batch spec's "output"); for the worker, how
// one job is delivered.
//
// Rules that are easy to break:
// - Delivering happens once per job, whatever crashes: a file is written to a
//   temporary beside its target and renamed in JobHandle::Finish (which marks
//   the job done in the same locked transaction); a print job is sent only
//   after JobHandle::BeforeSending, which records that it is on its way, so
//   that a worker taking over a job never sends it again.
// - Everything a kind keeps in the batch must make sense on another machine:
//   absolute paths, printer names.

#include "RqCommand.h"

#include <QJsonObject>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TrqReport;
struct ClaimedJob;

// The worker's side of one claimed job, for the output.
class JobHandle {
public:
    virtual const ClaimedJob& Job() const = 0;
    // Marks the job done with `result` (what was delivered, for status),
    // running publish() while the job is locked; false, without running it,
    // when the job is no longer this worker's.
    virtual bool Finish(const std::string& result, const std::function<void()>& publish) = 0;
    // Before a step that must never be repeated: records that it is about to
    // happen; false when the job is no longer this worker's (do not go on).
    virtual bool BeforeSending() = 0;

protected:
    ~JobHandle() = default;
};

class JobOutput {
public:
    virtual ~JobOutput() = default;
    // Delivers the report's prepared pages for the job. Raises with the
    // engine's message when it cannot; then nothing stays behind.
    virtual void Deliver(TrqReport& report, JobHandle& job) = 0;
};

struct QueueOutputKind {
    const char* name;  // "output": {"kind": name}
    // The options of queue submit that belong to this kind; the first one
    // asks for it.
    std::vector<CommandLineOption> options;
    // The "output" object from the command line; raises RqUsageError.
    std::function<QJsonObject(const CommandLine&)> fromCommandLine;
    // The file a job of this output writes, given the job's name (empty for
    // outputs that write none).
    std::function<std::string(const QJsonObject& output, const std::string& name)> target;
    std::function<std::unique_ptr<JobOutput>(const QJsonObject& output)> make;
};

const std::vector<QueueOutputKind>& QueueOutputKinds();
// The kind of a batch's output; raises Exception for a kind this rqtool
// does not know (a batch submitted by a newer one).
const QueueOutputKind& QueueOutputKindOf(const QJsonObject& output);

// The kinds, each from its own file.
QueueOutputKind PdfOutputKind();
QueueOutputKind PrinterOutputKind();
QueueOutputKind XlsxOutputKind();
