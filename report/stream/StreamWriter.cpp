#include "report/stream/StreamWriter.h"

#include "runtime/Exceptions.h"
#include "runtime/StringList.h"

#include <algorithm>

namespace {
void writeCounted(TStream& stream, std::string_view text)
{
    // A longer text would wrap its 16-bit length and make the rest of the file unreadable.
    if (text.size() > 0xFFFF)
        throw EWriteError(Format("Text of %zu bytes is too long for a report template (at most 65535)", text.size()));
    stream.WriteUInt16(static_cast<uint16_t>(text.size()));
    stream.WriteBytes(text);
}
}  // namespace

void TrqStreamWriter::WriteString(std::string_view text)
{
    writeCounted(stream_, text);
    stream_.WriteUInt8(0);
}

void TrqStreamWriter::WriteTextList(const TStringList& list)
{
    int count = list.Count();
    if (count == 0) {
        stream_.WriteUInt16(0);
        stream_.WriteUInt8(0);
        return;
    }
    // Readers go by the separators; the count only has to be non-zero.
    stream_.WriteUInt16(static_cast<uint16_t>(std::min(count, 0xFFFF)));
    for (int i = 0; i < count; ++i) {
        writeCounted(stream_, list[i]);
        stream_.WriteUInt8(i + 1 < count ? 0x0D : 0x00);
    }
}

int64_t TrqStreamWriter::BeginPositionField()
{
    int64_t at = stream_.Position();
    stream_.WriteInt32(0);
    return at;
}

void TrqStreamWriter::EndPositionField(int64_t field)
{
    int64_t end = stream_.Position();
    int64_t relative = end - base_;
    if (relative > INT32_MAX) throw EWriteError("Report template is larger than 2 GB");
    stream_.SetPosition(field);
    stream_.WriteInt32(static_cast<int32_t>(relative));
    stream_.SetPosition(end);
}
