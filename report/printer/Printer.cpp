#include "report/printer/Printer.h"

#include "report/printer/PaperTable.h"
#include "report/printer/PrintJob.h"
#include "report/printer/QtPrinterPlatform.h"
#include "report/texts/EngineTexts.h"
#include "runtime/SysUtils.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdlib>

namespace {
constexpr int VirtualPrinterText = 55007;
constexpr int DefaultSourceText = 55435;
constexpr size_t MaxChoices = 256;  // papers and sources a driver may list
// The virtual printer leaves 5 mm on every side.
constexpr int32_t VirtualOffsetTenths = 50;

int32_t toUnits(int32_t dots, int32_t pixelsPerInch)
{
    if (pixelsPerInch <= 0) return 0;
    return static_cast<int32_t>(RoundHalfEven(dots * (ReportUnitsPerInch / pixelsPerInch)));
}
}  // namespace

int32_t TenthsMmToUnits(int32_t tenths)
{
    return static_cast<int32_t>(RoundHalfEven(tenths * ReportUnitsPerInch / 254.0));
}

TrqPrinter::TrqPrinter() = default;
TrqPrinter::~TrqPrinter() = default;

void TrqPrinter::AssignPrinter(std::unique_ptr<TrqPrinterPlatform> platform)
{
    platform_ = std::move(platform);
    printers_.clear();
    printerIndex_ = 0;
    if (platform_) {
        printers_ = platform_->PrinterNames();
        if (!printers_.empty())
            printerIndex_ = std::clamp(platform_->CurrentIndex(), 0, static_cast<int>(printers_.size()) - 1);
    }
    printers_.push_back(TrqLocale::LoadText(VirtualPrinterText));
    virtualPrinterIndex_ = static_cast<int>(printers_.size()) - 1;
    if (printers_.size() == 1) SetSettings();
    else GetSettings();
}

void TrqPrinter::Refresh()
{
    if (platform_) platform_->Refresh();
    AssignPrinter(std::move(platform_));
}

TrqPrintJob* TrqPrinter::Job() const
{
    if (jobOverride_) return jobOverride_;
    if (IsVirtual() || !platform_) return nullptr;
    return platform_->PrintJob();
}

bool TrqPrinter::Printing() const
{
    if (jobOverride_ && jobOverride_->Printing()) return true;
    return platform_ && platform_->Printing();
}

int TrqPrinter::IndexOfPrinter(const AnsiString& name) const
{
    auto it = std::find(printers_.begin(), printers_.end(), name);
    return it == printers_.end() ? -1 : static_cast<int>(it - printers_.begin());
}

void TrqPrinter::SetPrinterIndex(int index)
{
    if (index == printerIndex_ || index < 0 || index >= static_cast<int>(printers_.size())) return;
    printerIndex_ = index;
    if (IsVirtual()) {
        SetSettings();
    } else if (platform_) {
        platform_->SetCurrentIndex(index);
        GetSettings();
    }
}

void TrqPrinter::GetSettings()
{
    TrqPrinterSettings settings;
    if (IsVirtual() || !platform_ || !platform_->ReadSettings(settings)) {
        // A printer whose settings cannot be read: lay reports out on the virtual paper.
        if (!IsVirtual()) SetPrinterIndex(virtualPrinterIndex_);
        return;
    }
    device_ = settings.Device.substr(0, 127);
    driver_ = settings.Driver.substr(0, 127);
    port_ = settings.Port.substr(0, 127);
    measures_ = settings;
    paperSize_ = settings.PaperSize;
    if (settings.PixelsX > 0 && settings.PixelsY > 0) {
        paperWidth_ = static_cast<int32_t>(RoundHalfEven(settings.PhysicalWidth * 254.0 / settings.PixelsX));
        paperHeight_ = static_cast<int32_t>(RoundHalfEven(settings.PhysicalHeight * 254.0 / settings.PixelsY));
    }
    paperSizes_.clear();
    paperNames_.clear();
    for (size_t i = 0; i < settings.Papers.size() && i < MaxChoices; ++i) {
        paperSizes_.push_back(settings.Papers[i].first);
        paperNames_.push_back(settings.Papers[i].second.substr(0, 64));
    }
    bins_ = {-1};
    binNames_ = {TrqLocale::LoadText(DefaultSourceText)};
    binKeywords_ = {AnsiString()};
    for (size_t i = 0; i < settings.Sources.size() && bins_.size() < MaxChoices; ++i) {
        bins_.push_back(settings.Sources[i].Code);
        binNames_.push_back(settings.Sources[i].Name.substr(0, 24));
        binKeywords_.push_back(settings.Sources[i].Keyword);
    }
    paperBin_ = HasBin(settings.DefaultSource) ? settings.DefaultSource : -1;
    orientation_ = settings.Orientation == 0 ? 0 : 1;
}

