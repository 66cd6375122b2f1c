#include "report/stream/StreamReader.h"

#include "runtime/Exceptions.h"
#include "runtime/StringList.h"

#include <cstring>

TrqStreamReader::TrqStreamReader(TStream& stream, int version, int64_t base)
    : stream_(stream), memory_(dynamic_cast<TMemoryStream*>(&stream)), version_(version), base_(base)
{
}

AnsiString TrqStreamReader::readToZero()
{
    if (memory_) {
        int64_t pos = memory_->Position();
        int64_t size = memory_->Size();
        if (pos >= size) throw EReadError(RuntimeText::StreamRead);
        const char* start = memory_->Memory() + pos;
        const void* zero = std::memchr(start, 0, static_cast<size_t>(size - pos));
        if (!zero) {
            memory_->SetPosition(size);
            throw EReadError(RuntimeText::StreamRead);
        }
        size_t length = static_cast<size_t>(static_cast<const char*>(zero) - start);
        memory_->SetPosition(pos + static_cast<int64_t>(length) + 1);
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
    uint16_t length = stream_.ReadUInt16();
    AnsiString text = stream_.ReadBytes(length);
    stream_.ReadUInt8();  // the trailing 00, not looked at
    return text;
}

AnsiString TrqStreamReader::ReadShortString()
{
    uint8_t length = stream_.ReadUInt8();
    return stream_.ReadBytes(length);
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
    if (stream_.ReadUInt16() == 0) {
        stream_.ReadUInt8();
        return;
    }
    for (;;) {
        uint16_t length = stream_.ReadUInt16();
        list.Add(stream_.ReadBytes(length));
        if (stream_.ReadUInt8() == 0) return;
    }
}

void TrqStreamReader::Skip(int64_t count)
{
    if (count > stream_.Remaining()) {
        stream_.Seek(0, soEnd);
        throw EReadError(RuntimeText::StreamRead);
    }
    stream_.Seek(count, soCurrent);
}
