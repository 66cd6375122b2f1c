// Writing a report's template stream, always in version 24: the header, every
// page record, the objects of each page in drawing order, the dictionary.
#include "report/model/Report.h"
#include "report/stream/StreamWriter.h"
#include "report/stream/TemplateFormat.h"
#include "report/texts/EngineTexts.h"
#include "runtime/Exceptions.h"

namespace {
void writePage(TrqStreamWriter& w, const TrqPage& page)
{
    w.WriteByte(TagPage);
    w.WriteInt32(-1);  // a page script follows the window fields
    w.WriteInt32(page.Size);
    w.WriteInt32(page.PaperWidth);
    w.WriteInt32(page.PaperHeight);
    w.WriteInt32(page.LeftMargin);
    w.WriteInt32(page.TopMargin);
    w.WriteInt32(page.RightMargin);
    w.WriteInt32(page.BottomMargin);
    w.WriteByte(page.Orientation);
    w.WriteInt32(page.PaperBin);
    w.WriteWordBool(page.PrintToPrevPage);
    w.WriteWordBool(page.UseMargins);
    w.WriteInt32(page.Columns);
    w.WriteInt32(page.ColumnGap);
    w.WriteByte(page.Type);
    w.WriteString(page.Name);
    w.WriteByte(page.BorderStyle);
    w.WriteString(page.Caption);
    w.WriteColor(page.Color);
    w.WriteInt32(page.Left);
    w.WriteInt32(page.Top);
    w.WriteInt32(page.Width);
    w.WriteInt32(page.Height);
    w.WriteByte(page.Position);
    w.WriteTextList(page.Script);
}

void writeList(TrqStreamWriter& w, const TrqNamedValues& list)
{
    w.WriteInt32(list.Count());
    for (int i = 0; i < list.Count(); ++i) {
        w.WriteString(list.NameAt(i));
        w.WriteString(list.ValueAt(i).AsString());
    }
}
}  // namespace

void TrqReport::SaveToStream(TStream& stream)
{
    TrqStreamWriter w(stream, stream.Position());
    w.WriteByte(TemplateVersion);
    w.WriteWordBool(useDefaultPrinter_);
    w.WriteWordBool(twoPass_);
    w.WriteString(printerName_ == TrqLocale::LoadText(VirtualPrinterText) ? AnsiString(VirtualPrinterMark)
                                                                           : printerName_);
    for (int i = 0; i < pages_.Count(); ++i) writePage(w, *pages_[i]);
    for (int i = 0; i < pages_.Count(); ++i) {
        const TrqPage& page = *pages_[i];
        // The page index is one byte: objects further on could not be placed again.
        if (page.Count() > 0 && i > 255)
            throw EWriteError("Objects on more than 256 pages cannot be stored in a report template");
        for (int j = 0; j < page.Count(); ++j) {
            TrqView* view = page.Objects(j);
            w.WriteByte(view->ObjectKind);
            if (view->ObjectKind == okAddIn) w.WriteString(view->ClassName());
            w.WriteByte(static_cast<uint8_t>(i));
            int64_t end = w.BeginPositionField();
            view->SaveToStream(w);
            w.EndPositionField(end);
        }
    }
    w.WriteByte(TagDictionary);
    w.WriteInt16(-2);
    writeList(w, dictionary_.Variables);
    writeList(w, dictionary_.FieldAliases);
    writeList(w, dictionary_.BandDatasources);
}
