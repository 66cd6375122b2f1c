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

    TStream& Stream() { return stream_; }
    int Version() const { return version_; }
    // True for the forms of versions 21 and 22.
    bool LegacyText() const { return version_ < 23; }

    // Position relative to the version byte.
    int64_t Position() const { return stream_.Position() - base_; }
    void SetPosition(int64_t position) { stream_.SetPosition(base_ + position); }
    bool AtEnd() const { return stream_.Position() >= stream_.Size(); }
    int64_t Remaining() const { return stream_.Remaining(); }

    uint8_t ReadByte() { return stream_.ReadUInt8(); }
    int16_t ReadInt16() { return stream_.ReadInt16(); }
    uint16_t ReadUInt16() { return stream_.ReadUInt16(); }
    int32_t ReadInt32() { return stream_.ReadInt32(); }
    bool ReadWordBool() { return stream_.ReadUInt16() != 0; }
    int32_t ReadColor() { return stream_.ReadInt32(); }
    AnsiString ReadString();
    // One length byte and that many bytes (legacy dictionaries).
    AnsiString ReadShortString();
    void ReadTextList(TStringList& list);
    void Skip(int64_t count);

    // Makes up a name for an object whose record carries none: the kind's base
    // name and a free number. Without a generator the name stays empty.
    std::function<AnsiString(const AnsiString& baseName)> MakeName;
    // Objects are read in prepared form (evaluated text, no script).
    bool PreparedForm = false;

private:
    // The bytes up to the next 00 (which is consumed).
    AnsiString readToZero();

    TStream& stream_;
    TMemoryStream* memory_;
    int version_;
    int64_t base_;
};
