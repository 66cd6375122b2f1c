// The stream data of views: the common part every kind starts with, then the
// kind's own fields. Template form carries everything; prepared form (objects
// on prepared pages) leaves out the display format, the script and the
// visibility, and carries the evaluated text instead of the designed one.
#include "report/model/BandView.h"
#include "report/model/MemoView.h"
#include "report/model/PictureView.h"
#include "report/model/SubReportView.h"
#include "report/stream/StreamReader.h"
#include "report/stream/StreamWriter.h"
#include "runtime/Exceptions.h"
#include "runtime/SysUtils.h"

#include <cmath>
#include <limits>

namespace {
// A frame width is stored as an integer: a fractional width in thousandths, a
// whole width as itself. Codes up to 10 are whole widths.
int32_t frameWidthCode(float width)
{
    if (!std::isfinite(width)) return 0;
    double w = width;
    if (std::floor(w) != w) w = static_cast<double>(RoundHalfEven(w * 1000));
    if (w > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (w < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(w);
}

float frameWidthFromCode(int32_t code)
{
    int64_t thousandths = code <= 10 ? int64_t(code) * 1000 : code;
    return static_cast<float>(thousandths / 1000.0);
}

// The record format number that the common data carries.
int formatNumber(const TrqView& view) { return view.VersionHigh * 10 + view.VersionLow; }
}  // namespace

void TrqView::LoadFromStream(TrqStreamReader& r)
{
    const int version = r.Version();
    const bool prepared = r.PreparedForm;
    PreparedMode = prepared;
    if (version == 24 || (version == 23 && !prepared)) Name = r.ReadString();
    else Name = r.MakeName ? r.MakeName(BaseName) : AnsiString();
    if (version == 24) {
        VersionHigh = r.ReadByte();
        VersionLow = r.ReadByte();
    }
    Left = r.ReadInt32();
    Top = r.ReadInt32();
    Width = r.ReadInt32();
    Height = r.ReadInt32();
    Flags = r.ReadUInt16();
    FrameTyp = r.ReadUInt16();
    int32_t frameCode = r.ReadInt32();
    FrameColor = r.ReadColor();
    FrameStyle = r.ReadUInt16();
    FillColor = r.ReadColor();
    if (!prepared) {
        FormatCode = r.ReadInt32();
        FormatText = r.ReadString();
    }
    r.ReadTextList(Memo);
    if (version >= 23 && !prepared) {
        r.ReadTextList(Script);
        Visible = r.ReadWordBool();
    }
    if (version == 24) {
        Restrictions = r.ReadUInt16();
        Tag = r.ReadString();
        GapX = r.ReadInt32();
        GapY = r.ReadInt32();
    }
    FrameWidth = frameWidthFromCode(frameCode);
    if (VersionHigh > 1) BandAlign = r.ReadByte();
}

void TrqView::SaveToStream(TrqStreamWriter& w)
{
    const bool prepared = w.PreparedForm;
    w.WriteString(Name);
    w.WriteByte(2);
    w.WriteByte(ObjectKind == okBand ? 1 : VersionLow);
    w.WriteInt32(Left);
    w.WriteInt32(Top);
    w.WriteInt32(Width);
    w.WriteInt32(Height);
    w.WriteUInt16(Flags);
    w.WriteUInt16(FrameTyp);
    w.WriteInt32(frameWidthCode(FrameWidth));
    w.WriteColor(FrameColor);
    w.WriteUInt16(FrameStyle);
    w.WriteColor(FillColor);
    if (!prepared) {
        w.WriteInt32(FormatCode);
        w.WriteString(FormatText);
    }
    w.WriteTextList(prepared ? MemoResult : Memo);
    if (!prepared) {
        w.WriteTextList(Script);
        w.WriteWordBool(Visible);
    }
    w.WriteUInt16(Restrictions);
    w.WriteString(Tag);
    w.WriteInt32(GapX);
    w.WriteInt32(GapY);
    w.WriteByte(BandAlign);
}

void TrqMemoView::LoadFromStream(TrqStreamReader& r)
{
    TrqView::LoadFromStream(r);
    const int version = r.Version();
    Font.Name = r.ReadString();
    Font.Size = r.ReadInt32();
    Font.Style = r.ReadUInt16();
    Font.Color = r.ReadColor();
    Alignment = r.ReadInt32();
    uint16_t charset = r.ReadUInt16();
    Font.Charset = version <= 22 ? uint8_t(DEFAULT_CHARSET) : static_cast<uint8_t>(charset & 0xFF);
    if (!r.PreparedForm) {
        HighlightStyle = r.ReadUInt16();
        HighlightFontColor = r.ReadColor();
        HighlightFillColor = r.ReadColor();
        HighlightCondition = r.ReadString();
    }
    if (version == 24) {
        LineSpacing = r.ReadInt32();
        CharSpacing = r.ReadInt32();
    }
    if (version == 21) SetFlag(flWordWrap, true);
}

void TrqMemoView::SaveToStream(TrqStreamWriter& w)
{
    TrqView::SaveToStream(w);
    w.WriteString(Font.Name);
    w.WriteInt32(Font.Size);
    w.WriteUInt16(static_cast<uint16_t>(Font.Style));
    w.WriteColor(Font.Color);
    w.WriteInt32(Alignment);
    w.WriteUInt16(Font.Charset);
    if (!w.PreparedForm) {
        w.WriteUInt16(static_cast<uint16_t>(HighlightStyle));
        w.WriteColor(HighlightFontColor);
        w.WriteColor(HighlightFillColor);
        w.WriteString(HighlightCondition);
    }
    w.WriteInt32(LineSpacing);
    w.WriteInt32(CharSpacing);
}

void TrqBandView::LoadFromStream(TrqStreamReader& r)
{
    TrqView::LoadFromStream(r);
    if (r.Version() != 24) return;
    ChildBand = r.ReadString();
    Columns = r.ReadInt32();
    ColumnWidth = r.ReadInt32();
    ColumnGap = r.ReadInt32();
    NewColumnAfter = r.ReadInt32();
    if (formatNumber(*this) > 20) Master = r.ReadString();
}

void TrqBandView::SaveToStream(TrqStreamWriter& w)
{
    TrqView::SaveToStream(w);
    w.WriteString(ChildBand);
    w.WriteInt32(Columns);
    w.WriteInt32(ColumnWidth);
    w.WriteInt32(ColumnGap);
    w.WriteInt32(NewColumnAfter);
    w.WriteString(Master);
}

void TrqSubReportView::LoadFromStream(TrqStreamReader& r)
{
    TrqView::LoadFromStream(r);
    SubPage = r.ReadInt32();
}

void TrqSubReportView::SaveToStream(TrqStreamWriter& w)
{
    TrqView::SaveToStream(w);
    w.WriteInt32(SubPage);
}

void TrqPictureView::LoadFromStream(TrqStreamReader& r)
{
    TrqView::LoadFromStream(r);
    uint8_t kind = r.ReadByte();
    if (formatNumber(*this) > 10) BlobType = r.ReadByte();
    int64_t end = r.ReadInt32();
    int64_t start = r.Position();
    // A graphic ending before it starts would send the reader backwards.
    if (end < start) throw EReadError("Picture data ends before it starts");
    if (kind >= gkBitmap && kind <= gkIcon) {
        std::string data = r.ReadBytes(end - start);
        Picture.Assign(static_cast<TrqGraphicKind>(kind), std::move(data));
    } else {
        Picture.Clear();
    }
    r.SetPosition(end);
}

void TrqPictureView::SaveToStream(TrqStreamWriter& w)
{
    TrqView::SaveToStream(w);
    w.WriteByte(Picture.Kind());
    w.WriteByte(BlobType);
    int64_t end = w.BeginPositionField();
    w.Stream().WriteBytes(Picture.Data());
    w.EndPositionField(end);
}
