#include "runtime/export/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
// The mode a file created with open(…, 0666) gets: 0666 less the umask. The
// umask can only be read by setting it, so it is read once.
mode_t publishedMode()
{
    static const mode_t mode = [] {
        const mode_t mask = ::umask(022);
        ::umask(mask);
        return static_cast<mode_t>(0666 & ~mask);
    }();
    return mode;
}

std::string uniqueTag()
{
    static std::atomic<unsigned> counter{0};
    return std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
}

constexpr size_t StreamBuffer = 1 << 20;
}  // namespace

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

std::string CannotWriteMessage(const std::string& target, const std::string& reason)
{
    return "Cannot write " + target + ": " + reason;
}

TAtomicFile::TAtomicFile(std::string target) : target_(std::move(target))
{
    if (target_.empty()) Fail("no file name");
    std::error_code ec;
    if (fs::is_directory(target_, ec)) Fail(std::strerror(EISDIR));
    temporary_ = TemporaryFileFor(target_, uniqueTag());
    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        const int error = errno;
        temporary_.clear();
        Fail(std::strerror(error));
    }
}

TAtomicFile::~TAtomicFile()
{
    if (committed_) return;
    if (stream_) std::fclose(stream_);
    else if (fd_ >= 0) ::close(fd_);
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

FILE* TAtomicFile::Stream()
{
    if (!stream_) {
        if (fd_ < 0) Fail("the file is closed");
        stream_ = ::fdopen(fd_, "wb");
        if (!stream_) Fail(std::strerror(errno));
        std::setvbuf(stream_, nullptr, _IOFBF, StreamBuffer);
    }
    return stream_;
}

const std::string& TAtomicFile::HandOverName()
{
    closeStream();
    return temporary_;
}

void TAtomicFile::Write(std::string_view bytes)
{
    if (bytes.empty()) return;
    FILE* stream = Stream();
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size()) Fail(std::strerror(errno));
}

void TAtomicFile::closeStream()
{
    int error = 0;
    if (stream_) {
        if (std::ferror(stream_)) error = EIO;
        if (std::fclose(stream_) != 0 && error == 0) error = errno;
        stream_ = nullptr;
        fd_ = -1;
    } else if (fd_ >= 0) {
        if (::close(fd_) != 0) error = errno;
        fd_ = -1;
    }
    if (error) Fail(std::strerror(error));
}

void TAtomicFile::Commit()
{
    if (committed_) return;
    closeStream();
    ::chmod(temporary_.c_str(), publishedMode());
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) Fail(std::strerror(errno));
    committed_ = true;
}

void TAtomicFile::Fail(const std::string& reason) const { throw EExportError(CannotWriteMessage(target_, reason)); }
