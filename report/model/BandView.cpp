#include "report/model/BandView.h"

namespace {
const TrqView::FlagName bandFlags[] = {
    {"FORMNEWPAGE", flBandNewPageAfter},
    {"PRINTIFSUBSETEMPTY", flBandPrintIfSubsetEmpty},
    {"BREAKED", flBandPageBreak},
    {"ONFIRSTPAGE", flBandOnFirstPage},
    {"ONLASTPAGE", flBandOnLastPage},
    {"REPEATHEADER", flBandRepeatHeader},
    {"PRINTCHILDIFINVISIBLE", flBandPrintChildIfInvisible},
    {"AUTOAPPENDBLANK", flBandAutoAppendBlank},
};
constexpr size_t bandFlagCount = sizeof bandFlags / sizeof bandFlags[0];

const char* const bandTypeNames[BandTypeCount] = {
    "Report title",  "Report summary",   "Page header",     "Page footer",      "Master header",
    "Master data",   "Master footer",    "Detail header",   "Detail data",      "Detail footer",
    "Subdetail header", "Subdetail data", "Subdetail footer", "Overlay",        "Column header",
    "Column footer", "Group header",     "Group footer",    "Cross header",     "Cross data",
    "Cross footer",  "Child",            "None",
};

// The band properties a designer is offered for each kind.
enum : unsigned {
    bpChildBand = 1u << 0,
    bpPrintChildIfInvisible = 1u << 1,
    bpStretched = 1u << 2,
    bpFormNewPage = 1u << 3,
    bpBreaked = 1u << 4,
    bpOnFirstPage = 1u << 5,
    bpOnLastPage = 1u << 6,
    bpRepeatHeader = 1u << 7,
    bpPrintIfSubsetEmpty = 1u << 8,
    bpAutoAppendBlank = 1u << 9,
    bpColumns = 1u << 10,
    bpDataSource = 1u << 11,
    bpCondition = 1u << 12,
    bpMaster = 1u << 13,
};
constexpr unsigned bpChild = bpChildBand | bpPrintChildIfInvisible;
constexpr unsigned bpTitle = bpChild | bpStretched | bpFormNewPage | bpBreaked;
constexpr unsigned bpHeader = bpChild | bpStretched | bpBreaked | bpRepeatHeader;
constexpr unsigned bpData = bpChild | bpStretched | bpFormNewPage | bpPrintIfSubsetEmpty | bpBreaked |
                            bpAutoAppendBlank | bpColumns | bpDataSource;

const unsigned bandProperties[BandTypeCount] = {
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

void TrqBandView::DefineProperties()
{
    DefineViewProperties(false);
    unsigned set = BandType() >= 0 && BandType() < BandTypeCount ? bandProperties[BandType()] : bpChild;
    if (set & bpChildBand) AddProperty("ChildBand", pkText);
    if (set & bpPrintChildIfInvisible) AddProperty("PrintChildIfInvisible", pkBoolean);
    if (set & bpStretched) AddProperty("Stretched", pkBoolean);
    if (set & bpFormNewPage) AddProperty("FormNewPage", pkBoolean);
    if (set & bpPrintIfSubsetEmpty) AddProperty("PrintIfSubsetEmpty", pkBoolean);
    if (set & bpBreaked) AddProperty("Breaked", pkBoolean);
    if (set & bpOnFirstPage) AddProperty("OnFirstPage", pkBoolean);
    if (set & bpOnLastPage) AddProperty("OnLastPage", pkBoolean);
    if (set & bpRepeatHeader) AddProperty("RepeatHeader", pkBoolean);
    if (set & bpAutoAppendBlank) AddProperty("AutoAppendBlank", pkBoolean);
    if (set & bpColumns) {
        AddProperty("Columns", pkInteger);
        AddProperty("ColumnWidth", pkPosition);
        AddProperty("ColumnGap", pkPosition);
    }
    if (set & bpDataSource) AddProperty("DataSource", pkEditor);
    if (set & bpCondition) AddProperty("Condition", pkEditor);
    if (set & bpMaster) AddProperty("Master", pkText);
    // Bands show their script text as their OnBeforePrint event.
    AddProperty("OnBeforePrint", pkEditor);
}

void TrqBandView::SetPropValue(const AnsiString& propName, const Variant& value)
{
    AnsiString name = UpperCase(propName);
    if (Runtime && Runtime->SetRuntimeProperty(name, value)) return;
    auto asInt = [&] { return static_cast<int32_t>(value.AsInteger()); };
    if (name == "CHILDBAND") ChildBand = value.AsString();
    else if (name == "MASTER") Master = value.AsString();
    else if (name == "CONDITION" || name == "DATASOURCE") FormatText = value.AsString();
    else if (name == "COLUMNS") Columns = asInt();
    else if (name == "COLUMNGAP") ColumnGap = asInt();
    else if (name == "COLUMNWIDTH") ColumnWidth = asInt();
    else if (name == "NEWCOLUMNAFTER") NewColumnAfter = asInt();
    else if (name == "EOF") return;  // read only
    else if (!SetFlagProperty(bandFlags, bandFlagCount, name, value)) TrqView::SetPropValue(name, value);
}

Variant TrqBandView::GetPropValue(const AnsiString& propName)
{
    AnsiString name = UpperCase(propName);
    Variant result;
    if (Runtime && Runtime->GetRuntimeProperty(name, result)) return result;
    if (name == "CHILDBAND") return ChildBand;
    if (name == "MASTER") return Master;
    if (name == "CONDITION") return FormatText;
    if (name == "COLUMNS") return Columns;
    if (name == "COLUMNGAP") return ColumnGap;
    if (name == "COLUMNWIDTH") return ColumnWidth;
    if (name == "NEWCOLUMNAFTER") return NewColumnAfter;
    // Outside a build a band has no data source to be at the end of.
    if (name == "EOF") return true;
    if (name == "DATASOURCE") return Variant::Null();  // write only
    if (GetFlagProperty(bandFlags, bandFlagCount, name, result)) return result;
    return TrqView::GetPropValue(name);
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
