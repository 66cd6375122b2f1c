#include "report/pages/EMFPages.h"

#include "report/pages/PagePacking.h"
#include "report/pages/PrintedMemos.h"

#include "report/canvas/Canvas.h"
#include "report/draw/DrawState.h"
#include "report/model/AddInRegistry.h"
#include "report/model/LineView.h"
#include "report/model/MemoView.h"
#include "report/model/PictureView.h"
#include "report/model/Report.h"
#include "report/stream/StreamReader.h"
#include "report/stream/StreamWriter.h"
#include "report/stream/TemplateFormat.h"

#include <QScopedValueRollback>

namespace {
std::unique_ptr<TrqView> preparedView(uint8_t kind, TrqStreamReader& reader)
{
    switch (kind) {
    case okMemo: return std::make_unique<TrqMemoView>();
    case okPicture: return std::make_unique<TrqPictureView>();
    case okLine: return std::make_unique<TrqLineView>();
    case okAddIn: {
        AnsiString className = reader.ReadString();
        std::unique_ptr<TrqView> view = CreateAddIn(className);
        if (!view)
            throw EPreparedReportError(AnsiString(TemplateText::NonPlugged) + "\r" + className + "\r" +
                                       TemplateText::IncludeComponents);
        return view;
    }
    default:
        // Bands and sub-reports are never printed onto a page; other kinds do not exist.
        throw EPreparedReportError(Format("Prepared page holds an object of unknown kind %u", unsigned(kind)));
    }
}
}  // namespace

void ReadPreparedViews(TMemoryStream& stream, TrqPage& page, bool fitAutoWidth)
{
    stream.SetPosition(0);
    // A compressed page comes out of this system's compressor empty.
    if (stream.Size() == 0) return;
    const int version = stream.ReadUInt8();
    if (version < 21 || version > PreparedPageVersion)
        throw EPreparedReportError(Format("Prepared page of unknown version %d", version));
    TrqStreamReader reader(stream, version, 0);
    reader.PreparedForm = true;
    while (!reader.AtEnd()) {
        std::unique_ptr<TrqView> view = preparedView(reader.ReadByte(), reader);
        view->PreparedMode = true;
        view->LoadFromStream(reader);
        view->PreparedMode = false;
        TrqView* added = page.Add(std::move(view));
        if (fitAutoWidth && added->ObjectKind == okMemo && added->Flag(flAutoWidth))
            WithScratchCanvas([added](TrqCanvas& canvas) { added->Draw(canvas); });
    }
}

TrqEMFPages::TrqEMFPages(TrqReport* report) : report_(report) {}

// The report owns its prepared pages but lies below this layer: they are made
// here, with the deleter the report frees them with.
namespace {
void freePages(TrqEMFPages* pages) { delete pages; }
}  // namespace

TrqEMFPages& TrqReport::EMFPages()
{
    if (!emfPages_) emfPages_ = {std::make_unique<TrqEMFPages>(this).release(), freePages};
    return *emfPages_;
}

std::unique_ptr<TrqEMFPages> TrqReport::ReplaceEMFPages(std::unique_ptr<TrqEMFPages> pages)
{
    if (!pages) pages = std::make_unique<TrqEMFPages>(this);
    EMFPages();  // what the report hands back is a list, if an empty one
    std::unique_ptr<TrqEMFPages> held(emfPages_.release());
    emfPages_ = {pages.release(), freePages};
    return held;
}

TrqEMFPages::~TrqEMFPages() { Clear(); }

void TrqEMFPages::Add(TrqPage& page)
{
    Insert(Count(), page);
    const int index = Count() - 1;
    TrqReport* current = page.Report();
    if (current && current->OnBeginPage) current->OnBeginPage(index);
    if (report_ && report_ != current && report_->OnBeginPage) report_->OnBeginPage(index);
}

void TrqEMFPages::Insert(int index, TrqPage& page)
{
    auto entry = std::make_unique<TrqPreparedPage>();
    entry->PaperSize = static_cast<uint16_t>(page.Size);
    entry->PaperWidth = page.PaperWidth;
    entry->PaperHeight = page.PaperHeight;
    entry->Orientation = page.Orientation;
    entry->PaperBin = page.PaperBin;
    entry->UseMargins = page.UseMargins ? 1 : 0;
    entry->LeftMargin = page.LeftMargin;
    entry->TopMargin = page.TopMargin;
    entry->RightMargin = page.RightMargin;
    entry->BottomMargin = page.BottomMargin;
    entry->PrnInfo = page.PrnInfo;
    entry->Stream = std::make_unique<TMemoryStream>();
    entry->Stream->WriteUInt8(PreparedPageVersion);
    if (index < 0) index = 0;
    if (index >= Count()) pages_.push_back(std::move(entry));
    else pages_.insert(pages_.begin() + index, std::move(entry));
}

