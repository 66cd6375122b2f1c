#include "report/stream/StreamWriter.h"

#include "runtime/Exceptions.h"
#include "runtime/StringList.h"

#include <algorithm>

void TrqStreamWriter::Flush()
{
    if (used_ == 0) return;
    const size_t count = used_;
    used_ = 0;
    stream_.WriteBuffer(pending_, static_cast<int64_t>(count));
}

void TrqStreamWriter::putThrough(const void* data, size_t count)
{
    Flush();
    if (gather_ && count <= sizeof pending_) {
        std::memcpy(pending_, data, count);
        used_ = count;
    } else {
        stream_.WriteBuffer(data, static_cast<int64_t>(count));
    }
}

void TrqStreamWriter::writeCounted(std::string_view text)
{
    // A longer text would wrap its 16-bit length and make the rest of the file unreadable.
    if (text.size() > 0xFFFF)
        throw EWriteError(Format("Text of %zu bytes is too long for a report template (at most 65535)", text.size()));
    WriteUInt16(static_cast<uint16_t>(text.size()));
    put(text.data(), text.size());
}

void TrqStreamWriter::WriteString(std::string_view text)
{
    writeCounted(text);
    WriteByte(0);
}

void TrqStreamWriter::WriteTextList(const TStringList& list)
{
    int count = list.Count();
    if (count == 0) {
        WriteUInt16(0);
        WriteByte(0);
        return;
    }
    // Readers go by the separators; the count only has to be non-zero.
    WriteUInt16(static_cast<uint16_t>(std::min(count, 0xFFFF)));
    for (int i = 0; i < count; ++i) {
        writeCounted(list[i]);
        WriteByte(i + 1 < count ? 0x0D : 0x00);
    }
}

int64_t TrqStreamWriter::BeginPositionField()
{
    Flush();
    int64_t at = stream_.Position();
    stream_.WriteInt32(0);
    return at;
}

void TrqStreamWriter::EndPositionField(int64_t field)
{
    Flush();
    int64_t end = stream_.Position();
    int64_t relative = end - base_;
    if (relative > INT32_MAX) throw EWriteError("Report template is larger than 2 GB");
    stream_.SetPosition(field);
    stream_.WriteInt32(static_cast<int32_t>(relative));
    stream_.SetPosition(end);
}
