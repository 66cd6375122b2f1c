#pragma once
// Writes the primitives of template and prepared-page streams in the form of
// version 24 (see StreamReader.h). Positions are counted from the version byte.

#include "runtime/AnsiString.h"
#include "runtime/Streams.h"

#include <cstdint>

class TStringList;

class TrqStreamWriter {
public:
    explicit TrqStreamWriter(TStream& stream, int64_t base = 0) : stream_(stream), base_(base) {}

    TStream& Stream() { return stream_; }
    int64_t Position() const { return stream_.Position() - base_; }

    void WriteByte(uint8_t v) { stream_.WriteUInt8(v); }
    void WriteInt16(int16_t v) { stream_.WriteInt16(v); }
    void WriteUInt16(uint16_t v) { stream_.WriteUInt16(v); }
    void WriteInt32(int32_t v) { stream_.WriteInt32(v); }
    void WriteWordBool(bool v) { stream_.WriteUInt16(v ? 0xFFFF : 0); }
    void WriteColor(int32_t v) { stream_.WriteInt32(v); }
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
    TStream& stream_;
    int64_t base_;
};
