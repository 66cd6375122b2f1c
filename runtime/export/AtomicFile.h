#pragma once
// Output files that appear whole or not at all: the content is written to a
// temporary file beside the target and renamed over it, so that a reader (or
// a crash) never sees half a file, and a failed write leaves the target as it
// was.
//
// Rules that are easy to break:
// - The temporary lies in the target's directory: a rename never crosses file
//   systems, and a directory that cannot be written fails before any work.
// - Every failure names the target and the reason ("Cannot write
//   /x/y.csv: Permission denied") and removes the temporary.
// - A published file gets the permissions a newly created file would get
//   (0666 less the umask), not the private ones of the temporary.

#include "runtime/AnsiString.h"
#include "runtime/Exceptions.h"

#include <cstdio>
#include <functional>
#include <string>

// A file that could not be written: the message names the file and the reason.
DECLARE_EXCEPTION(EExportError, EWriteError)

// The temporary name for `target`: beside it, "TARGET.part", or
// "TARGET.TAG.part" when writers that may overlap need names of their own.
std::string TemporaryFileFor(const std::string& target, const std::string& tag = {});

// write(fileName) writes the content to the temporary file TARGET.part; then
// it takes the target's name. When write or the rename fails, no temporary file stays
// and the target is as it was; the error passes on.
void WriteFileAtomically(const std::string& target, const std::function<void(const AnsiString&)>& write);

// The message for a file that cannot be written: "Cannot write PATH: REASON".
std::string CannotWriteMessage(const std::string& target, const std::string& reason);

// A target (a UTF-8 path) written through a temporary of its own
// ("TARGET.<unique>.part", so that two writers never share one). The
// temporary is created at once; write to it through Stream() or by name,
// then Commit(). Destroying an uncommitted file removes the temporary.
class TAtomicFile {
public:
    // Raises EExportError when the temporary cannot be created.
    explicit TAtomicFile(std::string target);
    ~TAtomicFile();
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    const std::string& Target() const { return target_; }
    const std::string& TemporaryName() const { return temporary_; }
    // The temporary, open for writing with a large buffer.
    FILE* Stream();
    // For a library that opens the file by its name: closes this object's
    // descriptor and gives the temporary's name (Commit still publishes it).
    const std::string& HandOverName();
    // Writes bytes to Stream(); raises EExportError on a short write.
    void Write(std::string_view bytes);
    // Closes the stream (when open) and renames the temporary over the target.
    // Raises EExportError for a write, close or rename that failed.
    void Commit();
    // Raises EExportError for the target with the reason `reason`.
    [[noreturn]] void Fail(const std::string& reason) const;

private:
    void closeStream();

    std::string target_;
    std::string temporary_;
    FILE* stream_ = nullptr;
    int fd_ = -1;
    bool committed_ = false;
};