void TrqPrinter::SetSettings()
{
    if (IsVirtual() || !platform_) {
        paperSizes_.clear();
        paperNames_.clear();
        for (int i = 0; i < PaperTableCount; ++i) {
            paperSizes_.push_back(PaperTable[i].Code);
            paperNames_.push_back(PaperTableName(i));
        }
        bins_ = {-1};
        binNames_ = {TrqLocale::LoadText(DefaultSourceText)};
        binKeywords_ = {AnsiString()};
        int index = paperSize_ == CustomPaperSize ? -1 : PaperTableIndex(paperSize_);
        if (index >= 0) {
            paperWidth_ = PaperTable[index].Width;
            paperHeight_ = PaperTable[index].Height;
            if (orientation_ == 1) std::swap(paperWidth_, paperHeight_);
        }
        return;
    }
    TrqPaperRequest paper;
    paper.PaperSize = paperSize_;
    paper.Width = paperWidth_;
    paper.Height = paperHeight_;
    paper.Orientation = orientation_;
    // A source the printer does not have (a template made for another
    // printer) is its default source.
    paper.Bin = HasBin(paperBin_) ? paperBin_ : -1;
    platform_->WriteSettings(paper);
    GetSettings();
}

bool TrqPrinter::IsEqual(int32_t size, int32_t width, int32_t height, int32_t bin, int32_t orientation) const
{
    if (size != paperSize_) return false;
    if (size == CustomPaperSize)
        return std::abs(paperWidth_ - width) <= 1 && std::abs(paperHeight_ - height) <= 1 &&
               orientation == orientation_;
    // A source the printer does not have is its default one.
    if (!HasBin(bin)) bin = -1;
    return orientation == orientation_ && (bin == paperBin_ || bin == -1);
}

bool TrqPrinter::HasBin(int32_t bin) const
{
    return bin == -1 || std::find(bins_.begin(), bins_.end(), bin) != bins_.end();
}

AnsiString TrqPrinter::PaperBinKeyword() const
{
    for (size_t i = 0; i < bins_.size() && i < binKeywords_.size(); ++i)
        if (bins_[i] == paperBin_) return binKeywords_[i];
    return {};
}

void TrqPrinter::SetPrinterInfo(int32_t size, int32_t width, int32_t height, int32_t bin, int32_t orientation,
                                bool forced)
{
    // The geometry of a job's pages must not change while it prints.
    if (Printing()) return;
    if (!forced && IsEqual(size, width, height, bin, orientation)) return;
    paperSize_ = size;
    paperWidth_ = width;
    paperHeight_ = height;
    orientation_ = orientation;
    paperBin_ = bin;
    SetSettings();
}

void TrqPrinter::FillPrinterPageInfo(PrinterPageInfo& info) const
{
    if (IsVirtual() || !platform_) {
        info.PaperWidthUnits = TenthsMmToUnits(paperWidth_);
        info.PaperHeightUnits = TenthsMmToUnits(paperHeight_);
        info.OffsetXUnits = info.OffsetYUnits = TenthsMmToUnits(VirtualOffsetTenths);
        info.PrintableWidthUnits = info.PaperWidthUnits - 2 * info.OffsetXUnits;
        info.PrintableHeightUnits = info.PaperHeightUnits - 2 * info.OffsetYUnits;
        return;
    }
    const TrqPrinterSettings& m = measures_;
    info.PaperWidthDots = m.PhysicalWidth;
    info.PaperHeightDots = m.PhysicalHeight;
    info.OffsetXDots = m.PhysicalOffsetX;
    info.OffsetYDots = m.PhysicalOffsetY;
    info.PrintableWidthDots = m.PageWidth;
    info.PrintableHeightDots = m.PageHeight;
    info.PaperWidthUnits = toUnits(m.PhysicalWidth, m.PixelsX);
    info.PaperHeightUnits = toUnits(m.PhysicalHeight, m.PixelsY);
    info.OffsetXUnits = toUnits(m.PhysicalOffsetX, m.PixelsX);
    info.OffsetYUnits = toUnits(m.PhysicalOffsetY, m.PixelsY);
    info.PrintableWidthUnits = toUnits(m.PageWidth, m.PixelsX);
    info.PrintableHeightUnits = toUnits(m.PageHeight, m.PixelsY);
}

bool TrqPrinter::PropertiesDialog()
{
    if (IsVirtual() || !platform_) return false;
    if (!platform_->PropertiesDialog()) return false;
    GetSettings();
    return true;
}

AnsiString TrqPrinter::PaperName() const
{
    for (size_t i = 0; i < paperSizes_.size() && i < paperNames_.size(); ++i)
        if (paperSizes_[i] == paperSize_) return paperNames_[i];
    return {};
}

namespace {
TrqPrinter* enginePrinter = nullptr;
}  // namespace

TrqPrinter& rqPrinter()
{
    if (!enginePrinter) {
        auto p = std::make_unique<TrqPrinter>();
        // Without a GUI application Qt cannot list printers: only the virtual one exists then.
        std::unique_ptr<TrqPrinterPlatform> platform;
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) platform = CreateQtPrinterPlatform();
        p->AssignPrinter(std::move(platform));
        p->SetDefaultPaperSize(p->PaperSize());
        enginePrinter = p.release();
    }
    return *enginePrinter;
}

void FreeRqPrinter()
{
    delete enginePrinter;
    enginePrinter = nullptr;
}
