#pragma once
// Byte streams: a position and a size over memory or a file.
//
// Read/Write move as many bytes as they can and return that count. The ...Buffer
// forms and the typed readers move all bytes or raise: EReadError "Stream read
// error" when the stream ends first (nothing past the end is ever read; the
// position is then at the end), EWriteError "Stream write error" when a write
// fails. Integers and floats are little-endian. Extended values are the 10-byte
// x87 format.

#include "AnsiString.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };

class TStream {
public:
    virtual ~TStream() = default;

    virtual int64_t Read(void* buffer, int64_t count) = 0;
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    // Returns the new position; a position outside 0..Size is allowed for
    // memory streams (a read there reads nothing) and clamped at 0.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual int64_t Size() const = 0;
    virtual void SetSize(int64_t size) = 0;

    int64_t Position() const { return const_cast<TStream*>(this)->Seek(0, soCurrent); }
    void SetPosition(int64_t position) { Seek(position, soBeginning); }
    int64_t Remaining() const;

    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count);
    // Copies count bytes from source (all of it from its start when count is 0).
    int64_t CopyFrom(TStream& source, int64_t count);

    uint8_t ReadUInt8();
    int8_t ReadInt8() { return static_cast<int8_t>(ReadUInt8()); }
    uint16_t ReadUInt16();
    int16_t ReadInt16() { return static_cast<int16_t>(ReadUInt16()); }
    uint32_t ReadUInt32();
    int32_t ReadInt32() { return static_cast<int32_t>(ReadUInt32()); }
    uint64_t ReadUInt64();
    int64_t ReadInt64() { return static_cast<int64_t>(ReadUInt64()); }
    float ReadSingle();
    double ReadDouble();
    long double ReadExtended();
    // count bytes as a string.
    std::string ReadBytes(int64_t count);

    void WriteUInt8(uint8_t v) { WriteBuffer(&v, 1); }
    void WriteInt8(int8_t v) { WriteUInt8(static_cast<uint8_t>(v)); }
    void WriteUInt16(uint16_t v);
    void WriteInt16(int16_t v) { WriteUInt16(static_cast<uint16_t>(v)); }
    void WriteUInt32(uint32_t v);
    void WriteInt32(int32_t v) { WriteUInt32(static_cast<uint32_t>(v)); }
    void WriteUInt64(uint64_t v);
    void WriteInt64(int64_t v) { WriteUInt64(static_cast<uint64_t>(v)); }
    void WriteSingle(float v);
    void WriteDouble(double v);
    void WriteExtended(long double v);
    void WriteBytes(std::string_view bytes) { WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size())); }
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::string bytes) : data_(std::move(bytes)) {}

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() const override { return static_cast<int64_t>(data_.size()); }
    void SetSize(int64_t size) override;

    const char* Memory() const { return data_.data(); }
    const std::string& Bytes() const { return data_; }
    void Clear();
    void LoadFromStream(TStream& source);
    void SaveToStream(TStream& target) const;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

private:
    std::string data_;
    int64_t position_ = 0;
};

// File open modes.
enum TFileMode : unsigned {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmCreate = 0xFFFF,
};

// A file. Opening fails with EFOpenError, creating with EFCreateError; the
// message names the file and the system's reason. The name is in the code page.
class TFileStream : public TStream {
public:
    TFileStream(const std::string& fileName, unsigned mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() const override;
    void SetSize(int64_t size) override;

    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
    int fd_ = -1;
};

// The code-page file name as the operating system's (UTF-8) path.
std::string SystemFileName(const std::string& fileName);
bool FileExists(const std::string& fileName);
