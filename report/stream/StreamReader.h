#pragma once
// Reads the primitives of template and prepared-page streams.
//
// The stream's version byte decides the form of strings and text lists:
// from version 23 on a string is a 16-bit length, the bytes and a 00 byte, and
// a text list is a 16-bit line count followed by length-prefixed lines each
// ended by 0D (another line follows) or 00 (the last one); versions 21 and 22
// store both as bytes up to a 00, lines separated by 0D. Positions are counted
// from the version byte. Reading past the end raises EReadError.

#include "runtime/AnsiString.h"
#include "runtime/Streams.h"

#include <cstdint>
#include <functional>

class TStringList;

class TrqStreamReader {
public:
    TrqStreamReader(TStream& stream, int version, int64_t base = 0);
    // Leaves the stream positioned where reading stopped.
    ~TrqStreamReader();
    TrqStreamReader(const TrqStreamReader&) = delete;
    TrqStreamReader& operator=(const TrqStreamReader&) = delete;

    int Version() const { return version_; }
    // True for the forms of versions 21 and 22.
    bool LegacyText() const { return version_ < 23; }

    // Position relative to the version byte.
    int64_t Position() const { return absolute() - base_; }
    void SetPosition(int64_t position);
    bool AtEnd() const { return Remaining() == 0; }
    int64_t Remaining() const;

    uint8_t ReadByte() { return static_cast<uint8_t>(readLittle(1)); }
    int16_t ReadInt16() { return static_cast<int16_t>(readLittle(2)); }
    uint16_t ReadUInt16() { return static_cast<uint16_t>(readLittle(2)); }
    int32_t ReadInt32() { return static_cast<int32_t>(readLittle(4)); }
    bool ReadWordBool() { return readLittle(2) != 0; }
    int32_t ReadColor() { return ReadInt32(); }
    AnsiString ReadString();
    // One length byte and that many bytes (legacy dictionaries).
    AnsiString ReadShortString();
    void ReadTextList(TStringList& list);
    // count raw bytes.
    std::string ReadBytes(int64_t count);
    void Skip(int64_t count);

    // Makes up a name for an object whose record carries none: the kind's base
    // name and a free number. Without a generator the name stays empty.
    std::function<AnsiString(const AnsiString& baseName)> MakeName;
    // Objects are read in prepared form (evaluated text, no script).
    bool PreparedForm = false;

private:
    // The bytes up to the next 00 (which is consumed).
    AnsiString readToZero();
    // An unsigned little-endian integer of 1, 2 or 4 bytes.
    uint32_t readLittle(int size);
    // The next n bytes of a memory stream; raises EReadError (at the end) when
    // fewer remain.
    const char* take(int64_t n);
    int64_t absolute() const { return memory_ ? pos_ : stream_.Position(); }

    TStream& stream_;
    // Templates are read from memory almost always: the reader then keeps its
    // own cursor over the buffer instead of one stream call per primitive.
    TMemoryStream* memory_;
    int64_t pos_ = 0;
    int version_;
    int64_t base_;
};
