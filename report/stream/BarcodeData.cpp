// The stream data of a barcode view: the common view data, then its own
// fields. Template and prepared form carry the same fields; prepared pages
// hold the expanded content in the text.
#include "report/model/BarcodeView.h"
#include "report/stream/StreamReader.h"
#include "report/stream/StreamWriter.h"

void TrqBarcodeView::LoadFromStream(TrqStreamReader& r)
{
    TrqView::LoadFromStream(r);
    Symbology = r.ReadByte();
    ErrorLevel = r.ReadByte();
    Rotation = r.ReadInt32();
    ModuleSize = r.ReadInt32();
    QuietZone = r.ReadInt32();
    BarColor = r.ReadColor();
    Font.Name = r.ReadString();
    Font.Size = r.ReadInt32();
    Font.Style = r.ReadUInt16();
    Font.Color = r.ReadColor();
}

void TrqBarcodeView::SaveToStream(TrqStreamWriter& w)
{
    TrqView::SaveToStream(w);
    w.WriteByte(Symbology);
    w.WriteByte(ErrorLevel);
    w.WriteInt32(Rotation);
    w.WriteInt32(ModuleSize);
    w.WriteInt32(QuietZone);
    w.WriteColor(BarColor);
    w.WriteString(Font.Name);
    w.WriteInt32(Font.Size);
    w.WriteUInt16(static_cast<uint16_t>(Font.Style));
    w.WriteColor(Font.Color);
}