void TrqEMFPages::Pack(int index)
{
    TrqPreparedPage& page = (*this)[index];
    if (!page.Stream) return;
    page.Packed = PackBytes(page.Stream->Bytes());
    page.Packed.shrink_to_fit();
    page.Stream.reset();
    if (!page.PrintedPacked && !page.Printed.empty()) {
        page.Printed = PackBytes(page.Printed);
        page.Printed.shrink_to_fit();
        page.PrintedPacked = true;
    }
}

TMemoryStream& TrqEMFPages::PageStream(int index)
{
    TrqPreparedPage& page = (*this)[index];
    if (!page.Stream) {
        page.Stream = std::make_unique<TMemoryStream>(UnpackBytes(page.Packed));
        page.Packed = std::string();
    }
    if (page.PrintedPacked) {
        page.Printed = UnpackBytes(page.Printed);
        page.PrintedPacked = false;
    }
    return *page.Stream;
}

const std::string& TrqEMFPages::PrintedBytes(int index, std::string& scratch)
{
    TrqPreparedPage& page = (*this)[index];
    if (!page.PrintedPacked) return page.Printed;
    scratch = UnpackBytes(page.Printed);
    return scratch;
}

bool TrqEMFPages::HasPrinted() const
{
    for (const auto& page : pages_)
        if (!page->Printed.empty()) return true;
    return false;
}

TMemoryStream& TrqEMFPages::ReadStream(int index, TMemoryStream& scratch)
{
    TrqPreparedPage& page = (*this)[index];
    if (page.Stream) return *page.Stream;
    scratch = TMemoryStream(UnpackBytes(page.Packed));
    return scratch;
}

size_t TrqEMFPages::MemoryUsed() const
{
    size_t bytes = pages_.capacity() * sizeof(pages_[0]);
    for (const auto& page : pages_) {
        bytes += sizeof(TrqPreparedPage) + page->Packed.capacity() + page->Printed.capacity();
        if (page->Stream) bytes += sizeof(TMemoryStream) + page->Stream->Bytes().capacity();
    }
    return bytes;
}

void TrqEMFPages::AppendView(int index, TrqView& view, const TrqPrintedMemo* printed)
{
    TMemoryStream& stream = PageStream(index);
    TrqPreparedPage& page = (*this)[index];
    if (page.ViewCount < 0) {
        // A page read from a file: its records are counted once.
        TrqPage views(report_);
        ReadPreparedViews(stream, views, false);
        page.ViewCount = views.Count();
        const std::vector<TrqPrintedMemo> records = ReadPrintedMemos(page.Printed);
        page.LastPrinted = records.empty() ? -1 : records.back().View;
    }
    const int64_t size = stream.Seek(0, soEnd);
    TrqStreamWriter w(stream, 0);
    w.Gather();
    w.PreparedForm = true;
    const bool prepared = view.PreparedMode;
    view.PreparedMode = true;
    try {
        w.WriteByte(view.ObjectKind);
        if (view.ObjectKind == okAddIn) w.WriteString(view.ClassName());
        view.SaveToStream(w);
        w.Flush();
    } catch (...) {
        // A view that cannot be written (an over-long text) leaves no half record behind.
        view.PreparedMode = prepared;
        stream.SetSize(size);
        throw;
    }
    view.PreparedMode = prepared;
    if (printed && page.ViewCount > page.LastPrinted) {
        TrqPrintedMemo record = *printed;
        record.View = page.ViewCount;
        AppendPrintedMemo(page.Printed, page.LastPrinted, record);
        page.LastPrinted = record.View;
    }
    ++page.ViewCount;
}

void TrqEMFPages::Delete(int index)
{
    if (index < 0 || index >= Count()) return;
    releaseCache(*pages_[static_cast<size_t>(index)]);
    pages_.erase(pages_.begin() + index);
}

void TrqEMFPages::Clear()
{
    while (Count() > 0) Delete(0);
}

void TrqEMFPages::releaseCache(TrqPreparedPage& page)
{
    if (!page.CachedPage) return;
    if (report_ && report_->CurrentPage() == page.CachedPage.get()) report_->SetCurrentPage(nullptr);
    page.CachedPage.reset();
}

