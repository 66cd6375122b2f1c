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

namespace {
// Paper size in tenths of a millimetre <-> report units as scripts see them (18/5 units per millimetre).
int32_t tenthsToScriptUnits(int32_t tenths) { return static_cast<int32_t>(RoundHalfEven(tenths / 10.0 * 18 / 5)); }
int32_t scriptUnitsToTenths(int64_t units) { return static_cast<int32_t>(RoundHalfEven(units * 10.0 * 5 / 18)); }

enum : uint32_t {
    pgDialog = rgFirstFree << 0,  // the window of a dialog page
    pgReport = rgFirstFree << 1,  // the paper of a report page
};

int32_t asInt(const Variant& v) { return static_cast<int32_t>(v.AsInteger()); }
}  // namespace

const TrqPropertyTable& TrqPage::Properties() const
{
    using P = TrqPropertiesOf<TrqPage>;
    // While a report is built a margin reads as the margin in effect.
    auto margin = [](const char* name, int32_t TrqPage::*field, int32_t (TrqPage::*inEffect)() const) {
        return P::Make(
            name, pkPosition, pgReport,
            [field, inEffect](TrqPage& p) {
                return Variant(p.report_ && p.report_->Building() ? (p.*inEffect)() : p.*field);
            },
            [field](TrqPage& p, const Variant& v) { p.*field = asInt(v); });
    };
    static const TrqPropertyTable table({
        P::Make(
            "Type", pkEnum, rgAlways, [](TrqPage& p) { return Variant(static_cast<int>(p.Type)); },
            [](TrqPage& p, const Variant& v) { p.Type = static_cast<uint8_t>(asInt(v)); }, TrqEnumerations::PageType),
        P::Make(
            "Visible", pkBoolean, rgAlways, [](TrqPage& p) { return Variant(p.Visible != 0); },
            [](TrqPage& p, const Variant& v) { p.Visible = v.AsBoolean() ? 1 : 0; }),
        P::Field("BorderStyle", pkEnum, pgDialog, &TrqPage::BorderStyle, TrqEnumerations::BorderStyle),
        P::Field("Caption", pkText, pgDialog, &TrqPage::Caption),
        P::Field("Color", pkColor, pgDialog, &TrqPage::Color),
        P::Field("Left", pkInteger, pgDialog, &TrqPage::Left),
        P::Field("Top", pkInteger, pgDialog, &TrqPage::Top),
        // A dialog page's window size; a report page's paper in report units
        // (a new width or height makes the paper a custom size).
        P::Make(
            "Width", pkPosition, pgDialog | pgReport,
            [](TrqPage& p) { return Variant(p.Type == ptDialog ? p.Width : tenthsToScriptUnits(p.PaperWidth)); },
            [](TrqPage& p, const Variant& v) {
                if (p.Type == ptDialog) p.Width = asInt(v);
                else p.ChangePaper(CustomPaperSize, scriptUnitsToTenths(v.AsInteger()), p.PaperHeight, p.PaperBin,
                                   p.Orientation);
            }),
        P::Make(
            "Height", pkPosition, pgDialog | pgReport,
            [](TrqPage& p) { return Variant(p.Type == ptDialog ? p.Height : tenthsToScriptUnits(p.PaperHeight)); },
            [](TrqPage& p, const Variant& v) {
                if (p.Type == ptDialog) p.Height = asInt(v);
                else p.ChangePaper(CustomPaperSize, p.PaperWidth, scriptUnitsToTenths(v.AsInteger()), p.PaperBin,
                                   p.Orientation);
            }),
        P::Field("Position", pkEnum, pgDialog, &TrqPage::Position, TrqEnumerations::WindowPosition),
        P::Listed("OnActivate", pkEditor, pgDialog),
        // A paper code of the printing layer (the designer lists the printer's papers).
        P::Make(
            "Size", pkEnum, pgReport, [](TrqPage& p) { return Variant(p.Size); },
            [](TrqPage& p, const Variant& v) {
                p.ChangePaper(asInt(v), p.PaperWidth, p.PaperHeight, p.PaperBin, p.Orientation);
            }),
        margin("LeftMargin", &TrqPage::LeftMargin, &TrqPage::LeftMarginInEffect),
        margin("TopMargin", &TrqPage::TopMargin, &TrqPage::TopMarginInEffect),
        margin("RightMargin", &TrqPage::RightMargin, &TrqPage::RightMarginInEffect),
        margin("BottomMargin", &TrqPage::BottomMargin, &TrqPage::BottomMarginInEffect),
        P::Make(
            "Orientation", pkEnum, pgReport, [](TrqPage& p) { return Variant(static_cast<int>(p.Orientation)); },
            [](TrqPage& p, const Variant& v) {
                p.ChangePaper(p.Size, p.PaperWidth, p.PaperHeight, p.PaperBin, static_cast<uint8_t>(asInt(v)));
            },
            TrqEnumerations::Orientation),
        P::Field("PrintToPrevPage", pkBoolean, pgReport, &TrqPage::PrintToPrevPage),
        P::Make(
            "StretchToPrintable", pkBoolean, pgReport, [](TrqPage& p) { return Variant(!p.UseMargins); },
            [](TrqPage& p, const Variant& v) { p.UseMargins = !v.AsBoolean(); }),
        P::Field("Columns", pkInteger, pgReport, &TrqPage::Columns),
        P::Field("ColumnGap", pkPosition, pgReport, &TrqPage::ColumnGap),
        P::Listed("OnBeforePrint", pkEditor, pgReport),
        P::Field("Name", pkText, rgNever, &TrqPage::Name),
    });
    return table;
}

uint32_t TrqPage::RegisteredGroups() const { return rgAlways | (Type == ptDialog ? pgDialog : pgReport); }

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
