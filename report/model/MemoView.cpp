#include "report/model/MemoView.h"

namespace {
const TrqView::FlagName memoFlags[] = {
    {"WORDWRAP", flWordWrap},     {"WORDBREAK", flWordBreak}, {"AUTOWIDTH", flAutoWidth},
    {"TEXTONLY", flTextOnly},     {"SUPPRESS", flSuppress},   {"HIDEZEROS", flHideZeros},
    {"UNDERLINES", flUnderlines}, {"RTLREADING", flRTLReading},
};
constexpr size_t memoFlagCount = sizeof memoFlags / sizeof memoFlags[0];
}  // namespace

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

void TrqMemoView::DefineProperties()
{
    DefineViewProperties(true);
    for (const char* name : {"Font.Name", "Font.Size", "Font.Style", "Font.Color"}) AddProperty(name, pkInteger);
    AddProperty("Font", pkEditor);
    AddProperty("Alignment", pkEditor);
    AddProperty("DisplayFormat", pkEditor);
    AddProperty("Highlight", pkEditor);
    AddProperty("LineSpacing", pkPosition);
    AddProperty("CharSpacing", pkPosition);
    AddProperty("GapX", pkPosition);
    AddProperty("GapY", pkPosition);
    for (const char* name : {"Stretched", "WordWrap", "WordBreak", "AutoWidth", "TextOnly", "Suppress", "HideZeros"})
        AddProperty(name, pkBoolean);
    AddProperty("Lines.Count", pkInteger);
    AddProperty("Underlines", pkBoolean);
    AddProperty("RTLReading", pkBoolean);
}

void TrqMemoView::SetPropValue(const AnsiString& propName, const Variant& value)
{
    AnsiString name = UpperCase(propName);
    auto asInt = [&] { return static_cast<int32_t>(value.AsInteger()); };
    if (name == "FONT.NAME") Font.Name = value.AsString();
    else if (name == "FONT.SIZE") Font.Size = asInt();
    else if (name == "FONT.STYLE") Font.Style = asInt();
    else if (name == "FONT.COLOR") Font.Color = asInt();
    else if (name == "ALIGNMENT") Alignment = asInt();
    else if (name == "LINESPACING") LineSpacing = asInt();
    else if (name == "CHARSPACING") CharSpacing = asInt();
    else if (!SetFlagProperty(memoFlags, memoFlagCount, name, value)) TrqView::SetPropValue(name, value);
}

Variant TrqMemoView::GetPropValue(const AnsiString& propName)
{
    AnsiString name = UpperCase(propName);
    Variant result;
    if (name == "FONT.NAME") return Font.Name;
    if (name == "FONT.SIZE") return Font.Size;
    if (name == "FONT.STYLE") return Font.Style;
    if (name == "FONT.COLOR") return Font.Color;
    if (name == "ALIGNMENT") return Alignment;
    if (name == "LINESPACING") return LineSpacing;
    if (name == "CHARSPACING") return CharSpacing;
    if (GetFlagProperty(memoFlags, memoFlagCount, name, result)) return result;
    if (ListCount("LINES", name, result)) return result;
    return TrqView::GetPropValue(name);
}

Variant TrqMemoView::DoMethod(const AnsiString& methodName, const Variant& p1, const Variant& p2, const Variant& p3)
{
    Variant result = Variant::Null();
    if (ListMethod("LINES", UpperCase(methodName), p1, p2, p3, result)) return result;
    return TrqView::DoMethod(methodName, p1, p2, p3);
}
