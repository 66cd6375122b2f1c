#include "report/model/View.h"

#include "runtime/FormatSettings.h"

#include <atomic>

namespace {
std::atomic<int32_t> nextObjectId{0};
}

int32_t TrqView::NextObjectId() { return nextObjectId.fetch_add(1); }

TrqView::TrqView()
    : ObjectId(NextObjectId()),
      FormatCode(0x200 + static_cast<unsigned char>(FormatSettings().DecimalSeparator))
{
}

TrqView::~TrqView() = default;

void TrqView::DefineViewProperties(bool frameAndFill)
{
    AddProperty("Name", pkObjectName);
    AddProperty("Left", pkPosition);
    AddProperty("Top", pkPosition);
    AddProperty("Width", pkPosition);
    AddProperty("Height", pkPosition);
    AddProperty("Flags", pkInteger);
    if (frameAndFill) {
        AddProperty("FrameTyp", pkInteger);
        AddProperty("FrameWidth", pkFractionalPosition);
        AddProperty("FrameColor", pkColor);
        AddEnumProperty("FrameStyle", "psSolid;psDash;psDot;psDashDot;psDashDotDot;psDouble");
        AddProperty("FillColor", pkColor);
        AddProperty("Tag", pkText);
        AddEnumProperty("BandAlign", "baNone;baLeft;baRight;baCenter;baWidth;baBottom;baTop;baRest");
    }
    AddProperty("Visible", pkBoolean);
    AddProperty("Memo", pkEditor);
    AddProperty("Memo.Count", pkInteger);
    AddProperty("Restrictions", pkInteger);
}

void TrqView::DefineProperties() { DefineViewProperties(true); }

void TrqView::SetPropValue(const AnsiString& propName, const Variant& value)
{
    AnsiString name = UpperCase(propName);
    auto asInt = [&] { return static_cast<int32_t>(value.AsInteger()); };
    if (name == "NAME") Name = value.AsString();
    else if (name == "LEFT") Left = asInt();
    else if (name == "TOP") Top = asInt();
    else if (name == "WIDTH") Width = asInt();
    else if (name == "HEIGHT") Height = asInt();
    else if (name == "FLAGS") Flags = static_cast<uint16_t>(asInt());
    else if (name == "FRAMETYP") FrameTyp = static_cast<uint16_t>(asInt());
    else if (name == "FRAMEWIDTH") FrameWidth = static_cast<float>(value.AsFloat());
    else if (name == "FRAMECOLOR") FrameColor = asInt();
    else if (name == "FRAMESTYLE") FrameStyle = static_cast<uint16_t>(asInt());
    else if (name == "FILLCOLOR") FillColor = asInt();
    else if (name == "VISIBLE") Visible = value.AsBoolean();
    else if (name == "MEMO" || name == "DATAFIELD") Memo.SetText(value.AsString());
    else if (name == "GAPX") GapX = asInt();
    else if (name == "GAPY") GapY = asInt();
    else if (name == "STRETCHED") SetFlag(flStretched, value.AsBoolean());
    else if (name == "BANDALIGN") BandAlign = static_cast<uint8_t>(asInt());
    else if (name == "TAG") Tag = value.AsString();
}

Variant TrqView::GetPropValue(const AnsiString& propName)
{
    AnsiString name = UpperCase(propName);
    Variant result;
    if (name == "NAME") return Name;
    if (name == "LEFT") return Left;
    if (name == "TOP") return Top;
    if (name == "WIDTH") return Width;
    if (name == "HEIGHT") return Height;
    if (name == "FLAGS") return static_cast<int>(Flags);
    if (name == "FRAMETYP") return static_cast<int>(FrameTyp);
    if (name == "FRAMEWIDTH") return static_cast<double>(FrameWidth);
    if (name == "FRAMECOLOR") return FrameColor;
    if (name == "FRAMESTYLE") return static_cast<int>(FrameStyle);
    if (name == "FILLCOLOR") return FillColor;
    if (name == "VISIBLE") return Visible;
    if (name == "MEMO") return Memo.Text();
    if (name == "GAPX") return GapX;
    if (name == "GAPY") return GapY;
    if (name == "STRETCHED") return Flag(flStretched);
    if (name == "BANDALIGN") return static_cast<int>(BandAlign);
    if (name == "DATAFIELD") return Memo.Count() > 0 ? Memo[0] : AnsiString();
    if (name == "TAG") return Tag;
    if (ListCount("MEMO", name, result)) return result;
    return Variant::Null();
}

Variant TrqView::DoMethod(const AnsiString& methodName, const Variant& p1, const Variant& p2, const Variant& p3)
{
    AnsiString name = UpperCase(methodName);
    if (name == "HIDE" || name == "SHOW") {
        SetPropValue("VISIBLE", name == "SHOW");
        return Variant::Null();
    }
    Variant result = Variant::Null();
    if (ListMethod("MEMO", name, p1, p2, p3, result)) return result;
    return Variant::Null();
}

bool TrqView::ListCount(const AnsiString& listName, const AnsiString& name, Variant& result) const
{
    if (name != listName + ".COUNT") return false;
    result = Memo.Count();
    return true;
}

bool TrqView::ListMethod(const AnsiString& listName, const AnsiString& name, const Variant& p1, const Variant& p2,
                         const Variant& p3, Variant& result)
{
    const AnsiString prefix = listName + ".";
    if (name == "GETINDEXPROPERTY" || name == "SETINDEXPROPERTY") {
        if (UpperCase(p1.AsString()) != listName) return false;
        int64_t index = p2.AsInteger();
        if (name == "GETINDEXPROPERTY") {
            // Out of range reads as an empty line rather than failing the script.
            result = index >= 0 && index < Memo.Count() ? Memo[static_cast<int>(index)] : AnsiString();
        } else if (index >= 0 && index < Memo.Count()) {
            Memo.Put(static_cast<int>(index), p3.AsString());
        }
        return true;
    }
    if (name.compare(0, prefix.size(), prefix) != 0) return false;
    AnsiString op = name.substr(prefix.size());
    if (op == "ADD") {
        result = Memo.Add(p1.AsString());
    } else if (op == "CLEAR") {
        Memo.Clear();
    } else if (op == "DELETE") {
        int64_t index = p1.AsInteger();
        if (index >= 0 && index < Memo.Count()) Memo.Delete(static_cast<int>(index));
    } else if (op == "INDEXOF") {
        result = Memo.IndexOf(p1.AsString());
    } else {
        return false;
    }
    return true;
}

bool TrqView::GetFlagProperty(const FlagName* table, size_t count, const AnsiString& name, Variant& result) const
{
    for (size_t i = 0; i < count; ++i)
        if (name == table[i].name) {
            result = Flag(table[i].bit);
            return true;
        }
    return false;
}

bool TrqView::SetFlagProperty(const FlagName* table, size_t count, const AnsiString& name, const Variant& value)
{
    for (size_t i = 0; i < count; ++i)
        if (name == table[i].name) {
            SetFlag(table[i].bit, value.AsBoolean());
            return true;
        }
    return false;
}
