#include "Streams.h"

#include "Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

static_assert(LDBL_MANT_DIG == 64, "extended values need the x87 80-bit long double");

int64_t TStream::Remaining() const
{
    int64_t left = Size() - Position();
    return left > 0 ? left : 0;
}

void TStream::ReadBuffer(void* buffer, int64_t count)
{
    if (count < 0 || (count > 0 && Read(buffer, count) != count))
        throw EReadError(RuntimeText::StreamRead);
}

void TStream::WriteBuffer(const void* buffer, int64_t count)
{
    if (count < 0 || (count > 0 && Write(buffer, count) != count))
        throw EWriteError(RuntimeText::StreamWrite);
}

int64_t TStream::CopyFrom(TStream& source, int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    int64_t total = count;
    char buffer[65536];
    while (count > 0) {
        int64_t n = std::min<int64_t>(count, sizeof buffer);
        source.ReadBuffer(buffer, n);
        WriteBuffer(buffer, n);
        count -= n;
    }
    return total;
}

namespace {
template <class T>
T readLittle(TStream& s)
{
    unsigned char b[sizeof(T)];
    s.ReadBuffer(b, sizeof b);
    T v = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        v |= static_cast<T>(b[i]) << (8 * i);
    return v;
}

template <class T>
void writeLittle(TStream& s, T v)
{
    unsigned char b[sizeof(T)];
    for (size_t i = 0; i < sizeof(T); ++i)
        b[i] = static_cast<unsigned char>(v >> (8 * i));
    s.WriteBuffer(b, sizeof b);
}
}  // namespace

uint8_t TStream::ReadUInt8()
{
    uint8_t v;
    ReadBuffer(&v, 1);
    return v;
}
uint16_t TStream::ReadUInt16() { return readLittle<uint16_t>(*this); }
uint32_t TStream::ReadUInt32() { return readLittle<uint32_t>(*this); }
uint64_t TStream::ReadUInt64() { return readLittle<uint64_t>(*this); }

float TStream::ReadSingle()
{
    uint32_t bits = ReadUInt32();
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

double TStream::ReadDouble()
{
    uint64_t bits = ReadUInt64();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

long double TStream::ReadExtended()
{
    unsigned char b[10];
    ReadBuffer(b, sizeof b);
    long double v = 0;
    std::memcpy(&v, b, sizeof b);
    return v;
}

std::string TStream::ReadBytes(int64_t count)
{
    if (count < 0 || count > Remaining())
        throw EReadError(RuntimeText::StreamRead);
    std::string bytes(static_cast<size_t>(count), '\0');
    ReadBuffer(bytes.data(), count);
    return bytes;
}

void TStream::WriteUInt16(uint16_t v) { writeLittle(*this, v); }
void TStream::WriteUInt32(uint32_t v) { writeLittle(*this, v); }
void TStream::WriteUInt64(uint64_t v) { writeLittle(*this, v); }

void TStream::WriteSingle(float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    WriteUInt32(bits);
}

void TStream::WriteDouble(double v)
{
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    WriteUInt64(bits);
}

void TStream::WriteExtended(long double v)
{
    unsigned char b[16] = {};
    std::memcpy(b, &v, 10);
    WriteBuffer(b, 10);
}

// ---------------------------------------------------------------------------

int64_t TMemoryStream::Read(void* buffer, int64_t count)
{
    if (count <= 0 || position_ >= Size()) return 0;
    int64_t n = std::min(count, Size() - position_);
    std::memcpy(buffer, data_.data() + position_, static_cast<size_t>(n));
    position_ += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count)
{
    if (count <= 0) return 0;
    if (position_ == Size()) {
        // Appending, as streams are mostly written: no zero fill before the copy.
        data_.append(static_cast<const char*>(buffer), static_cast<size_t>(count));
        position_ += count;
        return count;
    }
    int64_t end = position_ + count;
    if (end > Size()) data_.resize(static_cast<size_t>(end));
    std::memcpy(data_.data() + position_, buffer, static_cast<size_t>(count));
    position_ = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin)
{
    int64_t base = origin == soBeginning ? 0 : (origin == soCurrent ? position_ : Size());
    position_ = std::max<int64_t>(0, base + offset);
    return position_;
}

void TMemoryStream::SetSize(int64_t size)
{
    data_.resize(static_cast<size_t>(std::max<int64_t>(0, size)));
    if (position_ > Size()) position_ = Size();
}

void TMemoryStream::Clear()
{
    data_.clear();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source)
{
    source.SetPosition(0);
    int64_t size = source.Size();
    std::string bytes(static_cast<size_t>(size), '\0');
    source.ReadBuffer(bytes.data(), size);
    data_ = std::move(bytes);
    position_ = 0;
}

void TMemoryStream::SaveToStream(TStream& target) const
{
    target.WriteBuffer(data_.data(), Size());
}

void TMemoryStream::LoadFromFile(const std::string& fileName)
{
    TFileStream file(fileName, fmOpenRead);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::string& fileName) const
{
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

// ---------------------------------------------------------------------------

std::string SystemFileName(const std::string& fileName)
{
    return AnsiToUtf8(fileName);
}

bool FileExists(const std::string& fileName)
{
    struct stat st;
    return ::stat(SystemFileName(fileName).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

TFileStream::TFileStream(const std::string& fileName, unsigned mode) : fileName_(fileName)
{
    std::string path = SystemFileName(fileName);
    if (mode == fmCreate) {
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd_ < 0)
            throw EFCreateError(Format(RuntimeText::FileCreate, fileName.c_str(), Utf8ToAnsi(std::strerror(errno)).c_str()));
        return;
    }
    int flags = (mode & 3) == fmOpenWrite ? O_WRONLY : ((mode & 3) == fmOpenReadWrite ? O_RDWR : O_RDONLY);
    fd_ = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd_ >= 0) {
        struct stat st;
        if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
            ::close(fd_);
            fd_ = -1;
            errno = EISDIR;
        }
    }
    if (fd_ < 0)
        throw EFOpenError(Format(RuntimeText::FileOpen, fileName.c_str(), Utf8ToAnsi(std::strerror(errno)).c_str()));
}

TFileStream::~TFileStream()
{
    if (fd_ >= 0) ::close(fd_);
}

int64_t TFileStream::Read(void* buffer, int64_t count)
{
    int64_t total = 0;
    auto* p = static_cast<char*>(buffer);
    while (total < count) {
        ssize_t n = ::read(fd_, p + total, static_cast<size_t>(count - total));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        total += n;
    }
    return total;
}

int64_t TFileStream::Write(const void* buffer, int64_t count)
{
    int64_t total = 0;
    auto* p = static_cast<const char*>(buffer);
    while (total < count) {
        ssize_t n = ::write(fd_, p + total, static_cast<size_t>(count - total));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        total += n;
    }
    return total;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin)
{
    int whence = origin == soBeginning ? SEEK_SET : (origin == soCurrent ? SEEK_CUR : SEEK_END);
    off_t r = ::lseek(fd_, static_cast<off_t>(offset), whence);
    if (r < 0) r = ::lseek(fd_, 0, SEEK_CUR);
    return r;
}

int64_t TFileStream::Size() const
{
    struct stat st;
    if (::fstat(fd_, &st) != 0) return 0;
    return st.st_size;
}

void TFileStream::SetSize(int64_t size)
{
    if (::ftruncate(fd_, static_cast<off_t>(std::max<int64_t>(0, size))) != 0)
        throw EWriteError(RuntimeText::StreamWrite);
    if (Position() > size) Seek(0, soEnd);
}
