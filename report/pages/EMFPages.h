#pragma once
// TrqEMFPages: the prepared pages of a report. Each page keeps its paper and
// margins, the printer's page geometry for that paper, and a byte stream of the
// views printed onto it in prepared form (the version byte 24, then one record
// per view: kind byte, class name for add-ins, the view's prepared data).
// Views are made from the stream only while a page is drawn or hit-tested and
// are dropped again when the page leaves the screen, so a long report holds
// little more than its streams.

#include "report/canvas/Rect.h"
#include "report/model/Page.h"
#include "report/printer/Printer.h"
#include "runtime/Exceptions.h"
#include "runtime/Streams.h"

#include <cstdint>
#include <memory>
#include <vector>

class TrqCanvas;
class TrqReport;
class TrqStreamReader;
struct TrqPrintedMemo;

// A prepared-report file or page stream that cannot be read.
DECLARE_EXCEPTION(EPreparedReportError, EReadError)

inline constexpr uint8_t PreparedPageVersion = 24;

struct TrqPreparedPage {
    TrqRect DisplayRect;  // the page in the preview, pixels; set by the preview's layout
    uint16_t PaperSize = 9;
    int32_t PaperWidth = 0, PaperHeight = 0;  // tenths of a millimetre
    uint8_t Orientation = poPortrait;
    int32_t PaperBin = -1;
    uint8_t UseMargins = 1;
    int32_t LeftMargin = 0, TopMargin = 0, RightMargin = 0, BottomMargin = 0;  // report units
    PrinterPageInfo PrnInfo;
    uint8_t InView = 0;  // at least partly visible (preview, find, print loop)
    // The page's content; null while the page is packed (read it through
    // TrqEMFPages::PageStream or ReadStream, which work either way).
    std::unique_ptr<TMemoryStream> Stream;
    // A finished page of a build, its stream compressed (a long report keeps
    // thousands of pages in memory).
    std::string Packed;
    // What its memos printed (PrintedMemos.h), for export: the records'
    // bytes, packed with the stream (read them through PrintedBytes).
    std::string Printed;
    bool PrintedPacked = false;
    // View records appended since the page was made, and the View of the last
    // printed record; -1 for a page read from a file until a view is appended.
    int32_t ViewCount = 0;
    int32_t LastPrinted = -1;
    std::unique_ptr<TrqPage> CachedPage;  // the views made from Stream while the page is shown
};

class TrqEMFPages {
public:
    explicit TrqEMFPages(TrqReport* report);
    ~TrqEMFPages();
    TrqEMFPages(const TrqEMFPages&) = delete;
    TrqEMFPages& operator=(const TrqEMFPages&) = delete;

    TrqReport* Report() const { return report_; }
    int Count() const { return static_cast<int>(pages_.size()); }
    TrqPreparedPage& operator[](int index) { return *pages_.at(static_cast<size_t>(index)); }
    const TrqPreparedPage& operator[](int index) const { return *pages_.at(static_cast<size_t>(index)); }

    // Appends a page for the template page and fires OnBeginPage of the page's
    // report and, when it is another one, of this list's report, with the new
    // page's index. The band engine then appends view records to its Stream.
    void Add(TrqPage& page);
    // A new page from the template page's paper, margins and geometry, at
    // `index` (appended when index >= Count).
    void Insert(int index, TrqPage& page);
    void Delete(int index);
    void Clear();
    // Appends a view to the page's stream in prepared form: its kind byte, the
    // class name of an add-in, its prepared data (MemoResult as its text);
    // with `printed`, what it printed (its View is set here).
    void AppendView(int index, TrqView& view, const TrqPrintedMemo* printed = nullptr);
    // The page's printed records' bytes, unpacked into `scratch` when packed.
    const std::string& PrintedBytes(int index, std::string& scratch);
    // True when some page keeps printed records.
    bool HasPrinted() const;

    // Compresses a page's stream in memory; the band engine packs each page it
    // has finished. Nothing changes for readers: they go through PageStream
    // or ReadStream.
    void Pack(int index);
    // The page's stream, unpacked for good when it was packed (for writing).
    TMemoryStream& PageStream(int index);
    // The page's stream for reading: its own, or for a packed page a copy
    // unpacked into `scratch`. Raises EPreparedReportError for packed bytes
    // that do not unpack.
    TMemoryStream& ReadStream(int index, TMemoryStream& scratch);
    // Bytes the pages hold in memory (streams, packed streams, entries).
    size_t MemoryUsed() const;

    // Draws the page so that its whole paper fills `rect` on the canvas. A page
    // with InView 0 releases its views instead. On screen only the views whose
    // box (grown by 10 pixels) meets the canvas's clip region are drawn.
    void Draw(int index, TrqCanvas& canvas, const TrqRect& rect);
    // Makes the page's views from its stream (they become its CachedPage and
    // the report's current page). Raises EReadError for a damaged stream and
    // EPreparedReportError for an add-in class that is not registered.
    void BuildPageObjects(int index);
    // The last view under a point (report units from the paper's top-left
    // corner) is handed to the report's OnObjectClick (click) or
    // OnMouseOverObject; true when a handler took it.
    bool HitObject(int index, int32_t x, int32_t y, bool click, int& cursor);
    // The view under a point, or null (what HitObject hands on).
    TrqView* ObjectAt(int index, int32_t x, int32_t y);

    // The prepared-report file (report/pages/PreparedFile.cpp). Nothing
    // happens without a stream. Loading clears the pages first; a file in the
    // old layout (pages as metafiles) or a damaged or truncated file raises
    // EPreparedReportError and leaves no pages.
    void SaveToStream(TStream* stream);
    void LoadFromStream(TStream* stream);

    // What the last load read from the file's header.
    int LoadedVersion() const { return loadedVersion_; }
    uint8_t LoadedCompression() const { return loadedCompression_; }
    const AnsiString& LoadedPrinterName() const { return loadedPrinterName_; }

private:
    void releaseCache(TrqPreparedPage& page);
    void loadPages(TStream& stream, int version, uint8_t compression);
    void loadPrinted(TrqStreamReader& reader);

    TrqReport* report_;
    std::vector<std::unique_ptr<TrqPreparedPage>> pages_;
    int loadedVersion_ = 0;
    uint8_t loadedCompression_ = 0;
    AnsiString loadedPrinterName_;
};

// Reads the views of a page stream into `page`, in prepared form and in stream
// order. With fitAutoWidth, memos with AutoWidth are drawn once on the scratch
// canvas, which fits their width to their text.
void ReadPreparedViews(TMemoryStream& stream, TrqPage& page, bool fitAutoWidth);
