#include "report/stream/StreamReader.h"

#include "runtime/Exceptions.h"
#include "runtime/StringList.h"

#include <algorithm>
#include <cstring>

TrqStreamReader::TrqStreamReader(TStream& stream, int version, int64_t base)
    : stream_(stream), memory_(dynamic_cast<TMemoryStream*>(&stream)), version_(version), base_(base)
{
    if (memory_) pos_ = memory_->Position();
}

TrqStreamReader::~TrqStreamReader()
{
    if (memory_) memory_->SetPosition(pos_);
}

void TrqStreamReader::SetPosition(int64_t position)
{
    int64_t target = std::max<int64_t>(0, base_ + position);
    if (memory_) pos_ = target;
    else stream_.SetPosition(target);
}

int64_t TrqStreamReader::Remaining() const
{
    if (!memory_) return stream_.Remaining();
    return pos_ < memory_->Size() ? memory_->Size() - pos_ : 0;
}

const char* TrqStreamReader::take(int64_t n)
{
    if (n < 0 || Remaining() < n) {
        pos_ = std::max(pos_, memory_->Size());
        throw EReadError(RuntimeText::StreamRead);
    }
    const char* at = memory_->Memory() + pos_;
    pos_ += n;
    return at;
}

uint32_t TrqStreamReader::readLittle(int size)
{
    unsigned char b[4];
    if (memory_) std::memcpy(b, take(size), static_cast<size_t>(size));
    else stream_.ReadBuffer(b, size);
    uint32_t v = 0;
    for (int i = 0; i < size; ++i) v |= static_cast<uint32_t>(b[i]) << (8 * i);
    return v;
}

std::string TrqStreamReader::ReadBytes(int64_t count)
{
    if (!memory_) return stream_.ReadBytes(count);
    const char* at = take(count);
    return std::string(at, static_cast<size_t>(count));
}

AnsiString TrqStreamReader::readToZero()
{
    if (memory_) {
        int64_t left = Remaining();
        if (left == 0) throw EReadError(RuntimeText::StreamRead);
        const char* start = memory_->Memory() + pos_;
        const void* zero = std::memchr(start, 0, static_cast<size_t>(left));
        if (!zero) {
            pos_ += left;
            throw EReadError(RuntimeText::StreamRead);
        }
        size_t length = static_cast<size_t>(static_cast<const char*>(zero) - start);
        pos_ += static_cast<int64_t>(length) + 1;
        return AnsiString(start, length);
    }
    AnsiString text;
    for (;;) {
        char c = static_cast<char>(stream_.ReadUInt8());
        if (c == 0) return text;
        text.push_back(c);
    }
}

AnsiString TrqStreamReader::ReadString()
{
    if (LegacyText()) return readToZero();
    uint16_t length = ReadUInt16();
    AnsiString text = ReadBytes(length);
    ReadByte();  // the trailing 00, not looked at
    return text;
}

AnsiString TrqStreamReader::ReadShortString()
{
    uint8_t length = ReadByte();
    return ReadBytes(length);
}

void TrqStreamReader::ReadTextList(TStringList& list)
{
    list.Clear();
    if (LegacyText()) {
        AnsiString text = readToZero();
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find('\r', start);
            if (end == AnsiString::npos) {
                list.Add(text.substr(start));
                break;
            }
            list.Add(text.substr(start, end - start));
            start = end + 1;
        }
        return;
    }
    // The count is only a hint: lines follow until one ends with 00.
    if (ReadUInt16() == 0) {
        ReadByte();
        return;
    }
    for (;;) {
        uint16_t length = ReadUInt16();
        list.Add(ReadBytes(length));
        if (ReadByte() == 0) return;
    }
}

void TrqStreamReader::Skip(int64_t count)
{
    if (count > Remaining()) {
        SetPosition(Position() + Remaining());
        throw EReadError(RuntimeText::StreamRead);
    }
    SetPosition(Position() + count);
}
