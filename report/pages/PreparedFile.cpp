// The prepared-report file (.rqp): version 24, the compression flag, the
// printer's name, then every page record: the absolute offset just past it,
// the paper, bin, orientation and margins, and the page's stream.
//
// After the last page, when some page keeps what its memos printed
// (PrintedMemos.h), comes a section that readers which stop after the pages
// never see: the tag "RQPRINT1", the page count (int32), and per page the
// length (int32) and bytes of its printed records. A file without it reads
// as before; a tag followed by damage is a damaged file.
#include "report/model/Compressor.h"
#include "report/model/Report.h"
#include "report/pages/EMFPages.h"
#include "report/stream/StreamReader.h"
#include "report/stream/StreamWriter.h"

namespace {
constexpr const char* OldLayoutText =
    "This prepared report is in the old layout, which keeps its pages as metafiles; "
    "metafiles cannot be read here";
constexpr const char* DamagedText = "The prepared report is damaged or incomplete";

// The smallest page record: end, paper size, width, height, orientation and
// UseMargins; from version 24 on also the bin and the margins.
int64_t minimumPageRecord(int version) { return version > 23 ? 36 : 16; }

constexpr std::string_view PrintedTag = "RQPRINT1";
}  // namespace

TrqCompressor& rqCompressor()
{
    static TrqCompressor compressor;
    return compressor;
}

void TrqEMFPages::SaveToStream(TStream* stream)
{
    if (!stream) return;
    TrqCompressor& compressor = rqCompressor();
    TrqStreamWriter w(*stream, 0);
    w.WriteByte(PreparedPageVersion);
    w.WriteByte(compressor.Enabled() ? 1 : 0);
    const TrqPrinter& printer = rqPrinter();
    w.WriteString(printer.Printers().at(static_cast<size_t>(printer.PrinterIndex())));
    w.WriteInt32(Count());
    for (int index = 0; index < Count(); ++index) {
        const auto& page = pages_[static_cast<size_t>(index)];
        int64_t end = w.BeginPositionField();
        w.WriteUInt16(page->PaperSize);
        w.WriteInt32(page->PaperWidth);
        w.WriteInt32(page->PaperHeight);
        w.WriteByte(page->Orientation);
        w.WriteInt32(page->PaperBin);
        w.WriteByte(page->UseMargins);
        w.WriteInt32(page->LeftMargin);
        w.WriteInt32(page->TopMargin);
        w.WriteInt32(page->RightMargin);
        w.WriteInt32(page->BottomMargin);
        TMemoryStream scratch;
        TMemoryStream& content = ReadStream(index, scratch);
        content.SetPosition(0);
        if (compressor.Enabled()) compressor.Compress(content, *stream);
        else content.SaveToStream(*stream);
        w.EndPositionField(end);
    }
    if (!HasPrinted()) return;
    stream->WriteBuffer(PrintedTag.data(), static_cast<int64_t>(PrintedTag.size()));
    w.WriteInt32(Count());
    for (int index = 0; index < Count(); ++index) {
        std::string scratch;
        const std::string& bytes = PrintedBytes(index, scratch);
        w.WriteInt32(static_cast<int32_t>(bytes.size()));
        stream->WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    }
}

void TrqEMFPages::LoadFromStream(TStream* stream)
{
    Clear();
    loadedVersion_ = 0;
    loadedCompression_ = 0;
    loadedPrinterName_.clear();
    if (!stream) return;
    try {
        const int64_t base = stream->Position();
        int version = stream->ReadUInt8();
        if (version < 24 || version > 31) {
            // A file without a version byte starts with the compression flag.
            version = 0;
            stream->SetPosition(base);
        }
        const uint8_t compression = stream->ReadUInt8();
        if (compression != 0 && compression != 1 && compression != 255) throw EPreparedReportError(OldLayoutText);
        loadedVersion_ = version;
        loadedCompression_ = compression;
        loadPages(*stream, version, compression);
    } catch (const EPreparedReportError&) {
        Clear();
        throw;
    } catch (const EReadError&) {
        Clear();
        throw EPreparedReportError(DamagedText);
    }
}

void TrqEMFPages::loadPages(TStream& stream, int version, uint8_t compression)
{
    // Strings have the length-prefixed form; offsets are absolute stream positions.
    TrqStreamReader r(stream, PreparedPageVersion, 0);
    loadedPrinterName_ = r.ReadString();
    if (report_) report_->SelectPrinter(loadedPrinterName_);
    const int32_t count = r.ReadInt32();
    if (count < 0 || count > r.Remaining() / minimumPageRecord(version)) throw EPreparedReportError(DamagedText);
    const bool current = version > 23;
    for (int32_t i = 0; i < count; ++i) {
        auto page = std::make_unique<TrqPreparedPage>();
        const int64_t end = r.ReadInt32();
        page->PaperSize = r.ReadUInt16();
        page->PaperWidth = r.ReadInt32();
        page->PaperHeight = r.ReadInt32();
        page->Orientation = r.ReadByte();
        page->PaperBin = current ? r.ReadInt32() : -1;
        page->UseMargins = r.ReadByte();
        if (current) {
            page->LeftMargin = r.ReadInt32();
            page->TopMargin = r.ReadInt32();
            page->RightMargin = r.ReadInt32();
            page->BottomMargin = r.ReadInt32();
        }
        const int64_t start = r.Position();
        // A page that ends before its stream starts or after the file is damage.
        if (end < start || end - start > r.Remaining()) throw EPreparedReportError(DamagedText);
        TMemoryStream bytes(r.ReadBytes(end - start));
        page->Stream = std::make_unique<TMemoryStream>();
        if (compression != 0) rqCompressor().DeCompress(bytes, *page->Stream);
        else *page->Stream = std::move(bytes);
        TrqPrinter& printer = rqPrinter();
        printer.SetPrinterInfo(page->PaperSize, page->PaperWidth, page->PaperHeight, page->PaperBin, page->Orientation,
                               false);
        printer.FillPrinterPageInfo(page->PrnInfo);
        page->ViewCount = -1;
        pages_.push_back(std::move(page));
        r.SetPosition(end);
    }
    loadPrinted(r);
}

void TrqEMFPages::loadPrinted(TrqStreamReader& r)
{
    if (r.Remaining() < static_cast<int64_t>(PrintedTag.size())) return;
    const int64_t start = r.Position();
    if (r.ReadBytes(static_cast<int64_t>(PrintedTag.size())) != PrintedTag) {
        r.SetPosition(start);
        return;
    }
    if (r.ReadInt32() != Count()) throw EPreparedReportError(DamagedText);
    for (auto& page : pages_) {
        const int64_t length = r.ReadInt32();
        if (length < 0 || length > r.Remaining()) throw EPreparedReportError(DamagedText);
        page->Printed = r.ReadBytes(length);
    }
}

void TrqReport::SavePreparedReport(const AnsiString& fileName)
{
    TMemoryStream stream;
    EMFPages().SaveToStream(&stream);
    TFileStream file(fileName, fmCreate);
    file.WriteBuffer(stream.Memory(), stream.Size());
}

void TrqReport::LoadPreparedReport(const AnsiString& fileName)
{
    TMemoryStream stream;
    {
        TFileStream file(fileName, fmOpenRead);
        stream.SetSize(file.Size());
        file.ReadBuffer(const_cast<char*>(stream.Memory()), stream.Size());
    }
    EMFPages().LoadFromStream(&stream);
}
