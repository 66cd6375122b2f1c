#include "report/model/MemoView.h"

namespace {
// Template style codes (italic first) and the runtime's style bits.
struct StyleBit {
    int32_t code;
    TFontStyles style;
};
const StyleBit styleBits[] = {
    {rqfsItalic, fsItalic}, {rqfsBold, fsBold}, {rqfsUnderline, fsUnderline}, {rqfsStrikeOut, fsStrikeOut}};
}  // namespace

TFontStyles FontStylesFromCode(int32_t code)
{
    TFontStyles styles = 0;
    for (const StyleBit& b : styleBits)
        if (code & b.code) styles |= b.style;
    return styles;
}

int32_t FontStyleCode(TFontStyles styles)
{
    int32_t code = 0;
    for (const StyleBit& b : styleBits)
        if (styles & b.style) code |= b.code;
    return code;
}

TFont TrqMemoFont::ToFont() const
{
    return TFont(Name, Size, FontStylesFromCode(Style), Color, Charset);
}

TrqMemoView::TrqMemoView()
{
    BaseName = "Memo";
    ObjectKind = okMemo;
    Flags = flStretched | flWordWrap;
}

const TrqPropertyTable& TrqMemoView::Properties() const
{
    using P = TrqPropertiesOf<TrqMemoView>;
    static const TrqPropertyTable table(ViewProperties(), {
        P::Make(
            "Font.Name", pkText, rgAlways, [](TrqMemoView& m) { return Variant(m.Font.Name); },
            [](TrqMemoView& m, const Variant& v) { m.Font.Name = v.AsString(); }),
        P::Make(
            "Font.Size", pkInteger, rgAlways, [](TrqMemoView& m) { return Variant(m.Font.Size); },
            [](TrqMemoView& m, const Variant& v) { m.Font.Size = static_cast<int32_t>(v.AsInteger()); }),
        // The template's style code (1 italic, 2 bold, 4 underline, 8 strike-out).
        P::Make(
            "Font.Style", pkInteger, rgAlways, [](TrqMemoView& m) { return Variant(m.Font.Style); },
            [](TrqMemoView& m, const Variant& v) { m.Font.Style = static_cast<int32_t>(v.AsInteger()); }),
        P::Make(
            "Font.Color", pkColor, rgAlways, [](TrqMemoView& m) { return Variant(m.Font.Color); },
            [](TrqMemoView& m, const Variant& v) { m.Font.Color = static_cast<int32_t>(v.AsInteger()); }),
        P::Listed("Font", pkEditor, rgAlways),
        P::Field("Alignment", pkEditor, rgAlways, &TrqMemoView::Alignment),
        P::Listed("DisplayFormat", pkEditor, rgAlways),
        P::Listed("Highlight", pkEditor, rgAlways),
        P::Field("LineSpacing", pkPosition, rgAlways, &TrqMemoView::LineSpacing),
        P::Field("CharSpacing", pkPosition, rgAlways, &TrqMemoView::CharSpacing),
        P::Flag("WordWrap", rgAlways, flWordWrap),
        P::Flag("WordBreak", rgAlways, flWordBreak),
        P::Flag("AutoWidth", rgAlways, flAutoWidth),
        P::Flag("TextOnly", rgAlways, flTextOnly),
        P::Flag("Suppress", rgAlways, flSuppress),
        P::Flag("HideZeros", rgAlways, flHideZeros),
        P::Make("Lines.Count", pkInteger, rgAlways, [](TrqMemoView& m) { return Variant(m.Memo.Count()); }, nullptr),
        P::Flag("Underlines", rgAlways, flUnderlines),
        P::Flag("RTLReading", rgAlways, flRTLReading),
    });
    return table;
}

uint32_t TrqMemoView::RegisteredGroups() const { return TrqView::RegisteredGroups() | rgGaps | rgStretched; }

Variant TrqMemoView::DoMethod(const AnsiString& methodName, const Variant& p1, const Variant& p2, const Variant& p3)
{
    Variant result = Variant::Null();
    if (ListMethod("LINES", UpperCase(methodName), p1, p2, p3, result)) return result;
    return TrqView::DoMethod(methodName, p1, p2, p3);
}
