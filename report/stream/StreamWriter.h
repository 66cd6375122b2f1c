#pragma once
// Writes the primitives of template and prepared-page streams in the form of
// version 24 (see StreamReader.h). Positions are counted from the version byte.

#include "runtime/AnsiString.h"
#include "runtime/Streams.h"

#include <cstdint>
#include <cstring>

class TStringList;

class TrqStreamWriter {
public:
    explicit TrqStreamWriter(TStream& stream, int64_t base = 0) : stream_(stream), base_(base) {}

    // Gathering: the writes collect in the writer and reach the stream in a
    // few pieces, at Flush at the latest (a prepared page takes thousands of
    // records of dozens of small fields each). A gathering writer must be
    // flushed; what it still holds when it goes is dropped.
    void Gather() { gather_ = true; }
    void Flush();

    TStream& Stream()
    {
        Flush();
        return stream_;
    }
    int64_t Position() const { return stream_.Position() - base_ + static_cast<int64_t>(used_); }

    void WriteByte(uint8_t v) { put(&v, 1); }
    void WriteInt16(int16_t v) { WriteUInt16(static_cast<uint16_t>(v)); }
    void WriteUInt16(uint16_t v) { putLittle(v); }
    void WriteInt32(int32_t v) { putLittle(static_cast<uint32_t>(v)); }
    void WriteWordBool(bool v) { WriteUInt16(v ? 0xFFFF : 0); }
    void WriteColor(int32_t v) { WriteInt32(v); }
    // Raises EWriteError for a text longer than a string can hold (65535 bytes).
    void WriteString(std::string_view text);
    void WriteTextList(const TStringList& list);

    // An int32 placeholder for a position written later; returns where it is.
    int64_t BeginPositionField();
    // Writes the current position into the placeholder and returns to the end.
    void EndPositionField(int64_t field);

    // Set by the prepared-page writer: objects go in prepared form.
    bool PreparedForm = false;

private:
    void put(const void* data, size_t count)
    {
        if (gather_ && used_ + count <= sizeof pending_) {
            std::memcpy(pending_ + used_, data, count);
            used_ += count;
        } else {
            putThrough(data, count);
        }
    }
    void putThrough(const void* data, size_t count);
    template <class T>
    void putLittle(T v)
    {
        uint8_t bytes[sizeof(T)];
        for (size_t i = 0; i < sizeof(T); ++i) bytes[i] = static_cast<uint8_t>(v >> (8 * i));
        put(bytes, sizeof(T));
    }
    void writeCounted(std::string_view text);

    TStream& stream_;
    int64_t base_;
    bool gather_ = false;
    size_t used_ = 0;
    char pending_[512];
};
