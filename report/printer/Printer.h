#pragma once
// TrqPrinter: the engine-wide printer object. It lists the platform's printers
// followed by the built-in "Virtual printer", keeps the current printer's
// papers and sources and the current paper, and gives that paper's geometry in
// printer dots and report units. The virtual printer lets reports be built,
// previewed and saved where no printer exists: its papers are the standard
// paper table and its printable area leaves 5 mm on every side.

#include "report/printer/PrinterPlatform.h"

#include <cstdint>
#include <memory>
#include <vector>

// Report units per inch (93 / 1.015) and the conversions of the printing layer.
inline constexpr double ReportUnitsPerInch = 91.6256157635468;
int32_t TenthsMmToUnits(int32_t tenths);

// The page geometry of a paper: size, unprintable offset and printable area,
// in printer dots and in report units.
struct PrinterPageInfo {
    int32_t PaperWidthDots = 0, PaperHeightDots = 0;
    int32_t PaperWidthUnits = 0, PaperHeightUnits = 0;
    int32_t OffsetXDots = 0, OffsetYDots = 0;
    int32_t OffsetXUnits = 0, OffsetYUnits = 0;
    int32_t PrintableWidthDots = 0, PrintableHeightDots = 0;
    int32_t PrintableWidthUnits = 0, PrintableHeightUnits = 0;
    bool operator==(const PrinterPageInfo&) const = default;
};

class TrqPrinter {
public:
    TrqPrinter();
    ~TrqPrinter();
    TrqPrinter(const TrqPrinter&) = delete;
    TrqPrinter& operator=(const TrqPrinter&) = delete;

    // Rebuilds the printer list from the platform (none: only the virtual printer)
    // and reads the current printer.
    void AssignPrinter(std::unique_ptr<TrqPrinterPlatform> platform);
    TrqPrinterPlatform* Platform() const { return platform_.get(); }
    // AssignPrinter again with the same platform, which lists its printers anew.
    void Refresh();

    // Print jobs on the current printer: the job put in place with
    // SetJobOverride (a dry run, tests), else the platform's; null on the
    // virtual printer, which cannot print.
    TrqPrintJob* Job() const;
    void SetJobOverride(TrqPrintJob* job) { jobOverride_ = job; }
    // A job is running: the paper stays as it is meanwhile.
    bool Printing() const;

    const std::vector<AnsiString>& Printers() const { return printers_; }
    int PrinterIndex() const { return printerIndex_; }
    void SetPrinterIndex(int index);
    int VirtualPrinterIndex() const { return virtualPrinterIndex_; }
    bool IsVirtual() const { return printerIndex_ == virtualPrinterIndex_; }
    // Index of the printer with exactly that name, or -1.
    int IndexOfPrinter(const AnsiString& name) const;

    void GetSettings();
    void SetSettings();
    void SetPrinterInfo(int32_t size, int32_t width, int32_t height, int32_t bin, int32_t orientation, bool forced);
    bool IsEqual(int32_t size, int32_t width, int32_t height, int32_t bin, int32_t orientation) const;
    void FillPrinterPageInfo(PrinterPageInfo& info) const;
    // The platform's settings dialog for the current printer; true when confirmed.
    bool PropertiesDialog();

    int32_t PaperSize() const { return paperSize_; }
    int32_t PaperWidth() const { return paperWidth_; }
    int32_t PaperHeight() const { return paperHeight_; }
    int32_t Orientation() const { return orientation_; }
    int32_t PaperBin() const { return paperBin_; }
    const std::vector<int32_t>& PaperSizes() const { return paperSizes_; }
    const std::vector<AnsiString>& PaperNames() const { return paperNames_; }
    const std::vector<int32_t>& Bins() const { return bins_; }
    const std::vector<AnsiString>& BinNames() const { return binNames_; }
    // The keywords print jobs ask for the sources by (empty for the default).
    const std::vector<AnsiString>& BinKeywords() const { return binKeywords_; }
    // The keyword of the current source (empty for the default).
    AnsiString PaperBinKeyword() const;
    // The current printer has a source of that code (-1, the default, always).
    bool HasBin(int32_t bin) const;
    const AnsiString& Device() const { return device_; }
    const AnsiString& Driver() const { return driver_; }
    const AnsiString& Port() const { return port_; }
    // The name of the current paper among PaperNames (empty when not listed).
    AnsiString PaperName() const;

    // The paper size right after start-up; new template pages use it.
    int32_t DefaultPaperSize() const { return defaultPaperSize_; }
    void SetDefaultPaperSize(int32_t size) { defaultPaperSize_ = size; }

private:
    std::unique_ptr<TrqPrinterPlatform> platform_;
    TrqPrintJob* jobOverride_ = nullptr;
    std::vector<AnsiString> printers_;
    int printerIndex_ = 0;
    int virtualPrinterIndex_ = 0;
    AnsiString device_, driver_, port_;
    TrqPrinterSettings measures_;  // of the current platform printer
    int32_t paperSize_ = 9;
    int32_t paperWidth_ = 2100, paperHeight_ = 2970;
    int32_t orientation_ = 0;
    int32_t paperBin_ = -1;
    std::vector<int32_t> paperSizes_;
    std::vector<AnsiString> paperNames_;
    std::vector<int32_t> bins_;
    std::vector<AnsiString> binNames_;
    std::vector<AnsiString> binKeywords_;
    int32_t defaultPaperSize_ = 9;
};

// The engine's printer object, created on first use with the platform's
// printers (only the virtual printer when no GUI application is running).
TrqPrinter& rqPrinter();
// Frees the printer object (the next rqPrinter() makes a new one). A module
// that carries the engine calls it when it is unloaded; a program leaves the
// object to the end of the process.
void FreeRqPrinter();
