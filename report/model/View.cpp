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

const TrqPropertyTable& TrqView::ViewProperties()
{
    using P = TrqPropertiesOf<TrqView>;
    static const TrqPropertyTable table({
        P::Field("Name", pkObjectName, rgName, &TrqView::Name),
        P::Field("Left", pkPosition, rgBounds, &TrqView::Left),
        P::Field("Top", pkPosition, rgBounds, &TrqView::Top),
        P::Field("Width", pkPosition, rgBounds, &TrqView::Width),
        P::Field("Height", pkPosition, rgBounds, &TrqView::Height),
        P::Field("Flags", pkInteger, rgFlags, &TrqView::Flags),
        P::Field("FrameTyp", pkInteger, rgFrame, &TrqView::FrameTyp),
        P::Field("FrameWidth", pkFractionalPosition, rgFrame, &TrqView::FrameWidth),
        P::Field("FrameColor", pkColor, rgFrame, &TrqView::FrameColor),
        P::Field("FrameStyle", pkEnum, rgFrame, &TrqView::FrameStyle, TrqEnumerations::FrameStyle),
        P::Field("FillColor", pkColor, rgFrame, &TrqView::FillColor),
        P::Field("Tag", pkText, rgFrame, &TrqView::Tag),
        P::Field("BandAlign", pkEnum, rgFrame, &TrqView::BandAlign, TrqEnumerations::BandAlign),
        P::Field("Visible", pkBoolean, rgBounds, &TrqView::Visible),
        P::Make(
            "Memo", pkEditor, rgMemo, [](TrqView& v) { return Variant(v.Memo.Text()); },
            [](TrqView& v, const Variant& value) { v.Memo.SetText(value.AsString()); }),
        P::Make("Memo.Count", pkInteger, rgFlags, [](TrqView& v) { return Variant(v.Memo.Count()); }, nullptr),
        P::Listed("Restrictions", pkInteger, rgName),
        P::Field("GapX", pkPosition, rgGaps, &TrqView::GapX),
        P::Field("GapY", pkPosition, rgGaps, &TrqView::GapY),
        P::Flag("Stretched", rgStretched, flStretched),
        // The text of a view that shows one field: set replaces the text, get
        // gives its first line.
        P::Make(
            "DataField", pkEditor, rgDataField,
            [](TrqView& v) { return Variant(v.Memo.Count() > 0 ? v.Memo[0] : AnsiString()); },
            [](TrqView& v, const Variant& value) { v.Memo.SetText(value.AsString()); }),
    });
    return table;
}

uint32_t TrqView::RegisteredGroups() const { return rgAlways | rgName | rgBounds | rgFlags | rgFrame | rgMemo; }

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
