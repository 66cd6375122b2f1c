#include "report/model/Page.h"

#include "report/model/Report.h"
#include "report/printer/PaperTable.h"
#include "runtime/SysUtils.h"

#include <algorithm>

TrqPage::TrqPage(TrqReport* report) : report_(report) {}

TrqPage::~TrqPage() = default;

TrqView* TrqPage::Add(std::unique_ptr<TrqView> view)
{
    view->Page = this;
    objects_.push_back(std::move(view));
    return objects_.back().get();
}

TrqView* TrqPage::FindObject(std::string_view name) const
{
    for (const auto& view : objects_)
        if (SameText(view->Name, name)) return view.get();
    return nullptr;
}

void TrqPage::Clear() { objects_.clear(); }

void TrqPage::Delete(int index)
{
    if (index >= 0 && index < Count()) objects_.erase(objects_.begin() + index);
}

void TrqPage::ChangePaper(int32_t size, int32_t width, int32_t height, int32_t bin, uint8_t orientation)
{
    if (!report_) {
        // No report, no printer to ask: the paper is taken as it is given.
        Size = size;
        PaperWidth = width;
        PaperHeight = height;
        Orientation = orientation;
        PaperBin = bin;
        return;
    }
    TrqPrinter& printer = report_->Printer();
    printer.SetPrinterInfo(size, width, height, bin, orientation, false);
    if (printer.PaperSize() != size && size != CustomPaperSize)
        printer.SetPrinterInfo(CustomPaperSize, width, height, -1, orientation, false);
    Size = printer.PaperSize();
    PaperWidth = printer.PaperWidth();
    PaperHeight = printer.PaperHeight();
    Orientation = static_cast<uint8_t>(printer.Orientation());
    PaperBin = printer.PaperBin();
    printer.FillPrinterPageInfo(PrnInfo);
}

void TrqPage::UpdateGeometry()
{
    if (!report_) return;
    TrqPrinter& printer = report_->Printer();
    printer.SetPrinterInfo(Size, PaperWidth, PaperHeight, PaperBin, Orientation, false);
    printer.FillPrinterPageInfo(PrnInfo);
}

int32_t TrqPage::LeftMarginInEffect() const
{
    if (LeftMargin != 0) return LeftMargin;
    return UseMargins ? PrnInfo.OffsetXUnits : 0;
}

int32_t TrqPage::TopMarginInEffect() const
{
    if (TopMargin != 0) return TopMargin;
    return UseMargins ? PrnInfo.OffsetYUnits : 0;
}

int32_t TrqPage::RightMarginInEffect() const
{
    if (RightMargin != 0) return PrnInfo.PaperWidthUnits - RightMargin;
    return UseMargins ? PrnInfo.OffsetXUnits + PrnInfo.PrintableWidthUnits : PrnInfo.PaperWidthUnits;
}

int32_t TrqPage::BottomMarginInEffect() const
{
    int32_t bottom = BottomMargin != 0 ? PrnInfo.PaperHeightUnits - BottomMargin
                     : UseMargins      ? PrnInfo.OffsetYUnits + PrnInfo.PrintableHeightUnits
                                       : PrnInfo.PaperHeightUnits;
    return report_ && report_->Building() ? bottom - FooterHeight : bottom;
}

void TrqPage::DefineProperties()
{
    AddEnumProperty("Type", "ptReport;ptDialog");
    AddProperty("Visible", pkBoolean);
    if (Type == ptDialog) {
        AddEnumProperty("BorderStyle", "bsDialog;bsSizeable", {3, 2});
        AddProperty("Caption", pkText);
        AddProperty("Color", pkColor);
        for (const char* name : {"Left", "Top", "Width", "Height"}) AddProperty(name, pkInteger);
        AddEnumProperty("Position", "poDesigned;poScreenCenter", {0, 4});
        AddProperty("OnActivate", pkEditor);
        return;
    }
    AddProperty("Size", pkEnum);
    for (const char* name : {"Width", "Height", "LeftMargin", "TopMargin", "RightMargin", "BottomMargin"})
        AddProperty(name, pkPosition);
    AddEnumProperty("Orientation", "poPortrait;poLandscape");
    AddProperty("PrintToPrevPage", pkBoolean);
    AddProperty("StretchToPrintable", pkBoolean);
    AddProperty("Columns", pkInteger);
    AddProperty("ColumnGap", pkPosition);
    AddProperty("OnBeforePrint", pkEditor);
}

namespace {
// Paper size in tenths of a millimetre <-> report units as scripts see them (18/5 units per millimetre).
int32_t tenthsToScriptUnits(int32_t tenths) { return static_cast<int32_t>(RoundHalfEven(tenths / 10.0 * 18 / 5)); }
int32_t scriptUnitsToTenths(int64_t units) { return static_cast<int32_t>(RoundHalfEven(units * 10.0 * 5 / 18)); }
}  // namespace