void TrqEMFPages::BuildPageObjects(int index)
{
    TrqPreparedPage& entry = (*this)[index];
    releaseCache(entry);
    auto page = std::make_unique<TrqPage>(report_);
    page->Size = entry.PaperSize;
    page->PaperWidth = entry.PaperWidth;
    page->PaperHeight = entry.PaperHeight;
    page->PaperBin = entry.PaperBin;
    page->Orientation = entry.Orientation;
    page->LeftMargin = entry.LeftMargin;
    page->TopMargin = entry.TopMargin;
    page->RightMargin = entry.RightMargin;
    page->BottomMargin = entry.BottomMargin;
    page->UseMargins = entry.UseMargins != 0;
    page->PrnInfo = entry.PrnInfo;
    TrqPage* raw = page.get();
    if (report_) report_->SetCurrentPage(raw);
    const QScopedValueRollback<bool> buildMode(rqDrawState().BuildMode, true);
    try {
        TMemoryStream scratch;
        ReadPreparedViews(ReadStream(index, scratch), *page, true);
    } catch (...) {
        if (report_ && report_->CurrentPage() == raw) report_->SetCurrentPage(nullptr);
        throw;
    }
    entry.CachedPage = std::move(page);
}

void TrqEMFPages::Draw(int index, TrqCanvas& canvas, const TrqRect& rect)
{
    TrqPreparedPage& entry = (*this)[index];
    const bool printing = canvas.IsPrinter();
    const QScopedValueRollback<bool> buildMode(rqDrawState().BuildMode, true);
    if (!entry.InView) {
        releaseCache(entry);
        return;
    }
    if (!entry.CachedPage) BuildPageObjects(index);
    const double paperWidth = entry.PrnInfo.PaperWidthUnits, paperHeight = entry.PrnInfo.PaperHeightUnits;
    if (paperWidth <= 0 || paperHeight <= 0) return;
    const double kx = rect.Width() / paperWidth, ky = rect.Height() / paperHeight;
    TrqPage& page = *entry.CachedPage;
    for (int i = 0; i < page.Count(); ++i) {
        TrqView& view = *page.Objects(i);
        if (!printing && !canvas.IsMetafile()) {
            // Repainting a strip of the screen draws only the views near it.
            TrqRect box{RoundToInt(view.Left * kx + rect.Left - 10.0), RoundToInt(view.Top * ky + rect.Top - 10.0),
                        RoundToInt(kx * (double(view.Left) + view.Width) + rect.Left + 10.0),
                        RoundToInt(ky * (double(view.Top) + view.Height) + rect.Top + 10.0)};
            if (!canvas.Meets(box)) continue;
        }
        view.ScaleX = kx;
        view.ScaleY = ky;
        view.OffsetX = rect.Left;
        view.OffsetY = rect.Top;
        view.Printing = printing;
        view.Draw(canvas);
    }
}

TrqView* TrqEMFPages::ObjectAt(int index, int32_t x, int32_t y)
{
    TrqPreparedPage& entry = (*this)[index];
    if (!entry.CachedPage) BuildPageObjects(index);
    double kx = 1, ky = 1, ox = 0, oy = 0;
    if (!entry.UseMargins) {
        const PrinterPageInfo& info = entry.PrnInfo;
        if (info.PaperWidthUnits <= 0 || info.PaperHeightUnits <= 0) return nullptr;
        kx = (double(info.PrintableWidthUnits) - entry.LeftMargin - entry.RightMargin) / info.PaperWidthUnits;
        ky = (double(info.PrintableHeightUnits) - entry.TopMargin - entry.BottomMargin) / info.PaperHeightUnits;
        ox = double(info.OffsetXUnits) + entry.LeftMargin;
        oy = double(info.OffsetYUnits) + entry.TopMargin;
    }
    TrqPage& page = *entry.CachedPage;
    for (int i = page.Count() - 1; i >= 0; --i) {
        TrqView& view = *page.Objects(i);
        TrqRect box{RoundToInt(view.Left * kx + ox), RoundToInt(view.Top * ky + oy),
                    RoundToInt(ox + kx * (double(view.Left) + view.Width)),
                    RoundToInt(oy + ky * (double(view.Top) + view.Height))};
        if (box.Contains(x, y)) return &view;
    }
    return nullptr;
}

bool TrqEMFPages::HitObject(int index, int32_t x, int32_t y, bool click, int& cursor)
{
    TrqView* view = ObjectAt(index, x, y);
    if (!view || !report_) return false;
    if (click) {
        if (!report_->OnObjectClick) return false;
        report_->OnObjectClick(view);
        return true;
    }
    if (!report_->OnMouseOverObject) return false;
    report_->OnMouseOverObject(view, cursor);
    return true;
}
