#include "report/model/BandView.h"

namespace {
const char* const bandTypeNames[BandTypeCount] = {
    "Report title",  "Report summary",   "Page header",     "Page footer",      "Master header",
    "Master data",   "Master footer",    "Detail header",   "Detail data",      "Detail footer",
    "Subdetail header", "Subdetail data", "Subdetail footer", "Overlay",        "Column header",
    "Column footer", "Group header",     "Group footer",    "Cross header",     "Cross data",
    "Cross footer",  "Child",            "None",
};

// The groups of band properties a designer is offered for each kind.
enum : uint32_t {
    bpChildBand = rgFirstFree << 0,
    bpPrintChildIfInvisible = rgFirstFree << 1,
    bpStretched = rgStretched,
    bpFormNewPage = rgFirstFree << 2,
    bpBreaked = rgFirstFree << 3,
    bpOnFirstPage = rgFirstFree << 4,
    bpOnLastPage = rgFirstFree << 5,
    bpRepeatHeader = rgFirstFree << 6,
    bpPrintIfSubsetEmpty = rgFirstFree << 7,
    bpAutoAppendBlank = rgFirstFree << 8,
    bpColumns = rgFirstFree << 9,
    bpDataSource = rgFirstFree << 10,
    bpCondition = rgFirstFree << 11,
    bpMaster = rgFirstFree << 12,
};
constexpr uint32_t bpChild = bpChildBand | bpPrintChildIfInvisible;
constexpr uint32_t bpTitle = bpChild | bpStretched | bpFormNewPage | bpBreaked;
constexpr uint32_t bpHeader = bpChild | bpStretched | bpBreaked | bpRepeatHeader;
constexpr uint32_t bpData = bpChild | bpStretched | bpFormNewPage | bpPrintIfSubsetEmpty | bpBreaked |
                            bpAutoAppendBlank | bpColumns | bpDataSource;

const uint32_t bandProperties[BandTypeCount] = {
    bpTitle,                                           // report title
    bpTitle,                                           // report summary
    bpChild | bpStretched | bpOnFirstPage,             // page header
    bpOnFirstPage | bpOnLastPage,                      // page footer
    bpHeader,                                          // master header
    bpData,                                            // master data
    bpTitle,                                           // master footer
    bpHeader,                                          // detail header
    bpData,                                            // detail data
    bpTitle,                                           // detail footer
    bpHeader,                                          // subdetail header
    bpData & ~bpPrintIfSubsetEmpty,                    // subdetail data
    bpTitle,                                           // subdetail footer
    bpChild,                                           // overlay
    bpChild,                                           // column header
    bpChild,                                           // column footer
    bpChild | bpStretched | bpFormNewPage | bpBreaked | bpRepeatHeader | bpCondition | bpMaster,  // group header
    bpChild | bpStretched | bpBreaked,                 // group footer
    bpChild | bpStretched | bpRepeatHeader,            // cross header
    bpChild | bpDataSource,                            // cross data
    bpChild,                                           // cross footer
    bpChild | bpStretched | bpBreaked,                 // child
    bpChild,                                           // none
};
}  // namespace

AnsiString BandTypeName(int bandType)
{
    return bandType >= 0 && bandType < BandTypeCount ? bandTypeNames[bandType] : "";
}

TrqBandView::TrqBandView()
{
    BaseName = "Band";
    ObjectKind = okBand;
    FormatCode = 0;
    Flags = flBandOnFirstPage | flBandOnLastPage;
}

const TrqPropertyTable& TrqBandView::Properties() const
{
    using P = TrqPropertiesOf<TrqBandView>;
    // FormatText is the band's data source, or the condition of a group header.
    auto formatText = [](TrqBandView& b, const Variant& v) { b.FormatText = v.AsString(); };
    static const TrqPropertyTable table(ViewProperties(), {
        P::Field("ChildBand", pkText, bpChildBand, &TrqBandView::ChildBand),
        P::Flag("PrintChildIfInvisible", bpPrintChildIfInvisible, flBandPrintChildIfInvisible),
        P::Flag("FormNewPage", bpFormNewPage, flBandNewPageAfter),
        P::Flag("PrintIfSubsetEmpty", bpPrintIfSubsetEmpty, flBandPrintIfSubsetEmpty),
        P::Flag("Breaked", bpBreaked, flBandPageBreak),
        P::Flag("OnFirstPage", bpOnFirstPage, flBandOnFirstPage),
        P::Flag("OnLastPage", bpOnLastPage, flBandOnLastPage),
        P::Flag("RepeatHeader", bpRepeatHeader, flBandRepeatHeader),
        P::Flag("AutoAppendBlank", bpAutoAppendBlank, flBandAutoAppendBlank),
        P::Field("Columns", pkInteger, bpColumns, &TrqBandView::Columns),
        P::Field("ColumnWidth", pkPosition, bpColumns, &TrqBandView::ColumnWidth),
        P::Field("ColumnGap", pkPosition, bpColumns, &TrqBandView::ColumnGap),
        P::Make("DataSource", pkEditor, bpDataSource, nullptr, formatText),
        P::Make("Condition", pkEditor, bpCondition, [](TrqBandView& b) { return Variant(b.FormatText); },
                formatText),
        P::Field("Master", pkText, bpMaster, &TrqBandView::Master),
        P::Field("NewColumnAfter", pkInteger, rgNever, &TrqBandView::NewColumnAfter),
        // Outside a build a band has no data source to be at the end of.
        P::Make("EOF", pkBoolean, rgAlways, [](TrqBandView&) { return Variant(true); }, nullptr),
        // Bands show their script as their OnBeforePrint event.
        P::Listed("OnBeforePrint", pkEditor, rgAlways),
    });
    return table;
}

uint32_t TrqBandView::RegisteredGroups() const
{
    const uint32_t kind = BandType() >= 0 && BandType() < BandTypeCount ? bandProperties[BandType()] : bpChild;
    return rgAlways | rgName | rgBounds | rgFlags | kind;
}

void TrqBandView::SetPropValue(const AnsiString& propName, const Variant& value)
{
    if (Runtime && Runtime->SetRuntimeProperty(UpperCase(propName), value)) return;
    TrqView::SetPropValue(propName, value);
}

Variant TrqBandView::GetPropValue(const AnsiString& propName)
{
    Variant result;
    if (Runtime && Runtime->GetRuntimeProperty(UpperCase(propName), result)) return result;
    return TrqView::GetPropValue(propName);
}

Variant TrqBandView::DoMethod(const AnsiString& methodName, const Variant& p1, const Variant& p2, const Variant& p3)
{
    AnsiString name = UpperCase(methodName);
    if (name == "NEXT" || name == "PRIOR" || name == "FIRST") {
        // Outside a build a band has no data source to move.
        if (Runtime) Runtime->CallRuntimeMethod(name);
        return Variant::Null();
    }
    return TrqView::DoMethod(name, p1, p2, p3);
}