void TrqPage::SetPropValue(const AnsiString& propName, const Variant& value)
{
    AnsiString name = UpperCase(propName);
    auto asInt = [&] { return static_cast<int32_t>(value.AsInteger()); };
    bool dialog = Type == ptDialog;
    if (name == "LEFT") Left = asInt();
    else if (name == "TOP") Top = asInt();
    else if ((name == "WIDTH" || name == "HEIGHT") && dialog) (name == "WIDTH" ? Width : Height) = asInt();
    else if (name == "WIDTH")
        ChangePaper(CustomPaperSize, scriptUnitsToTenths(value.AsInteger()), PaperHeight, PaperBin, Orientation);
    else if (name == "HEIGHT")
        ChangePaper(CustomPaperSize, PaperWidth, scriptUnitsToTenths(value.AsInteger()), PaperBin, Orientation);
    else if (name == "TYPE") {
        Type = static_cast<uint8_t>(asInt());
        ClearPropList();
    } else if (name == "BORDERSTYLE") BorderStyle = static_cast<uint8_t>(asInt());
    else if (name == "NAME") Name = value.AsString();
    else if (name == "CAPTION") Caption = value.AsString();
    else if (name == "COLOR") Color = asInt();
    else if (name == "POSITION") Position = static_cast<uint8_t>(asInt());
    else if (name == "SIZE") ChangePaper(asInt(), PaperWidth, PaperHeight, PaperBin, Orientation);
    else if (name == "ORIENTATION") ChangePaper(Size, PaperWidth, PaperHeight, PaperBin, static_cast<uint8_t>(asInt()));
    else if (name == "LEFTMARGIN") LeftMargin = asInt();
    else if (name == "TOPMARGIN") TopMargin = asInt();
    else if (name == "RIGHTMARGIN") RightMargin = asInt();
    else if (name == "BOTTOMMARGIN") BottomMargin = asInt();
    else if (name == "PRINTTOPREVPAGE") PrintToPrevPage = value.AsBoolean();
    else if (name == "STRETCHTOPRINTABLE") UseMargins = !value.AsBoolean();
    else if (name == "COLUMNS") Columns = asInt();
    else if (name == "COLUMNGAP") ColumnGap = asInt();
    else if (name == "VISIBLE") Visible = value.AsBoolean() ? 1 : 0;
}

Variant TrqPage::GetPropValue(const AnsiString& propName)
{
    AnsiString name = UpperCase(propName);
    bool dialog = Type == ptDialog;
    bool building = report_ && report_->Building();
    if (name == "LEFT") return Left;
    if (name == "TOP") return Top;
    if (name == "WIDTH") return dialog ? Width : tenthsToScriptUnits(PaperWidth);
    if (name == "HEIGHT") return dialog ? Height : tenthsToScriptUnits(PaperHeight);
    if (name == "TYPE") return static_cast<int>(Type);
    if (name == "BORDERSTYLE") return static_cast<int>(BorderStyle);
    if (name == "NAME") return Name;
    if (name == "CAPTION") return Caption;
    if (name == "COLOR") return Color;
    if (name == "POSITION") return static_cast<int>(Position);
    if (name == "SIZE") return Size;
    if (name == "LEFTMARGIN") return building ? LeftMarginInEffect() : LeftMargin;
    if (name == "TOPMARGIN") return building ? TopMarginInEffect() : TopMargin;
    if (name == "RIGHTMARGIN") return building ? RightMarginInEffect() : RightMargin;
    if (name == "BOTTOMMARGIN") return building ? BottomMarginInEffect() : BottomMargin;
    if (name == "ORIENTATION") return static_cast<int>(Orientation);
    if (name == "PRINTTOPREVPAGE") return PrintToPrevPage;
    if (name == "STRETCHTOPRINTABLE") return !UseMargins;
    if (name == "COLUMNS") return Columns;
    if (name == "COLUMNGAP") return ColumnGap;
    if (name == "VISIBLE") return Visible != 0;
    return Variant::Null();
}

TrqPage* TrqPages::Add()
{
    AnsiString name;
    for (int n = 1; n <= 10000 && name.empty(); ++n) {
        AnsiString candidate = "Page" + std::to_string(n);
        if (std::none_of(pages_.begin(), pages_.end(), [&](const auto& p) { return SameText(p->Name, candidate); }))
            name = candidate;
    }
    TrqPage* page = AddUnnamed();
    page->Name = name;
    return page;
}

TrqPage* TrqPages::AddUnnamed()
{
    auto page = std::make_unique<TrqPage>(report_);
    if (report_) page->ChangePaper(report_->Printer().DefaultPaperSize(), 0, 0, -1, poPortrait);
    pages_.push_back(std::move(page));
    return pages_.back().get();
}

void TrqPages::Delete(int index)
{
    if (index >= 0 && index < Count()) pages_.erase(pages_.begin() + index);
}
